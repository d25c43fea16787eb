#include "messages.h"

#include <cstdio>

namespace srcmorph {

void print_text(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string printable_name(const PathString& path)
{
    return path;
}

} // namespace srcmorph
