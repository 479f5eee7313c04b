#include "quantize.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

struct Box {
    size_t begin, end;
    double error;  // summed squared distance from the box's mean
    int axis;      // channel with the largest spread of error
};

int channel(const Rgb& c, int axis) { return axis == 0 ? c.r : axis == 1 ? c.g : c.b; }

Box measure(const std::vector<Rgb>& px, size_t begin, size_t end) {
    std::array<double, 3> sum{}, sum2{};
    for (size_t i = begin; i < end; ++i)
        for (int a = 0; a < 3; ++a) {
            const double v = channel(px[i], a);
            sum[a] += v;
            sum2[a] += v * v;
        }
    const double n = double(end - begin);
    Box box{begin, end, 0, 0};
    double worst = -1;
    for (int a = 0; a < 3; ++a) {
        const double e = sum2[a] - sum[a] * sum[a] / n;
        box.error += e;
        if (e > worst) {
            worst = e;
            box.axis = a;
        }
    }
    return box;
}

Rgb mean(const std::vector<Rgb>& px, const Box& box) {
    std::array<uint64_t, 3> sum{};
    for (size_t i = box.begin; i < box.end; ++i) {
        sum[0] += px[i].r;
        sum[1] += px[i].g;
        sum[2] += px[i].b;
    }
    const uint64_t n = box.end - box.begin;
    return Rgb{uint8_t((sum[0] + n / 2) / n), uint8_t((sum[1] + n / 2) / n), uint8_t((sum[2] + n / 2) / n)};
}

std::vector<Rgb> medianCut(std::vector<Rgb> px, size_t colours) {
    std::vector<Box> boxes{measure(px, 0, px.size())};
    while (boxes.size() < colours) {
        size_t pick = boxes.size();
        for (size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i].end - boxes[i].begin > 1 && boxes[i].error > 0 &&
                (pick == boxes.size() || boxes[i].error > boxes[pick].error))
                pick = i;
        if (pick == boxes.size()) break;  // fewer distinct colours than entries
        const Box b = boxes[pick];
        const size_t mid = b.begin + (b.end - b.begin) / 2;
        std::nth_element(px.begin() + b.begin, px.begin() + mid, px.begin() + b.end,
                         [&](const Rgb& l, const Rgb& r) { return channel(l, b.axis) < channel(r, b.axis); });
        boxes[pick] = measure(px, b.begin, mid);
        boxes.push_back(measure(px, mid, b.end));
    }
    std::vector<Rgb> palette;
    for (const Box& b : boxes) palette.push_back(mean(px, b));
    // Dark to light, so the palette reads sensibly in a paint program.
    std::sort(palette.begin(), palette.end(), [](const Rgb& l, const Rgb& r) {
        const int ll = 299 * l.r + 587 * l.g + 114 * l.b, lr = 299 * r.r + 587 * r.g + 114 * r.b;
        if (ll != lr) return ll < lr;
        return std::array<int, 3>{l.r, l.g, l.b} < std::array<int, 3>{r.r, r.g, r.b};
    });
    palette.resize(colours, Rgb{});
    return palette;
}

uint8_t nearest(const std::vector<Rgb>& pal, double r, double g, double b) {
    size_t best = 0;
    double bestD = 1e30;
    for (size_t i = 0; i < pal.size(); ++i) {
        const double dr = pal[i].r - r, dg = pal[i].g - g, db = pal[i].b - b;
        const double d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return uint8_t(best);
}

}  // namespace

Picture quantize(const std::vector<Rgb>& pixels, int width, int height) {
    Picture out(width, height, 8, medianCut(pixels, 256));
    // Error rows with a one-pixel margin on both sides.
    std::vector<std::array<double, 3>> cur(width + 2), next(width + 2);
    for (int y = 0; y < height; ++y) {
        std::fill(next.begin(), next.end(), std::array<double, 3>{});
        const bool rightward = y % 2 == 0;  // serpentine, so errors do not drift one way
        for (int k = 0; k < width; ++k) {
            const int x = rightward ? k : width - 1 - k;
            const int dir = rightward ? 1 : -1;
            const Rgb s = pixels[size_t(y) * width + x];
            const double r = std::clamp(s.r + cur[x + 1][0], 0.0, 255.0);
            const double g = std::clamp(s.g + cur[x + 1][1], 0.0, 255.0);
            const double b = std::clamp(s.b + cur[x + 1][2], 0.0, 255.0);
            const uint8_t i = nearest(out.palette, r, g, b);
            out.set(x, y, i);
            const std::array<double, 3> e{r - out.palette[i].r, g - out.palette[i].g, b - out.palette[i].b};
            for (int a = 0; a < 3; ++a) {
                cur[x + 1 + dir][a] += e[a] * 7 / 16;
                next[x + 1 - dir][a] += e[a] * 3 / 16;
                next[x + 1][a] += e[a] * 5 / 16;
                next[x + 1 + dir][a] += e[a] * 1 / 16;
            }
        }
        std::swap(cur, next);
    }
    return out;
}
