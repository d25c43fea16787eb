// voidscope's command line: the window on an optional file, a report drawn
// straight to a BMP file, a per-bank summary, or both of the last two.
#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <cstdint>
#include <optional>

// File names are kept as the bytes they came in: on this platform a path is
// a byte string, and one that is not valid text must still open.
struct TCommandLine {
  enum class Mode { Window, Report, Summary, Help, Version, Error };
  // Report: --report, with or without --summary; Summary: --summary, --html
  // or both
  Mode mode = Mode::Window;
  QByteArray file;           // the image (may be empty in window mode)
  QByteArray reportFile;     // --report OUT
  int width = 649;           // --size WxH
  int height = 505;
  bool summary = false;      // --summary
  bool json = false;         // --json
  bool graph = false;        // --graph
  bool markdown = false;     // --markdown
  QByteArray htmlFile;       // --html OUT.html
  QByteArray against;        // --against OLD
  std::optional<std::uint64_t> failBelow;  // --fail-below BYTES
  QByteArray dbgFile;        // --dbg FILE.dbg
  bool segments = false;     // --segments
  QByteArrayList cdlFiles;   // --cdl FILE, each time it is given
  bool play = false;         // --play
  QByteArrayList labelFiles; // --labels FILE, each time it is given
  // --prg-bank-size, --chr-bank-size in bytes (0: not given) and
  // --bank-sizes mapper.
  std::uint64_t prgBankSize = 0;
  std::uint64_t chrBankSize = 0;
  bool bankSizesFromMapper = false;
  QString error;             // what is wrong, for Mode::Error
};

// `args` without the program name.
TCommandLine ParseCommandLine(const QByteArrayList& args);
QString UsageText();
// "voidscope 1.0" and a newline.
QString VersionText();
