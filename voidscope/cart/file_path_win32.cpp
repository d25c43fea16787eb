#include "file_path.h"

#include "wide_text.h"

std::filesystem::path NativePath(const std::string& name) { return WideFromUTF8(name); }

std::FILE* OpenFile(const std::string& name, const char* mode) {
  return _wfopen(WideFromUTF8(name).c_str(), WideFromUTF8(mode).c_str());
}
