// Start-up: the window, or a report drawn without one.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <exception>

#include "UnitMain.h"
#include "command_line.h"
#include "dialogs.h"
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

int RunReport(const TCommandLine& line) {
  TQtDialogs dialogs;
  TFormMain FormMain(dialogs);
  if (!FormMain.TakeFile(line.file)) {
    Print(stderr, QString("voidscope: cannot load \"%1\": missing, unreadable, shorter than %2 "
                          "bytes or not an iNES image\n")
                      .arg(line.file)
                      .arg(MinNESSize));
    return 1;
  }
  QString error;
  if (!WriteReport(FormMain.RenderInfo(line.width, line.height), line.reportFile, error)) {
    Print(stderr, "voidscope: " + error + "\n");
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const TCommandLine line = ParseCommandLine(args);
  if (line.mode == TCommandLine::Mode::Help) {
    Print(stdout, UsageText());
    return 0;
  }
  if (line.mode == TCommandLine::Mode::Error) {
    Print(stderr, "voidscope: " + line.error + "\n" + UsageText());
    return 2;
  }

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
