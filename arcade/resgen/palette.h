// The one small palette all pictures share (NES-like tones), addressed by
// single characters so that sprites can be written as character grids.
#pragma once

#include "image.h"

namespace resgen {

// '.' and ' ' are transparent; an unknown character is a fault in the art and
// comes out opaque bright magenta (255, 0, 255), which the layout test rejects.
Rgba palette_colour(char c);

namespace pal {
constexpr Rgba black = rgb(0, 0, 0);
constexpr Rgba grey = rgb(124, 124, 124);
constexpr Rgba light_grey = rgb(188, 188, 188);
constexpr Rgba white = rgb(252, 252, 252);
constexpr Rgba navy = rgb(0, 0, 188);
constexpr Rgba blue = rgb(0, 88, 248);
constexpr Rgba azure = rgb(0, 120, 248);
constexpr Rgba sky = rgb(60, 188, 252);
constexpr Rgba pale_blue = rgb(164, 228, 252);
constexpr Rgba indigo = rgb(68, 40, 188);
constexpr Rgba periwinkle = rgb(104, 136, 252);
constexpr Rgba lavender = rgb(184, 184, 248);
constexpr Rgba purple = rgb(148, 0, 132);
constexpr Rgba magenta = rgb(216, 0, 204);
constexpr Rgba pink = rgb(248, 120, 248);
constexpr Rgba light_pink = rgb(248, 184, 248);
constexpr Rgba maroon = rgb(136, 20, 0);
constexpr Rgba dark_red = rgb(168, 16, 0);
constexpr Rgba red = rgb(248, 56, 0);
constexpr Rgba salmon = rgb(248, 120, 88);
constexpr Rgba brown = rgb(80, 48, 0);
constexpr Rgba ochre = rgb(172, 124, 0);
constexpr Rgba orange = rgb(228, 92, 16);
constexpr Rgba light_orange = rgb(252, 160, 68);
constexpr Rgba yellow = rgb(248, 184, 0);
constexpr Rgba pale_yellow = rgb(248, 216, 120);
constexpr Rgba cream = rgb(252, 224, 168);
constexpr Rgba skin = rgb(240, 208, 176);
constexpr Rgba dark_green = rgb(0, 88, 0);
constexpr Rgba forest = rgb(0, 120, 0);
constexpr Rgba green = rgb(0, 168, 0);
constexpr Rgba light_green = rgb(88, 216, 84);
constexpr Rgba lime = rgb(184, 248, 24);
constexpr Rgba pale_green = rgb(184, 248, 184);
constexpr Rgba dark_teal = rgb(0, 64, 88);
constexpr Rgba teal = rgb(0, 136, 136);
constexpr Rgba turquoise = rgb(0, 232, 216);
constexpr Rgba charcoal = rgb(60, 60, 60);
} // namespace pal

} // namespace resgen
