#include "file_path.h"

#include <cerrno>
#include <cstring>

std::filesystem::path NativePath(const std::string& name) { return name; }

std::FILE* OpenFile(const std::string& name, const char* mode) { return std::fopen(name.c_str(), mode); }

bool ReplaceFileWith(const std::string& from, const std::string& to, std::string& error) {
  if (std::rename(from.c_str(), to.c_str()) == 0) return true;
  error = std::strerror(errno);
  return false;
}

void RemoveFile(const std::string& name) { std::remove(name.c_str()); }

std::string PathText(const std::filesystem::path& path) { return path.string(); }
