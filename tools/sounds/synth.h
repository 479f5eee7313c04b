// The few building blocks the effects are made of: a sample buffer, seeded noise, filters,
// envelopes, tones and a small room. Everything is deterministic: same build, same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

constexpr double kPi = 3.14159265358979323846;

// A mono sound in the making; parts are added into it at times in seconds.
struct Sound {
    double rate;
    std::vector<double> samples;

    Sound(double sampleRate, size_t count) : rate(sampleRate), samples(count, 0.0) {}
    double seconds() const { return double(samples.size()) / rate; }
    size_t index(double at) const;  // clamped to the end
};

// White noise from a fixed seed, so every run writes the same files.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed ? seed : 1) {}
    double white();  // -1..1
private:
    uint32_t state_;
};

// Second-order sections (the well-known "audio EQ cookbook" forms).
class Biquad {
public:
    static Biquad lowPass(double rate, double cutoff, double q = 0.7071);
    static Biquad highPass(double rate, double cutoff, double q = 0.7071);
    static Biquad bandPass(double rate, double centre, double q);
    double run(double x);

private:
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Envelopes of the time t since a part began.
double attackDecay(double t, double attack, double decay);  // fast rise, exponential fall
double smoothStep(double edge0, double edge1, double t);     // 0 before edge0, 1 after edge1

double midiHz(double note);

// A tone of harmonics k = 1..n with amplitudes brightness^(k-1) / k^tilt, band-limited to
// below Nyquist. `hz` gives the pitch and `envelope` the level at each time since `start`.
struct ToneShape {
    double brightness;    // 0..1, how fast the harmonics fall away
    double tilt;          // extra fall by harmonic number
    double brightByLevel; // how much louder makes brighter, as in brass (0 = fixed)
};
using Curve = std::function<double(double)>;
void addTone(Sound& sound, double start, double length, const ToneShape& shape, const Curve& hz,
             const Curve& envelope);

// Adds filtered noise shaped by an envelope over [start, start + length).
void addNoise(Sound& sound, Noise& noise, double start, double length, Biquad filter, const Curve& envelope);

// A small damped room: Schroeder combs and all-passes, mixed in by `wet`.
void addRoom(Sound& sound, double wet, double decaySeconds, double damping);

void fadeOut(Sound& sound, double seconds);
// Scales so that the largest magnitude is `peak`; returns the factor.
double normalize(Sound& sound, double peak);
