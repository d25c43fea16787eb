#include "command_line.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <span>
#include <utility>

#include "cart/bank_layout.h"

namespace {

QString Shown(const QByteArray& name) { return QFile::decodeName(name); }

constexpr int MaxSide = 16384;

bool ParseSize(const QString& text, int& width, int& height) {
  static const QRegularExpression form("^([0-9]{1,5})x([0-9]{1,5})$");
  const QRegularExpressionMatch match = form.match(text);
  if (!match.hasMatch()) return false;
  width = match.captured(1).toInt();
  height = match.captured(2).toInt();
  return width >= 1 && height >= 1 && width <= MaxSide && height <= MaxSide;
}

// Plain decimal digits only: no sign, no suffix, nothing a build script
// could mean otherwise.
bool ParseBytes(const QByteArray& text, std::uint64_t& bytes) {
  static const QRegularExpression form("^[0-9]{1,12}$");
  if (!form.match(QString::fromLatin1(text)).hasMatch()) return false;
  bytes = text.toULongLong();
  return true;
}

// "8K", "8k", "8KB" or "8192"; one of `sizes` (in bytes).
bool ParseBankSize(const QByteArray& text, std::span<const std::uint64_t> sizes, std::uint64_t& size) {
  static const QRegularExpression form("^([0-9]{1,6})([kK][bB]?)?$");
  const QRegularExpressionMatch match = form.match(QString::fromLatin1(text));
  if (!match.hasMatch()) return false;
  size = match.captured(1).toULongLong() * (match.captured(2).isEmpty() ? 1 : 1024);
  return std::find(sizes.begin(), sizes.end(), size) != sizes.end();
}

bool TakeBankSize(const QByteArray& value, const char* option, std::span<const std::uint64_t> sizes,
                  std::uint64_t& field, QString& error) {
  if (ParseBankSize(value, sizes, field)) return true;
  QStringList offered;
  for (const std::uint64_t size : sizes) offered << QString("%1K").arg(size / 1024);
  error = QString("bad bank size \"%1\" for %2: expected %3").arg(Shown(value), option, offered.join(", "));
  return false;
}

TCommandLine Fail(const QString& error) {
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
using TValueParser = bool (*)(const QByteArray& value, TParsing& parsing, QString& error);
struct TValueOption {
  const char* name;
  TValueParser parse;
};

bool TakeFileName(const QByteArray& value, const char* option, QByteArray& field, QString& error) {
  if (value.isEmpty()) {
    error = QString("%1 needs a file name").arg(option);
    return false;
  }
  field = value;
  return true;
}

const TValueOption ValueOptions[] = {
    {"--report",
     [](const QByteArray& value, TParsing& p, QString& error) {
       return TakeFileName(value, "--report", p.line.reportFile, error);
     }},
    {"--size",
     [](const QByteArray& value, TParsing& p, QString& error) {
       p.sizeGiven = true;
       if (ParseSize(Shown(value), p.line.width, p.line.height)) return true;
       error = QString("bad size \"%1\": expected WxH, each 1 to %2").arg(Shown(value)).arg(MaxSide);
       return false;
     }},
    {"--html",
     [](const QByteArray& value, TParsing& p, QString& error) {
       return TakeFileName(value, "--html", p.line.htmlFile, error);
     }},
    {"--against",
     [](const QByteArray& value, TParsing& p, QString& error) {
       return TakeFileName(value, "--against", p.line.against, error);
     }},
    {"--fail-below",
     [](const QByteArray& value, TParsing& p, QString& error) {
       std::uint64_t bytes = 0;
       if (!ParseBytes(value, bytes)) {
         error = QString("bad byte count \"%1\" for --fail-below: expected a whole number").arg(Shown(value));
         return false;
       }
       p.line.failBelow = bytes;
       return true;
     }},
    {"--dbg",
     [](const QByteArray& value, TParsing& p, QString& error) {
       return TakeFileName(value, "--dbg", p.line.dbgFile, error);
     }},
    {"--cdl",
     [](const QByteArray& value, TParsing& p, QString& error) {
       QByteArray name;
       if (!TakeFileName(value, "--cdl", name, error)) return false;
       p.line.cdlFiles << name;
       return true;
     }},
    {"--labels",
     [](const QByteArray& value, TParsing& p, QString& error) {
       QByteArray name;
       if (!TakeFileName(value, "--labels", name, error)) return false;
       p.line.labelFiles << name;
       return true;
     }},
    {"--prg-bank-size",
     [](const QByteArray& value, TParsing& p, QString& error) {
       return TakeBankSize(value, "--prg-bank-size", PRGBankSizes, p.line.prgBankSize, error);
     }},
    {"--chr-bank-size",
     [](const QByteArray& value, TParsing& p, QString& error) {
       return TakeBankSize(value, "--chr-bank-size", CHRBankSizes, p.line.chrBankSize, error);
     }},
    {"--bank-sizes",
     [](const QByteArray& value, TParsing& p, QString& error) {
       if (value == "mapper") {
         p.line.bankSizesFromMapper = true;
         return true;
       }
       error = QString("bad value \"%1\" for --bank-sizes: expected mapper").arg(Shown(value));
       return false;
     }},
};

const TFlag* FindFlag(const QByteArray& arg) {
  for (const TFlag& flag : Flags)
    if (arg == flag.name) return &flag;
  return nullptr;
}

const TValueOption* FindValueOption(const QByteArray& arg) {
  for (const TValueOption& option : ValueOptions)
    if (arg == option.name) return &option;
  return nullptr;
}

bool IsOption(const QByteArray& arg) {
  return arg == "--help" || arg == "-h" || arg == "--version" || arg == "--" || FindFlag(arg) ||
         FindValueOption(arg);
}

}  // namespace

TCommandLine ParseCommandLine(const QByteArrayList& args) {
  TParsing parsing;
  TCommandLine& line = parsing.line;
  // The plain form: the first argument is the file, whatever it looks like.
  if (args.isEmpty()) return line;
  if (!IsOption(args.first())) {
    line.file = args.first();
    return line;
  }

  bool fileGiven = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QByteArray& arg = args[i];
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
      QString error;
      if (!option->parse(args[++i], parsing, error)) return Fail(error);
      continue;
    }
    // Everything after "--" is a file name, even when it starts with a dash.
    const bool afterDashes = arg == "--";
    if (afterDashes && ++i >= args.size()) break;
    const QByteArray& name = args[i];
    if (!afterDashes && name.startsWith('-') && name.size() > 1)
      return Fail(QString("unknown option \"%1\"").arg(Shown(name)));
    if (fileGiven) return Fail(QString("more than one file given (\"%1\")").arg(Shown(name)));
    line.file = name;
    fileGiven = true;
    if (afterDashes && i + 1 < args.size())
      return Fail(QString("more than one file given (\"%1\")").arg(Shown(args[i + 1])));
    if (afterDashes) break;
  }
  const bool reportGiven = !line.reportFile.isEmpty();
  if (reportGiven) line.mode = TCommandLine::Mode::Report;
  else if (line.summary || !line.htmlFile.isEmpty()) line.mode = TCommandLine::Mode::Summary;
  if (parsing.sizeGiven && !reportGiven) return Fail("--size needs --report");
  // Options that only shape the summary, in the order they are named.
  const std::pair<const char*, bool> summaryOnly[] = {
      {"--json", line.json},
      {"--graph", line.graph},
      {"--markdown", line.markdown},
      // The page shows the change too.
      {"--against", !line.against.isEmpty() && line.htmlFile.isEmpty()},
      {"--fail-below", line.failBelow.has_value()},
  };
  for (const auto& [option, given] : summaryOnly)
    if (given && !line.summary) return Fail(QString("%1 needs --summary").arg(option));
  if (line.json && line.graph) return Fail("--graph draws bars in the text table, not in --json");
  if (line.markdown && (line.json || line.graph))
    return Fail(QString("--markdown writes the summary as Markdown: it takes no %1")
                    .arg(line.json ? "--json" : "--graph"));
  if (!line.dbgFile.isEmpty() && line.mode == TCommandLine::Mode::Window)
    return Fail("--dbg needs --summary or --report");
  if (line.segments && (line.dbgFile.isEmpty() || !reportGiven))
    return Fail("--segments needs --report and --dbg");
  if (!line.cdlFiles.isEmpty() && line.mode == TCommandLine::Mode::Window)
    return Fail("--cdl needs --summary or --report");
  if (line.play && (line.cdlFiles.isEmpty() || !reportGiven))
    return Fail("--play needs --report and --cdl");
  if (!line.labelFiles.isEmpty() && line.mode == TCommandLine::Mode::Window)
    return Fail("--labels needs --summary or --report");
  // The window starts in 16 KB and 8 KB banks always; its View menu changes them.
  const std::pair<const char*, bool> sizeOptions[] = {
      {"--prg-bank-size", line.prgBankSize != 0},
      {"--chr-bank-size", line.chrBankSize != 0},
      {"--bank-sizes", line.bankSizesFromMapper},
  };
  for (const auto& [option, given] : sizeOptions)
    if (given && line.mode == TCommandLine::Mode::Window)
      return Fail(QString("%1 needs --summary or --report").arg(option));
  if (line.mode != TCommandLine::Mode::Window && !fileGiven) return Fail("no NES file given");
  return line;
}

QString UsageText() {
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

QString VersionText() { return QStringLiteral("voidscope " VOIDSCOPE_VERSION "\n"); }
