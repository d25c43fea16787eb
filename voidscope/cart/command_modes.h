// The command-line modes that need no window: the usage, the version, a
// bad command line, the summary and the report, with the debug file and
// the play logs, through the same session as the window. No toolkit: the
// front end only draws and writes the report picture.
#pragma once

#include <functional>

#include "command_line.h"
#include "nes_image.h"
#include "view_options.h"

// Draws the picture the window would show for `image` at the command line's
// size with `view`, and writes it to the command line's report file; false
// after a message on standard error.
using TWriteReport = std::function<bool(const TNESImage& image, const TViewOptions& view)>;

// Any mode but the window. Messages go to standard error, the usage, the
// version and the summary to standard output. Returns the exit status.
int RunCommandMode(const TCommandLine& line, const TWriteReport& writeReport);
