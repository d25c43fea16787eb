#include "report_picture.h"

#include <cstdio>
#include <string>

#include "cart/bmp_file.h"
#include "cart/summary_format.h"
#include "gdi_canvas.h"

bool WriteReportPicture(const TCommandLine& line, const TNESImage& image, const TViewOptions& view) {
  TCanvas canvas(line.width, line.height);
  std::string error;
  if (!canvas.Valid()) {
    error = "Cannot write the report \"" + line.reportFile + "\": The picture could not be created.";
  } else {
    DrawInfo(canvas, image, ValidUTF8(line.file), line.width, line.height, view);
    if (WriteBMP(line.reportFile, line.width, line.height, canvas.Pixels(), static_cast<std::size_t>(line.width),
                 error))
      return true;
  }
  std::fputs(("voidscope: " + error + "\n").c_str(), stderr);
  return false;
}
