// File names reach the platform here. Inside the program a name is a
// std::string: on Windows UTF-8 text, elsewhere the bytes it came in.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

std::filesystem::path NativePath(const std::string& name);
// std::fopen, for any name the platform can hold.
std::FILE* OpenFile(const std::string& name, const char* mode);
// Moves `from` over `to`, replacing it in one step; false and `error` when
// that fails.
bool ReplaceFileWith(const std::string& from, const std::string& to, std::string& error);
void RemoveFile(const std::string& name);
// A path as the program holds names (the reverse of NativePath).
std::string PathText(const std::filesystem::path& path);
