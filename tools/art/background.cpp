// The window background: a storm sea with one wave breaking in the lower left.
// Painted in floating point, then reduced to 256 colours.
//
// The boards cover most of the upper half and the panel the lower middle, so
// the wave's curl sits in the lower-left corner, its long shoulder runs out to
// the lower right, and the strip between the boards shows sky and horizon.
// Only arithmetic whose result is fixed by IEEE 754 is used (no library sin,
// exp or pow), so the bytes do not depend on the C library.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "quantize.h"
#include "skin.h"

namespace {

const int kW = 511, kH = 401;
const double kPi = 3.14159265358979323846;

// ---- arithmetic helpers ------------------------------------------------------

double clamp01(double x) { return x < 0 ? 0 : x > 1 ? 1 : x; }
double smooth(double e0, double e1, double x) {
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
double mixd(double a, double b, double t) { return a + (b - a) * t; }

double tsin(double x) {
    x -= 2 * kPi * std::floor(x / (2 * kPi) + 0.5);
    double term = x, sum = x;
    for (int k = 1; k <= 9; ++k) {
        term *= -x * x / ((2.0 * k) * (2.0 * k + 1));
        sum += term;
    }
    return sum;
}
double tcos(double x) { return tsin(x + kPi / 2); }

struct Col {
    double r, g, b;
};
Col operator*(Col a, double k) { return {a.r * k, a.g * k, a.b * k}; }
Col mix(Col a, Col b, double t) { return {mixd(a.r, b.r, t), mixd(a.g, b.g, t), mixd(a.b, b.b, t)}; }

uint32_t hash3(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8da6b343u ^ uint32_t(y) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}
double unit(uint32_t h) { return (h >> 8) * (1.0 / 16777216.0); }

double valueNoise(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int32_t ix = int32_t(fx), iy = int32_t(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const double a = unit(hash3(ix, iy, seed)), b = unit(hash3(ix + 1, iy, seed));
    const double c = unit(hash3(ix, iy + 1, seed)), d = unit(hash3(ix + 1, iy + 1, seed));
    return mixd(mixd(a, b, tx), mixd(c, d, tx), ty);
}

// Fractal noise in [0, 1], mean about 0.5.
double fbm(double x, double y, int octaves, uint32_t seed) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * valueNoise(x, y, seed + uint32_t(i) * 101u);
        norm += amp;
        amp *= 0.5;
        // Rotate between octaves so the lattice does not line up.
        const double nx = x * 1.6 + y * 1.2, ny = -x * 1.2 + y * 1.6;
        x = nx + 17.3;
        y = ny + 5.1;
    }
    return sum / norm;
}

// ---- geometry ----------------------------------------------------------------

struct P2 {
    double x, y;
};

std::vector<P2> cubic(P2 a, P2 b, P2 c, P2 d, int steps) {
    std::vector<P2> out;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps, u = 1 - t;
        out.push_back({u * u * u * a.x + 3 * u * u * t * b.x + 3 * u * t * t * c.x + t * t * t * d.x,
                       u * u * u * a.y + 3 * u * u * t * b.y + 3 * u * t * t * c.y + t * t * t * d.y});
    }
    return out;
}

// Distance from p to a polyline, and how far along it (0..1 by segment count)
// the nearest point lies.
double polylineDistance(const std::vector<P2>& line, P2 p, double* along = nullptr) {
    double best = 1e30, bestAt = 0;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        const P2 a = line[i], b = line[i + 1];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
        t = clamp01(t);
        const double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
        const double d2 = ex * ex + ey * ey;
        if (d2 < best) {
            best = d2;
            bestAt = (i + t) / double(line.size() - 1);
        }
    }
    if (along) *along = bestAt;
    return std::sqrt(best);
}

bool insidePolygon(const std::vector<P2>& poly, P2 p) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const P2 a = poly[i], b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

// Repeats the first point at the end, so the outline can be measured as a polyline.
void close(std::vector<P2>& poly) { poly.push_back(poly.front()); }

// Coverage of a closed polygon at p with a one-pixel soft edge.
double coverage(const std::vector<P2>& closedPoly, P2 p) {
    const double d = polylineDistance(closedPoly, p);
    return insidePolygon(closedPoly, p) ? smooth(-0.5, 0.8, d) * 0.5 + 0.5 : 0.5 - smooth(-0.5, 0.8, d) * 0.5;
}

// ---- the wave ------------------------------------------------------------------

struct Wave {
    P2 axis;                    // centre of the tube
    std::vector<P2> shoulder;   // crest line from the right edge to the peak
    std::vector<P2> lipOuter;   // the thrown lip, from the peak round to its tip
    std::vector<P2> lipInner;   // underside of the lip, same direction
    std::vector<P2> tubeFloor;  // the face closing the tube, from the tip back up
    // Closed outlines.
    std::vector<P2> body;       // all the water of the wave, tube included
    std::vector<P2> lip;        // the lip as a band
    std::vector<P2> hollow;     // the dark tube under the lip
    P2 tip;
};

Wave makeWave() {
    Wave w;
    // Seen from in front of the shoulder, the breaking end of the wave is a
    // tube: the lip leaves the crest at the peak and spirals over and down,
    // thick at first and thinning to the falling tip.
    w.axis = {116, 290};
    const double a0 = 0.62, r0 = 142, sweep = 3.75;
    const double sx = 1.0, sy = 0.86;  // a little wider than tall
    const P2 peak{w.axis.x + sx * r0 * tcos(a0), w.axis.y - sy * r0 * tsin(a0)};
    w.shoulder = cubic({kW + 4.0, 292}, {430, 286}, {310, 262}, peak, 60);
    const int steps = 100;
    for (int i = 0; i <= steps; ++i) {
        const double s = double(i) / steps;
        const double a = a0 + s * sweep;
        const double r = r0 * (1 - 0.5 * s) + 14 * tsin(s * kPi);
        const double thick = 42 * (1 - s) * (1 - s) + 6 * (1 - s) + 6;
        w.lipOuter.push_back({w.axis.x + sx * r * tcos(a), w.axis.y - sy * r * tsin(a)});
        w.lipInner.push_back({w.axis.x + sx * (r - thick) * tcos(a), w.axis.y - sy * (r - thick) * tsin(a)});
    }
    w.tip = w.lipOuter.back();

    w.lip = w.lipOuter;
    w.lip.insert(w.lip.end(), w.lipInner.rbegin(), w.lipInner.rend());

    // The face closing the tube from below, from the tip back up to the lip's root.
    w.tubeFloor = cubic(w.lipInner.back(), {w.tip.x + 60, w.tip.y + 12}, {w.lipInner.front().x + 8, 320},
                        w.lipInner.front(), 40);
    w.hollow = w.lipInner;
    w.hollow.insert(w.hollow.end(), w.tubeFloor.begin() + 1, w.tubeFloor.end() - 1);

    // Body: right edge, shoulder, lip over the top, then down from the tip.
    w.body.push_back({kW + 4.0, kH + 4.0});
    w.body.insert(w.body.end(), w.shoulder.begin(), w.shoulder.end());
    w.body.insert(w.body.end(), w.lipOuter.begin() + 1, w.lipOuter.end());
    w.body.push_back({w.tip.x - 10, kH + 4.0});
    close(w.body);
    close(w.lip);
    close(w.hollow);
    return w;
}

// ---- colours of a look -----------------------------------------------------------

struct Scheme {
    bool night;
    Col skyTop, skyHorizon, cloudDark, cloudLight, glow;
    Col seaFar, seaNear, seaCrest;
    Col faceDeep, faceHigh, faceGlass, hollow;
    Col foam, foamShade;
};

Scheme schemeOf(Theme theme) {
    if (theme == Theme::Night)
        return Scheme{true,
                      {4, 7, 20},    {30, 44, 76},   {8, 11, 22},    {92, 104, 130},  {150, 160, 180},
                      {26, 38, 62},  {6, 14, 28},    {70, 86, 116},
                      {3, 12, 24},   {16, 48, 70},   {46, 96, 116},  {1, 5, 12},
                      {196, 206, 222}, {74, 86, 108}};
    return Scheme{false,
                  {46, 52, 62},    {150, 158, 160}, {38, 42, 50},   {176, 180, 182}, {226, 222, 200},
                  {70, 88, 94},    {24, 44, 52},    {130, 150, 150},
                  {10, 40, 50},    {30, 104, 100},  {104, 180, 160}, {6, 22, 30},
                  {238, 242, 240}, {146, 162, 166}};
}

const double kHorizon = 212;
const P2 kMoon{255, 66};
const double kMoonRadius = 15;

Col sky(const Scheme& s, double x, double y) {
    const double t = clamp01(y / kHorizon);
    Col c = mix(s.skyTop, s.skyHorizon, t * t * (1.5 - 0.5 * t));
    // Torn storm clouds: warped noise, stretched along the wind.
    const double q = fbm(x / 160, y / 70, 4, 11);
    const double n = fbm(x / 110 + 1.8 * q, y / 42 + 0.9 * q, 6, 23);
    const double dark = smooth(0.42, 0.72, n) * (0.55 + 0.45 * (1 - t));
    const double rim = smooth(0.30, 0.44, n) * (1 - smooth(0.44, 0.60, n));
    // Light breaking through low on the right, or the moon's halo.
    const P2 g = s.night ? kMoon : P2{410, 165};
    const double dx = (x - g.x) / (s.night ? 90 : 150), dy = (y - g.y) / (s.night ? 90 : 55);
    const double glow = 1 / (1 + dx * dx + dy * dy);
    c = mix(c, s.glow, glow * (s.night ? 0.35 : 0.55) * (1 - dark));
    c = mix(c, s.cloudLight, rim * (0.25 + 0.5 * glow));
    c = mix(c, s.cloudDark, dark * 0.85);
    // Slanting rain curtains by day, stars between the clouds by night.
    if (!s.night) {
        const double rain = fbm((x + y * 0.35) / 6, y / 300, 3, 37) * smooth(0.55, 0.8, fbm(x / 90, 0.5, 3, 41));
        c = mix(c, s.cloudDark, 0.18 * smooth(0.45, 0.75, rain) * t);
    } else {
        const int cx = int(std::floor(x / 3)), cy = int(std::floor(y / 3));
        const uint32_t h = hash3(cx, cy, 59);
        if ((h & 1023) < 9 && int(x) % 3 == int(h >> 10) % 3 && int(y) % 3 == int(h >> 12) % 3) {
            const double b = (0.35 + 0.65 * unit(hash3(cx, cy, 61))) * (1 - dark) * (1 - glow);
            c = mix(c, {230, 232, 240}, b);
        }
        const double mx = x - kMoon.x, my = y - kMoon.y, md = std::sqrt(mx * mx + my * my);
        if (md < kMoonRadius + 1) {
            const double edge = smooth(kMoonRadius + 0.6, kMoonRadius - 0.6, md);
            const double mare = smooth(0.5, 0.7, fbm(mx / 6 + 40, my / 6, 3, 71));
            Col moon = mix({246, 242, 222}, {196, 196, 186}, mare * 0.6 + 0.25 * smooth(0, kMoonRadius, mx + my));
            c = mix(c, moon, edge * (1 - 0.35 * dark));
        }
    }
    return c;
}

// Sharp-crested swell: the ridges of a noise field.
double ridge(double x, double y, uint32_t seed) { return 1 - std::fabs(fbm(x, y, 5, seed) * 2 - 1); }

Col farSea(const Scheme& s, double x, double y) {
    const double t = clamp01((y - kHorizon) / (kH - kHorizon));
    Col c = mix(s.seaFar, s.seaNear, smooth(0, 0.5, t));
    // Swell rows, flattened and shrunk with distance.
    const double sx = 14 + 150 * t, sy = 2.2 + 30 * t;
    const double wx = fbm(x / 80, y / 20, 3, 79) * 3;
    const double u = x / sx + wx, v = (y - kHorizon) / sy;
    const double crest = ridge(u, v, 83);
    const double behind = ridge(u, v - 0.25, 83);
    c = mix(c, s.seaCrest, smooth(0.72, 0.96, crest) * 0.55);
    c = mix(c, s.seaNear * 0.6, smooth(0.8, 0.95, behind) * (1 - smooth(0.7, 0.9, crest)) * 0.6);
    // Whitecaps where crests run high.
    const double caps = smooth(0.9, 0.98, crest) * smooth(0.5, 0.7, fbm(x / 40, y / 12, 3, 89));
    c = mix(c, s.foam, caps * (s.night ? 0.45 : 0.85));
    if (s.night) {
        // Moon glitter widening towards the viewer.
        const double spread = 6 + 70 * t;
        const double dx = (x - kMoon.x) / spread;
        const double band = 1 / (1 + dx * dx * dx * dx);
        const double spark = smooth(0.62, 0.78, fbm(x / (2 + 4 * t), (y - kHorizon) / (0.8 + 3 * t), 3, 97));
        c = mix(c, {220, 224, 230}, band * spark * 0.9);
        c = mix(c, s.seaFar, band * 0.25);
    }
    // Haze where sea meets sky.
    c = mix(c, s.skyHorizon, smooth(5, 0, y - kHorizon) * 0.6);
    return c;
}

// Bumpy white water lit from the upper left.
Col foamAt(const Scheme& s, double x, double y, uint32_t seed, double* density) {
    const double f = fbm(x / 14, y / 11, 5, seed);
    const double fl = fbm((x - 1.5) / 14, (y - 1.5) / 11, 5, seed);
    *density = f;
    const double lit = clamp01(0.55 + (f - fl) * 9);
    return mix(s.foamShade, s.foam, lit);
}

Col paintPixel(const Scheme& s, const Wave& w, double x, double y) {
    const P2 p{x, y};
    Col c = y < kHorizon ? sky(s, x, y) : farSea(s, x, y);

    double alongLip = 0;
    const double dLip = polylineDistance(w.lipOuter, p, &alongLip);
    const double dShoulder = polylineDistance(w.shoulder, p);
    const double inBody = coverage(w.body, p);
    if (inBody > 0) {
        // Depth below the crest: thin water near the top lets light through.
        const double dCrest = std::min(dShoulder, dLip);
        const double depth = smooth(0, 150, dCrest + 0.3 * std::max(0.0, y - 290));
        Col face = mix(s.faceGlass, s.faceHigh, smooth(0, 0.2, depth));
        face = mix(face, s.faceDeep, smooth(0.12, 0.75, depth));
        // Streaks of water drawn up the face.
        const double streak = fbm(x / 2.5 + y / 20, y / 45, 4, 131);
        face = face * (0.84 + 0.32 * streak);
        // Old foam stretched across the lower face in bands.
        const double band = ridge(x / 60 + fbm(x / 30, y / 30, 2, 139), y / 9, 137);
        face = mix(face, s.foamShade, smooth(0.9, 0.99, band) * smooth(0.3, 0.7, depth) * 0.6);
        c = mix(c, face, inBody);
    }

    const double inHollow = coverage(w.hollow, p);
    if (inHollow > 0) {
        double around = 0;
        const double wall = polylineDistance(w.lipInner, p, &around);
        const double floor = polylineDistance(w.tubeFloor, p);
        // The tube recedes to the right, into the dark; its walls glow where
        // the lip is thin enough to let the light through.
        const double vx = (x - w.axis.x - 30) / 60, vy = (y - w.axis.y - 6) / 46;
        const double deep = 1 / (1 + (vx * vx + vy * vy) * 2.5);
        Col h = mix(s.faceHigh * 0.9, s.faceDeep, smooth(0, 26, std::min(wall, floor * 1.5)));
        h = mix(h, s.hollow, deep);
        const double dx = x - w.axis.x, dy = y - w.axis.y;
        const double swirl =
            fbm(around * 22 + 2 * fbm(x / 16, y / 16, 2, 147), std::sqrt(dx * dx + dy * dy) / 4, 3, 149);
        h = h * (0.84 + 0.32 * swirl);
        c = mix(c, h, inHollow);
    }

    const double inLip = coverage(w.lip, p);
    if (inLip > 0) {
        double around = 0;
        const double dOut = polylineDistance(w.lipOuter, p, &around);
        const double dIn = polylineDistance(w.lipInner, p);
        const double thickness = dOut + dIn;
        // Light shines through the thin inner side of the lip.
        Col l = mix(s.faceGlass, s.faceHigh, smooth(0.2, 0.9, dOut / (thickness + 1e-9)) * 0.9);
        l = l * (0.85 + 0.3 * fbm(around * 60, dOut / 3, 3, 157));
        // The outer skin is torn into foam, and the falling curtain is white water.
        double dens = 0;
        const Col f = foamAt(s, x, y, 151, &dens);
        const double froth = smooth(12 + 10 * around, 0, dOut) * smooth(0.3, 0.55, dens + 0.25 * around);
        const double curtain = smooth(0.6, 0.97, around) * smooth(0.25, 0.5, dens + 0.3 * around);
        l = mix(l, f, clamp01(froth + curtain));
        c = mix(c, l, inLip);
    }

    // Foam riding the crest and spray blown off it.
    {
        double dens = 0;
        const Col f = foamAt(s, x, y, 163, &dens);
        const double nearPeak = smooth(460, 210, x);
        const double crestBand = smooth(3 + 10 * nearPeak, 0, dShoulder) * smooth(0.35, 0.55, dens + 0.2 * nearPeak);
        c = mix(c, f, crestBand);
        if (inBody < 0.5) {
            const double top = smooth(0.6, 0.1, alongLip);
            const double mist = smooth(46, 0, dLip) * top * smooth(0.42, 0.78, fbm(x / 9, y / 6, 4, 173));
            c = mix(c, s.foam, mist * 0.8);
            const double cs = smooth(16, 0, dShoulder) * nearPeak * smooth(0.5, 0.8, fbm(x / 5, y / 4, 3, 179));
            c = mix(c, s.foam, cs * 0.6);
        }
    }

    // White water where the lip lands, and churn along the foot of the wave.
    {
        const double dx = (x - (w.tip.x - 5)) / 105, dy = (y - (w.tip.y + 28)) / 58;
        const double splash = 1 / (1 + (dx * dx + dy * dy) * (dx * dx + dy * dy));
        const double foot = smooth(kH - 30, kH + 10, y) * smooth(0, 80, x) * (0.2 + 0.8 * smooth(460, 160, x));
        double dens = 0;
        const Col f = foamAt(s, x, y, 191, &dens);
        const double amount = smooth(0.55, 0.35, dens - 0.5 * splash - 0.2 * foot);
        const double keepOut =
            inHollow * std::min(smooth(6, 30, polylineDistance(w.tubeFloor, p)), smooth(w.tip.y - 10, w.tip.y - 50, y));
        c = mix(c, f, amount * clamp01(splash * 1.6 + foot) * (1 - keepOut));
    }
    return c;
}

uint8_t toByte(double v) { return uint8_t(std::lround(std::min(255.0, std::max(0.0, v)))); }

}  // namespace

Picture paintBackground(Theme theme) {
    const Scheme scheme = schemeOf(theme);
    const Wave wave = makeWave();
    std::vector<Rgb> rgb(size_t(kW) * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const Col c = paintPixel(scheme, wave, x + 0.5, y + 0.5);
            rgb[size_t(y) * kW + x] = Rgb{toByte(c.r), toByte(c.g), toByte(c.b)};
        }
    return quantize(rgb, kW, kH);
}

// The setup's welcome and finish pages: the breaking wave, cut from the day background at the
// 164 x 314 that their picture takes.
Picture paintSetupPicture() {
    const Picture sea = paintBackground(Theme::Day);
    Picture p(164, 314, sea.bitsPerPixel, sea.palette);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) p.set(x, y, sea.get(x + 12, y + kH - 314));
    return p;
}
