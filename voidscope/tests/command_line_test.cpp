#include <gtest/gtest.h>

#include <QImageReader>
#include <QProcess>
#include <filesystem>

#include "cart/command_line.h"
#include "fake_dialogs.h"
#include "run_program.h"
#include "temp_files.h"

namespace {

using Mode = TCommandLine::Mode;

struct ParseCase {
  std::vector<std::string> args;
  Mode mode = Mode::Window;
  std::string file = {}, report = {};
  int width = 649, height = 505;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
  *os << '"';
  for (const std::string& arg : c.args) *os << (&arg == &c.args.front() ? "" : " ") << arg;
  *os << '"';
}

class ParseCommandLineCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCommandLineCases, Parse) {
  const ParseCase& c = GetParam();
  const TCommandLine line = ParseCommandLine(c.args);
  EXPECT_EQ(line.mode, c.mode) << line.error;
  if (c.mode == Mode::Error) {
    EXPECT_FALSE(line.error.empty());
    return;
  }
  EXPECT_EQ(line.file, c.file);
  EXPECT_EQ(line.reportFile, c.report);
  EXPECT_EQ(line.width, c.width);
  EXPECT_EQ(line.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(
    Args, ParseCommandLineCases,
    ::testing::Values(
        ParseCase{{}, Mode::Window, "", "", 649, 505},
        ParseCase{{"a.nes"}, Mode::Window, "a.nes", "", 649, 505},
        ParseCase{{"a.nes", "b.nes"}, Mode::Window, "a.nes", "", 649, 505},
        ParseCase{{"-odd.nes"}, Mode::Window, "-odd.nes", "", 649, 505},
        ParseCase{{"--", "--report"}, Mode::Window, "--report", "", 649, 505},
        ParseCase{{"--help"}, Mode::Help, "", "", 649, 505},
        ParseCase{{"--report", "o.bmp", "x.nes"}, Mode::Report, "x.nes", "o.bmp", 649, 505},
        ParseCase{{"--report", "o.bmp", "--size", "1920x1080", "x.nes"}, Mode::Report, "x.nes",
                  "o.bmp", 1920, 1080},
        ParseCase{{"--size", "10x20", "--report", "o.bmp", "--", "-x.nes"}, Mode::Report, "-x.nes",
                  "o.bmp", 10, 20},
        ParseCase{{"--report", "o.bmp", "--help"}, Mode::Help, "", "o.bmp", 649, 505},
        ParseCase{{"--report", "o.bmp"}, Mode::Error},
        ParseCase{{"--report"}, Mode::Error},
        ParseCase{{"--report", "o.bmp", "a.nes", "b.nes"}, Mode::Error},
        ParseCase{{"--report", "o.bmp", "--", "a.nes", "b.nes"}, Mode::Error},
        ParseCase{{"--report", "o.bmp", "-x.nes"}, Mode::Error},
        ParseCase{{"--report", "o.bmp", "--size", "0x10", "a.nes"}, Mode::Error},
        ParseCase{{"--report", "o.bmp", "--size", "100", "a.nes"}, Mode::Error},
        ParseCase{{"--report", "o.bmp", "--size", "99999x10", "a.nes"}, Mode::Error},
        ParseCase{{"--size", "10x10", "a.nes"}, Mode::Error}));

// The program itself, run as a build script would run it.
class ReportCommand : public ::testing::Test {
 protected:
  int Run(const QStringList& args) {
    const TProgramRun run = RunProgram(Q(dir.path()), VOIDSCOPE_EXE, args);
    out = QString::fromLocal8Bit(run.out);
    err = QString::fromLocal8Bit(run.err);
    return run.status;
  }
  TempDir dir;
  QString out, err;
};

TEST_F(ReportCommand, DrawsWhatTheWindowWouldAtTheGivenSize) {
  const std::string cart = dir.Write("c.nes", MakeNES(9, 3));
  ASSERT_EQ(Run({"--report", "out.png", "--size", "400x700", Q(cart)}), 0) << err.toStdString();
  QImage picture = QImageReader(Q(dir.File("out.png")), "bmp").read();
  ASSERT_EQ(picture.size(), QSize(400, 700));
  TFakeDialogs dialogs;
  TFormMain form(dialogs, Q(cart));
  EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), form.RenderInfo(400, 700));
}

TEST_F(ReportCommand, DefaultSizeAndADashedNameAfterTheDoubleDash) {
  dir.Write("-dash.nes", MakeNES(1, 1));
  ASSERT_EQ(Run({"--report", "r.bmp", "--", "-dash.nes"}), 0) << err.toStdString();
  EXPECT_EQ(QImageReader(Q(dir.File("r.bmp")), "bmp").size(), QSize(649, 505));
}

TEST_F(ReportCommand, FailsClearlyWhenTheImageCannotBeLoaded) {
  dir.Write("short.nes", Bytes(100, 'N'));
  for (const char* name : {"missing.nes", "short.nes"}) {
    EXPECT_EQ(Run({"--report", "r.bmp", name}), 1);
    EXPECT_TRUE(err.contains(name)) << err.toStdString();
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.bmp")));
  }
}

TEST_F(ReportCommand, FailsClearlyWhenTheReportCannotBeWritten) {
  dir.Write("c.nes", MakeNES(1, 1));
  EXPECT_EQ(Run({"--report", "no-such-folder/r.bmp", "c.nes"}), 1);
  EXPECT_TRUE(err.contains("no-such-folder/r.bmp")) << err.toStdString();
}

TEST_F(ReportCommand, HelpAndBadUsage) {
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_TRUE(out.contains("--report OUT.bmp"));
  EXPECT_TRUE(out.contains("voidscope --version"));
  // The version the whole kit's build names, whatever else is given.
  EXPECT_EQ(Run({"--version", "--summary", "c.nes"}), 0);
  EXPECT_EQ(out, "voidscope " PROJECT_VERSION "\n");
  EXPECT_TRUE(err.isEmpty());
  EXPECT_EQ(Run({"--report", "r.bmp"}), 2);
  EXPECT_TRUE(err.contains("Usage"));
}

}  // namespace
