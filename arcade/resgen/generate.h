// The generator's entry points: every picture and sound by file name.
#pragma once

#include "image.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace resgen {

// The picture for a file name of the layout table; an empty Image otherwise.
Image make_picture(std::string_view file);
// The 16-bit mono samples for a sound file name; empty otherwise.
std::vector<std::int16_t> make_sound(std::string_view file);

// Writes every picture and sound under res_dir ("<res_dir>/media/graphics/...",
// "<res_dir>/media/audio/..."). Returns the number of files that failed.
int write_all(const std::string& res_dir);

} // namespace resgen
