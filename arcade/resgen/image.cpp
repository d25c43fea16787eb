#include "image.h"

#include "palette.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace resgen {

Image::Image(int w, int h, Rgba fill)
    : w_(w), h_(h), px_(static_cast<std::size_t>(w) * h, fill) {}

void Image::fill_rect(int x, int y, int w, int h, Rgba c) {
    for (int j = std::max(0, y); j < std::min(h_, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(w_, x + w); ++i) px_[idx(i, j)] = c;
}

void Image::fill_disc(double cx, double cy, double r, Rgba c) { fill_ellipse(cx, cy, r, r, c); }

void Image::fill_ellipse(double cx, double cy, double rx, double ry, Rgba c) {
    if (rx <= 0 || ry <= 0) return;
    // Pixel centres inside the ellipse; keeps small shapes symmetric.
    for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
        for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) set(x, y, c);
        }
}

void Image::line(int x0, int y0, int x1, int y1, Rgba c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) { err += dy; x0 += sx; }
        if (e2 <= dx) { err += dx; y0 += sy; }
    }
}

void Image::blit(const Image& src, int dx, int dy) { blit_part(src, 0, 0, src.w_, src.h_, dx, dy); }

void Image::blit_part(const Image& src, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgba c = src.get(sx + x, sy + y);
            if (c.a == 255) set(dx + x, dy + y, c);
        }
}

void Image::outline(Rgba c) {
    Image out = *this;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            if (get(x, y).a != 0) continue;
            if (get(x - 1, y).a || get(x + 1, y).a || get(x, y - 1).a || get(x, y + 1).a) out.set(x, y, c);
        }
    *this = std::move(out);
}

Image Image::mirrored() const {
    Image out(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) out.set(w_ - 1 - x, y, get(x, y));
    return out;
}

Image Image::cropped(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) out.set(i, j, get(x + i, y + j));
    return out;
}

Image Image::scaled(int factor) const {
    Image out(w_ * factor, h_ * factor);
    for (int y = 0; y < out.h_; ++y)
        for (int x = 0; x < out.w_; ++x) out.set(x, y, get(x / factor, y / factor));
    return out;
}

Image Image::halved() const {
    Image out(w_ / 2, h_ / 2);
    for (int y = 0; y < out.h_; ++y)
        for (int x = 0; x < out.w_; ++x) {
            int r = 0, g = 0, b = 0, n = 0;
            for (int j = 0; j < 2; ++j)
                for (int i = 0; i < 2; ++i) {
                    const Rgba c = get(2 * x + i, 2 * y + j);
                    if (c.a == 0) continue;
                    r += c.r; g += c.g; b += c.b; ++n;
                }
            if (n >= 2) out.set(x, y, rgb(r / n, g / n, b / n));
        }
    return out;
}

Image from_grid(const std::vector<std::string>& rows) {
    std::size_t w = 0;
    for (const auto& r : rows) w = std::max(w, r.size());
    Image img(static_cast<int>(w), static_cast<int>(rows.size()));
    stamp(img, rows, 0, 0);
    return img;
}

void stamp(Image& dst, const std::vector<std::string>& rows, int dx, int dy) {
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const Rgba c = palette_colour(rows[y][x]);
            if (c.a) dst.set(dx + static_cast<int>(x), dy + static_cast<int>(y), c);
        }
}

} // namespace resgen
