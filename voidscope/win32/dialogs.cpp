#include "dialogs.h"

#include <commdlg.h>

#include <vector>

#include "cart/wide_text.h"

namespace {

// Room for the longest path the system takes (long paths are on).
constexpr DWORD NameRoom = 32768;

struct TFileDialog {
  const wchar_t* title = nullptr;
  const wchar_t* filter = nullptr;  // pairs, each part ended by a NUL
  const wchar_t* defaultExtension = nullptr;
  const wchar_t* initialDir = nullptr;
  DWORD flags = 0;
};

bool Execute(HWND owner, const TFileDialog& dialog, bool save, std::string& fileName) {
  std::vector<wchar_t> name(NameRoom, L'\0');
  const std::wstring given = WideFromUTF8(fileName);
  if (given.size() < NameRoom) given.copy(name.data(), given.size());
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = dialog.filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = NameRoom;
  ofn.lpstrTitle = dialog.title;
  ofn.lpstrDefExt = dialog.defaultExtension;
  ofn.lpstrInitialDir = dialog.initialDir;
  ofn.Flags = OFN_EXPLORER | dialog.flags;
  if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return false;
  fileName = UTF8FromWide(name.data());
  return true;
}

// The View menu's dialogs: a file that exists, of one kind or any.
bool OpenExisting(HWND owner, const wchar_t* title, const wchar_t* filter, std::string& fileName) {
  TFileDialog dialog;
  dialog.title = title;
  dialog.filter = filter;
  dialog.flags = OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
  return Execute(owner, dialog, false, fileName);
}

}  // namespace

bool ExecuteOpenNES(HWND owner, std::string& fileName) {
  // Resizable, and nothing else: the read-only box shows and a name that
  // does not exist is accepted (the load then fails).
  TFileDialog OpenDialogNES;
  OpenDialogNES.title = L"Open NES file";
  OpenDialogNES.filter = L"NES files (*.nes)\0*.nes\0All files (*.*)\0*.*\0";
  OpenDialogNES.defaultExtension = L"nes";
  OpenDialogNES.flags = OFN_ENABLESIZING;
  return Execute(owner, OpenDialogNES, false, fileName);
}

bool ExecuteSaveReport(HWND owner, std::string& fileName) {
  // Starts in the current folder; no default extension and no question
  // before an existing file is replaced.
  TFileDialog SavePictureDialogReport;
  SavePictureDialogReport.filter = L"Bitmaps (*.bmp)\0*.bmp\0All files (*.*)\0*.*\0";
  SavePictureDialogReport.initialDir = L".";
  SavePictureDialogReport.flags = OFN_ENABLESIZING | OFN_HIDEREADONLY;
  fileName.clear();
  return Execute(owner, SavePictureDialogReport, true, fileName);
}

bool ExecuteOpenDbg(HWND owner, std::string& fileName) {
  return OpenExisting(owner, L"Open debug file", L"Linker debug files (*.dbg)\0*.dbg\0All files (*.*)\0*.*\0",
                      fileName);
}

bool ExecuteOpenCdl(HWND owner, std::string& fileName) {
  return OpenExisting(owner, L"Add play log", L"Code/data logs (*.cdl)\0*.cdl\0All files (*.*)\0*.*\0", fileName);
}

bool ExecuteOpenLabels(HWND owner, std::string& fileName) {
  return OpenExisting(owner, L"Open label file",
                      L"Label files (*.mlb;*.nl)\0*.mlb;*.nl\0All files (*.*)\0*.*\0", fileName);
}

void ShowError(HWND owner, const std::string& message) {
  MessageBoxW(owner, WideFromUTF8(message).c_str(), ApplicationTitle, MB_OK | MB_ICONERROR);
}
