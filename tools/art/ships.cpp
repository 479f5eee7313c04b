// The eight ship pictures. Each is drawn opaque on its own water, since the
// game's image lists have no mask: the water is part of the picture.
#include <stdexcept>

#include "pixel_art.h"
#include "skin.h"

namespace {

const int kCell = 20;
// Side views: rows from here down are sea; the hull above it is what shows.
const int kWaterline = 15;

bool night(const Look& look) { return look.theme == Theme::Night; }
// Windows and portholes: dark by day, lamplit by night.
uint8_t windowColor(const Look& look) { return night(look) ? Yellow : Navy; }

// Short ripple dashes; the pattern differs per cell so a long ship does not
// show an obvious repeat.
void ripples(Picture& p, const Look& look) {
    static const int spots[][2] = {{1, 3}, {15, 7}, {3, 12}, {16, 16}, {6, 18}, {12, 1}};
    for (int cy = 0; cy < p.height; cy += kCell)
        for (int cx = 0; cx < p.width; cx += kCell)
            for (int k = 0; k < 4; ++k) {
                const int* s = spots[(k + cx / kCell + cy / kCell * 2) % 6];
                hline(p, cx + s[0], cx + s[0] + 2, cy + s[1], look.ripple);
            }
}

// Outline of a hull seen from above: an ogive bow at `top`, a rounded stern.
std::vector<Pt> hullFromAbove(double cx, double top, double bottom, double half, double bow, double round) {
    std::vector<Pt> right, pts;
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        const double t = double(i) / steps;
        right.push_back({cx + half * (1 - (1 - t) * (1 - t)), top + t * bow});
    }
    pts.push_back({cx, top});
    pts.insert(pts.end(), right.begin(), right.end());
    pts.push_back({cx + half, bottom - round});
    pts.push_back({cx + half - round, bottom});
    pts.push_back({cx - half + round, bottom});
    pts.push_back({cx - half, bottom - round});
    for (auto it = right.rbegin(); it != right.rend(); ++it) pts.push_back({2 * cx - it->x, it->y});
    return pts;
}

// A black-rimmed hull with `deck` inside, a bow wave peeling off both sides
// and a short wake astern.
void topHull(Picture& p, const Look& look, double half, double bow, uint8_t deck) {
    const double top = 1, bottom = p.height - 1.5;
    fillPolygon(p, hullFromAbove(10, top, bottom, half, bow, 2), Black);
    fillPolygon(p, hullFromAbove(10, top + 1.8, bottom - 1, half - 1, bow - 0.8, 1.5), deck);
    hline(p, 9, 10, 0, look.foam);
    const int bowRows = int(bow * 0.6);
    for (int y = 1; y <= bowRows; ++y) {
        int left = 0;
        while (left < 10 && p.get(left, y) != Black) ++left;
        const int spread = y * 2 > bowRows ? 1 + (2 * y - bowRows) / 2 : 1;
        p.set(left - spread, y, look.foam);
        p.set(19 - left + spread, y, look.foam);
    }
    hline(p, 7, 12, p.height - 1, look.foam);
}

Picture boatWithHatch(const Look& look) {
    Picture p = vgaPicture(kCell, kCell, look.water);
    ripples(p, look);
    topHull(p, look, 5, 7, Silver);
    // Gunwale, lit on the left like everything else, then the hatch.
    vline(p, 6, 8, 16, White);
    vline(p, 13, 8, 16, Grey);
    fillRect(p, 7, 9, 6, 6, Black);
    fillRect(p, 8, 10, 4, 4, Green);
    hline(p, 8, 10, 10, Lime);
    vline(p, 8, 10, 12, Lime);
    return p;
}

Picture tealBoat(const Look& look) {
    Picture p = vgaPicture(kCell, 2 * kCell, look.water);
    ripples(p, look);
    topHull(p, look, 5, 11, Teal);
    vline(p, 6, 12, 35, Aqua);
    // Cabin with its windscreen facing the bow.
    fillRect(p, 7, 15, 6, 12, Black);
    fillRect(p, 8, 16, 4, 10, Silver);
    hline(p, 8, 11, 16, windowColor(look));
    hline(p, 8, 11, 17, windowColor(look));
    vline(p, 8, 18, 25, White);
    // Seats in the cockpit behind it.
    fillRect(p, 8, 30, 4, 2, Olive);
    fillRect(p, 8, 34, 4, 2, Olive);
    return p;
}

Picture radarShip(const Look& look) {
    Picture p = vgaPicture(kCell, 3 * kCell, look.water);
    ripples(p, look);
    topHull(p, look, 6, 13, Grey);
    // Bow gun.
    vline(p, 9, 6, 11, Black);
    vline(p, 10, 6, 11, Black);
    fillEllipse(p, 10, 13, 2.5, 2.5, Silver);
    p.set(9, 12, White);
    // Bridge with the radar dish on it.
    fillRect(p, 6, 17, 8, 17, Black);
    fillRect(p, 7, 18, 6, 15, Silver);
    vline(p, 7, 18, 32, White);
    hline(p, 7, 12, 18, White);
    fillEllipse(p, 10, 25, 3.6, 3.6, Black);
    fillEllipse(p, 10, 25, 2.6, 2.6, Green);
    p.set(9, 24, Lime);
    p.set(10, 24, Lime);
    p.set(9, 25, Lime);
    // Funnel.
    fillEllipse(p, 10, 38, 2.5, 3, Black);
    fillRect(p, 9, 37, 2, 2, Grey);
    // Stern gun, facing aft.
    fillEllipse(p, 10, 46, 2.5, 2.5, Silver);
    p.set(9, 45, White);
    vline(p, 9, 48, 53, Black);
    vline(p, 10, 48, 53, Black);
    return p;
}

Picture helipadShip(const Look& look) {
    Picture p = vgaPicture(kCell, 4 * kCell, look.water);
    ripples(p, look);
    topHull(p, look, 6, 15, Grey);
    vline(p, 9, 7, 12, Black);
    vline(p, 10, 7, 12, Black);
    fillEllipse(p, 10, 14, 2.5, 2.5, Silver);
    p.set(9, 13, White);
    // Superstructure: bridge, then a long deckhouse with a funnel.
    fillRect(p, 6, 19, 8, 32, Black);
    fillRect(p, 7, 20, 6, 30, Silver);
    vline(p, 7, 20, 49, White);
    hline(p, 7, 12, 20, White);
    hline(p, 8, 11, 22, windowColor(look));
    fillEllipse(p, 10, 31, 2.5, 3.5, Black);
    fillRect(p, 9, 30, 2, 2, Grey);
    fillEllipse(p, 10, 42, 2, 2, Black);
    p.set(9, 41, Red);
    p.set(10, 41, Red);
    // Helicopter pad near the stern: a ringed square with the letter H.
    fillRect(p, 5, 57, 10, 15, Black);
    fillRect(p, 6, 58, 8, 13, Grey);
    fillEllipse(p, 10, 64.5, 4.5, 4.5, White);
    fillEllipse(p, 10, 64.5, 3.5, 3.5, Grey);
    stamp(p, 8, 62, {"#..#", "#..#", "####", "#..#", "#..#"}, {{'#', Red}});
    return p;
}

// Side-view hull: deck line from the stern at `stern` rising to `bowTop` at
// the tip, the stem raking back to the waterline.
std::vector<Pt> sideHull(int length, double stern, double bowTop) {
    return {{1, stern}, {length - 10.0, stern - 0.2}, {length - 0.5, bowTop},
            {length - 5.0, kWaterline}, {3, kWaterline}, {1, stern + 2}};
}

void sea(Picture& p, const Look& look) {
    for (int y = kWaterline; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            if ((x * 7 + y * 3) % 11 == 0 && y > kWaterline) p.set(x, y, look.ripple);
}

void waterlineFoam(Picture& p, const Look& look, int sternX, int bowX) {
    hline(p, sternX - 3, sternX + 2, kWaterline, look.foam);
    hline(p, bowX - 4, bowX, kWaterline, look.foam);
    p.set(sternX - 5, kWaterline + 1, look.foam);
    p.set(bowX + 1, kWaterline + 1, look.foam);
}

// Draws a hull filled with `body` and a rim of black, with a stripe just
// above the waterline.
void sideHullOutlined(Picture& p, int length, double stern, double bowTop, uint8_t body, uint8_t stripe) {
    fillPolygon(p, sideHull(length, stern, bowTop), Black);
    std::vector<Pt> inner = sideHull(length, stern + 1, bowTop + 1.3);
    inner[0].x += 1;
    inner[5].x += 1;
    inner[2].x -= 1.6;
    inner[3].x -= 1;
    inner[4].x += 0.6;
    fillPolygon(p, inner, body);
    for (int x = 0; x < length; ++x)
        if (p.get(x, kWaterline - 1) == body) p.set(x, kWaterline - 1, stripe);
}

Picture pirateSubmarine(const Look& look) {
    Picture p = vgaPicture(kCell, kCell, look.water);
    sea(p, look);
    // Only the back of the hull breaks the surface.
    fillPolygon(p, {{1, 15}, {4, 12}, {16, 12}, {19.5, 15}}, Black);
    fillPolygon(p, {{3, 15}, {5, 13}, {16, 13}, {18, 15}}, Grey);
    hline(p, 5, 15, 13, Silver);
    // Conning tower.
    fillRect(p, 9, 7, 6, 7, Black);
    fillRect(p, 10, 8, 4, 5, Grey);
    vline(p, 10, 8, 12, Silver);
    vline(p, 14, 5, 6, Black);  // periscope
    hline(p, 14, 15, 5, Black);
    // Flag on its pole, flying astern, with a skull.
    vline(p, 10, 0, 6, night(look) ? Silver : Black);
    fillRect(p, 1, 0, 9, 7, Black);
    stamp(p, 3, 1, {".###.", "#####", "#.#.#", ".###.", ".#.#."}, {{'#', White}});
    waterlineFoam(p, look, 3, 18);
    return p;
}

Picture motorBoat(const Look& look) {
    Picture p = vgaPicture(2 * kCell, kCell, look.water);
    sea(p, look);
    sideHullOutlined(p, 38, 10, 7, White, Red);
    // Cabin with a slanted windscreen.
    fillPolygon(p, {{13, 10}, {13, 5}, {24, 5}, {28, 10}}, Black);
    fillPolygon(p, {{14, 10}, {14, 6}, {23.5, 6}, {26.5, 10}}, Silver);
    hline(p, 15, 17, 7, windowColor(look));
    hline(p, 19, 21, 7, windowColor(look));
    p.set(23, 7, windowColor(look));
    p.set(24, 8, windowColor(look));
    // Mast with the lamp.
    vline(p, 17, 1, 4, Black);
    fillRect(p, 16, 0, 3, 2, Yellow);
    if (night(look)) {
        p.set(15, 0, Olive);
        p.set(19, 0, Olive);
    }
    // Outboard motor at the transom.
    fillRect(p, 0, 9, 2, 6, Black);
    p.set(1, 10, Grey);
    waterlineFoam(p, look, 2, 33);
    return p;
}

Picture latticeMastWarship(const Look& look) {
    Picture p = vgaPicture(3 * kCell, kCell, look.water);
    sea(p, look);
    sideHullOutlined(p, 59, 10, 6, Grey, Maroon);
    for (int x = 8; x < 52; x += 4) p.set(x, 11, windowColor(look));
    // Deckhouse and bridge.
    fillRect(p, 19, 5, 20, 5, Black);
    fillRect(p, 20, 6, 18, 4, Silver);
    fillRect(p, 33, 2, 7, 4, Black);
    fillRect(p, 34, 3, 5, 3, Silver);
    hline(p, 35, 38, 3, windowColor(look));
    // Funnel.
    fillRect(p, 21, 1, 5, 5, Black);
    fillRect(p, 22, 2, 3, 4, Grey);
    // Lattice mast: splayed legs braced crosswise.
    stamp(p, 26, 0, {"...#...", ".#####.", "..#.#..", "...#...", "..#.#..", ".#...#."}, {{'#', Black}});
    // Fore guns, twin, and an aft gun facing astern.
    fillRect(p, 42, 7, 6, 3, Black);
    fillRect(p, 43, 8, 4, 2, Silver);
    hline(p, 48, 54, 7, Black);
    hline(p, 46, 51, 6, Black);
    fillRect(p, 10, 7, 6, 3, Black);
    fillRect(p, 11, 8, 4, 2, Silver);
    hline(p, 3, 9, 7, Black);
    waterlineFoam(p, look, 3, 54);
    return p;
}

Picture helicopterCarrier(const Look& look) {
    Picture p = vgaPicture(4 * kCell, kCell, look.water);
    sea(p, look);
    sideHullOutlined(p, 79, 9, 5, Grey, Maroon);
    for (int x = 24; x < 62; x += 4) p.set(x, 11, windowColor(look));
    // Superstructure.
    fillRect(p, 27, 4, 28, 6, Black);
    fillRect(p, 28, 5, 26, 4, Silver);
    for (int x = 30; x < 52; x += 3) p.set(x, 6, windowColor(look));
    fillRect(p, 44, 1, 9, 4, Black);
    fillRect(p, 45, 2, 7, 3, Silver);
    hline(p, 46, 51, 2, windowColor(look));
    fillRect(p, 34, 0, 5, 5, Black);
    fillRect(p, 35, 1, 3, 4, Grey);
    vline(p, 49, 0, 1, Black);
    // Green helicopter on the after deck.
    line(p, 4, 2, 20, 2, Black);     // rotor
    vline(p, 13, 3, 3, Black);
    hline(p, 4, 9, 6, Green);        // tail boom
    vline(p, 3, 4, 7, Black);        // tail rotor
    fillEllipse(p, 13.5, 5.8, 4.5, 2.2, Green);
    hline(p, 11, 15, 4, Lime);
    fillRect(p, 16, 5, 2, 2, night(look) ? Yellow : Aqua);  // canopy
    hline(p, 9, 17, 8, Black);        // skids
    p.set(11, 7, Black);
    p.set(15, 7, Black);
    // Anchor on the bow.
    stamp(p, 67, 9, {"..#..", ".###.", "..#..", "#.#.#", ".###."}, {{'#', White}});
    waterlineFoam(p, look, 3, 74);
    return p;
}

}  // namespace

Picture paintVerticalShip(const Look& look, int decks) {
    switch (decks) {
        case 1: return boatWithHatch(look);
        case 2: return tealBoat(look);
        case 3: return radarShip(look);
        case 4: return helipadShip(look);
    }
    throw std::invalid_argument("ships have 1 to 4 decks");
}

Picture paintHorizontalShip(const Look& look, int decks) {
    switch (decks) {
        case 1: return pirateSubmarine(look);
        case 2: return motorBoat(look);
        case 3: return latticeMastWarship(look);
        case 4: return helicopterCarrier(look);
    }
    throw std::invalid_argument("ships have 1 to 4 decks");
}
