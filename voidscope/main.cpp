// Start-up: the window, or a report and a summary made without one.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>

#include "UnitMain.h"
#include "cart/label_file.h"
#include "cart/label_summary.h"
#include "cart/play_summary.h"
#include "cart/session.h"
#include "cart/summary_format.h"
#include "cart/summary_markdown.h"
#include "command_line.h"
#include "dialogs.h"
#include "info_picture.h"
#include "picture/summary_page.h"
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

int CannotLoad(const QByteArray& name, const char* role, const TFileError& error) {
  if (error.failure == TFileFailure::NotRegular) {
    Print(stderr, QString("voidscope: cannot load %1\"%2\": %3, not an NES file\n")
                      .arg(role, QFile::decodeName(name), QString::fromStdString(error.reason)));
    return 1;
  }
  Print(stderr, QString("voidscope: cannot load %1\"%2\": missing, unreadable, shorter than %3 "
                        "bytes without holding every bank its header names, or not an iNES "
                        "image\n")
                    .arg(role, QFile::decodeName(name))
                    .arg(MinNESSize));
  return 1;
}

// The segments of --dbg, placed in the loaded image. False, after a
// message, when the debug file cannot be read or describes another output
// than FILE.
bool ReadSegments(const TCommandLine& line, TSession& session) {
  std::string error;
  switch (session.ChooseDbg(line.dbgFile.toStdString(), error)) {
    case TSession::TDbgResult::Used:
      return true;
    case TSession::TDbgResult::Unreadable:
      Print(stderr, "voidscope: cannot read the debug file " + QString::fromStdString(error) + "\n");
      return false;
    default:
      Print(stderr, QString("voidscope: cannot use the debug file \"%1\": %2\n")
                        .arg(QFile::decodeName(line.dbgFile), QString::fromStdString(error)));
      return false;
  }
}

// The logs of --cdl merged in the order given. False, after a message, when
// one is not a log of this image; a log given twice is merged once, with a
// note, since the figures are the same either way.
bool ReadPlayLogs(const TCommandLine& line, TSession& session) {
  for (const QByteArray& file : line.cdlFiles) {
    std::string message;
    const TAddOutcome outcome = session.AddPlayLog(file.toStdString(), message);
    if (outcome == TAddOutcome::Merged) continue;
    Print(stderr, QString("voidscope: %1play log %2\n")
                      .arg(outcome == TAddOutcome::Refused ? "cannot use the " : "note: ",
                           QString::fromLocal8Bit(message)));
    if (outcome == TAddOutcome::Refused) return false;
  }
  return true;
}

// The files of --labels, in the order given. False, after a message, when
// one cannot be read or holds no label line; skipped lines are noted.
bool ReadLabelFiles(const TCommandLine& line, std::vector<TLabelFile>& files) {
  for (const QByteArray& name : line.labelFiles) {
    TLabelFile file;
    std::string error;
    if (!LoadLabelFile(name.toStdString(), file, error)) {
      Print(stderr, "voidscope: cannot read the label file " + QString::fromStdString(error) + "\n");
      return false;
    }
    const std::string note = LabelFileNote(file);
    if (!note.empty()) Print(stderr, "voidscope: note: " + QString::fromStdString(note) + "\n");
    files.push_back(std::move(file));
  }
  return true;
}

// What follows the one load of FILE: OLD and the debug file are loaded and
// the report written before anything reaches standard output, so that a
// failure leaves it empty. Returns the exit status.
int Finish(const TCommandLine& line, TSession& session,
           const std::function<bool(const TViewOptions&)>& writeReport) {
  const TNESImage& image = session.Image();
  const TBankSizeChoice choice{line.bankSizesFromMapper, line.prgBankSize, line.chrBankSize};
  const TBankSizes sizes = ChooseBankSizes(choice, ReadNESHeader(image).mapper);
  // Before the debug file: its segments are cut in the banks' sizes.
  session.SetBankSizes(sizes);
  if (!line.dbgFile.isEmpty() && !ReadSegments(line, session)) return 1;
  if (!line.cdlFiles.isEmpty() && !ReadPlayLogs(line, session)) return 1;
  session.ShowSegments(line.segments);
  session.ShowPlay(line.play);
  TSummaryAdditions additions;
  TSegmentSummary segmentSummary;
  TPlaySummary playSummary;
  std::vector<TLabelFile> labelFiles;
  if (!ReadLabelFiles(line, labelFiles)) return 1;
  TLabelSummary labelSummary;
  TCartSummary summary;
  TNESImage earlier;
  const bool page = !line.htmlFile.isEmpty();
  if (line.summary || page) {
    summary = SummariseNES(image, choice);
    if (!line.dbgFile.isEmpty()) {
      segmentSummary = SummariseSegments(image, summary, session.Segments(), line.dbgFile.toStdString());
      additions.segments = &segmentSummary;
    }
    if (!line.cdlFiles.isEmpty()) {
      playSummary = SummarisePlay(image, summary, session.Play(), additions.segments);
      additions.play = &playSummary;
    }
    if (!line.labelFiles.isEmpty()) {
      labelSummary = SummariseLabels(image, summary, labelFiles);
      additions.labels = &labelSummary;
    }
    if (!line.against.isEmpty()) {
      TFileError error;
      if (!earlier.LoadNES(line.against.toStdString(), error))
        return CannotLoad(line.against, "the earlier build ", error);
      // Like for like: the earlier build in the same sizes, whatever its mapper.
      CompareSummaries(summary, SummariseNES(earlier, {false, sizes.prg, sizes.chr}));
    }
  }
  if (writeReport && !writeReport(session.ViewOptions())) return 1;
  const std::string name = line.file.toStdString();
  if (page) {
    TPageSources sources;
    sources.image = &image;
    if (earlier.Held()) sources.earlier = &earlier;
    if (!line.dbgFile.isEmpty()) {
      sources.debugInfo = &session.Dbg();
      sources.segments = &session.Segments();
    }
    if (!line.cdlFiles.isEmpty()) sources.play = &session.Play();
    sources.failBelow = line.failBelow;
    std::string error;
    if (!WriteTextFile(line.htmlFile.toStdString(), SummaryHTML(summary, name, additions, sources), error)) {
      Print(stderr, QString("voidscope: cannot write the page \"%1\": %2\n")
                        .arg(QFile::decodeName(line.htmlFile), QString::fromLocal8Bit(error)));
      return 1;
    }
  }
  if (!line.summary) return 0;

  const std::string text = line.json       ? SummaryJSON(summary, name, additions)
                           : line.markdown ? SummaryMarkdown(summary, name, additions, line.failBelow)
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
  TSession session(TSession::TBeside::Ignore);
  if (!session.Open(line.file.toStdString())) return CannotLoad(line.file, "", session.LoadError());
  return Finish(line, session, [&](const TViewOptions& view) {
    QString error;
    const QImage picture = InfoPicture(session.Image(), QFile::decodeName(line.file), line.width, line.height, view);
    if (WriteReport(picture, QFile::decodeName(line.reportFile), error)) return true;
    Print(stderr, "voidscope: " + error + "\n");
    return false;
  });
}

// No toolkit at all: a build machine needs no display for the figures.
int RunSummary(const TCommandLine& line) {
  TSession session(TSession::TBeside::Ignore);
  if (!session.Open(line.file.toStdString())) return CannotLoad(line.file, "", session.LoadError());
  return Finish(line, session, {});
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
