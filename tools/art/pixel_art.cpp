#include "pixel_art.h"

#include <algorithm>
#include <cstdlib>

std::vector<Rgb> vgaPalette() {
    return {
        {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
        {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
        {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    };
}

Picture vgaPicture(int w, int h, uint8_t fill) { return Picture(w, h, 4, vgaPalette(), fill); }

void fillRect(Picture& p, int x, int y, int w, int h, uint8_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) p.set(i, j, c);
}

void hline(Picture& p, int x0, int x1, int y, uint8_t c) {
    if (x0 > x1) std::swap(x0, x1);
    for (int x = x0; x <= x1; ++x) p.set(x, y, c);
}

void vline(Picture& p, int x, int y0, int y1, uint8_t c) {
    if (y0 > y1) std::swap(y0, y1);
    for (int y = y0; y <= y1; ++y) p.set(x, y, c);
}

void line(Picture& p, int x0, int y0, int x1, int y1, uint8_t c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        p.set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void fillPolygon(Picture& p, const std::vector<Pt>& pts, uint8_t c) {
    const size_t n = pts.size();
    for (int y = 0; y < p.height; ++y) {
        const double cy = y + 0.5;
        std::vector<double> xs;
        for (size_t i = 0; i < n; ++i) {
            const Pt a = pts[i], b = pts[(i + 1) % n];
            // Half-open in y so a vertex on the scanline counts once.
            if ((a.y <= cy && b.y > cy) || (b.y <= cy && a.y > cy))
                xs.push_back(a.x + (cy - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2)
            for (int x = 0; x < p.width; ++x)
                if (x + 0.5 >= xs[k] && x + 0.5 < xs[k + 1]) p.set(x, y, c);
    }
}

void fillEllipse(Picture& p, double cx, double cy, double rx, double ry, uint8_t c) {
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
            if (u * u + v * v <= 1.0) p.set(x, y, c);
        }
}

void ellipseRing(Picture& p, double cx, double cy, double rx, double ry, uint8_t c) {
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double u = dx / rx, v = dy / ry;
            const double ui = dx / (rx - 1), vi = dy / (ry - 1);
            if (u * u + v * v <= 1.0 && ui * ui + vi * vi > 1.0) p.set(x, y, c);
        }
}

void stamp(Picture& p, int x, int y, std::initializer_list<const char*> rows, std::initializer_list<Ink> inks) {
    int j = 0;
    for (const char* row : rows) {
        for (int i = 0; row[i]; ++i)
            for (const Ink& ink : inks)
                if (ink.key == row[i]) p.set(x + i, y + j, ink.color);
        ++j;
    }
}

void recolor(Picture& p, int x, int y, int w, int h, uint8_t from, uint8_t to) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (p.inside(i, j) && p.get(i, j) == from) p.set(i, j, to);
}
