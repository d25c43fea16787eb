#include "messages.h"

#include <cstdio>
#include <windows.h>

namespace srcmorph {

void print_text(std::string_view text)
{
    // A console shows UTF-16 whatever its code page; a file or a pipe gets
    // the UTF-8 bytes, with the runtime's CR LF line ends.
    const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (out != INVALID_HANDLE_VALUE && out != nullptr && ::GetConsoleMode(out, &mode)) {
        const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        std::wstring wide(static_cast<std::size_t>(n), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
        std::fflush(stdout);
        DWORD written = 0;
        ::WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string printable_name(const PathString& path)
{
    // A lone surrogate, which a Windows name may hold, prints as U+FFFD.
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), text.data(), n, nullptr,
                          nullptr);
    return text;
}

} // namespace srcmorph
