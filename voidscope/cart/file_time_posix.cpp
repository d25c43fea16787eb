#include "file_time.h"

#include <sys/stat.h>

bool QueryNESFileTime(const std::string& name, std::uint64_t& time) {
  struct stat info {};
  if (name.empty() || stat(name.c_str(), &info) != 0) return false;
  // Whole nanoseconds, so that two writes within one second still differ.
  time = static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
         static_cast<std::uint64_t>(info.st_mtim.tv_nsec);
  return true;
}
