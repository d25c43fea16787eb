// The window's modal dialogs and its error box, on the Windows common
// dialogs. File names are UTF-8 on both sides.
#pragma once

#include <windows.h>

#include <string>

bool ExecuteOpenNES(HWND owner, std::string& fileName);
bool ExecuteSaveReport(HWND owner, std::string& fileName);
bool ExecuteOpenDbg(HWND owner, std::string& fileName);
bool ExecuteOpenCdl(HWND owner, std::string& fileName);
bool ExecuteOpenLabels(HWND owner, std::string& fileName);
// The standard error box, headed by the application title.
void ShowError(HWND owner, const std::string& message);

inline constexpr wchar_t ApplicationTitle[] = L"NES Voidscope";
