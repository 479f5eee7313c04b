// Writes the game's four sound effects into res/sounds (or the folder given):
//   tools/sounds/build.sh   builds this generator and rewrites the committed files.
// Each effect fills exactly its fixed data size: the game plays them synchronously, so their
// lengths are pauses in play.
#include <cmath>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "synth.h"
#include "wave.h"

namespace {

const double kPeak = 0.7;  // about -3 dBFS: headroom for the ADPCM coders, calm at low volume

// --- Instruments ---------------------------------------------------------------------------

// A gun: a thump that drops in pitch, a short crack and a darker body of smoke and air.
void addCannon(Sound& s, Noise& noise, double at, double gain) {
    addTone(s, at, 0.7, {0.35, 1.0, 0.0}, [](double t) { return 48 + 90 * std::exp(-t / 0.045); },
            [=](double t) { return gain * 0.9 * attackDecay(t, 0.003, 0.10); });
    addNoise(s, noise, at, 0.35, Biquad::lowPass(s.rate, 2400),
             [=](double t) { return gain * 0.9 * attackDecay(t, 0.0015, 0.028); });
    addNoise(s, noise, at, 0.9, Biquad::lowPass(s.rate, 420),
             [=](double t) { return gain * 2.2 * attackDecay(t, 0.006, 0.13); });
}

// Brass of the given brightness: a small scoop up into the pitch, vibrato on long notes, and
// a timbre that opens as the note swells.
void addBrass(Sound& s, double at, double length, double note, double gain, double brightness) {
    const double hz = midiHz(note);
    addTone(
        s, at, length, {brightness, 0.3, 0.4},
        [=](double t) {
            const double vibrato = 0.004 * smoothStep(0.18, 0.40, t) * std::sin(2 * kPi * 5.3 * t);
            return hz * (1 - 0.02 * std::exp(-t / 0.018)) * (1 + vibrato);
        },
        [=](double t) {
            return gain * smoothStep(0, 0.028, t) * (0.8 + 0.2 * std::exp(-t / 0.07)) *
                   (1 - smoothStep(length - 0.045, length, t));
        });
}

struct Note {
    double at, length, midi;
};

// --- The effects ---------------------------------------------------------------------------

// The player's shot: one gun, then the ball's splash and a few falling drops.
Sound playerShot(size_t count) {
    Sound s(11025, count);
    Noise noise(0x7A1DE5u);
    addCannon(s, noise, 0.0, 1.0);
    addNoise(s, noise, 0.15, 0.32, Biquad::bandPass(s.rate, 1900, 0.7),
             [](double t) { return 0.75 * smoothStep(0, 0.035, t) * std::exp(-t / 0.075); });
    addNoise(s, noise, 0.16, 0.30, Biquad::highPass(s.rate, 3300),
             [](double t) { return 0.30 * smoothStep(0, 0.02, t) * std::exp(-t / 0.05); });
    for (int drop = 0; drop < 6; ++drop) {
        const double at = 0.22 + 0.035 * drop + 0.02 * noise.white();
        const double hz = 950 + 300 * noise.white();
        addTone(s, at, 0.05, {0.2, 1.0, 0.0}, [=](double t) { return hz * (1 + 6 * t); },
                [=](double t) { return 0.07 * attackDecay(t, 0.002, 0.012) * (1 - 0.12 * drop); });
    }
    addRoom(s, 0.12, 0.25, 0.35);
    fadeOut(s, 0.05);
    normalize(s, kPeak);
    return s;
}

// The computer has won: a heavy blast and a second, deeper one, a rumble that rolls away, and
// a low minor chord that sinks a fourth underneath.
Sound computerWins(size_t count) {
    Sound s(8000, count);
    Noise noise(0xF17Eu);
    for (const auto& [at, gain] : {std::pair{0.0, 1.0}, std::pair{0.42, 0.8}}) {
        addTone(s, at, 1.5, {0.4, 1.0, 0.0}, [](double t) { return 26 + 74 * std::exp(-t / 0.22); },
                [=](double t) { return gain * 0.9 * attackDecay(t, 0.006, 0.35); });
        addNoise(s, noise, at, 0.6, Biquad::lowPass(s.rate, 1100),
                 [=](double t) { return gain * 1.0 * attackDecay(t, 0.003, 0.07); });
        addNoise(s, noise, at, 2.5, Biquad::lowPass(s.rate, 260),
                 [=](double t) { return gain * 3.0 * attackDecay(t, 0.02, 0.45); });
    }
    // Rolling: a slow, uneven swell on deep noise.
    addNoise(s, noise, 0.3, 2.2, Biquad::lowPass(s.rate, 140), [](double t) {
        const double roll = 0.65 + 0.2 * std::sin(2 * kPi * 2.1 * t) + 0.15 * std::sin(2 * kPi * 3.7 * t + 1);
        return 3.2 * roll * smoothStep(0, 0.4, t) * std::exp(-t / 0.9);
    });
    // Debris and burning timber: crackles in the middle register, where a small speaker
    // at low volume still carries the blast.
    addNoise(s, noise, 0.02, 1.8, Biquad::bandPass(s.rate, 950, 0.9), [&noise](double t) {
        const double crackle = noise.white() > 0.95 ? 9 * noise.white() : 0;  // sparse pops
        return (0.4 + crackle) * 0.5 * attackDecay(t, 0.01, 0.4);
    });
    const double chord[] = {50, 53, 57};  // D minor, sinking to A minor
    for (double note : chord) {
        for (double detune : {-0.003, 0.003}) {
            addTone(
                s, 0.25, 2.25, {0.7, 0.7, 0.3},
                [=](double t) { return midiHz(note - 5 * smoothStep(0.2, 1.9, t)) * (1 + detune); },
                [](double t) { return 0.15 * smoothStep(0, 0.45, t) * (1 - smoothStep(1.55, 2.2, t)); });
        }
    }
    addRoom(s, 0.18, 0.8, 0.5);
    fadeOut(s, 0.25);
    normalize(s, kPeak);
    return s;
}

// The player has won: a trumpet call in C over a three-gun salute, ending on a held chord.
Sound playerWins(size_t count) {
    Sound s(8000, count);
    Noise noise(0xFA4Fu);
    for (const auto& [at, gain] : {std::pair{0.0, 0.55}, std::pair{0.95, 0.5}, std::pair{1.96, 0.6}})
        addCannon(s, noise, at, gain);
    const Note call[] = {{0.08, 0.11, 67}, {0.22, 0.11, 67}, {0.36, 0.11, 67}, {0.50, 0.42, 72},
                         {0.95, 0.13, 67}, {1.10, 0.13, 72}, {1.25, 0.40, 76}, {1.68, 0.12, 72},
                         {1.82, 0.12, 76}, {1.96, 1.25, 79}};
    for (const Note& n : call) addBrass(s, n.at, n.length, n.midi, 0.32, 0.78);
    // The other trumpets join on the last note.
    addBrass(s, 1.96, 1.25, 76, 0.22, 0.74);
    addBrass(s, 1.96, 1.25, 72, 0.20, 0.72);
    addBrass(s, 1.96, 1.25, 60, 0.18, 0.70);
    addRoom(s, 0.18, 0.6, 0.4);
    fadeOut(s, 0.3);
    normalize(s, kPeak);
    return s;
}

// A new game: the ship's horn, then a bugle calls all hands.
Sound newGame(size_t count) {
    Sound s(8000, count);
    for (double note : {45.0, 49.0}) {  // A2 and C#3: low, yet within reach of small speakers
        for (double detune : {-0.0025, 0.0025}) {
            addTone(
                s, 0.0, 1.0, {0.9, 0.8, 0.2},
                [=](double t) { return midiHz(note) * (1 - 0.03 * std::exp(-t / 0.06)) * (1 + detune); },
                [](double t) { return 0.22 * smoothStep(0, 0.12, t) * (1 - smoothStep(0.72, 0.98, t)); });
        }
    }
    const Note call[] = {{1.05, 0.14, 67}, {1.21, 0.14, 72}, {1.37, 0.30, 76}, {1.69, 0.14, 72},
                         {1.85, 0.14, 76}, {2.01, 0.46, 79}, {2.49, 0.14, 76}, {2.65, 0.14, 72},
                         {2.81, 0.30, 67}, {3.13, 0.75, 72}};
    for (const Note& n : call) addBrass(s, n.at, n.length, n.midi, 0.4, 0.6);  // a bugle is mellower
    addRoom(s, 0.22, 0.7, 0.45);
    fadeOut(s, 0.08);
    normalize(s, kPeak * 0.8);  // steady tones sound louder than bangs of the same peak
    return s;
}

struct Effect {
    const char* file;
    WaveFormat format;
    uint32_t dataBytes;
    Sound (*make)(size_t count);
};

const Effect kEffects[] = {
    {"fire.wav", {Encoding::MsAdpcm, 8000, 256}, 10240, computerWins},
    {"fire1.wav", {Encoding::ImaAdpcm, 8000, 256}, 14080, playerWins},
    {"nazalo.wav", {Encoding::MsAdpcm, 8000, 256}, 16384, newGame},
    {"vstrl.wav", {Encoding::Pcm8, 11025, 1}, 5214, playerShot},
};

// 4-bit ADPCM keeps these sounds above 22 dB and 8-bit PCM above 30; a wrong coder falls
// near 0.
const double kMinimumSnr = 18;

// Decodes the data chunk again and compares it with the source: a wrong coder shows up here
// as a signal-to-noise ratio near zero.
double roundTripSnr(const Effect& effect, const Sound& sound, const std::vector<uint8_t>& wave) {
    size_t at = 12;
    while (std::string(wave.begin() + at, wave.begin() + at + 4) != "data") {
        const size_t size = wave[at + 4] | wave[at + 5] << 8 | wave[at + 6] << 16 | size_t(wave[at + 7]) << 24;
        at += 8 + size + size % 2;
    }
    at += 8;
    std::vector<double> decoded;
    for (uint32_t block = 0; block < effect.dataBytes / effect.format.blockAlign; ++block) {
        const uint8_t* data = &wave[at + block * effect.format.blockAlign];
        switch (effect.format.encoding) {
        case Encoding::Pcm8: decoded.push_back((data[0] - 128) / 127.0); break;
        case Encoding::MsAdpcm:
            for (int16_t v : decodeMsAdpcmBlock(data, effect.format.blockAlign)) decoded.push_back(v / 32767.0);
            break;
        case Encoding::ImaAdpcm:
            for (int16_t v : decodeImaAdpcmBlock(data, effect.format.blockAlign)) decoded.push_back(v / 32767.0);
            break;
        }
    }
    double signal = 0, noise = 0;
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        signal += sound.samples[i] * sound.samples[i];
        const double e = i < decoded.size() ? decoded[i] - sound.samples[i] : sound.samples[i];
        noise += e * e;
    }
    return 10 * std::log10(signal / std::max(noise, 1e-30));
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "res/sounds";
    try {
        for (const Effect& effect : kEffects) {
            const size_t count = effect.dataBytes / effect.format.blockAlign * samplesPerBlock(effect.format);
            const Sound sound = effect.make(count);
            const std::vector<uint8_t> wave = encodeWave(effect.format, sound.samples);
            const double snr = roundTripSnr(effect, sound, wave);
            std::printf("%-10s %5zu samples  %.3f s  %5zu bytes  round trip %.1f dB\n", effect.file, count,
                        sound.seconds(), wave.size(), snr);
            if (snr < kMinimumSnr)
                throw std::runtime_error(std::string(effect.file) + ": round trip below " +
                                         std::to_string(int(kMinimumSnr)) + " dB, the coder is broken");
            writeFile(folder + "/" + effect.file, wave);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sounds: %s\n", e.what());
        return 1;
    }
    return 0;
}
