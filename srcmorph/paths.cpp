#include "paths.h"

namespace srcmorph {

PathCheck check_input_path(std::string_view path)
{
    if (path.size() > kMaxPath)
        return PathCheck::too_long;
    if (path.size() < 4 || path[path.size() - 4] != '.')
        return PathCheck::no_extension;
    // A separator in the last three would move the outputs to another folder.
    if (path.substr(path.size() - 3).find('/') != std::string_view::npos)
        return PathCheck::no_extension;
    return PathCheck::ok;
}

std::string output_path(std::string_view input_path, Target target)
{
    std::string name(input_path);
    const std::size_t n = name.size();
    if (target == Target::ca65) {
        name[n - 3] = 's';
        name.resize(n - 2);
    } else {
        name[n - 4] = '_';
        name += "6.asm";
    }
    return name;
}

} // namespace srcmorph
