#include "synth.h"

#include <algorithm>
#include <cmath>

size_t Sound::index(double at) const {
    if (at <= 0) return 0;
    return std::min(samples.size(), size_t(std::lround(at * rate)));
}

double Noise::white() {
    // xorshift32: tiny, and the same on every compiler.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return double(state_) / 2147483648.0 - 1.0;
}

Biquad Biquad::lowPass(double rate, double cutoff, double q) {
    const double w = 2 * kPi * cutoff / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = (1 - c) / 2 / a0;
    f.b1_ = (1 - c) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::highPass(double rate, double cutoff, double q) {
    const double w = 2 * kPi * cutoff / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = (1 + c) / 2 / a0;
    f.b1_ = -(1 + c) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::bandPass(double rate, double centre, double q) {
    const double w = 2 * kPi * centre / rate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0_ = alpha / a0;
    f.b1_ = 0;
    f.b2_ = -alpha / a0;
    f.a1_ = -2 * c / a0;
    f.a2_ = (1 - alpha) / a0;
    return f;
}

double Biquad::run(double x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

double attackDecay(double t, double attack, double decay) {
    if (t < 0) return 0;
    if (t < attack) return std::sin(0.5 * kPi * t / attack);
    return std::exp(-(t - attack) / decay);
}

double smoothStep(double edge0, double edge1, double t) {
    const double x = std::clamp((t - edge0) / (edge1 - edge0), 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12); }

void addTone(Sound& sound, double start, double length, const ToneShape& shape, const Curve& hz,
             const Curve& envelope) {
    const size_t from = sound.index(start), to = sound.index(start + length);
    const double nyquistGuard = 0.45 * sound.rate;
    double phase = 0;
    for (size_t i = from; i < to; ++i) {
        const double t = double(i) / sound.rate - start;
        const double f = hz(t), level = envelope(t);
        phase = std::fmod(phase + 2 * kPi * f / sound.rate, 2 * kPi);
        if (level == 0) continue;
        const double bright = shape.brightness * (1 - shape.brightByLevel + shape.brightByLevel * std::abs(level));
        double sum = 0, norm = 0, amplitude = 1;
        for (int k = 1; k * f < nyquistGuard; ++k) {
            // Harmonics fade in over the last stretch below the guard: no sudden appearance
            // when a gliding pitch crosses it.
            const double edge = std::clamp((nyquistGuard - k * f) / (0.1 * sound.rate), 0.0, 1.0);
            const double a = amplitude / std::pow(k, shape.tilt) * edge;
            sum += a * std::sin(k * phase);
            norm += amplitude / std::pow(k, shape.tilt);
            amplitude *= bright;
        }
        if (norm > 0) sound.samples[i] += level * sum / norm;
    }
}

void addNoise(Sound& sound, Noise& noise, double start, double length, Biquad filter, const Curve& envelope) {
    const size_t from = sound.index(start), to = sound.index(start + length);
    for (size_t i = from; i < to; ++i)
        sound.samples[i] += envelope(double(i) / sound.rate - start) * filter.run(noise.white());
}

void addRoom(Sound& sound, double wet, double decaySeconds, double damping) {
    struct Line {
        std::vector<double> buffer;
        size_t at = 0;
        double gain = 0, low = 0;
    };
    // Mutually prime-ish delays of a small cabin; the all-passes blur the echoes.
    const double combDelays[] = {0.0297, 0.0371, 0.0411, 0.0437};
    const double passDelays[] = {0.0050, 0.0017};
    std::vector<Line> combs, passes;
    for (double d : combDelays) {
        Line line;
        line.buffer.assign(std::max<size_t>(1, size_t(d * sound.rate)), 0.0);
        line.gain = std::pow(10.0, -3 * d / decaySeconds);
        combs.push_back(line);
    }
    for (double d : passDelays) {
        Line line;
        line.buffer.assign(std::max<size_t>(1, size_t(d * sound.rate)), 0.0);
        line.gain = 0.5;
        passes.push_back(line);
    }
    for (double& s : sound.samples) {
        double out = 0;
        for (Line& c : combs) {
            const double y = c.buffer[c.at];
            c.low = (1 - damping) * y + damping * c.low;
            c.buffer[c.at] = s + c.gain * c.low;
            c.at = (c.at + 1) % c.buffer.size();
            out += y;
        }
        out /= double(combs.size());
        for (Line& p : passes) {
            const double delayed = p.buffer[p.at];
            p.buffer[p.at] = out + delayed * p.gain;
            p.at = (p.at + 1) % p.buffer.size();
            out = delayed - out * p.gain;
        }
        s += wet * out;
    }
}

void fadeOut(Sound& sound, double seconds) {
    const size_t n = sound.index(seconds), size = sound.samples.size();
    for (size_t i = 0; i < n; ++i) sound.samples[size - 1 - i] *= smoothStep(0, double(n), double(i));
}

double normalize(Sound& sound, double peak) {
    double largest = 0;
    for (double s : sound.samples) largest = std::max(largest, std::abs(s));
    if (largest == 0) return 1;
    const double factor = peak / largest;
    for (double& s : sound.samples) s *= factor;
    return factor;
}
