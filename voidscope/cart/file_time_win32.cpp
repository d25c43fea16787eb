#include "file_time.h"

#include <windows.h>

#include "wide_text.h"

// The FILETIME as one number: two of them are equal exactly when
// CompareFileTime says so, which is all the watch asks.
bool QueryNESFileTime(const std::string& name, std::uint64_t& time) {
  WIN32_FILE_ATTRIBUTE_DATA info{};
  if (name.empty() || !GetFileAttributesExW(WideFromUTF8(name).c_str(), GetFileExInfoStandard, &info))
    return false;
  time = (std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) | info.ftLastWriteTime.dwLowDateTime;
  return true;
}
