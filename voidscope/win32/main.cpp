// Start-up on Windows: the window, or a report and a summary made without
// one. The program is built for the window subsystem, so that starting it
// from Explorer opens no console.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "UnitMain.h"
#include "arguments.h"
#include "dialogs.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const std::vector<std::string> args = CommandLineArguments();
  try {
    TFormMain FormMain(instance, args.empty() ? std::string() : args.front());
    return FormMain.Run();
  } catch (const std::exception& error) {
    ShowError(nullptr, error.what());
  } catch (...) {
    ShowError(nullptr, "");
  }
  return 1;
}
