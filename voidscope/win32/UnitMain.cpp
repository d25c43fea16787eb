#include "UnitMain.h"

#include <commctrl.h>
#include <shellapi.h>

#include <exception>
#include <iterator>
#include <stdexcept>

#include "cart/bmp_file.h"
#include "cart/mapper_banks.h"
#include "cart/nes_header.h"
#include "cart/summary_format.h"
#include "cart/wide_text.h"
#include "dialogs.h"
#include "gdi_canvas.h"
#include "picture/layout.h"
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
  MOpenLabelsId,
  MMapperSizesId,
  CloseId,
  // View > Bank size: one command a size, in the order of the size lists.
  MPRGSizeFirstId = 201,
  MCHRSizeFirstId = 211,
};

constexpr int PRGSizeCount = static_cast<int>(std::size(PRGBankSizes));
constexpr int CHRSizeCount = static_cast<int>(std::size(CHRBankSizes));

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

  StatusBarNotes = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD, 0, 0, 0, 0, Window, nullptr, instance, nullptr);
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
  // What label files of assemblers and emulators add.
  AppendMenuW(MView, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(MView, MF_STRING, MOpenLabelsId, L"Open &label file...");
  // How the banks are cut: 16 KB and 8 KB at every start, nothing saved.
  AppendMenuW(MView, MF_SEPARATOR, 0, nullptr);
  MBankSize = CreatePopupMenu();
  AppendMenuW(MBankSize, MF_STRING, MMapperSizesId, L"&Mapper's sizes");
  AppendMenuW(MBankSize, MF_SEPARATOR, 0, nullptr);
  for (int i = 0; i < PRGSizeCount; ++i)
    AppendMenuW(MBankSize, MF_STRING, MPRGSizeFirstId + i,
                (L"PRG " + std::to_wstring(PRGBankSizes[i] / 1024) + L" KB").c_str());
  AppendMenuW(MBankSize, MF_SEPARATOR, 0, nullptr);
  for (int i = 0; i < CHRSizeCount; ++i)
    AppendMenuW(MBankSize, MF_STRING, MCHRSizeFirstId + i,
                (L"CHR " + std::to_wstring(CHRBankSizes[i] / 1024) + L" KB").c_str());
  AppendMenuW(MView, MF_POPUP, reinterpret_cast<UINT_PTR>(MBankSize), L"&Bank size");
  AppendMenuW(MainMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(MView), L"&View");
  CheckBankSizes();
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
      if (StatusBarNotes) SendMessageW(StatusBarNotes, WM_SIZE, 0, 0);
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
    case MOpenLabelsId: MOpenLabelsClick(); break;
    case MMapperSizesId: MMapperSizesClick(); break;
    case CloseId: PostMessageW(Window, WM_CLOSE, 0, 0); break;
    default:
      if ((id >= MPRGSizeFirstId && id < MPRGSizeFirstId + PRGSizeCount) ||
          (id >= MCHRSizeFirstId && id < MCHRSizeFirstId + CHRSizeCount))
        MBankSizeClick(id);
      break;
  }
}

void TFormMain::FormCreate(const std::string& firstArgument) {
  Session.Release();
  if (!firstArgument.empty()) TakeFile(firstArgument);  // the first paint draws it
  DragAcceptFiles(Window, TRUE);
}

void TFormMain::FormDestroy() {
  if (TimerWatchRunning) KillTimer(Window, TimerWatchId);
  Session.Release();
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
  if (IsWindowVisible(StatusBarNotes)) {
    RECT status{};
    GetWindowRect(StatusBarNotes, &status);
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
      DrawInfo(canvas, Session.Image(), ValidUTF8(Session.FileName()), W, H, Session.ViewOptions());
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
  const bool loaded = Session.Open(name);
  ShowNotes();
  // The byte under a resting mouse may now be another, or none.
  if (Hovering) ShowHover();
  return loaded;
}

bool TFormMain::Load() {
  const bool loaded = Session.Reload();
  ShowNotes();
  if (Hovering) ShowHover();
  return loaded;
}

void TFormMain::MOpenClick() {
  std::string name = Session.FileName();
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
  if (!Session.Changed()) return;
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
    DrawInfo(report, Session.Image(), ValidUTF8(Session.FileName()), W, H, Session.ViewOptions());
    if (WriteBMP(name, W, H, report.Pixels(), static_cast<std::size_t>(W), error)) return;
  }
  ShowError(Window, error);
}

void TFormMain::MSegmentsClick() {
  Session.ShowSegments(!Session.SegmentsShown());
  CheckMenuItem(MView, MSegmentsId, MF_BYCOMMAND | (Session.SegmentsShown() ? MF_CHECKED : MF_UNCHECKED));
  Redraw();
  // The legend moves the maps: the byte under a resting mouse is another.
  if (Hovering) ShowHover();
}

void TFormMain::MOpenDbgClick() {
  std::string name = Session.ChosenDbgFileName();
  if (!ExecuteOpenDbg(Window, name)) return;
  std::string error;
  const TSession::TDbgResult result = Session.ChooseDbg(name, error);
  ShowNotes();
  if (result == TSession::TDbgResult::NoImage) return;
  if (result != TSession::TDbgResult::Used) ShowError(Window, Session.DbgNote());
  Redraw();
  if (Hovering) ShowHover();
}

void TFormMain::MPlayLogClick() {
  Session.ShowPlay(!Session.PlayShown());
  CheckMenuItem(MView, MPlayLogId, MF_BYCOMMAND | (Session.PlayShown() ? MF_CHECKED : MF_UNCHECKED));
  Redraw();
  if (Hovering) ShowHover();
}

void TFormMain::MAddCdlClick() {
  const std::vector<std::string>& chosen = Session.ChosenCdlFileNames();
  std::string name = chosen.empty() ? std::string() : chosen.back();
  if (!ExecuteOpenCdl(Window, name)) return;
  const bool held = Session.Held();
  std::string message;
  const TAddOutcome outcome = Session.AddPlayLog(name, message);
  ShowNotes();
  if (!held) return;
  if (outcome == TAddOutcome::Refused) ShowError(Window, message);
  Redraw();
  if (Hovering) ShowHover();
}

// One that cannot be used is told in the status line only: the maps stay.
void TFormMain::MOpenLabelsClick() {
  const std::vector<std::string>& chosen = Session.ChosenLabelFileNames();
  std::string name = chosen.empty() ? std::string() : chosen.back();
  if (!ExecuteOpenLabels(Window, name)) return;
  std::string message;
  Session.AddLabelFile(name, message);
  ShowNotes();
  if (Hovering) ShowHover();
}

void TFormMain::MBankSizeClick(int id) {
  TBankSizes sizes = Session.BankSizes();
  if (id >= MCHRSizeFirstId)
    sizes.chr = CHRBankSizes[id - MCHRSizeFirstId];
  else
    sizes.prg = PRGBankSizes[id - MPRGSizeFirstId];
  Session.SetBankSizes(sizes);
  CheckBankSizes();
  Redraw();
  // The boxes move: the byte under a resting mouse is another.
  if (Hovering) ShowHover();
}

void TFormMain::MMapperSizesClick() {
  // The mapper the header names (NES 2.0's 12 bits); 16 KB and 8 KB for
  // one not in the table, and with no image.
  Session.SetBankSizes(ChooseBankSizes({true, 0, 0}, Session.Held() ? ReadNESHeader(Session.Image()).mapper : ~0u));
  CheckBankSizes();
  Redraw();
  if (Hovering) ShowHover();
}

// One size of each kind is checked, as a pair of radio groups.
void TFormMain::CheckBankSizes() {
  const TBankSizes sizes = Session.BankSizes();
  for (int i = 0; i < PRGSizeCount; ++i)
    if (PRGBankSizes[i] == sizes.prg)
      CheckMenuRadioItem(MBankSize, MPRGSizeFirstId, MPRGSizeFirstId + PRGSizeCount - 1, MPRGSizeFirstId + i,
                         MF_BYCOMMAND);
  for (int i = 0; i < CHRSizeCount; ++i)
    if (CHRBankSizes[i] == sizes.chr)
      CheckMenuRadioItem(MBankSize, MCHRSizeFirstId, MCHRSizeFirstId + CHRSizeCount - 1, MCHRSizeFirstId + i,
                         MF_BYCOMMAND);
}

// The status line shows only while there is something to say, and the
// window grows by its height meanwhile, so the drawing area keeps its size.
void TFormMain::ShowNotes() {
  if (!StatusBarNotes) return;
  const std::string message = Session.Note();
  const bool shown = IsWindowVisible(StatusBarNotes);
  RECT frame{};
  GetWindowRect(Window, &frame);
  RECT status{};
  if (message.empty()) {
    if (!shown) return;
    GetWindowRect(StatusBarNotes, &status);
    ShowWindow(StatusBarNotes, SW_HIDE);
    SetWindowPos(Window, nullptr, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top - (status.bottom - status.top), SWP_NOMOVE | SWP_NOZORDER);
    return;
  }
  SendMessageW(StatusBarNotes, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(WideFromUTF8(ValidUTF8(message)).c_str()));
  if (shown) return;
  ShowWindow(StatusBarNotes, SW_SHOW);
  SendMessageW(StatusBarNotes, WM_SIZE, 0, 0);
  GetWindowRect(StatusBarNotes, &status);
  SetWindowPos(Window, nullptr, 0, 0, frame.right - frame.left,
               frame.bottom - frame.top + (status.bottom - status.top), SWP_NOMOVE | SWP_NOZORDER);
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
  if (!Session.Held() || y >= AreaHeight()) return {};
  // The legends' widths in the window's font decide where the boxes stand.
  const TCanvas measure(1, 1);
  const std::optional<TBankCell> cell =
      BankCellAt(ViewBoxes(Session.Image(), AreaWidth(), Session.ViewOptions(), measure), x, y);
  if (!cell) return {};
  return ValidUTF8(Session.ByteText(cell->kind, cell->bank, cell->offset));
}
