// Start-up on Windows: the window, or a report and a summary made without
// one. The program is built for the window subsystem, so that starting it
// from Explorer opens no console; the command-line modes write to the
// console or the files they are started with (see console.h).
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "UnitMain.h"
#include "arguments.h"
#include "cart/command_line.h"
#include "cart/command_modes.h"
#include "console.h"
#include "dialogs.h"
#include "report_picture.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const TCommandLine line = ParseCommandLine(CommandLineArguments());
  if (line.mode != TCommandLine::Mode::Window) {
    UseParentConsole();
    const int status =
        RunCommandMode(line, [&](const TNESImage& image, const TViewOptions& view) {
          return WriteReportPicture(line, image, view);
        });
    std::fflush(stdout);
    std::fflush(stderr);
    return status;
  }
  try {
    TFormMain FormMain(instance, line.file);
    return FormMain.Run();
  } catch (const std::exception& error) {
    ShowError(nullptr, error.what());
  } catch (...) {
    ShowError(nullptr, "");
  }
  return 1;
}
