// The picture makers, one family per source file. Each returns an empty
// Image for a file name it does not draw.
#pragma once

#include "image.h"
#include "layout.h"

#include <string_view>

namespace resgen {

Image make_sprite_sheet(std::string_view file);  // sprites.cpp: player, shots, common enemies
Image make_boss_sheet(std::string_view file);    // bosses.cpp: big enemies and bosses
Image make_backdrop(std::string_view file);      // backdrops.cpp: stage scenery
Image make_screen(std::string_view file);        // screens.cpp: splash, title, banners, cards, filter

// A blank sheet of the layout's size.
Image blank_sheet(const PictureLayout& layout);
const PictureLayout* find_picture(std::string_view file);
// Draws frame into sheet at (column, row) of the layout's grid.
void put_frame(Image& sheet, const PictureLayout& layout, const Image& frame, int column, int row);

} // namespace resgen
