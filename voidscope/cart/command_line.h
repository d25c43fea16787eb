// voidscope's command line: the window on an optional file, a report drawn
// straight to a BMP file, a per-bank summary, or both of the last two.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// File names are kept as the bytes they came in: on Linux a path is a byte
// string, and one that is not valid text must still open; on Windows they
// are UTF-8. No toolkit: the Qt window and the Windows one share it.
struct TCommandLine {
  enum class Mode { Window, Report, Summary, Help, Version, Error };
  // Report: --report, with or without --summary; Summary: --summary, --html
  // or both
  Mode mode = Mode::Window;
  std::string file;           // the image (may be empty in window mode)
  std::string reportFile;     // --report OUT
  int width = 649;           // --size WxH
  int height = 505;
  bool summary = false;      // --summary
  bool json = false;         // --json
  bool graph = false;        // --graph
  bool markdown = false;     // --markdown
  std::string htmlFile;       // --html OUT.html
  std::string against;        // --against OLD
  std::optional<std::uint64_t> failBelow;  // --fail-below BYTES
  std::string dbgFile;        // --dbg FILE.dbg
  bool segments = false;     // --segments
  std::vector<std::string> cdlFiles;   // --cdl FILE, each time it is given
  bool play = false;         // --play
  std::vector<std::string> labelFiles; // --labels FILE, each time it is given
  // --prg-bank-size, --chr-bank-size in bytes (0: not given) and
  // --bank-sizes mapper.
  std::uint64_t prgBankSize = 0;
  std::uint64_t chrBankSize = 0;
  bool bankSizesFromMapper = false;
  std::string error;             // what is wrong, for Mode::Error
};

// `args` without the program name.
TCommandLine ParseCommandLine(const std::vector<std::string>& args);
std::string UsageText();
// "voidscope 1.0" and a newline.
std::string VersionText();
