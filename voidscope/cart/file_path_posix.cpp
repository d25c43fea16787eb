#include "file_path.h"

std::filesystem::path NativePath(const std::string& name) { return name; }

std::FILE* OpenFile(const std::string& name, const char* mode) { return std::fopen(name.c_str(), mode); }
