#include "file_time.h"

#ifdef _WIN32
#include <windows.h>

bool QueryNESFileTime(const std::string& name, std::uint64_t& time) {
  WIN32_FILE_ATTRIBUTE_DATA info{};
  if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &info)) return false;
  time = (std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
         info.ftLastWriteTime.dwLowDateTime;
  return true;
}

#else
#include <sys/stat.h>

bool QueryNESFileTime(const std::string& name, std::uint64_t& time) {
  struct stat info {};
  if (name.empty() || stat(name.c_str(), &info) != 0) return false;
  // Whole nanoseconds, so that two writes within one second still differ.
  time = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
         static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
  return true;
}
#endif
