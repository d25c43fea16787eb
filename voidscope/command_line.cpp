#include "command_line.h"

#include <QFile>
#include <QRegularExpression>

namespace {

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

bool TakesValue(const QByteArray& arg) {
  return arg == "--report" || arg == "--size" || arg == "--against" || arg == "--fail-below";
}

bool IsOption(const QByteArray& arg) {
  return arg == "--help" || arg == "-h" || arg == "--" || arg == "--summary" || arg == "--json" ||
         arg == "--graph" || TakesValue(arg);
}

TCommandLine Fail(const QString& error) {
  TCommandLine line;
  line.mode = TCommandLine::Mode::Error;
  line.error = error;
  return line;
}

QString Shown(const QByteArray& name) { return QFile::decodeName(name); }

}  // namespace

TCommandLine ParseCommandLine(const QByteArrayList& args) {
  TCommandLine line;
  // The plain form: the first argument is the file, whatever it looks like.
  if (args.isEmpty()) return line;
  if (!IsOption(args.first())) {
    line.file = args.first();
    return line;
  }

  bool sizeGiven = false;
  bool fileGiven = false;
  bool reportGiven = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QByteArray& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      line.mode = TCommandLine::Mode::Help;
      return line;
    }
    if (arg == "--summary" || arg == "--json" || arg == "--graph") {
      (arg == "--summary" ? line.summary : arg == "--json" ? line.json : line.graph) = true;
      continue;
    }
    if (TakesValue(arg)) {
      if (i + 1 >= args.size()) return Fail(Shown(arg) + " needs a value");
      const QByteArray& value = args[++i];
      if (arg == "--report") {
        if (value.isEmpty()) return Fail("--report needs a file name");
        line.reportFile = value;
        reportGiven = true;
      } else if (arg == "--against") {
        if (value.isEmpty()) return Fail("--against needs a file name");
        line.against = value;
      } else if (arg == "--fail-below") {
        std::uint64_t bytes = 0;
        if (!ParseBytes(value, bytes))
          return Fail(QString("bad byte count \"%1\" for --fail-below: expected a whole number")
                          .arg(Shown(value)));
        line.failBelow = bytes;
      } else {
        if (!ParseSize(Shown(value), line.width, line.height))
          return Fail(QString("bad size \"%1\": expected WxH, each 1 to %2")
                          .arg(Shown(value))
                          .arg(MaxSide));
        sizeGiven = true;
      }
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
  if (reportGiven) line.mode = TCommandLine::Mode::Report;
  else if (line.summary) line.mode = TCommandLine::Mode::Summary;
  if (sizeGiven && !reportGiven) return Fail("--size needs --report");
  const char* needsSummary = line.json                ? "--json"
                            : line.graph             ? "--graph"
                            : !line.against.isEmpty() ? "--against"
                            : line.failBelow         ? "--fail-below"
                                                     : nullptr;
  if (!line.summary && needsSummary) return Fail(QString("%1 needs --summary").arg(needsSummary));
  if (line.json && line.graph) return Fail("--graph draws bars in the text table, not in --json");
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
         "      but the file lacks are missing.\n"
         "      --json         one JSON object instead of the table\n"
         "      --graph        a bar per row: # used, . free, - missing\n"
         "      --against OLD  add the change of used bytes per bank since OLD.nes\n"
         "                     (a bank OLD lacks counts from 0)\n"
         "      --fail-below BYTES\n"
         "                     exit with status 3 when a PRG bank has fewer free\n"
         "                     bytes, naming each such bank on standard error\n"
         "      --summary and --report may be given together: one load, both.\n"
         "  voidscope --help\n"
         "      This text.\n"
         "  \"--\" ends the options, so that a file name may begin with a dash.\n"
         "Exit status: 0 success; 1 an image cannot be loaded or the picture\n"
         "cannot be written; 2 a bad command line; 3 a PRG bank below --fail-below.\n";
}
