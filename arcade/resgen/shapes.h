// Shaded shapes the procedural parts of the art are built from.
#pragma once

#include "image.h"

namespace resgen {

// Three-tone shading plus a highlight, lit from the upper left.
struct Tones {
    Rgba dark, mid, light, shine;
};

// A lit ball with a black rim.
void shaded_disc(Image& img, double cx, double cy, double r, const Tones& t);
// A lit ellipse with a black rim.
void shaded_ellipse(Image& img, double cx, double cy, double rx, double ry, const Tones& t);
// Deterministic pseudo-random numbers for scattering details (no global state).
class Rng {
public:
    explicit Rng(unsigned seed) : s_(seed * 2654435761u + 1u) {}
    unsigned next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return s_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<unsigned>(n)); }

private:
    unsigned s_;
};

// 4 x 4 ordered dither threshold (0..15) at a pixel, for two-colour gradients.
int bayer4(int x, int y);

} // namespace resgen
