#include "file_path.h"

#include <windows.h>

#include "wide_text.h"

std::filesystem::path NativePath(const std::string& name) { return WideFromUTF8(name); }

std::FILE* OpenFile(const std::string& name, const char* mode) {
  return _wfopen(WideFromUTF8(name).c_str(), WideFromUTF8(mode).c_str());
}

bool ReplaceFileWith(const std::string& from, const std::string& to, std::string& error) {
  if (MoveFileExW(WideFromUTF8(from).c_str(), WideFromUTF8(to).c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  error = SystemMessage(GetLastError());
  return false;
}

void RemoveFile(const std::string& name) { DeleteFileW(WideFromUTF8(name).c_str()); }

std::string PathText(const std::filesystem::path& path) { return UTF8FromWide(path.wstring()); }
