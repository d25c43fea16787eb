#include "command_line.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <utility>

#include "bank_layout.h"
#include "summary_format.h"

namespace {

// A name in a message: bytes that are not text show as replacement characters.
std::string Shown(const std::string& name) { return ValidUTF8(name); }

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

// "8K", "8k", "8KB" or "8192"; one of `sizes` (in bytes).
bool ParseBankSize(const std::string& text, std::span<const std::uint64_t> sizes, std::uint64_t& size) {
  std::size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
  if (!Digits(text.substr(0, digits), 6)) return false;
  const std::string unit = text.substr(digits);
  if (!unit.empty() && unit != "k" && unit != "K" && unit != "kb" && unit != "kB" && unit != "Kb" && unit != "KB")
    return false;
  size = std::strtoull(text.substr(0, digits).c_str(), nullptr, 10) * (unit.empty() ? 1 : 1024);
  return std::find(sizes.begin(), sizes.end(), size) != sizes.end();
}

bool TakeBankSize(const std::string& value, const char* option, std::span<const std::uint64_t> sizes,
                  std::uint64_t& field, std::string& error) {
  if (ParseBankSize(value, sizes, field)) return true;
  std::string offered;
  for (const std::uint64_t size : sizes) offered += (offered.empty() ? "" : ", ") + std::to_string(size / 1024) + "K";
  error = "bad bank size \"" + Shown(value) + "\" for " + option + ": expected " + offered;
  return false;
}

TCommandLine Fail(const std::string& error) {
  TCommandLine line;
  line.mode = TCommandLine::Mode::Error;
  line.error = error;
  return line;
}

// Options that stand alone.
struct TFlag {
  const char* name;
  bool TCommandLine::*field;
};
constexpr TFlag Flags[] = {
    {"--summary", &TCommandLine::summary},
    {"--json", &TCommandLine::json},
    {"--graph", &TCommandLine::graph},
    {"--markdown", &TCommandLine::markdown},
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
    {"--html",
     [](const std::string& value, TParsing& p, std::string& error) {
       return TakeFileName(value, "--html", p.line.htmlFile, error);
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
    {"--labels",
     [](const std::string& value, TParsing& p, std::string& error) {
       std::string name;
       if (!TakeFileName(value, "--labels", name, error)) return false;
       p.line.labelFiles.push_back(name);
       return true;
     }},
    {"--prg-bank-size",
     [](const std::string& value, TParsing& p, std::string& error) {
       return TakeBankSize(value, "--prg-bank-size", PRGBankSizes, p.line.prgBankSize, error);
     }},
    {"--chr-bank-size",
     [](const std::string& value, TParsing& p, std::string& error) {
       return TakeBankSize(value, "--chr-bank-size", CHRBankSizes, p.line.chrBankSize, error);
     }},
    {"--bank-sizes",
     [](const std::string& value, TParsing& p, std::string& error) {
       if (value == "mapper") {
         p.line.bankSizesFromMapper = true;
         return true;
       }
       error = "bad value \"" + Shown(value) + "\" for --bank-sizes: expected mapper";
       return false;
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
  else if (line.summary || !line.htmlFile.empty()) line.mode = TCommandLine::Mode::Summary;
  if (parsing.sizeGiven && !reportGiven) return Fail("--size needs --report");
  // Options that only shape the summary, in the order they are named.
  const std::pair<const char*, bool> summaryOnly[] = {
      {"--json", line.json},
      {"--graph", line.graph},
      {"--markdown", line.markdown},
      // The page shows the change too.
      {"--against", !line.against.empty() && line.htmlFile.empty()},
      {"--fail-below", line.failBelow.has_value()},
  };
  for (const auto& [option, given] : summaryOnly)
    if (given && !line.summary) return Fail(std::string(option) + " needs --summary");
  if (line.json && line.graph) return Fail("--graph draws bars in the text table, not in --json");
  if (line.markdown && (line.json || line.graph))
    return Fail(std::string("--markdown writes the summary as Markdown: it takes no ") +
                (line.json ? "--json" : "--graph"));
  if (!line.dbgFile.empty() && line.mode == TCommandLine::Mode::Window)
    return Fail("--dbg needs --summary or --report");
  if (line.segments && (line.dbgFile.empty() || !reportGiven))
    return Fail("--segments needs --report and --dbg");
  if (!line.cdlFiles.empty() && line.mode == TCommandLine::Mode::Window)
    return Fail("--cdl needs --summary or --report");
  if (line.play && (line.cdlFiles.empty() || !reportGiven))
    return Fail("--play needs --report and --cdl");
  if (!line.labelFiles.empty() && line.mode == TCommandLine::Mode::Window)
    return Fail("--labels needs --summary or --report");
  // The window starts in 16 KB and 8 KB banks always; its View menu changes them.
  const std::pair<const char*, bool> sizeOptions[] = {
      {"--prg-bank-size", line.prgBankSize != 0},
      {"--chr-bank-size", line.chrBankSize != 0},
      {"--bank-sizes", line.bankSizesFromMapper},
  };
  for (const auto& [option, given] : sizeOptions)
    if (given && line.mode == TCommandLine::Mode::Window)
      return Fail(std::string(option) + " needs --summary or --report");
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
         "      but the file lacks are missing. Under the title, what the whole\n"
         "      header says (iNES or NES 2.0), with a note where it says more than\n"
         "      the banks read: a trainer, NES 2.0 sizes, bytes after the last bank\n"
         "      (JSON: \"header\", \"trailing_bytes\").\n"
         "      --json         one JSON object instead of the table\n"
         "      --graph        a bar per row: # used, . free, - missing\n"
         "      --against OLD  add the change of used bytes per bank since OLD.nes\n"
         "                     (a bank OLD lacks counts from 0)\n"
         "      --fail-below BYTES\n"
         "                     exit with status 3 when a PRG bank has fewer free\n"
         "                     bytes, naming each such bank on standard error\n"
         "      --markdown     GitHub-flavoured Markdown instead of the table: one\n"
         "                     table of the banks, the rest folded in <details>\n"
         "      --summary and --report may be given together: one load, both.\n"
         "  voidscope --html OUT.html [--summary ...] [--report OUT.bmp ...]\n"
         "            [--against OLD.nes] [--dbg FILE.dbg] [--cdl FILE.cdl ...]\n"
         "            [--] FILE.nes\n"
         "      Also (or only) write one HTML page that needs no other file: the\n"
         "      title line, every bank's map (zoomable, the byte under the mouse\n"
         "      read out), the bank table (sortable by any column) and, as given,\n"
         "      the change since OLD.nes, the segments and the play logs, each\n"
         "      with a view of the maps to switch on.\n"
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
         "  voidscope (--summary | --report OUT.bmp) --labels FILE [--labels ...]\n"
         "            [other options] [--] FILE.nes\n"
         "      Also read label files of FILE.nes: Mesen's .mlb, or FCEUX's name\n"
         "      lists (FILE.nes.N.nl, one per 16 KB bank N; give each). The\n"
         "      summary adds, per bank, the labels with the most used bytes: a\n"
         "      label spans to the next one or its bank's end, or the range or\n"
         "      array size its file gives (JSON: \"labels\" per bank, each with\n"
         "      \"name\", \"offset\", \"size\", \"used\", and \"label_files\");\n"
         "      the report is unchanged.\n"
         "  voidscope (--summary | --report OUT.bmp) [--prg-bank-size 8K|16K|32K]\n"
         "            [--chr-bank-size 1K|2K|4K|8K] [--bank-sizes mapper]\n"
         "            [other options] [--] FILE.nes\n"
         "      Map and count the banks in the sizes the cartridge switches them\n"
         "      (default 16K PRG, 8K CHR): every figure per bank, the bars, the\n"
         "      change, --fail-below and the report's boxes follow them (JSON:\n"
         "      \"prg_bank_size\", \"chr_bank_size\"). The free bytes stay the same.\n"
         "      --bank-sizes mapper  the sizes the image's mapper switches (16K and\n"
         "                     8K for a mapper not in the table); a size given on\n"
         "                     its own wins over the mapper's\n"
         "  voidscope --help\n"
         "      This text.\n"
         "  voidscope --version\n"
         "      The program's name and version.\n"
         "  \"--\" ends the options, so that a file name may begin with a dash.\n"
         "Exit status: 0 success; 1 an image, a debug file, a play log or a label\n"
         "file cannot be loaded or used, or the picture or the page cannot be\n"
         "written; 2 a bad command line; 3 a PRG bank below --fail-below.\n";
}

std::string VersionText() { return "voidscope " VOIDSCOPE_VERSION "\n"; }
