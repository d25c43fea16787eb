// Windows only: file names and texts are UTF-8 inside the program and
// UTF-16 at the Windows API, converted here and nowhere else.
#pragma once

#include <string>

std::wstring WideFromUTF8(const std::string& text);
std::string UTF8FromWide(const std::wstring& text);
// The system's text for an error code of GetLastError, without the line end.
std::string SystemMessage(unsigned long code);
