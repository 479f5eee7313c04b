// Board cells and the two panels.
#include "pixel_art.h"
#include "skin.h"

namespace {

const int kCell = 20;

bool night(const Look& look) { return look.theme == Theme::Night; }

// Two-pixel bevel: light on the upper-left, dark on the lower-right, the
// corners split on the diagonal like a raised button.
void bevel(Picture& p, uint8_t light, uint8_t innerDark, uint8_t outerDark) {
    const int n = kCell;
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < 2; ++k) {
            p.set(i, k, i < n - 1 - k ? light : k == 0 ? outerDark : innerDark);
            p.set(k, i, i < n - 1 - k ? light : k == 0 ? outerDark : innerDark);
        }
        p.set(i, n - 1, i > 0 ? outerDark : light);
        p.set(n - 1, i, i > 0 ? outerDark : light);
        if (i > 1 && i < n - 1) {
            p.set(i, n - 2, innerDark);
            p.set(n - 2, i, innerDark);
        }
    }
    p.set(1, n - 2, light);
    p.set(n - 2, 1, light);
}

// Letters of a 4 x 7 font, for the distress call.
void letters(Picture& p, int x, int y, const char* text, uint8_t c) {
    for (; *text; ++text, x += 6) {
        if (*text == 'S')
            stamp(p, x, y, {".###", "#...", "#...", ".##.", "...#", "...#", "###."}, {{'#', c}});
        else if (*text == 'O')
            stamp(p, x, y, {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."}, {{'#', c}});
    }
}

}  // namespace

Look lookOf(Theme theme) {
    if (theme == Theme::Night) return Look{theme, Navy, Blue, Silver, Silver, Navy};
    return Look{theme, Blue, Navy, White, Aqua, Blue};
}

Picture paintCell(const Look& look) {
    if (night(look)) {
        Picture p = vgaPicture(kCell, kCell, Grey);
        bevel(p, Silver, Black, Black);
        return p;
    }
    Picture p = vgaPicture(kCell, kCell, Silver);
    bevel(p, White, Grey, Black);
    return p;
}

Picture paintHit(const Look& look) {
    Picture p = vgaPicture(kCell, kCell, Red);
    const uint8_t edge = night(look) ? Black : Maroon;
    for (int i = 0; i < kCell; ++i) {
        p.set(i, 0, edge);
        p.set(0, i, edge);
        p.set(i, kCell - 1, edge);
        p.set(kCell - 1, i, edge);
        if (i > 0 && i < kCell - 1) {
            p.set(i, kCell - 2, Maroon);
            p.set(kCell - 2, i, Maroon);
        }
    }
    letters(p, 2, 6, "SOS", night(look) ? Yellow : White);
    return p;
}

Picture paintMiss(const Look& look) {
    // Plain water with a small splash: a miss must not outshout the hits.
    Picture p = paintCell(look);
    const uint8_t spray = night(look) ? Silver : White;
    stamp(p, 6, 6,
          {"..#..#..", "#..##..#", ".##oo##.", "..#oo#..", ".##oo##.", "#..##..#", "..#..#.."},
          {{'#', Blue}, {'o', spray}});
    return p;
}

Picture paintSunk(const Look& look) {
    const uint8_t face = night(look) ? Black : Grey;
    const uint8_t cross = night(look) ? Grey : Black;
    const uint8_t shine = night(look) ? Silver : White;
    Picture p = vgaPicture(kCell, kCell, face);
    bevel(p, shine, face, Black);
    for (int i = 3; i <= 16; ++i)
        for (int w = -1; w <= 1; ++w) {
            p.set(i + w, i, cross);
            p.set(kCell - 1 - i + w, i, cross);
        }
    // Highlights along the upper side of each bar.
    for (int i = 3; i <= 15; ++i) {
        if (i < 8 || i > 11) p.set(i + 1, i - 1, shine);
        if (i < 8 || i > 11) p.set(kCell - 1 - i - 1, i - 1, shine);
    }
    return p;
}

Picture paintDeadZone(const Look& look) {
    // Plain water with a few dots: known empty, yet quieter than a miss.
    Picture p = paintCell(look);
    const uint8_t dot = night(look) ? Black : Navy;
    for (const Pt& at : {Pt{5, 5}, Pt{13, 5}, Pt{9, 9}, Pt{5, 13}, Pt{13, 13}}) fillRect(p, int(at.x), int(at.y), 2, 2, dot);
    return p;
}

Picture paintBlankCell() {
    // Every pixel set: copied to a screen it takes the background colour.
    return Picture(kCell, kCell, 1, {{0, 0, 0}, {255, 255, 255}}, 1);
}

Picture paintPlacementPanel(const Look& look) {
    // The frame is five pixels deep on every side, so the white field is
    // exactly where the battle panel goes; it closes at row 99 and the ten
    // rows under it stay white.
    Picture p = vgaPicture(180, 110, White);
    const uint8_t rings[5] = {Black, look.panelLine, look.panelBand, look.panelBand, look.panelBand};
    for (int k = 0; k < 5; ++k) {
        hline(p, k, 179 - k, k, rings[k]);
        hline(p, k, 179 - k, 99 - k, rings[k]);
        vline(p, k, k, 99 - k, rings[k]);
        vline(p, 179 - k, k, 99 - k, rings[k]);
    }
    return p;
}

Picture paintBattlePanel(const Look& look) {
    Picture p = vgaPicture(170, 90, White);
    fillRect(p, 0, 27, 170, 5, look.panelBand);
    fillRect(p, 82, 32, 5, 58, look.panelBand);
    return p;
}

std::vector<SkinFile> paintSkin(Theme theme) {
    const Look look = lookOf(theme);
    std::vector<SkinFile> files;
    for (int n = 1; n <= 4; ++n) files.push_back({"ship_v" + std::to_string(n) + ".bmp", paintVerticalShip(look, n)});
    for (int n = 1; n <= 4; ++n) files.push_back({"ship_h" + std::to_string(n) + ".bmp", paintHorizontalShip(look, n)});
    files.push_back({"cell.bmp", paintCell(look)});
    files.push_back({"hit.bmp", paintHit(look)});
    files.push_back({"miss.bmp", paintMiss(look)});
    files.push_back({"background.bmp", paintBackground(theme)});
    files.push_back({"placement_panel.bmp", paintPlacementPanel(look)});
    files.push_back({"battle_panel.bmp", paintBattlePanel(look)});
    files.push_back({"blank_cell.bmp", paintBlankCell()});
    files.push_back({"sunk.bmp", paintSunk(look)});
    files.push_back({"dead_zone.bmp", paintDeadZone(look)});
    return files;
}
