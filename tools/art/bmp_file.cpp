#include "bmp_file.h"

#include <cstdio>
#include <stdexcept>

Picture::Picture(int w, int h, int bpp, std::vector<Rgb> pal, uint8_t fill)
    : width(w), height(h), bitsPerPixel(bpp), palette(std::move(pal)), index(size_t(w) * h, fill) {}

namespace {

const uint32_t kFileHeaderSize = 14;
const uint32_t kInfoHeaderSize = 40;
const int32_t kPixelsPerMeter = 2835;  // 72 dpi, what paint programs write

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
uint32_t get16(const std::vector<uint8_t>& in, size_t at) { return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8; }
uint32_t get32(const std::vector<uint8_t>& in, size_t at) { return get16(in, at) | get16(in, at + 2) << 16; }

uint32_t rowStride(int width, int bpp) { return ((uint32_t(width) * bpp + 31) / 32) * 4; }

void putInfoHeader(std::vector<uint8_t>& out, int w, int h, int bpp, uint32_t imageSize, uint32_t colors) {
    put32(out, kInfoHeaderSize);
    put32(out, uint32_t(w));
    put32(out, uint32_t(h));  // positive: bottom-up
    put16(out, 1);
    put16(out, uint32_t(bpp));
    put32(out, 0);  // BI_RGB
    put32(out, imageSize);
    put32(out, kPixelsPerMeter);
    put32(out, kPixelsPerMeter);
    put32(out, colors);
    put32(out, 0);
}

}  // namespace

std::vector<uint8_t> encodeBmp(const Picture& pic) {
    const int bpp = pic.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8) throw std::runtime_error("encodeBmp: unsupported depth");
    const uint32_t colors = 1u << bpp;
    if (pic.palette.size() > colors) throw std::runtime_error("encodeBmp: palette too large");
    const uint32_t stride = rowStride(pic.width, bpp);
    const uint32_t imageSize = stride * uint32_t(pic.height);
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + colors * 4;

    std::vector<uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageSize);
    put32(out, 0);
    put32(out, offset);
    putInfoHeader(out, pic.width, pic.height, bpp, imageSize, colors);
    // A full-size palette keeps every reader happy; unused entries are black.
    for (uint32_t i = 0; i < colors; ++i) {
        Rgb c = i < pic.palette.size() ? pic.palette[i] : Rgb{};
        out.push_back(c.b);
        out.push_back(c.g);
        out.push_back(c.r);
        out.push_back(0);
    }
    for (int y = pic.height - 1; y >= 0; --y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < pic.width; ++x) {
            uint8_t v = pic.get(x, y);
            if (v >= colors) throw std::runtime_error("encodeBmp: index outside the palette");
            int bit = x * bpp;
            row[bit / 8] |= uint8_t(v << (8 - bpp - bit % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool decodeBmp(const std::vector<uint8_t>& in, Picture& out, BmpInfo& info, std::string& error) {
    info = BmpInfo{};
    info.fileSize = in.size();
    if (in.size() < kFileHeaderSize + kInfoHeaderSize || in[0] != 'B' || in[1] != 'M') {
        error = "not a BMP file";
        return false;
    }
    info.fileSizeField = get32(in, 2);
    const uint32_t offset = get32(in, 10);
    info.headerSize = get32(in, 14);
    if (info.headerSize != kInfoHeaderSize) {
        error = "header is not BITMAPINFOHEADER";
        return false;
    }
    info.width = int32_t(get32(in, 18));
    info.height = int32_t(get32(in, 22));
    info.planes = int(get16(in, 26));
    info.bitsPerPixel = int(get16(in, 28));
    info.compression = get32(in, 30);
    info.colorsUsed = get32(in, 46);
    const int bpp = info.bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8) {
        error = "not a palette picture";
        return false;
    }
    if (info.compression != 0) {
        error = "compressed";
        return false;
    }
    const int w = info.width;
    const int h = info.height < 0 ? -info.height : info.height;
    if (w <= 0 || h <= 0 || w > 10000 || h > 10000) {
        error = "implausible size";
        return false;
    }
    const uint32_t colors = info.colorsUsed ? info.colorsUsed : 1u << bpp;
    const size_t paletteAt = kFileHeaderSize + kInfoHeaderSize;
    const uint32_t stride = rowStride(w, bpp);
    if (colors > (1u << bpp) || paletteAt + colors * 4 > offset || size_t(offset) + size_t(stride) * h > in.size()) {
        error = "palette or pixels run past the end of the file";
        return false;
    }
    std::vector<Rgb> pal(colors);
    for (uint32_t i = 0; i < colors; ++i) {
        size_t at = paletteAt + i * 4;
        pal[i] = Rgb{in[at + 2], in[at + 1], in[at]};
    }
    out = Picture(w, h, bpp, pal);
    for (int row = 0; row < h; ++row) {
        const int y = info.height < 0 ? row : h - 1 - row;
        const size_t rowAt = offset + size_t(row) * stride;
        for (int x = 0; x < w; ++x) {
            int bit = x * bpp;
            uint8_t v = uint8_t((in[rowAt + bit / 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1));
            if (v >= colors) {
                error = "pixel indexes past the palette";
                return false;
            }
            out.set(x, y, v);
        }
    }
    return true;
}

std::vector<uint8_t> encodeIco(const std::vector<RgbaImage>& images) {
    std::vector<std::vector<uint8_t>> bodies;
    for (const RgbaImage& img : images) {
        const uint32_t maskStride = rowStride(img.width, 1);
        const uint32_t imageSize = uint32_t(img.width) * img.height * 4 + maskStride * img.height;
        std::vector<uint8_t> body;
        // An icon's header counts the colour and mask planes together: twice the height.
        putInfoHeader(body, img.width, img.height * 2, 32, imageSize, 0);
        for (int y = img.height - 1; y >= 0; --y) {
            for (int x = 0; x < img.width; ++x) {
                const Rgba& p = img.at(x, y);
                body.push_back(p.b);
                body.push_back(p.g);
                body.push_back(p.r);
                body.push_back(p.a);
            }
        }
        for (int y = img.height - 1; y >= 0; --y) {
            std::vector<uint8_t> row(maskStride, 0);
            for (int x = 0; x < img.width; ++x)
                if (img.at(x, y).a == 0) row[x / 8] |= uint8_t(0x80 >> (x % 8));
            body.insert(body.end(), row.begin(), row.end());
        }
        bodies.push_back(std::move(body));
    }
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // icon, not cursor
    put16(out, uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].width));  // 0 would mean 256
        out.push_back(uint8_t(images[i].height));
        out.push_back(0);  // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, uint32_t(bodies[i].size()));
        put32(out, offset);
        offset += uint32_t(bodies[i].size());
    }
    for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

bool decodeIco(const std::vector<uint8_t>& in, std::vector<IconImage>& out, std::string& error) {
    out.clear();
    if (in.size() < 6 || get16(in, 0) != 0 || get16(in, 2) != 1) {
        error = "not an icon file";
        return false;
    }
    const uint32_t count = get16(in, 4);
    if (in.size() < 6 + 16 * size_t(count)) {
        error = "icon directory runs past the end of the file";
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * size_t(i);
        const int w = in[entry] ? in[entry] : 256;
        const int h = in[entry + 1] ? in[entry + 1] : 256;
        const uint32_t size = get32(in, entry + 8);
        const uint32_t at = get32(in, entry + 12);
        if (size_t(at) + size > in.size() || size < kInfoHeaderSize) {
            error = "icon image runs past the end of the file";
            return false;
        }
        if (get32(in, at) != kInfoHeaderSize || int32_t(get32(in, at + 4)) != w ||
            int32_t(get32(in, at + 8)) != 2 * h || get16(in, at + 14) != 32 || get32(in, at + 16) != 0 ||
            get16(in, entry + 6) != 32) {
            error = "icon image header disagrees with its directory entry or is not 32-bit";
            return false;
        }
        const uint32_t maskStride = rowStride(w, 1);
        if (kInfoHeaderSize + uint32_t(w) * h * 4 + maskStride * h != size) {
            error = "icon image size is not colour plus mask";
            return false;
        }
        IconImage icon;
        icon.image = RgbaImage(w, h);
        icon.andMask.assign(size_t(w) * h, false);
        size_t p = at + kInfoHeaderSize;
        for (int y = h - 1; y >= 0; --y)
            for (int x = 0; x < w; ++x, p += 4) icon.image.at(x, y) = Rgba{in[p + 2], in[p + 1], in[p], in[p + 3]};
        for (int y = h - 1; y >= 0; --y, p += maskStride)
            for (int x = 0; x < w; ++x) icon.andMask[size_t(y) * w + x] = (in[p + x / 8] >> (7 - x % 8)) & 1;
        out.push_back(std::move(icon));
    }
    return true;
}

std::vector<uint8_t> readFile(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw std::runtime_error("cannot open " + path);
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
    return bytes;
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot create " + path);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    if (!ok) throw std::runtime_error("cannot write " + path);
}
