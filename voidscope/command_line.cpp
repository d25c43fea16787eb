#include "command_line.h"

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

bool IsOption(const QString& arg) {
  return arg == "--help" || arg == "-h" || arg == "--report" || arg == "--size" || arg == "--";
}

TCommandLine Fail(const QString& error) {
  TCommandLine line;
  line.mode = TCommandLine::Mode::Error;
  line.error = error;
  return line;
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& args) {
  TCommandLine line;
  // The plain form: the first argument is the file, whatever it looks like.
  if (args.isEmpty()) return line;
  if (!IsOption(args.first())) {
    line.file = args.first();
    return line;
  }

  bool sizeGiven = false;
  bool fileGiven = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      line.mode = TCommandLine::Mode::Help;
      return line;
    }
    if (arg == "--report" || arg == "--size") {
      if (i + 1 >= args.size()) return Fail(arg + " needs a value");
      const QString& value = args[++i];
      if (arg == "--report") {
        line.mode = TCommandLine::Mode::Report;
        line.reportFile = value;
        if (value.isEmpty()) return Fail("--report needs a file name");
      } else {
        if (!ParseSize(value, line.width, line.height))
          return Fail(QString("bad size \"%1\": expected WxH, each 1 to %2").arg(value).arg(MaxSide));
        sizeGiven = true;
      }
      continue;
    }
    // Everything after "--" is a file name, even when it starts with a dash.
    const bool afterDashes = arg == "--";
    if (afterDashes && ++i >= args.size()) break;
    const QString& name = args[i];
    if (!afterDashes && name.startsWith('-') && name.size() > 1)
      return Fail(QString("unknown option \"%1\"").arg(name));
    if (fileGiven) return Fail(QString("more than one file given (\"%1\")").arg(name));
    line.file = name;
    fileGiven = true;
    if (afterDashes && i + 1 < args.size())
      return Fail(QString("more than one file given (\"%1\")").arg(args[i + 1]));
    if (afterDashes) break;
  }
  if (sizeGiven && line.mode != TCommandLine::Mode::Report) return Fail("--size needs --report");
  if (line.mode == TCommandLine::Mode::Report && !fileGiven) return Fail("no NES file given");
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
         "      Exit status 0 on success, 1 when the image cannot be loaded or\n"
         "      the picture cannot be written, 2 on a bad command line.\n"
         "  voidscope --help\n"
         "      This text.\n"
         "  \"--\" ends the options, so that a file name may begin with a dash.\n";
}
