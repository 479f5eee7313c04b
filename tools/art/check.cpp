// Reads written pictures back and judges them against what the game relies
// on: sizes and depths the blits assume, a frame that closes at row 99, bands
// where the counters are written, a 1-bit cell that paints white, ships that
// point the right way, and board marks that can be told apart.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "pixel_art.h"
#include "skin.h"

namespace {

struct Expect {
    const char* file;
    int width, height, bpp;
};

const Expect kFiles[] = {
    {"ship_v1.bmp", 20, 20, 4},          {"ship_v2.bmp", 20, 40, 4},     {"ship_v3.bmp", 20, 60, 4},
    {"ship_v4.bmp", 20, 80, 4},          {"ship_h1.bmp", 20, 20, 4},     {"ship_h2.bmp", 40, 20, 4},
    {"ship_h3.bmp", 60, 20, 4},          {"ship_h4.bmp", 80, 20, 4},     {"cell.bmp", 20, 20, 4},
    {"hit.bmp", 20, 20, 4},              {"miss.bmp", 20, 20, 4},        {"background.bmp", 511, 401, 8},
    {"placement_panel.bmp", 180, 110, 4}, {"battle_panel.bmp", 170, 90, 4}, {"blank_cell.bmp", 20, 20, 1},
    {"sunk.bmp", 20, 20, 4},             {"dead_zone.bmp", 20, 20, 4},
};

const Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0};

std::string hex(Rgb c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
    return buf;
}

struct Judge {
    int passed = 0, failed = 0;
    std::string subject;
    bool ok = true;

    void begin(const std::string& s) {
        subject = s;
        ok = true;
    }
    void fail(const std::string& why) {
        if (ok) ++failed;
        ok = false;
        std::printf("FAIL %s: %s\n", subject.c_str(), why.c_str());
    }
    void end() {
        if (ok) ++passed;
    }
};

// Compares every pixel with the colour the rule gives for it; reports the
// first wrong one.
template <typename Rule>
void expectLayout(Judge& j, const Picture& p, Rule colourAt) {
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const Rgb want = colourAt(x, y);
            if (p.color(x, y) != want) {
                j.fail("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") from the top-left is " +
                       hex(p.color(x, y)) + ", expected " + hex(want));
                return;
            }
        }
}

double luminance(Rgb c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; }

void checkHeader(Judge& j, const Expect& e, const BmpInfo& info, const Picture& p) {
    if (info.fileSizeField != info.fileSize) j.fail("file size field disagrees with the file");
    if (info.height < 0) j.fail("stored top-down; resource compilers and old loaders expect bottom-up");
    if (info.planes != 1) j.fail("planes is not 1");
    if (p.width != e.width || p.height != e.height)
        j.fail("is " + std::to_string(p.width) + " x " + std::to_string(p.height) + ", the game copies " +
               std::to_string(e.width) + " x " + std::to_string(e.height));
    if (info.bitsPerPixel != e.bpp)
        j.fail(std::to_string(info.bitsPerPixel) + " bits per pixel, expected " + std::to_string(e.bpp));
    if (e.bpp == 4 && p.palette != vgaPalette())
        j.fail("palette is not the standard 16 colours the ship image lists map to");
    if (e.bpp == 8 && p.palette.size() != 256) j.fail("palette does not have 256 entries");
}

void checkPanels(Judge& j, const std::map<std::string, Picture>& pics, const Look& look) {
    const std::vector<Rgb> vga = vgaPalette();
    const Rgb line = vga[look.panelLine], band = vga[look.panelBand];
    if (pics.count("placement_panel.bmp")) {
        j.begin("placement_panel.bmp frame");
        expectLayout(j, pics.at("placement_panel.bmp"), [&](int x, int y) {
            if (y >= 100) return kWhite;
            const int ring = std::min(std::min(x, 179 - x), std::min(y, 99 - y));
            return ring == 0 ? kBlack : ring == 1 ? line : ring < 5 ? band : kWhite;
        });
        j.end();
    }
    if (pics.count("battle_panel.bmp")) {
        j.begin("battle_panel.bmp bands");
        expectLayout(j, pics.at("battle_panel.bmp"), [&](int x, int y) {
            const bool across = y >= 27 && y <= 31;
            const bool down = y > 31 && x >= 82 && x <= 86;
            return across || down ? band : kWhite;
        });
        j.end();
    }
}

void checkBlankCell(Judge& j, const Picture& p) {
    j.begin("blank_cell.bmp");
    if (p.palette.size() < 2 || p.palette[0] != kBlack || p.palette[1] != kWhite)
        j.fail("palette must be black, white");
    for (int y = 0; y < p.height && j.ok; ++y)
        for (int x = 0; x < p.width && j.ok; ++x)
            if (p.get(x, y) != 1) j.fail("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is not set");
    j.end();
}

void checkCellIsRaised(Judge& j, const Picture& p) {
    j.begin("cell.bmp lighting");
    double top = 0, bottom = 0, left = 0, right = 0;
    for (int i = 2; i < 18; ++i) {
        top += luminance(p.color(i, 0));
        bottom += luminance(p.color(i, 19));
        left += luminance(p.color(0, i));
        right += luminance(p.color(19, i));
    }
    const double face = luminance(p.color(10, 10)) * 16;
    if (!(top > face && left > face && face > bottom && face > right))
        j.fail("not lit from the upper left: it would look sunken or flat");
    j.end();
}

// Vertical ships point up: the hull is narrower at its first row than at its last.
void checkVerticalShip(Judge& j, const std::string& name, const Picture& p, const Look& look) {
    j.begin(name + " shape");
    const Rgb water = vgaPalette()[look.water], ripple = vgaPalette()[look.ripple];
    for (int corner = 0; corner < 4; ++corner) {
        const Rgb c = p.color(corner % 2 ? p.width - 1 : 0, corner / 2 ? p.height - 1 : 0);
        if (c != water && c != ripple) j.fail("a corner is not water: the ship must be drawn on its sea");
    }
    int first = -1, firstWidth = 0, lastWidth = 0;
    for (int y = 0; y < p.height; ++y) {
        int l = p.width, r = -1;
        for (int x = 0; x < p.width; ++x)
            if (p.color(x, y) == kBlack) {
                l = std::min(l, x);
                r = std::max(r, x);
            }
        if (r < 0) continue;
        if (first < 0) {
            first = y;
            firstWidth = r - l + 1;
        }
        lastWidth = r - l + 1;
    }
    if (first < 0) j.fail("no hull outline found");
    else if (firstWidth >= lastWidth) j.fail("the pointed end is not at the top");
    j.end();
}

void checkHorizontalShip(Judge& j, const std::string& name, const Picture& p, const Look& look) {
    j.begin(name + " sea");
    const Rgb water = vgaPalette()[look.water], ripple = vgaPalette()[look.ripple];
    for (int x = 0; x < p.width; ++x) {
        const Rgb c = p.color(x, p.height - 1);
        if (c != water && c != ripple) {
            j.fail("the bottom row is not all sea");
            break;
        }
    }
    j.end();
}

// Marks on a board must be told apart at a glance.
void checkMarksDiffer(Judge& j, const std::map<std::string, Picture>& pics) {
    const char* marks[] = {"cell.bmp", "hit.bmp", "miss.bmp", "sunk.bmp", "dead_zone.bmp"};
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b) {
            if (!pics.count(marks[a]) || !pics.count(marks[b])) continue;
            const Picture &pa = pics.at(marks[a]), &pb = pics.at(marks[b]);
            j.begin(std::string(marks[a]) + " vs " + marks[b]);
            int differ = 0;
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 20; ++x) {
                    const Rgb ca = pa.color(x, y), cb = pb.color(x, y);
                    const int d = std::abs(ca.r - cb.r) + std::abs(ca.g - cb.g) + std::abs(ca.b - cb.b);
                    if (d >= 96) ++differ;
                }
            if (differ < 16) j.fail("only " + std::to_string(differ) + " of 400 pixels differ clearly");
            j.end();
        }
}

void checkBackground(Judge& j, const Picture& p) {
    j.begin("background.bmp colours");
    std::vector<bool> used(256, false);
    for (uint8_t v : p.index) used[v] = true;
    int count = 0;
    for (bool u : used) count += u;
    if (count < 128) j.fail("uses only " + std::to_string(count) + " colours; the painting has collapsed");
    j.end();
}

}  // namespace

int checkSkin(const std::string& dir, Theme theme) {
    const Look look = lookOf(theme);
    Judge j;
    std::map<std::string, Picture> pics;
    for (const Expect& e : kFiles) {
        j.begin(e.file);
        Picture p;
        BmpInfo info;
        std::string error;
        try {
            if (!decodeBmp(readFile(dir + "/" + e.file), p, info, error)) j.fail(error);
            else checkHeader(j, e, info, p);
        } catch (const std::exception& ex) {
            j.fail(ex.what());
        }
        if (j.ok) pics[e.file] = p;
        j.end();
    }
    checkPanels(j, pics, look);
    if (pics.count("blank_cell.bmp")) checkBlankCell(j, pics.at("blank_cell.bmp"));
    if (pics.count("cell.bmp")) checkCellIsRaised(j, pics.at("cell.bmp"));
    if (pics.count("background.bmp")) checkBackground(j, pics.at("background.bmp"));
    for (int n = 1; n <= 4; ++n) {
        const std::string v = "ship_v" + std::to_string(n) + ".bmp", h = "ship_h" + std::to_string(n) + ".bmp";
        if (pics.count(v)) checkVerticalShip(j, v, pics.at(v), look);
        if (pics.count(h)) checkHorizontalShip(j, h, pics.at(h), look);
    }
    checkMarksDiffer(j, pics);
    std::printf("%s: %d passed, %d failed\n", dir.c_str(), j.passed, j.failed);
    return j.failed;
}

int checkIcon(const std::string& path) {
    Judge j;
    j.begin(path);
    std::vector<IconImage> icons;
    std::string error;
    try {
        if (!decodeIco(readFile(path), icons, error)) j.fail(error);
    } catch (const std::exception& ex) {
        j.fail(ex.what());
    }
    j.end();
    const int sizes[] = {32, 16};
    for (int size : sizes) {
        j.begin(path + " " + std::to_string(size) + " x " + std::to_string(size));
        const IconImage* found = nullptr;
        for (const IconImage& i : icons)
            if (i.image.width == size && i.image.height == size) found = &i;
        if (!found) {
            j.fail("missing");
        } else {
            int clear = 0, solid = 0, maskWrong = 0;
            for (int k = 0; k < size * size; ++k) {
                const uint8_t a = found->image.px[k].a;
                clear += a == 0;
                solid += a == 255;
                maskWrong += found->andMask[k] != (a == 0);
            }
            // Windows without alpha blending draw through the mask alone.
            if (maskWrong) j.fail("AND mask disagrees with alpha at " + std::to_string(maskWrong) + " pixels");
            if (clear == 0 || solid < size * size / 4) j.fail("should be a shape on a clear ground");
        }
        j.end();
    }
    std::printf("%s: %d passed, %d failed\n", path.c_str(), j.passed, j.failed);
    return j.failed;
}
