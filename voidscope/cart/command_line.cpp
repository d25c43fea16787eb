#include "command_line.h"

#include <cstdlib>
#include <utility>

#include "summary_format.h"

namespace {

constexpr int MaxSide = 16384;

// 1 to `most` plain decimal digits, the whole text.
bool Digits(const std::string& text, std::size_t most) {
  if (text.empty() || text.size() > most) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) return false;
  const std::string w = text.substr(0, x), h = text.substr(x + 1);
  if (!Digits(w, 5) || !Digits(h, 5)) return false;
  width = std::atoi(w.c_str());
  height = std::atoi(h.c_str());
  return width >= 1 && height >= 1 && width <= MaxSide && height <= MaxSide;
}

// Plain decimal digits only: no sign, no suffix, nothing a build script
// could mean otherwise.
bool ParseBytes(const std::string& text, std::uint64_t& bytes) {
  if (!Digits(text, 12)) return false;
  bytes = std::strtoull(text.c_str(), nullptr, 10);
  return true;
}

TCommandLine Fail(const std::string& error) {
  TCommandLine line;
  line.mode = TCommandLine::Mode::Error;
  line.error = error;
  return line;
}

// A name in a message: bytes that are not text show as replacement characters.
std::string Shown(const std::string& name) { return ValidUTF8(name); }

// Options that stand alone.
struct TFlag {
  const char* name;
  bool TCommandLine::*field;
};
constexpr TFlag Flags[] = {
    {"--summary", &TCommandLine::summary},
    {"--json", &TCommandLine::json},
    {"--graph", &TCommandLine::graph},
    {"--segments", &TCommandLine::segments},
    {"--play", &TCommandLine::play},
};

// Options that take the next argument as their value, each checked by its
// own function: false and `error` when the value will not do.
struct TParsing {
  TCommandLine line;
  bool sizeGiven = false;
};
using TValueParser = bool (*)(const std::string& value, TParsing& parsing, std::string& error);
struct TValueOption {
  const char* name;
  TValueParser parse;
};

bool TakeFileName(const std::string& value, const char* option, std::string& field, std::string& error) {
  if (value.empty()) {
    error = std::string(option) + " needs a file name";
    return false;
  }
  field = value;
  return true;
}

const TValueOption ValueOptions[] = {
    {"--report",
     [](const std::string& value, TParsing& p, std::string& error) {
       return TakeFileName(value, "--report", p.line.reportFile, error);
     }},
    {"--size",
     [](const std::string& value, TParsing& p, std::string& error) {
       p.sizeGiven = true;
       if (ParseSize(Shown(value), p.line.width, p.line.height)) return true;
       error = "bad size \"" + Shown(value) + "\": expected WxH, each 1 to " + std::to_string(MaxSide);
       return false;
     }},
    {"--against",
     [](const std::string& value, TParsing& p, std::string& error) {
       return TakeFileName(value, "--against", p.line.against, error);
     }},
    {"--fail-below",
     [](const std::string& value, TParsing& p, std::string& error) {
       std::uint64_t bytes = 0;
       if (!ParseBytes(value, bytes)) {
         error = "bad byte count \"" + Shown(value) + "\" for --fail-below: expected a whole number";
         return false;
       }
       p.line.failBelow = bytes;
       return true;
     }},
    {"--dbg",
     [](const std::string& value, TParsing& p, std::string& error) {
       return TakeFileName(value, "--dbg", p.line.dbgFile, error);
     }},
    {"--cdl",
     [](const std::string& value, TParsing& p, std::string& error) {
       std::string name;
       if (!TakeFileName(value, "--cdl", name, error)) return false;
       p.line.cdlFiles.push_back(name);
       return true;
     }},
};

const TFlag* FindFlag(const std::string& arg) {
  for (const TFlag& flag : Flags)
    if (arg == flag.name) return &flag;
  return nullptr;
}

const TValueOption* FindValueOption(const std::string& arg) {
  for (const TValueOption& option : ValueOptions)
    if (arg == option.name) return &option;
  return nullptr;
}

bool IsOption(const std::string& arg) {
  return arg == "--help" || arg == "-h" || arg == "--version" || arg == "--" || FindFlag(arg) ||
         FindValueOption(arg);
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  TParsing parsing;
  TCommandLine& line = parsing.line;
  // The plain form: the first argument is the file, whatever it looks like.
  if (args.empty()) return line;
  if (!IsOption(args.front())) {
    line.file = args.front();
    return line;
  }

  bool fileGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      line.mode = TCommandLine::Mode::Help;
      return line;
    }
    if (arg == "--version") {
      line.mode = TCommandLine::Mode::Version;
      return line;
    }
    if (const TFlag* flag = FindFlag(arg)) {
      line.*(flag->field) = true;
      continue;
    }
    if (const TValueOption* option = FindValueOption(arg)) {
      if (i + 1 >= args.size()) return Fail(Shown(arg) + " needs a value");
      std::string error;
      if (!option->parse(args[++i], parsing, error)) return Fail(error);
      continue;
    }
    // Everything after "--" is a file name, even when it starts with a dash.
    const bool afterDashes = arg == "--";
    if (afterDashes && ++i >= args.size()) break;
    const std::string& name = args[i];
    if (!afterDashes && name.starts_with('-') && name.size() > 1)
      return Fail("unknown option \"" + Shown(name) + "\"");
    if (fileGiven) return Fail("more than one file given (\"" + Shown(name) + "\")");
    line.file = name;
    fileGiven = true;
    if (afterDashes && i + 1 < args.size())
      return Fail("more than one file given (\"" + Shown(args[i + 1]) + "\")");
    if (afterDashes) break;
  }
  const bool reportGiven = !line.reportFile.empty();
  if (reportGiven) line.mode = TCommandLine::Mode::Report;
  else if (line.summary) line.mode = TCommandLine::Mode::Summary;
  if (parsing.sizeGiven && !reportGiven) return Fail("--size needs --report");
  // Options that only shape the summary, in the order they are named.
  const std::pair<const char*, bool> summaryOnly[] = {
      {"--json", line.json},
      {"--graph", line.graph},
      {"--against", !line.against.empty()},
      {"--fail-below", line.failBelow.has_value()},
  };
  for (const auto& [option, given] : summaryOnly)
    if (given && !line.summary) return Fail(std::string(option) + " needs --summary");
  if (line.json && line.graph) return Fail("--graph draws bars in the text table, not in --json");
  if (!line.dbgFile.empty() && line.mode == TCommandLine::Mode::Window)
    return Fail("--dbg needs --summary or --report");
  if (line.segments && (line.dbgFile.empty() || !reportGiven))
    return Fail("--segments needs --report and --dbg");
  if (!line.cdlFiles.empty() && line.mode == TCommandLine::Mode::Window)
    return Fail("--cdl needs --summary or --report");
  if (line.play && (line.cdlFiles.empty() || !reportGiven))
    return Fail("--play needs --report and --cdl");
  if (line.mode != TCommandLine::Mode::Window && !fileGiven) return Fail("no NES file given");
  return line;
}

std::string UsageText() {
  return "Usage:\n"
         "  voidscope [FILE.nes]\n"
         "      Open the window, on FILE.nes if given.\n"
         "  voidscope --report OUT.bmp [--size WxH] [--] FILE.nes\n"
         "      Draw what the window would show for FILE.nes at a drawing area of\n"
         "      W x H pixels (default 649x505) and write it to OUT.bmp as a BMP\n"
         "      picture, whatever its extension, without opening a window.\n"
         "  voidscope --summary [--json] [--graph] [--against OLD.nes]\n"
         "            [--fail-below BYTES] [--] FILE.nes\n"
         "      Print one row per PRG bank, then per CHR bank: file offsets, size,\n"
         "      used and free bytes with their shares, and the largest free run\n"
         "      (length and offset in the bank). A PRG byte is free when it equals\n"
         "      the empty byte, a CHR byte when it is $00; bytes the header names\n"
         "      but the file lacks are missing.\n"
         "      --json         one JSON object instead of the table\n"
         "      --graph        a bar per row: # used, . free, - missing\n"
         "      --against OLD  add the change of used bytes per bank since OLD.nes\n"
         "                     (a bank OLD lacks counts from 0)\n"
         "      --fail-below BYTES\n"
         "                     exit with status 3 when a PRG bank has fewer free\n"
         "                     bytes, naming each such bank on standard error\n"
         "      --summary and --report may be given together: one load, both.\n"
         "  voidscope (--summary | --report OUT.bmp) --dbg FILE.dbg [--segments]\n"
         "            [other options] [--] FILE.nes\n"
         "      Also read the linker's debug file (ld65 --dbgfile) whose output is\n"
         "      FILE.nes: the summary adds a table of the segments in each bank,\n"
         "      their free bytes and the used bytes outside them (JSON:\n"
         "      \"segments\", \"used_outside_segments\", \"debug_file\",\n"
         "      \"outside_banks\"); the report is unchanged unless:\n"
         "      --segments     with --report: draw each segment's used bytes in\n"
         "                     a colour of its own, with a legend\n"
         "  voidscope (--summary | --report OUT.bmp) --cdl FILE.cdl [--cdl ...]\n"
         "            [--play] [other options] [--] FILE.nes\n"
         "      Also read emulators' code/data logs of FILE.nes, merged: the\n"
         "      summary adds what the logs reached in each bank and the used\n"
         "      bytes that no log reached (JSON: \"reached\", \"never_reached\",\n"
         "      \"code\", \"data\", \"drawn\", \"read\", \"play_logs\"); --against\n"
         "      and --fail-below are unchanged by logs; the report is unchanged\n"
         "      unless:\n"
         "      --play         with --report: used bytes no log reached in a\n"
         "                     colour of their own, code and data in two shades\n"
         "                     of green, with a legend\n"
         "      A log is raw (one flag byte per PRG byte, then per CHR ROM byte)\n"
         "      or headed (\"CDLv2\" and the CRC-32 of the PRG bytes first).\n"
         "  voidscope --help\n"
         "      This text.\n"
         "  voidscope --version\n"
         "      The program's name and version.\n"
         "  \"--\" ends the options, so that a file name may begin with a dash.\n"
         "Exit status: 0 success; 1 an image, a debug file or a play log cannot\n"
         "be loaded or used, or the picture cannot be written; 2 a bad command\n"
         "line; 3 a PRG bank below --fail-below.\n";
}

std::string VersionText() { return "voidscope " VOIDSCOPE_VERSION "\n"; }
