// The report of the command line: the picture the window would show,
// drawn with GDI without a window and written by the shared BMP writer.
#pragma once

#include "cart/command_line.h"
#include "cart/nes_image.h"
#include "cart/view_options.h"

// False after a message on standard error.
bool WriteReportPicture(const TCommandLine& line, const TNESImage& image, const TViewOptions& view);
