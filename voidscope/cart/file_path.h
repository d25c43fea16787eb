// File names reach the platform here. Inside the program a name is a
// std::string: on Windows UTF-8 text, elsewhere the bytes it came in.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

std::filesystem::path NativePath(const std::string& name);
// std::fopen, for any name the platform can hold.
std::FILE* OpenFile(const std::string& name, const char* mode);
