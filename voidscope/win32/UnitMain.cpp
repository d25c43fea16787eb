#include "UnitMain.h"

#include <commctrl.h>
#include <shellapi.h>

#include <exception>
#include <filesystem>
#include <system_error>

#include "cart/bmp_file.h"
#include "cart/file_path.h"
#include "cart/file_time.h"
#include "cart/summary.h"
#include "cart/summary_format.h"
#include "cart/wide_text.h"
#include "dialogs.h"
#include "gdi_canvas.h"
#include "resources.h"

namespace {

constexpr wchar_t ClassName[] = L"TFormMain";
constexpr UINT_PTR TimerWatchId = 1;
constexpr UINT TimerWatchInterval = 1000;

enum : int {
  MOpenId = 101,
  MReloadId,
  MWatchId,
  MSaveReportId,
  MSegmentsId,
  MOpenDbgId,
  MPlayLogId,
  MAddCdlId,
  CloseId,
};

// game.dbg or game.cdl beside game.nes, as UTF-8.
std::string SiblingFile(const std::string& name, const char* extension) {
  std::filesystem::path path = NativePath(name);
  path.replace_extension(extension);
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool Exists(const std::string& name) {
  std::error_code ec;
  return std::filesystem::exists(NativePath(name), ec);
}

}  // namespace

TFormMain::TFormMain(HINSTANCE instance, const std::string& firstArgument) : Instance(instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW form{};
  form.cbSize = sizeof form;
  form.style = CS_HREDRAW | CS_VREDRAW;
  form.lpfnWndProc = WindowProc;
  form.hInstance = instance;
  form.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(WindowIconId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(WindowIconId), IMAGE_ICON, 16, 16, 0));
  form.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  form.lpszClassName = ClassName;
  RegisterClassExW(&form);

  BuildMenu();
  // Client area 649 x 505 below the menu bar, at the screen's top left.
  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT frame{0, 0, 649, 505};
  AdjustWindowRect(&frame, style, TRUE);
  Window = CreateWindowExW(0, ClassName, L"NES Voidscope v1.0", style, 0, 0, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, MainMenu, instance, this);
  if (!Window) throw std::runtime_error("The window could not be created.");
  // A menu bar that wraps takes more than one line: the area keeps its size.
  RECT client{};
  GetClientRect(Window, &client);
  if (client.bottom != 505 || client.right != 649)
    SetWindowPos(Window, nullptr, 0, 0, frame.right - frame.left + 649 - client.right,
                 frame.bottom - frame.top + 505 - client.bottom, SWP_NOMOVE | SWP_NOZORDER);

  StatusBarDbg = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD, 0, 0, 0, 0, Window, nullptr, instance, nullptr);
  HoverTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window, nullptr, instance,
                             nullptr);
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = Window;
  tool.uId = 1;
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(HoverTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // Several lines: the readout of a byte.
  SendMessageW(HoverTip, TTM_SETMAXTIPWIDTH, 0, 800);

  // The platform's usual keys besides the access keys.
  ACCEL keys[] = {
      {FCONTROL | FVIRTKEY, 'O', MOpenId},
      {FVIRTKEY, VK_F5, MReloadId},
      {FCONTROL | FSHIFT | FVIRTKEY, 'W', MWatchId},
      {FCONTROL | FVIRTKEY, 'S', MSaveReportId},
      {FCONTROL | FVIRTKEY, 'W', CloseId},
      {FCONTROL | FVIRTKEY, VK_F4, CloseId},
  };
  Shortcuts = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));

  FormCreate(firstArgument);
}

TFormMain::~TFormMain() {
  if (Shortcuts) DestroyAcceleratorTable(Shortcuts);
  if (Window) DestroyWindow(Window);
}

void TFormMain::BuildMenu() {
  MainMenu = CreateMenu();
  AppendMenuW(MainMenu, MF_STRING, MOpenId, L"&Open");
  AppendMenuW(MainMenu, MF_STRING, MReloadId, L"&Reload");
  AppendMenuW(MainMenu, MF_STRING, MWatchId, L"&Watch");
  AppendMenuW(MainMenu, MF_STRING, MSaveReportId, L"&Save report");
  // After the four commands: what the linker's debug file and the play
  // logs add.
  MView = CreatePopupMenu();
  AppendMenuW(MView, MF_STRING | MF_UNCHECKED, MSegmentsId, L"&Segments");
  AppendMenuW(MView, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(MView, MF_STRING, MOpenDbgId, L"Open &debug file...");
  AppendMenuW(MView, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(MView, MF_STRING | MF_UNCHECKED, MPlayLogId, L"&Play log");
  AppendMenuW(MView, MF_STRING, MAddCdlId, L"&Add play log...");
  AppendMenuW(MainMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(MView), L"&View");
}

int TFormMain::Run() {
  ShowWindow(Window, SW_SHOWNORMAL);
  UpdateWindow(Window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (TranslateAcceleratorW(Window, Shortcuts, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK TFormMain::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TFormMain*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->Window = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TFormMain*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  // Nothing may unwind through the system's frames: an error of a handler
  // is shown in the standard error box and the window goes on.
  try {
    return form->Dispatch(message, wParam, lParam);
  } catch (const std::exception& error) {
    ShowError(window, error.what());
  } catch (...) {
    ShowError(window, "");
  }
  return 0;
}

LRESULT TFormMain::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      FormPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the drawing area covers the client area
    case WM_SIZE:
      if (StatusBarDbg) SendMessageW(StatusBarDbg, WM_SIZE, 0, 0);
      return 0;
    case WM_COMMAND:
      Command(LOWORD(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == TimerWatchId) TimerWatchTimer();
      return 0;
    case WM_DROPFILES:
      WMDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_MOUSEMOVE:
      PaintBoxInfoMouseMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_MOUSELEAVE:
      PaintBoxInfoMouseLeave();
      return 0;
    case WM_DESTROY:
      FormDestroy();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(Window, GWLP_USERDATA, 0);
      Window = nullptr;
      break;
  }
  return DefWindowProcW(Window, message, wParam, lParam);
}

void TFormMain::Command(int id) {
  switch (id) {
    case MOpenId: MOpenClick(); break;
    case MReloadId: MReloadClick(); break;
    case MWatchId: MWatchClick(); break;
    case MSaveReportId: MSaveReportClick(); break;
    case MSegmentsId: MSegmentsClick(); break;
    case MOpenDbgId: MOpenDbgClick(); break;
    case MPlayLogId: MPlayLogClick(); break;
    case MAddCdlId: MAddCdlClick(); break;
    case CloseId: PostMessageW(Window, WM_CLOSE, 0, 0); break;
  }
}

void TFormMain::FormCreate(const std::string& firstArgument) {
  NES.Release();
  if (!firstArgument.empty()) TakeFile(firstArgument);  // the first paint draws it
  DragAcceptFiles(Window, TRUE);
}

void TFormMain::FormDestroy() {
  if (TimerWatchRunning) KillTimer(Window, TimerWatchId);
  NES.Release();
}

int TFormMain::AreaWidth() const {
  RECT client{};
  GetClientRect(Window, &client);
  return client.right;
}

int TFormMain::AreaHeight() const {
  RECT client{};
  GetClientRect(Window, &client);
  int height = client.bottom;
  if (IsWindowVisible(StatusBarDbg)) {
    RECT status{};
    GetWindowRect(StatusBarDbg, &status);
    height -= status.bottom - status.top;
  }
  return height;
}

void TFormMain::FormPaint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(Window, &paint);
  const int W = AreaWidth();
  const int H = AreaHeight();
  if (W > 0 && H > 0) {
    // Drawn off screen and shown in one copy: no flicker on a resize.
    TCanvas canvas(W, H);
    if (canvas.Valid()) {
      DrawInfo(canvas, NES, OpenDialogNESFileName, ViewOptions());
      BitBlt(dc, 0, 0, W, H, canvas.DC(), 0, 0, SRCCOPY);
    }
  }
  EndPaint(Window, &paint);
}

void TFormMain::Redraw() {
  RECT area{0, 0, AreaWidth(), AreaHeight()};
  InvalidateRect(Window, &area, FALSE);
  UpdateWindow(Window);
}

bool TFormMain::TakeFile(const std::string& name) {
  OpenDialogNESFileName = name;
  ChosenDbgFileName.clear();
  ChosenCdlFileNames.clear();
  return Load();
}

bool TFormMain::Load() {
  const bool loaded = NES.LoadNES(OpenDialogNESFileName);
  // A new image takes its debug file afresh; a failed load that keeps the
  // earlier image keeps its segments too.
  if (loaded) {
    LoadDbg();
    std::string message;
    LoadPlay(message);
  } else if (!NES.Held()) {
    DropDbg();
    DropPlay();
  }
  if (Hovering) ShowHover();
  return loaded;
}

void TFormMain::MOpenClick() {
  std::string name = OpenDialogNESFileName;
  if (!ExecuteOpenNES(Window, name)) return;
  TakeFile(name);
  Redraw();
}

void TFormMain::MReloadClick() {
  Load();
  Redraw();
}

void TFormMain::MWatchClick() {
  // Only the stored caption carries the access key.
  if (TimerWatchRunning) {
    ModifyMenuW(MainMenu, MWatchId, MF_BYCOMMAND | MF_STRING, MWatchId, L"Watch");
    KillTimer(Window, TimerWatchId);
    TimerWatchRunning = false;
  } else {
    ModifyMenuW(MainMenu, MWatchId, MF_BYCOMMAND | MF_STRING, MWatchId, L"Unwatch");
    SetTimer(Window, TimerWatchId, TimerWatchInterval, nullptr);
    TimerWatchRunning = true;
  }
  DrawMenuBar(Window);
}

void TFormMain::TimerWatchTimer() {
  std::uint64_t time = 0;
  if (!QueryNESFileTime(OpenDialogNESFileName, time)) return;
  // Any difference counts: an older copy put back is a change too. A
  // changed play log reloads the image as well: both are read afresh.
  if (time == NES.NESFileTime() && !PlayLogsChanged()) return;
  Load();
  Redraw();
}

void TFormMain::MSaveReportClick() {
  std::string name;
  if (!ExecuteSaveReport(Window, name)) return;
  const int W = AreaWidth();
  const int H = AreaHeight();
  Redraw();
  // The picture the area shows, drawn afresh at its size: a window lying
  // over ours is not in it.
  TCanvas report(W, H);
  std::string error;
  if (!report.Valid()) {
    error = "Cannot write the report \"" + name + "\": The picture could not be created.";
  } else {
    DrawInfo(report, NES, OpenDialogNESFileName, ViewOptions());
    if (WriteBMP(name, W, H, report.Pixels(), static_cast<std::size_t>(W), error)) return;
  }
  ShowError(Window, error);
}

void TFormMain::MSegmentsClick() {
  SegmentsChecked = !SegmentsChecked;
  CheckMenuItem(MView, MSegmentsId, MF_BYCOMMAND | (SegmentsChecked ? MF_CHECKED : MF_UNCHECKED));
  Redraw();
  // The legend moves the maps: the byte under a resting mouse is another.
  if (Hovering) ShowHover();
}

void TFormMain::MOpenDbgClick() {
  std::string name = ChosenDbgFileName;
  if (!ExecuteOpenDbg(Window, name)) return;
  ChosenDbgFileName = name;
  if (!NES.Held()) {
    ShowDbgMessage("Open an NES file first: the debug file is read with it");
    return;
  }
  if (!LoadDbg()) ShowError(Window, DbgNote);
  Redraw();
  if (Hovering) ShowHover();
}

void TFormMain::MPlayLogClick() {
  PlayLogChecked = !PlayLogChecked;
  CheckMenuItem(MView, MPlayLogId, MF_BYCOMMAND | (PlayLogChecked ? MF_CHECKED : MF_UNCHECKED));
  Redraw();
  if (Hovering) ShowHover();
}

void TFormMain::MAddCdlClick() {
  std::string name = ChosenCdlFileNames.empty() ? std::string() : ChosenCdlFileNames.back();
  if (!ExecuteOpenCdl(Window, name)) return;
  if (!NES.Held()) {
    ShowPlayMessage("Open an NES file first: the play logs are read with it");
    return;
  }
  ChosenCdlFileNames.push_back(name);
  std::string message;
  const TAddOutcome outcome = LoadPlay(message);
  // A log that is not merged is not kept to be read again on reloads.
  if (outcome != TAddOutcome::Merged) ChosenCdlFileNames.pop_back();
  if (outcome == TAddOutcome::Refused) ShowError(Window, message);
  Redraw();
  if (Hovering) ShowHover();
}

void TFormMain::DropPlay() {
  Play = TPlayLog();
  PlayLogTimes.clear();
  ShowPlayMessage({});
}

// The image's own log and those added from the menu, read afresh into a new
// merge that replaces the held one only when every log is merged.
TAddOutcome TFormMain::LoadPlay(std::string& message) {
  const std::string own = SiblingFile(OpenDialogNESFileName, ".cdl");
  std::vector<std::string> watched = {own};
  watched.insert(watched.end(), ChosenCdlFileNames.begin(), ChosenCdlFileNames.end());
  PlayLogTimes.clear();
  for (const std::string& name : watched) {
    std::uint64_t time = 0;
    PlayLogTimes.emplace_back(name, QueryNESFileTime(name, time) ? time : 0);
  }

  TPlayLog play(NES);
  TAddOutcome worst = TAddOutcome::Merged;
  message.clear();
  for (std::size_t k = 0; k < watched.size(); ++k) {
    if (k == 0 && !Exists(own)) continue;
    std::string said;
    const TAddOutcome outcome = play.AddFile(watched[k], said);
    if (outcome == TAddOutcome::Merged) continue;
    worst = outcome;
    message = said;
    if (outcome == TAddOutcome::Refused) break;
  }
  if (worst != TAddOutcome::Refused) {
    Play = std::move(play);
    ShowPlayMessage(message.empty() ? std::string() : "Play log " + message);
    return worst;
  }
  if (Play.PRGCount() != play.PRGCount() || Play.CHRCount() != play.CHRCount() ||
      Play.PRGCRC32() != play.PRGCRC32())
    Play = TPlayLog();
  ShowPlayMessage("Play log not used: " + message);
  return worst;
}

bool TFormMain::PlayLogsChanged() const {
  for (const auto& [name, was] : PlayLogTimes) {
    std::uint64_t time = 0;
    if (!QueryNESFileTime(name, time)) time = 0;
    if (time != was) return true;
  }
  return false;
}

void TFormMain::DropDbg() {
  Dbg = {};
  Segments = {};
  DbgHeld = false;
}

// The debug file chosen from the menu, or else the image's own beside it.
bool TFormMain::LoadDbg() {
  DropDbg();
  const bool chosen = !ChosenDbgFileName.empty();
  const std::string path = chosen ? ChosenDbgFileName : SiblingFile(OpenDialogNESFileName, ".dbg");
  if (!chosen && !Exists(path)) {
    ShowDbgMessage({});
    return true;
  }
  std::string error;
  TDebugInfo info;
  TSegmentMap map;
  if (!LoadDebugInfo(path, info, error)) {
    ShowDbgMessage("Debug file not used: " + error);
    return false;
  }
  if (!PlaceSegments(info, OpenDialogNESFileName, NES.PRGCount(), NES.CHRCount(), map, error)) {
    ShowDbgMessage("Debug file \"" + path + "\" not used: " + error);
    return false;
  }
  Dbg = std::move(info);
  Segments = std::move(map);
  DbgHeld = true;
  ShowDbgMessage({});
  return true;
}

void TFormMain::ShowDbgMessage(const std::string& message) {
  DbgNote = message;
  ShowNotes();
}

void TFormMain::ShowPlayMessage(const std::string& message) {
  PlayNote = message;
  ShowNotes();
}

// The status line shows only while there is something to say, and the
// window grows by its height meanwhile, so the drawing area keeps its size.
void TFormMain::ShowNotes() {
  if (!StatusBarDbg) return;
  const std::string message =
      DbgNote.empty() || PlayNote.empty() ? DbgNote + PlayNote : DbgNote + "; " + PlayNote;
  const bool shown = IsWindowVisible(StatusBarDbg);
  RECT frame{};
  GetWindowRect(Window, &frame);
  RECT status{};
  if (message.empty()) {
    if (!shown) return;
    GetWindowRect(StatusBarDbg, &status);
    ShowWindow(StatusBarDbg, SW_HIDE);
    SetWindowPos(Window, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top - (status.bottom - status.top), SWP_NOMOVE | SWP_NOZORDER);
    return;
  }
  SendMessageW(StatusBarDbg, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(WideFromUTF8(ValidUTF8(message)).c_str()));
  if (shown) return;
  ShowWindow(StatusBarDbg, SW_SHOW);
  SendMessageW(StatusBarDbg, WM_SIZE, 0, 0);
  GetWindowRect(StatusBarDbg, &status);
  SetWindowPos(Window, nullptr, 0, 0, frame.right - frame.left,
               frame.bottom - frame.top + (status.bottom - status.top), SWP_NOMOVE | SWP_NOZORDER);
}

TViewOptions TFormMain::ViewOptions() const {
  TViewOptions options;
  if (DbgHeld && SegmentsChecked) options.segments = &Segments;
  if (!Play.Empty() && PlayLogChecked) options.play = &Play;
  return options;
}

void TFormMain::WMDropFiles(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  if (count > 0) {
    // The whole name, however long: a cut name would load some other file.
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    DragQueryFileW(drop, 0, name.data(), length + 1);
    name.resize(length);
    TakeFile(UTF8FromWide(name));
  }
  DragFinish(drop);
  if (count > 0) Redraw();
}

void TFormMain::PaintBoxInfoMouseMove(int x, int y) {
  if (!Hovering) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Window, 0};
    TrackMouseEvent(&track);
  }
  // The tip itself moving under the mouse is no move of ours.
  if (Hovering && x == HoverX && y == HoverY) return;
  Hovering = true;
  HoverX = x;
  HoverY = y;
  ShowHover();
}

void TFormMain::PaintBoxInfoMouseLeave() {
  Hovering = false;
  HoverTextShown.clear();
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = Window;
  tool.uId = 1;
  SendMessageW(HoverTip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void TFormMain::ShowHover() {
  const std::wstring text = WideFromUTF8(ByteUnder(HoverX, HoverY));
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = Window;
  tool.uId = 1;
  if (text.empty()) {
    HoverTextShown.clear();
    SendMessageW(HoverTip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  if (text != HoverTextShown) {
    HoverTextShown = text;
    tool.lpszText = HoverTextShown.data();
    SendMessageW(HoverTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  POINT at{HoverX + 16, HoverY + 20};
  ClientToScreen(Window, &at);
  SendMessageW(HoverTip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
  SendMessageW(HoverTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
}

std::string TFormMain::ByteUnder(int x, int y) const {
  if (!NES.Held() || y >= AreaHeight()) return {};
  TCanvas measure(1, 1);
  const std::optional<TBankCell> cell = BankCellAt(ViewBoxes(measure, NES, AreaWidth(), ViewOptions()), x, y);
  if (!cell) return {};
  std::string text =
      ByteInfoText(DescribeByte(NES, cell->kind, cell->bank, cell->offset, NES.FindEmptyByte()));
  // Appended piece by piece: GCC 12 sees a false overlap in "\n" + text.
  if (DbgHeld) {
    text += '\n';
    text += ByteOriginText(DescribeOrigin(Dbg, Segments, NES.BankOffset(cell->kind, cell->bank) + cell->offset));
  }
  if (!Play.Empty()) {
    text += '\n';
    text += ByteReachText(cell->kind, Play.ByteFlags(cell->kind, cell->bank, cell->offset));
  }
  return ValidUTF8(text);
}
