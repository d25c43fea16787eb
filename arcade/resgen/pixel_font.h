// A 5 x 7 pixel font for the lettering of the splash, title and banners.
#pragma once

#include "image.h"

#include <string_view>

namespace resgen {

constexpr int kGlyphW = 5;
constexpr int kGlyphH = 7;

// Width in font pixels (before scaling) of a text with one pixel between letters.
int text_width(std::string_view text);

// Draws text with each font pixel as a scale x scale block. Fill rows get the
// colour top[] for the upper half of the glyph and bottom[] for the lower half,
// which gives the two-tone lettering of old title screens.
void draw_text(Image& img, std::string_view text, int x, int y, int scale, Rgba top, Rgba bottom);

// Lettering centred on cx with a dark outline around every letter and a drop
// shadow below it; with a shine colour, every upper edge of a stroke catches the light.
void draw_banner_text(Image& img, std::string_view text, int cx, int y, int scale, Rgba top,
                      Rgba bottom, Rgba outline, Rgba shadow, Rgba shine = kClear);

} // namespace resgen
