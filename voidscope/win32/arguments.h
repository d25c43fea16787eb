// The program's arguments as Windows gives them (GetCommandLineW), as UTF-8,
// without the program's own name.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> CommandLineArguments();
