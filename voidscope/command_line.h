// voidscope's command line: the window on an optional file, or a report
// drawn straight to a BMP file.
#pragma once

#include <QString>
#include <QStringList>

struct TCommandLine {
  enum class Mode { Window, Report, Help, Error };
  Mode mode = Mode::Window;
  QString file;        // the image (may be empty in window mode)
  QString reportFile;  // --report OUT
  int width = 649;     // --size WxH
  int height = 505;
  QString error;       // what is wrong, for Mode::Error
};

// `args` without the program name.
TCommandLine ParseCommandLine(const QStringList& args);
QString UsageText();
