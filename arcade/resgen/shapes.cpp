#include "shapes.h"

#include "palette.h"

#include <cmath>

namespace resgen {

void shaded_ellipse(Image& img, double cx, double cy, double rx, double ry, const Tones& t) {
    img.fill_ellipse(cx, cy, rx + 1, ry + 1, pal::black);
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; ++y)
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
            const double nx = (x + 0.5 - cx) / rx, ny = (y + 0.5 - cy) / ry;
            const double d2 = nx * nx + ny * ny;
            if (d2 > 1.0) continue;
            // Light from the upper left: brighter towards (-0.5, -0.6).
            const double lx = nx + 0.45, ly = ny + 0.55;
            const double l = std::sqrt(lx * lx + ly * ly);
            Rgba c = t.dark;
            if (l < 0.35) c = t.shine;
            else if (l < 0.8) c = t.light;
            else if (l < 1.25) c = t.mid;
            img.set(x, y, c);
        }
}

void shaded_disc(Image& img, double cx, double cy, double r, const Tones& t) { shaded_ellipse(img, cx, cy, r, r, t); }

int bayer4(int x, int y) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return m[y & 3][x & 3];
}

} // namespace resgen
