// The input name rules and the two output names derived from it.
#pragma once

#include <string>
#include <string_view>

#include "pass.h"

namespace srcmorph {

// A file name as the system hands it over: bytes on POSIX systems, UTF-16 on
// Windows, so that every name the system can hold reaches the file calls.
#ifdef _WIN32
using PathString = std::wstring;
#else
using PathString = std::string;
#endif

// The longest input path taken, in bytes (UTF-8 bytes for a Windows name).
inline constexpr std::size_t kMaxPath = 1023;

enum class PathCheck { ok, too_long, no_extension };

// The output names replace a three-character extension, so the name must end
// in a dot and three characters that are not folder separators.
PathCheck check_input_path(std::string_view path);

// song.asm gives song.s (ca65) and song_asm6.asm (asm6), in the same folder.
// Only for paths that check_input_path accepts.
std::string output_path(std::string_view input_path, Target target);

#ifdef _WIN32
// The same for a Windows name, character by character.
PathCheck check_input_path(std::wstring_view path);
std::wstring output_path(std::wstring_view input_path, Target target);
#endif

} // namespace srcmorph
