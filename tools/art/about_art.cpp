// The About box's pictures: the maker's logo and the hand shown over the links.
#include <stdexcept>

#include "pixel_art.h"
#include "skin.h"

// A gold ring with a tail, a Q for Quorvex, round a ship under sail at dusk.
Picture paintLogo() {
    Picture p = vgaPicture(64, 64, Navy);
    for (int y = 40; y < 64; y += 4)  // swell lines in the dark sea
        for (int x = (y / 4) % 3 * 3; x < 64; x += 9) hline(p, x, x + 3, y, Blue);
    fillEllipse(p, 31.5, 29.5, 26, 26, Yellow);
    fillPolygon(p, {{40, 46}, {46, 41}, {60, 58}, {54, 62}}, Yellow);  // the tail of the Q
    ellipseRing(p, 31.5, 29.5, 26, 26, Olive);
    fillEllipse(p, 31.5, 29.5, 21, 21, Teal);                          // dusk sky
    for (int y = 37; y < 52; ++y)                                      // the sea inside the ring
        for (int x = 10; x < 54; ++x)
            if (p.get(x, y) == Teal) p.set(x, y, (x + y) % 7 == 0 ? Aqua : Blue);
    ellipseRing(p, 31.5, 29.5, 21, 21, Olive);
    vline(p, 31, 10, 37, Black);                                       // mast
    fillPolygon(p, {{32, 11}, {32, 34}, {46, 34}}, White);             // mainsail
    fillPolygon(p, {{30, 15}, {30, 34}, {19, 34}}, Silver);            // foresail
    line(p, 31, 10, 19, 34, Grey);
    fillPolygon(p, {{17, 36}, {47, 36}, {43, 42}, {21, 42}}, Maroon);  // hull
    hline(p, 18, 46, 37, Red);
    stamp(p, 30, 7, {"rrr", "rr."}, {{'r', Red}});                     // pennant
    return p;
}

// A white hand with a black edge, the index finger up; the tip of the finger is at (13, 9).
Picture paintHandCursor(std::vector<bool>& clear) {
    Picture p = vgaPicture(32, 32, Black);
    const char* rows[] = {
        ".............kk.........",
        "............kwwk........",
        "............kwwk........",
        "............kwwk........",
        "............kwwk........",
        "............kwwkkk......",
        "............kwwkwwkkk...",
        "............kwwkwwkwwkk.",
        ".........kk.kwwkwwkwwkwk",
        "........kwwkkwwwwwwwwwwk",
        "........kwwwkwwwwwwwwwwk",
        ".........kwwwwwwwwwwwwwk",
        ".........kwwwwwwwwwwwwwk",
        "..........kwwwwwwwwwwwwk",
        "..........kwwwwwwwwwwwk.",
        "...........kwwwwwwwwwwk.",
        "...........kwwwwwwwwwk..",
        "............kwwwwwwwwk..",
        "............kwwwwwwwwk..",
        "............kkkkkkkkkk..",
    };
    clear.assign(32 * 32, true);
    for (int row = 0; row < 20; ++row)
        for (int x = 0; rows[row][x]; ++x) {
            const char c = rows[row][x];
            if (c == '.') continue;
            p.set(x, 9 + row, c == 'w' ? White : Black);
            clear[size_t(9 + row) * 32 + x] = false;
        }
    return p;
}

// A .cur file: the icon layout with type 2, the hot spot in the directory entry, and the
// picture stored as a DIB of double height whose lower half is the AND mask.
std::vector<uint8_t> encodeCursor(const Picture& pic, const std::vector<bool>& clear, int hotX, int hotY) {
    if (pic.width != 32 || pic.height != 32 || pic.bitsPerPixel != 4) throw std::runtime_error("cursor: 32 x 32 x 4 only");
    const std::vector<uint8_t> bmp = encodeBmp(pic);
    std::vector<uint8_t> dib(bmp.begin() + 14, bmp.end());
    dib[8] = 64;  // biHeight counts the mask too
    for (int y = 31; y >= 0; --y) {
        uint8_t mask[4] = {};
        for (int x = 0; x < 32; ++x)
            if (clear[size_t(y) * 32 + x]) mask[x / 8] |= uint8_t(0x80 >> (x % 8));
        dib.insert(dib.end(), mask, mask + 4);
    }
    const uint32_t size = uint32_t(dib.size());
    std::vector<uint8_t> out = {0, 0, 2, 0, 1, 0, 32, 32, 16, 0, uint8_t(hotX), 0, uint8_t(hotY), 0,
                                uint8_t(size), uint8_t(size >> 8), 0, 0, 22, 0, 0, 0};
    out.reserve(out.size() + dib.size());
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}
