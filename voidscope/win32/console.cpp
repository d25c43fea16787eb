#include "console.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>

namespace {

UINT SavedOutputCodePage = 0;

void RestoreCodePage() {
  if (SavedOutputCodePage) SetConsoleOutputCP(SavedOutputCodePage);
}

bool Redirected(DWORD which) {
  const HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  // A character device that is no console (NUL, a serial line) counts too.
  const DWORD type = GetFileType(handle);
  DWORD mode = 0;
  return type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE ||
         (type == FILE_TYPE_CHAR && !GetConsoleMode(handle, &mode));
}

}  // namespace

void UseParentConsole() {
  const bool outRedirected = Redirected(STD_OUTPUT_HANDLE);
  const bool errRedirected = Redirected(STD_ERROR_HANDLE);
  SavedOutputCodePage = 0;
  if (outRedirected) _setmode(_fileno(stdout), _O_BINARY);
  if (errRedirected) _setmode(_fileno(stderr), _O_BINARY);
  if (outRedirected && errRedirected) return;
  // A console of our own would flash up and vanish with the text: only the
  // parent's will do, and with none (started from Explorer) there is
  // nowhere to write.
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!outRedirected && std::freopen("CONOUT$", "w", stdout)) std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
  if (!errRedirected) std::freopen("CONOUT$", "w", stderr);
  // Our texts are UTF-8; the console shows them so only with its code page
  // set so, which is put back as it was when we end.
  SavedOutputCodePage = GetConsoleOutputCP();
  if (SavedOutputCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) std::atexit(RestoreCodePage);
  else SavedOutputCodePage = 0;
}
