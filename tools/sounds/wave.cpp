#include "wave.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace {

const uint16_t kTagPcm = 1;
const uint16_t kTagMsAdpcm = 2;
const uint16_t kTagImaAdpcm = 17;

// The seven predictor pairs every Microsoft ADPCM file carries in its fmt chunk; decoders
// read them from there, so they are part of the format, not of this encoder.
const int kMsCoef[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
const int kMsAdaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614, 768, 614, 512, 409, 307, 230, 230, 230};
const int kMsHeaderBytes = 7;
const int kMsMinDelta = 16;

const int kImaIndexStep[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
const int kImaSteps[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,   253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,   876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
const int kImaHeaderBytes = 4;
const int kImaLookahead = 3;

int clamp16(int v) { return std::clamp(v, -32768, 32767); }

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void putTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }
int get16(const uint8_t* p) { return int16_t(uint16_t(p[0] | p[1] << 8)); }

// --- Microsoft ADPCM ---------------------------------------------------------------------

// Decoders disagree on rounding the prediction: Microsoft's reference divides by 256
// (toward zero), others shift (toward minus infinity). The encoder follows both
// reconstructions and picks nibbles that suit both, so neither drifts from the source.
struct MsState {
    int coef1, coef2;
    int delta;
    int sample1, sample2;          // the last sample and the one before, dividing decoder
    int shifted1, shifted2;        // the same, shifting decoder
};

int msPredict(const MsState& s) { return (s.sample1 * s.coef1 + s.sample2 * s.coef2) / 256; }
int msPredictShifted(const MsState& s) { return (s.shifted1 * s.coef1 + s.shifted2 * s.coef2) >> 8; }

void msAdvance(MsState& s, int nibble, int value, int shiftedValue) {
    s.sample2 = s.sample1;
    s.sample1 = value;
    s.shifted2 = s.shifted1;
    s.shifted1 = shiftedValue;
    s.delta = std::max(kMsMinDelta, kMsAdaptation[nibble & 15] * s.delta / 256);
}

// Encodes the samples after the two stored in the header; returns the squared error.
double msEncodeTail(const int16_t* x, uint32_t count, MsState s, std::vector<uint8_t>* nibbles) {
    double error = 0;
    for (uint32_t i = 2; i < count; ++i) {
        const int predicted = msPredict(s), shifted = msPredictShifted(s);
        double best = std::numeric_limits<double>::infinity();
        int bestQ = 0;
        for (int q = -8; q <= 7; ++q) {
            const double a = x[i] - clamp16(predicted + q * s.delta);
            const double b = x[i] - clamp16(shifted + q * s.delta);
            if (a * a + b * b < best) {
                best = a * a + b * b;
                bestQ = q;
            }
        }
        error += best / 2;
        if (nibbles)
            nibbles->push_back(uint8_t(bestQ & 15));
        msAdvance(s, bestQ & 15, clamp16(predicted + bestQ * s.delta), clamp16(shifted + bestQ * s.delta));
    }
    return error;
}

// --- IMA ADPCM ---------------------------------------------------------------------------

int imaDifference(int step, int nibble) {
    int diff = step >> 3;
    if (nibble & 4) diff += step;
    if (nibble & 2) diff += step >> 1;
    if (nibble & 1) diff += step >> 2;
    return (nibble & 8) ? -diff : diff;
}

int imaNextIndex(int stepIndex, int nibble) { return std::clamp(stepIndex + kImaIndexStep[nibble & 7], 0, 88); }

// The least squared error reachable over the next `depth` samples from this state. Looking
// ahead lets the step grow before a transient instead of trailing behind it.
double imaLookahead(const int16_t* x, uint32_t left, int predicted, int stepIndex, int depth, int* firstNibble) {
    if (depth == 0 || left == 0) return 0;
    double best = std::numeric_limits<double>::infinity();
    for (int nibble = 0; nibble < 16; ++nibble) {
        const int value = clamp16(predicted + imaDifference(kImaSteps[stepIndex], nibble));
        const double e = double(x[0] - value) * double(x[0] - value);
        if (e >= best) continue;
        const double total = e + imaLookahead(x + 1, left - 1, value, imaNextIndex(stepIndex, nibble), depth - 1, nullptr);
        if (total < best) {
            best = total;
            if (firstNibble) *firstNibble = nibble;
        }
    }
    return best;
}

}  // namespace

uint32_t samplesPerBlock(const WaveFormat& format) {
    switch (format.encoding) {
    case Encoding::Pcm8: return 1;
    case Encoding::MsAdpcm: return (format.blockAlign - kMsHeaderBytes) * 2 + 2;
    case Encoding::ImaAdpcm: return (format.blockAlign - kImaHeaderBytes) * 2 + 1;
    }
    return 1;
}

std::vector<uint8_t> encodeMsAdpcmBlock(const int16_t* x, uint32_t count, uint16_t blockAlign) {
    // Every predictor with a spread of starting step sizes; the closest reconstruction wins.
    double bestError = std::numeric_limits<double>::infinity();
    MsState best{};
    int bestPredictor = 0;
    for (int p = 0; p < 7; ++p) {
        for (int delta = kMsMinDelta; delta <= 4096; delta *= 2) {
            const MsState start{kMsCoef[p][0], kMsCoef[p][1], delta, x[1], x[0], x[1], x[0]};
            const double error = msEncodeTail(x, count, start, nullptr);
            if (error < bestError) {
                bestError = error;
                best = start;
                bestPredictor = p;
            }
        }
    }
    std::vector<uint8_t> nibbles;
    msEncodeTail(x, count, best, &nibbles);

    std::vector<uint8_t> block;
    block.push_back(uint8_t(bestPredictor));
    put16(block, uint16_t(best.delta));
    put16(block, uint16_t(x[1]));
    put16(block, uint16_t(x[0]));
    for (size_t i = 0; i + 1 < nibbles.size(); i += 2)
        block.push_back(uint8_t(nibbles[i] << 4 | nibbles[i + 1]));  // first sample high
    block.resize(blockAlign, 0);
    return block;
}

std::vector<int16_t> decodeMsAdpcmBlock(const uint8_t* block, uint16_t blockAlign) {
    const int p = std::min<int>(block[0], 6);
    const int s1 = get16(block + 3), s2 = get16(block + 5);
    MsState s{kMsCoef[p][0], kMsCoef[p][1], get16(block + 1), s1, s2, s1, s2};
    std::vector<int16_t> out{int16_t(s2), int16_t(s1)};
    for (int i = kMsHeaderBytes; i < blockAlign; ++i) {
        for (int nibble : {block[i] >> 4, block[i] & 15}) {
            const int q = nibble >= 8 ? nibble - 16 : nibble;
            const int value = clamp16(msPredict(s) + q * s.delta);
            out.push_back(int16_t(value));
            msAdvance(s, nibble, value, value);
        }
    }
    return out;
}

std::vector<uint8_t> encodeImaAdpcmBlock(const int16_t* x, uint32_t count, uint16_t blockAlign,
                                         int& stepIndex) {
    // The header holds the first sample exactly; the step carries over from the last block.
    const int startIndex = stepIndex;
    int predicted = x[0];
    std::vector<uint8_t> nibbles;
    for (uint32_t i = 1; i < count; ++i) {
        int nibble = 0;
        imaLookahead(&x[i], count - i, predicted, stepIndex, kImaLookahead, &nibble);
        nibbles.push_back(uint8_t(nibble));
        predicted = clamp16(predicted + imaDifference(kImaSteps[stepIndex], nibble));
        stepIndex = imaNextIndex(stepIndex, nibble);
    }

    std::vector<uint8_t> block;
    put16(block, uint16_t(x[0]));
    block.push_back(uint8_t(startIndex));  // the step the first nibble is decoded with
    block.push_back(0);
    for (size_t i = 0; i + 1 < nibbles.size(); i += 2)
        block.push_back(uint8_t(nibbles[i + 1] << 4 | nibbles[i]));  // first sample low
    block.resize(blockAlign, 0);
    return block;
}

std::vector<int16_t> decodeImaAdpcmBlock(const uint8_t* block, uint16_t blockAlign) {
    int predicted = get16(block);
    int stepIndex = std::min<int>(block[2], 88);
    std::vector<int16_t> out{int16_t(predicted)};
    for (int i = kImaHeaderBytes; i < blockAlign; ++i) {
        for (int nibble : {block[i] & 15, block[i] >> 4}) {
            predicted = clamp16(predicted + imaDifference(kImaSteps[stepIndex], nibble));
            stepIndex = imaNextIndex(stepIndex, nibble);
            out.push_back(int16_t(predicted));
        }
    }
    return out;
}

std::vector<uint8_t> encodeWave(const WaveFormat& format, const std::vector<double>& samples) {
    const uint32_t perBlock = samplesPerBlock(format);
    if (samples.size() % perBlock != 0)
        throw std::runtime_error("ADPCM sound does not fill whole blocks");

    std::vector<int16_t> pcm16;
    for (double s : samples)
        pcm16.push_back(int16_t(std::lround(std::clamp(s, -1.0, 1.0) * 32767)));

    std::vector<uint8_t> data;
    int imaStepIndex = 0;
    for (size_t at = 0; at < samples.size(); at += perBlock) {
        std::vector<uint8_t> block;
        switch (format.encoding) {
        case Encoding::Pcm8:
            // Unsigned, silence at 128.
            data.push_back(uint8_t(std::clamp(std::lround(samples[at] * 127) + 128, 0L, 255L)));
            continue;
        case Encoding::MsAdpcm: block = encodeMsAdpcmBlock(&pcm16[at], perBlock, format.blockAlign); break;
        case Encoding::ImaAdpcm:
            block = encodeImaAdpcmBlock(&pcm16[at], perBlock, format.blockAlign, imaStepIndex);
            break;
        }
        data.insert(data.end(), block.begin(), block.end());
    }

    std::vector<uint8_t> fmt;
    const bool adpcm = format.encoding != Encoding::Pcm8;
    const uint16_t tag = format.encoding == Encoding::Pcm8      ? kTagPcm
                         : format.encoding == Encoding::MsAdpcm ? kTagMsAdpcm
                                                                : kTagImaAdpcm;
    put16(fmt, tag);
    put16(fmt, 1);  // mono
    put32(fmt, format.sampleRate);
    // ADPCM: the bytes per second of whole blocks, as Microsoft's codecs compute it.
    put32(fmt, adpcm ? format.sampleRate * format.blockAlign / perBlock : format.sampleRate);
    put16(fmt, format.blockAlign);
    put16(fmt, adpcm ? 4 : 8);
    if (format.encoding == Encoding::MsAdpcm) {
        put16(fmt, 4 + 7 * 4);  // cbSize: samples per block, count, the table
        put16(fmt, uint16_t(perBlock));
        put16(fmt, 7);
        for (const auto& pair : kMsCoef) {
            put16(fmt, uint16_t(pair[0]));
            put16(fmt, uint16_t(pair[1]));
        }
    } else if (format.encoding == Encoding::ImaAdpcm) {
        put16(fmt, 2);
        put16(fmt, uint16_t(perBlock));
    }

    std::vector<uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 0);  // patched below
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, uint32_t(fmt.size()));
    out.insert(out.end(), fmt.begin(), fmt.end());
    if (adpcm) {
        putTag(out, "fact");
        put32(out, 4);
        put32(out, uint32_t(samples.size()));
    }
    putTag(out, "data");
    put32(out, uint32_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2)
        out.push_back(0);  // chunks are word-aligned
    const uint32_t riffSize = uint32_t(out.size() - 8);
    for (int i = 0; i < 4; ++i)
        out[4 + i] = uint8_t(riffSize >> (8 * i));
    return out;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0)
        throw std::runtime_error("cannot write " + path);
}
