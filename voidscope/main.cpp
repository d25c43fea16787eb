// Start-up: the window, or a report and a summary made without one.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "UnitMain.h"
#include "cart/command_line.h"
#include "cart/command_modes.h"
#include "dialogs.h"
#include "info_picture.h"
#include "report.h"

namespace {

// In a build log only our own messages belong; the toolkit's notes about
// the session (no runtime folder and the like) do not.
void QuietToolkit(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fputs((message + "\n").toLocal8Bit().constData(), stderr);
}

// The picture the window would show, drawn without a window.
bool WriteReportPicture(const TCommandLine& line, const TNESImage& image, const TViewOptions& view) {
  QString error;
  const QImage picture = InfoPicture(image, QFile::decodeName(QByteArray::fromStdString(line.file)),
                                     line.width, line.height, view);
  if (WriteReport(picture, QFile::decodeName(QByteArray::fromStdString(line.reportFile)), error)) return true;
  std::fputs(("voidscope: " + error + "\n").toLocal8Bit().constData(), stderr);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // The arguments as the bytes they came in: a file name need not be text.
  std::vector<std::string> args(argv + 1, argv + argc);
  const TCommandLine line = ParseCommandLine(args);
  // No toolkit at all: a build machine needs no display for the figures.
  if (line.mode != TCommandLine::Mode::Window && line.mode != TCommandLine::Mode::Report)
    return RunCommandMode(line, {});

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

  if (line.mode == TCommandLine::Mode::Report)
    return RunCommandMode(line, [&](const TNESImage& image, const TViewOptions& view) {
      return WriteReportPicture(line, image, view);
    });
  try {
    TQtDialogs dialogs;
    TFormMain FormMain(dialogs, QByteArray::fromStdString(line.file));
    FormMain.show();
    return application.exec();
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, QApplication::applicationName(), QString::fromLocal8Bit(error.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QApplication::applicationName(), QString());
  }
  return 1;
}
