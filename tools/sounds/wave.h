// Complete RIFF WAVE images in the three encodings the game's sounds use: 8-bit PCM,
// Microsoft ADPCM (format tag 2) and IMA ADPCM (format tag 17), mono, 4 bits per ADPCM sample.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class Encoding { Pcm8, MsAdpcm, ImaAdpcm };

struct WaveFormat {
    Encoding encoding;
    uint32_t sampleRate;
    uint16_t blockAlign;  // bytes per ADPCM block; 1 for 8-bit PCM
};

// Samples of one block, as the fmt chunk's wSamplesPerBlock states it.
uint32_t samplesPerBlock(const WaveFormat& format);

// Encodes `samples` (full scale is -1..1, clamped) and wraps them in RIFF/fmt/fact/data.
// ADPCM input must fill whole blocks, so that the data size is exactly blocks * blockAlign.
std::vector<uint8_t> encodeWave(const WaveFormat& format, const std::vector<double>& samples);

// The ADPCM coders on 16-bit samples; exposed for the round-trip check of the generator.
std::vector<uint8_t> encodeMsAdpcmBlock(const int16_t* samples, uint32_t count, uint16_t blockAlign);
std::vector<uint8_t> encodeImaAdpcmBlock(const int16_t* samples, uint32_t count, uint16_t blockAlign,
                                         int& stepIndex);
std::vector<int16_t> decodeMsAdpcmBlock(const uint8_t* block, uint16_t blockAlign);
std::vector<int16_t> decodeImaAdpcmBlock(const uint8_t* block, uint16_t blockAlign);

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
