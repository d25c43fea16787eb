#include "paths.h"

namespace srcmorph {
namespace {

// Windows takes both slashes between folders.
#ifdef _WIN32
constexpr char kSeparators[] = "/\\";
#else
constexpr char kSeparators[] = "/";
#endif

bool is_separator(wchar_t c)
{
    for (const char* s = kSeparators; *s; ++s)
        if (c == static_cast<wchar_t>(*s))
            return true;
    return false;
}

template <class Char>
PathCheck check_name(std::basic_string_view<Char> path, std::size_t bytes)
{
    if (bytes > kMaxPath)
        return PathCheck::too_long;
    const std::size_t n = path.size();
    if (n < 4 || path[n - 4] != Char('.'))
        return PathCheck::no_extension;
    // A separator in the last three would move the outputs to another folder.
    for (std::size_t k = n - 3; k < n; ++k)
        if (is_separator(static_cast<wchar_t>(path[k])))
            return PathCheck::no_extension;
    return PathCheck::ok;
}

template <class Char>
std::basic_string<Char> edit_name(std::basic_string_view<Char> input_path, Target target)
{
    std::basic_string<Char> name(input_path);
    const std::size_t n = name.size();
    if (target == Target::ca65) {
        name[n - 3] = Char('s');
        name.resize(n - 2);
    } else {
        name[n - 4] = Char('_');
        for (const char c : std::string_view("6.asm"))
            name += Char(c);
    }
    return name;
}

} // namespace

PathCheck check_input_path(std::string_view path)
{
    return check_name(path, path.size());
}

std::string output_path(std::string_view input_path, Target target)
{
    return edit_name(input_path, target);
}

#ifdef _WIN32
PathCheck check_input_path(std::wstring_view path)
{
    // Bytes of the name in UTF-8; a lone surrogate counts as three.
    std::size_t bytes = 0;
    for (std::size_t k = 0; k < path.size(); ++k) {
        const wchar_t c = path[k];
        if (c < 0x80)
            bytes += 1;
        else if (c < 0x800)
            bytes += 2;
        else if (c >= 0xD800 && c < 0xDC00 && k + 1 < path.size() && path[k + 1] >= 0xDC00 &&
                 path[k + 1] < 0xE000) {
            bytes += 4;
            ++k;
        } else
            bytes += 3;
    }
    return check_name(path, bytes);
}

std::wstring output_path(std::wstring_view input_path, Target target)
{
    return edit_name(input_path, target);
}
#endif

} // namespace srcmorph
