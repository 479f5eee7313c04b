// A look at the skin as the window shows it, for the eye rather than the
// game: boards of cells with some ships and marks, and one of the panels.
#include <stdexcept>
#include <string>
#include <vector>

#include "skin.h"

namespace {

const int kSceneW = 510, kSceneH = 400;

struct Scene {
    std::vector<Rgb> px = std::vector<Rgb>(size_t(kSceneW) * kSceneH);
    std::string dir;

    Picture load(const std::string& file) const {
        Picture p;
        BmpInfo info;
        std::string error;
        if (!decodeBmp(readFile(dir + "/" + file), p, info, error)) throw std::runtime_error(file + ": " + error);
        return p;
    }
    // Copies the upper-left w x h of a picture, as the game's blits do.
    void draw(const Picture& p, int left, int top, int w, int h) {
        for (int y = 0; y < h && y < p.height; ++y)
            for (int x = 0; x < w && x < p.width; ++x)
                if (left + x < kSceneW && top + y < kSceneH) px[size_t(top + y) * kSceneW + left + x] = p.color(x, y);
    }
    void draw(const Picture& p, int left, int top) { draw(p, left, top, p.width, p.height); }
};

std::vector<uint8_t> encodeRgb24(const std::vector<Rgb>& px, int w, int h) {
    const uint32_t stride = (uint32_t(w) * 3 + 3) / 4 * 4, size = 54 + stride * h;
    std::vector<uint8_t> out(size, 0);
    auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out[at + i] = uint8_t(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, uint32_t(w), 4);
    put(22, uint32_t(h), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, stride * h, 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = px[size_t(h - 1 - y) * w + x];
            const size_t at = 54 + size_t(y) * stride + size_t(x) * 3;
            out[at] = c.b;
            out[at + 1] = c.g;
            out[at + 2] = c.r;
        }
    return out;
}

}  // namespace

void writeScenePreview(const std::string& skinDir, bool battle, const std::string& outPath) {
    Scene s;
    s.dir = skinDir;
    s.draw(s.load("background.bmp"), 0, 0, kSceneW, kSceneH);
    const Picture cell = s.load("cell.bmp");
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y) {
            s.draw(cell, 30 + 20 * x, 30 + 20 * y);
            s.draw(cell, 280 + 20 * x, 30 + 20 * y);
        }
    s.draw(s.load("placement_panel.bmp"), 165, 240, 180, 100);
    auto home = [](int x, int y) { return std::pair<int, int>{280 + 20 * x, 30 + 20 * y}; };
    auto enemy = [](int x, int y) { return std::pair<int, int>{30 + 20 * x, 30 + 20 * y}; };
    // The player's fleet, all ten ships, both orientations.
    struct Placed { char o; int n, x, y; };
    const Placed fleet[] = {{'h', 4, 0, 0}, {'v', 3, 9, 0}, {'h', 3, 2, 9}, {'v', 2, 0, 3}, {'h', 2, 5, 3},
                            {'v', 2, 7, 6}, {'h', 1, 3, 6}, {'v', 1, 5, 5}, {'h', 1, 0, 7}, {'v', 1, 9, 8}};
    for (const Placed& f : fleet) {
        const auto at = home(f.x, f.y);
        s.draw(s.load(std::string("ship_") + f.o + std::to_string(f.n) + ".bmp"), at.first, at.second);
    }
    if (!battle) {
        s.draw(s.load("ship_v4.bmp"), 200, 250);
        s.draw(s.load("ship_h4.bmp"), 240, 275);
    } else {
        s.draw(s.load("battle_panel.bmp"), 170, 245);
        const Picture hit = s.load("hit.bmp"), miss = s.load("miss.bmp"), sunk = s.load("sunk.bmp"),
                      dead = s.load("dead_zone.bmp");
        auto mark = [&](const Picture& p, std::pair<int, int> at) { s.draw(p, at.first, at.second); };
        mark(hit, home(1, 0));
        mark(hit, home(2, 0));
        mark(miss, home(4, 1));
        mark(miss, home(6, 7));
        mark(miss, home(2, 2));
        mark(sunk, home(5, 5));
        mark(hit, home(9, 1));
        // On the enemy board: a sunk three-decker with its dead zone, a hit, misses.
        for (int y = 2; y <= 4; ++y) mark(sunk, enemy(3, y));
        for (int y = 1; y <= 5; ++y)
            for (int x = 2; x <= 4; ++x)
                if (x != 3 || y < 2 || y > 4) mark(dead, enemy(x, y));
        mark(hit, enemy(7, 6));
        mark(miss, enemy(8, 6));
        mark(miss, enemy(0, 9));
        mark(miss, enemy(6, 1));
        mark(miss, enemy(9, 9));
    }
    writeFile(outPath, encodeRgb24(s.px, kSceneW, kSceneH));
}
