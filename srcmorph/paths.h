// The input name rules and the two output names derived from it.
#pragma once

#include <string>
#include <string_view>

#include "pass.h"

namespace srcmorph {

// The longest input path taken, in bytes.
inline constexpr std::size_t kMaxPath = 1023;

enum class PathCheck { ok, too_long, no_extension };

// The output names replace a three-character extension, so the name must end
// in a dot and three characters that are not folder separators.
PathCheck check_input_path(std::string_view path);

// song.asm gives song.s (ca65) and song_asm6.asm (asm6), in the same folder.
// Only for paths that check_input_path accepts.
std::string output_path(std::string_view input_path, Target target);

} // namespace srcmorph
