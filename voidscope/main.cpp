// Start-up: the window, or a report and a summary made without one.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>

#include "UnitMain.h"
#include "cart/debug_info.h"
#include "cart/play_log.h"
#include "cart/play_summary.h"
#include "cart/segment_map.h"
#include "cart/summary_format.h"
#include "command_line.h"
#include "dialogs.h"
#include "info_picture.h"
#include "report.h"

namespace {

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
}

// In a build log only our own messages belong; the toolkit's notes about
// the session (no runtime folder and the like) do not.
void QuietToolkit(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) Print(stderr, message + "\n");
}

int CannotLoad(const QByteArray& name, const char* role) {
  Print(stderr, QString("voidscope: cannot load %1\"%2\": missing, unreadable, shorter than %3 "
                        "bytes without holding every bank its header names, or not an iNES "
                        "image\n")
                    .arg(role, QFile::decodeName(name))
                    .arg(MinNESSize));
  return 1;
}

// The segments of --dbg, placed in the loaded image.
struct TSegments {
  TDebugInfo info;
  TSegmentMap map;
};

// False, after a message, when the debug file cannot be read or describes
// another output than FILE.
bool ReadSegments(const TCommandLine& line, const TNESImage& image, TBankSizes sizes,
                  TSegments& segments) {
  std::string error;
  if (!LoadDebugInfo(line.dbgFile.toStdString(), segments.info, error)) {
    Print(stderr, "voidscope: cannot read the debug file " + QString::fromStdString(error) + "\n");
    return false;
  }
  if (!PlaceSegments(segments.info, line.file.toStdString(), image.PRGCount(), image.CHRCount(),
                     segments.map, error, sizes)) {
    Print(stderr, QString("voidscope: cannot use the debug file \"%1\": %2\n")
                      .arg(QFile::decodeName(line.dbgFile), QString::fromStdString(error)));
    return false;
  }
  return true;
}

// The logs of --cdl merged in the order given. False, after a message, when
// one is not a log of this image; a log given twice is merged once, with a
// note, since the figures are the same either way.
bool ReadPlayLogs(const TCommandLine& line, TPlayLog& play) {
  for (const QByteArray& file : line.cdlFiles) {
    std::string message;
    const TAddOutcome outcome = play.AddFile(file.toStdString(), message);
    if (outcome == TAddOutcome::Merged) continue;
    Print(stderr, QString("voidscope: %1play log %2\n")
                      .arg(outcome == TAddOutcome::Refused ? "cannot use the " : "note: ",
                           QString::fromLocal8Bit(message)));
    if (outcome == TAddOutcome::Refused) return false;
  }
  return true;
}

// What follows the one load of FILE: OLD and the debug file are loaded and
// the report written before anything reaches standard output, so that a
// failure leaves it empty. Returns the exit status.
int Finish(const TCommandLine& line, const TNESImage& image,
           const std::function<bool(const TViewOptions&)>& writeReport) {
  TSegments segments;
  TSummaryAdditions additions;
  TViewOptions view;
  TSegmentSummary segmentSummary;
  const TBankSizeChoice choice{line.bankSizesFromMapper, line.prgBankSize, line.chrBankSize};
  const TBankSizes sizes = ChooseBankSizes(choice, ReadNESHeader(image).mapper);
  if (!line.dbgFile.isEmpty()) {
    if (!ReadSegments(line, image, sizes, segments)) return 1;
    if (line.segments) view.segments = &segments.map;
  }
  TPlayLog play(image);
  TPlaySummary playSummary;
  if (!line.cdlFiles.isEmpty()) {
    if (!ReadPlayLogs(line, play)) return 1;
    if (line.play) view.play = &play;
  }
  TCartSummary summary;
  if (line.summary) {
    summary = SummariseNES(image, choice);
    if (!line.dbgFile.isEmpty()) {
      segmentSummary = SummariseSegments(image, summary, segments.map, line.dbgFile.toStdString());
      additions.segments = &segmentSummary;
    }
    if (!line.cdlFiles.isEmpty()) {
      playSummary = SummarisePlay(image, summary, play, additions.segments);
      additions.play = &playSummary;
    }
    if (!line.against.isEmpty()) {
      TNESImage old;
      if (!old.LoadNES(line.against.toStdString())) return CannotLoad(line.against, "the earlier build ");
      // Like for like: the earlier build in the same sizes, whatever its mapper.
      CompareSummaries(summary, SummariseNES(old, {false, sizes.prg, sizes.chr}));
    }
  }
  if (writeReport && !writeReport(view)) return 1;
  if (!line.summary) return 0;

  const std::string name = line.file.toStdString();
  const std::string text = line.json ? SummaryJSON(summary, name, additions)
                                     : SummaryText(summary, name, line.graph, additions);
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    Print(stderr, "voidscope: cannot write the summary to standard output\n");
    return 1;
  }
  if (!line.failBelow) return 0;
  const std::vector<std::string> below = BanksBelow(summary, *line.failBelow);
  for (const std::string& message : below) std::fprintf(stderr, "%s\n", message.c_str());
  return below.empty() ? 0 : 3;
}

// The picture the window would show, drawn without a window.
int RunReport(const TCommandLine& line) {
  TNESImage image;
  if (!image.LoadNES(line.file.toStdString())) return CannotLoad(line.file, "");
  return Finish(line, image, [&](const TViewOptions& view) {
    QString error;
    const QImage picture = InfoPicture(image, QFile::decodeName(line.file), line.width, line.height, view);
    if (WriteReport(picture, QFile::decodeName(line.reportFile), error)) return true;
    Print(stderr, "voidscope: " + error + "\n");
    return false;
  });
}

// No toolkit at all: a build machine needs no display for the figures.
int RunSummary(const TCommandLine& line) {
  TNESImage image;
  if (!image.LoadNES(line.file.toStdString())) return CannotLoad(line.file, "");
  return Finish(line, image, {});
}

}  // namespace

int main(int argc, char** argv) {
  // The arguments as the bytes they came in: a file name need not be text.
  QByteArrayList args;
  for (int i = 1; i < argc; ++i) args << QByteArray(argv[i]);
  const TCommandLine line = ParseCommandLine(args);
  if (line.mode == TCommandLine::Mode::Help) {
    Print(stdout, UsageText());
    return 0;
  }
  if (line.mode == TCommandLine::Mode::Version) {
    Print(stdout, VersionText());
    return 0;
  }
  if (line.mode == TCommandLine::Mode::Error) {
    Print(stderr, "voidscope: " + line.error + "\n" + UsageText());
    return 2;
  }
  if (line.mode == TCommandLine::Mode::Summary) return RunSummary(line);

  // One canvas pixel is one device pixel, whatever the screen's density.
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  qunsetenv("QT_SCALE_FACTOR");
  qunsetenv("QT_SCREEN_SCALE_FACTORS");
  if (line.mode == TCommandLine::Mode::Report) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietToolkit);
  }

  // The toolkit sees no arguments: a file may be named like one of its options.
  int toolkitArgc = 1;
  QApplication application(toolkitArgc, argv);
  QApplication::setApplicationName("NES Voidscope");

  if (line.mode == TCommandLine::Mode::Report) return RunReport(line);
  try {
    TQtDialogs dialogs;
    TFormMain FormMain(dialogs, line.file);
    FormMain.show();
    return application.exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromLocal8Bit(error.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QApplication::applicationName(), QString());
  }
  return 1;
}
