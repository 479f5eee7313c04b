// Reading and writing the two picture formats the skin uses: uncompressed
// palette BMPs (1, 4 or 8 bits per pixel, BITMAPINFOHEADER, stored bottom-up)
// and 32-bit icons. In memory, row 0 is always the top row as seen on screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};
inline bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
inline bool operator!=(Rgb a, Rgb b) { return !(a == b); }

struct Picture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 4;
    std::vector<Rgb> palette;
    std::vector<uint8_t> index;  // width * height palette indices, top row first

    Picture() = default;
    Picture(int w, int h, int bpp, std::vector<Rgb> pal, uint8_t fill = 0);

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t get(int x, int y) const { return index[size_t(y) * width + x]; }
    // Drawing code clips by leaning on this: pixels outside are dropped.
    void set(int x, int y, uint8_t v) {
        if (inside(x, y)) index[size_t(y) * width + x] = v;
    }
    Rgb color(int x, int y) const { return palette[get(x, y)]; }
};

// Header fields as found in a file, so a check can judge them.
struct BmpInfo {
    int width = 0;
    int height = 0;  // as stored: negative means top-down
    int planes = 0;
    int bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t headerSize = 0;
    uint32_t colorsUsed = 0;
    uint32_t fileSizeField = 0;
    size_t fileSize = 0;
};

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<Rgba> px;  // top row first

    RgbaImage() = default;
    RgbaImage(int w, int h) : width(w), height(h), px(size_t(w) * h) {}
    Rgba& at(int x, int y) { return px[size_t(y) * width + x]; }
    const Rgba& at(int x, int y) const { return px[size_t(y) * width + x]; }
};

std::vector<uint8_t> encodeBmp(const Picture& pic);
// Accepts the uncompressed palette BMPs of any orientation; returns false with
// a reason for anything else.
bool decodeBmp(const std::vector<uint8_t>& bytes, Picture& out, BmpInfo& info, std::string& error);

// An icon image as stored: the colour pixels plus the 1-bit AND mask that
// older Windows versions use instead of the alpha channel.
struct IconImage {
    RgbaImage image;
    std::vector<bool> andMask;  // true = transparent, top row first
};

// 32 bits per pixel; the AND mask is derived from alpha.
std::vector<uint8_t> encodeIco(const std::vector<RgbaImage>& images);
bool decodeIco(const std::vector<uint8_t>& bytes, std::vector<IconImage>& out, std::string& error);

// Both throw std::runtime_error naming the path.
std::vector<uint8_t> readFile(const std::string& path);
void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);
