#include "palette.h"

namespace resgen {

Rgba palette_colour(char c) {
    using namespace pal;
    switch (c) {
    case '.': case ' ': return kClear;
    case 'k': return black;
    case 'D': return charcoal;
    case 'g': return grey;
    case 'G': return light_grey;
    case 'w': return white;
    case 'n': return navy;
    case 'b': return blue;
    case 'B': return sky;
    case 'c': return pale_blue;
    case 'i': return indigo;
    case 'I': return periwinkle;
    case 'J': return lavender;
    case 'p': return purple;
    case 'P': return magenta;
    case 'q': return pink;
    case 'Q': return light_pink;
    case 'x': return maroon;
    case 'X': return dark_red;
    case 'r': return red;
    case 'R': return salmon;
    case 'h': return brown;
    case 'a': return ochre;
    case 'o': return orange;
    case 'O': return light_orange;
    case 'y': return yellow;
    case 'Y': return pale_yellow;
    case 'z': return cream;
    case 's': return skin;
    case 'e': return dark_green;
    case 'f': return green;
    case 'F': return light_green;
    case 'l': return lime;
    case 'L': return pale_green;
    case 'j': return dark_teal;
    case 't': return teal;
    case 'T': return turquoise;
    default: return rgb(255, 0, 255);
    }
}

} // namespace resgen
