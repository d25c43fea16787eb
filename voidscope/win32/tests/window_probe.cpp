// Looks at and acts on a running voidscope window from outside, as the
// window test under Wine needs: what X11 tools cannot see (the client
// area, the menu's captions) or cannot do (a drop of files).
//
// usage: window_probe COMMAND [ARGS...]
//   wait SECONDS        until the window exists; prints nothing
//   caption             the window's caption
//   client              the client area: "X Y W H" on the screen
//   menu                the menu bar's captions, one a line
//   drop FILE...        posts WM_DROPFILES naming the files
//   close               posts WM_CLOSE
// Exit status 0 when done, 1 when there is no window.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

HWND Form() { return FindWindowW(L"TFormMain", nullptr); }

void PrintLine(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
  std::printf("%s\n", utf8.c_str());
}

// The files as a DROPFILES block, as the shell hands them to a window.
HGLOBAL DropBlock(int count, wchar_t** names) {
  std::size_t chars = 1;
  for (int i = 0; i < count; ++i) chars += std::wcslen(names[i]) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  auto* at = reinterpret_cast<wchar_t*>(drop + 1);
  for (int i = 0; i < count; ++i) {
    const std::size_t n = std::wcslen(names[i]) + 1;
    std::memcpy(at, names[i], n * sizeof(wchar_t));
    at += n;
  }
  GlobalUnlock(block);
  return block;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_probe wait|caption|client|menu|drop|close [ARGS...]\n");
    return 2;
  }
  const std::wstring command = argv[1];
  if (command == L"wait") {
    const int tenths = argc > 2 ? _wtoi(argv[2]) * 10 : 100;
    for (int i = 0; i < tenths && !Form(); ++i) Sleep(100);
  }
  const HWND form = Form();
  if (!form) {
    std::fprintf(stderr, "window_probe: no voidscope window\n");
    return 1;
  }
  if (command == L"caption") {
    wchar_t text[512] = {};
    GetWindowTextW(form, text, 512);
    PrintLine(text);
  } else if (command == L"client") {
    RECT client{};
    GetClientRect(form, &client);
    POINT origin{0, 0};
    ClientToScreen(form, &origin);
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
  } else if (command == L"menu") {
    const HMENU menu = GetMenu(form);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t text[256] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
      PrintLine(text);
    }
  } else if (command == L"drop") {
    if (!PostMessageW(form, WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock(argc - 2, argv + 2)), 0)) return 1;
  } else if (command == L"close") {
    if (!PostMessageW(form, WM_CLOSE, 0, 0)) return 1;
  } else if (command != L"wait") {
    std::fprintf(stderr, "window_probe: unknown command\n");
    return 2;
  }
  return 0;
}
