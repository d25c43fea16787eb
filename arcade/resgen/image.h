// An RGBA picture in memory plus the few drawing operations the art needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace resgen {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

constexpr Rgba kClear{0, 0, 0, 0};

constexpr Rgba rgb(int r, int g, int b) {
    return Rgba{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                static_cast<std::uint8_t>(b), 255};
}

class Image {
public:
    Image() = default;
    Image(int w, int h, Rgba fill = kClear);

    int width() const { return w_; }
    int height() const { return h_; }
    const std::vector<Rgba>& pixels() const { return px_; }

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
    Rgba get(int x, int y) const { return inside(x, y) ? px_[idx(x, y)] : kClear; }
    // Writes outside the picture are dropped, so shapes may overhang the edges.
    void set(int x, int y, Rgba c) {
        if (inside(x, y)) px_[idx(x, y)] = c;
    }

    void fill_rect(int x, int y, int w, int h, Rgba c);
    void fill_disc(double cx, double cy, double r, Rgba c);
    void fill_ellipse(double cx, double cy, double rx, double ry, Rgba c);
    void line(int x0, int y0, int x1, int y1, Rgba c);
    // Copies the opaque pixels of src with its top-left at (dx, dy).
    void blit(const Image& src, int dx, int dy);
    // Like blit, but only the source rectangle (sx, sy, w, h).
    void blit_part(const Image& src, int sx, int sy, int w, int h, int dx, int dy);
    // Paints every transparent pixel that touches an opaque one (4-neighbourhood).
    void outline(Rgba c);
    Image mirrored() const;
    Image cropped(int x, int y, int w, int h) const;
    // Nearest-neighbour scaling by a whole factor.
    Image scaled(int factor) const;
    // Box-filtered halving: the mean colour of each 2 x 2 block of opaque pixels.
    Image halved() const;

private:
    std::size_t idx(int x, int y) const { return static_cast<std::size_t>(y) * w_ + x; }
    int w_ = 0, h_ = 0;
    std::vector<Rgba> px_;
};

// Character-grid art: each character of each row names a colour through the
// shared palette ('.' and ' ' are transparent).
Image from_grid(const std::vector<std::string>& rows);
// Places a grid into dst at (dx, dy), its opaque pixels only.
void stamp(Image& dst, const std::vector<std::string>& rows, int dx, int dy);

} // namespace resgen
