// FormMain: the one window of voidscope on Windows. It holds the current
// file name and the watch; the image and its analysis belong to TNESImage.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "cart/nes_image.h"
#include "cart/session.h"

class TFormMain {
 public:
  // firstArgument: the first command-line argument, loaded when not empty.
  TFormMain(HINSTANCE instance, const std::string& firstArgument);
  ~TFormMain();
  TFormMain(const TFormMain&) = delete;
  TFormMain& operator=(const TFormMain&) = delete;

  HWND Handle() const { return Window; }
  HMENU Menu() const { return MainMenu; }
  // OpenDialogNES's file name: the current file of the whole program.
  const std::string& FileName() const { return Session.FileName(); }
  const TNESImage& Image() const { return Session.Image(); }
  bool Watching() const { return TimerWatchRunning; }
  // How the maps cut the banks now (View > Bank size).
  TBankSizes BankSizes() const { return Session.BankSizes(); }
  // The label files read with the held image (none: Empty()).
  const TImageLabels& Labels() const { return Session.Labels(); }
  // The message loop, with the window's shortcut keys; the exit status.
  int Run();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void BuildMenu();
  void Command(int id);

  void FormCreate(const std::string& firstArgument);
  void FormDestroy();
  void FormPaint();
  void MOpenClick();
  void MReloadClick();
  void MWatchClick();
  void MSaveReportClick();
  void MSegmentsClick();
  void MOpenDbgClick();
  void MPlayLogClick();
  void MAddCdlClick();
  void MOpenLabelsClick();
  void MBankSizeClick(int id);
  void MMapperSizesClick();
  void CheckBankSizes();
  void TimerWatchTimer();
  void WMDropFiles(HDROP drop);
  void PaintBoxInfoMouseMove(int x, int y);
  void PaintBoxInfoMouseLeave();

  // The drawing area: the client area above the status line.
  int AreaWidth() const;
  int AreaHeight() const;
  void Redraw();
  bool TakeFile(const std::string& name);
  bool Load();
  void ShowNotes();
  std::string ByteUnder(int x, int y) const;
  void ShowHover();

  HINSTANCE Instance;
  HWND Window = nullptr;
  HMENU MainMenu = nullptr;
  HMENU MView = nullptr;
  HMENU MBankSize = nullptr;
  HACCEL Shortcuts = nullptr;
  HWND StatusBarNotes = nullptr;  // shown only while a note says why something is not used
  HWND HoverTip = nullptr;
  bool TimerWatchRunning = false;
  bool SegmentsChecked = false;
  bool PlayLogChecked = false;

  // The image, what is read with it, the watch's decision and the views.
  TSession Session;
  bool Hovering = false;
  int HoverX = 0;
  int HoverY = 0;
  std::wstring HoverTextShown;
};
