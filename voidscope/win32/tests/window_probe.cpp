// Looks at and acts on a running voidscope window from outside, as the
// window test under Wine needs: what X11 tools cannot see (the client
// area, the menu's captions). A drop is tested in the window's own process:
// the block a WM_DROPFILES carries is valid only in the process that made it.
//
// usage: window_probe COMMAND [ARGS...]
//   wait SECONDS        until the window exists; prints nothing
//   caption             the window's caption
//   client              the client area: "X Y W H" on the screen
//   menu                the menu bar's captions, one a line
//   close               posts WM_CLOSE
// Exit status 0 when done, 1 when there is no window.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

HWND Form() { return FindWindowW(L"TFormMain", nullptr); }

void PrintLine(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
  std::printf("%s\n", utf8.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_probe wait|caption|client|menu|close [ARGS...]\n");
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
  } else if (command == L"close") {
    if (!PostMessageW(form, WM_CLOSE, 0, 0)) return 1;
  } else if (command != L"wait") {
    std::fprintf(stderr, "window_probe: unknown command\n");
    return 2;
  }
  return 0;
}
