#include "arguments.h"

#include <windows.h>
#include <shellapi.h>

#include "cart/wide_text.h"

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  int count = 0;
  // The same quoting rules as every other Windows program's C runtime.
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  for (int i = 1; i < count; ++i) args.push_back(UTF8FromWide(wide[i]));
  LocalFree(wide);
  return args;
}
