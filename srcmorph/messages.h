// What srcmorph prints: every text goes to standard output.
#pragma once

#include <string>
#include <string_view>

#include "paths.h"

namespace srcmorph {

// Prints the text (UTF-8 on Windows) as it stands.
void print_text(std::string_view text);

// A file name as text to print: its own bytes on POSIX systems, UTF-8 on
// Windows.
std::string printable_name(const PathString& path);

} // namespace srcmorph
