// The summary on the command line: parsing, and the program itself run as
// a build script would run it.
#include <gtest/gtest.h>

#include <algorithm>

#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>

#include "cart/command_line.h"
#include "fake_dialogs.h"
#include "run_program.h"
#include "temp_files.h"

namespace {

using Mode = TCommandLine::Mode;

struct SummaryParseCase {
  std::vector<std::string> args;
  Mode mode;
  std::string file = {};
  bool json = false, graph = false;
  std::string against = {};
  std::optional<std::uint64_t> failBelow = {};
};

void PrintTo(const SummaryParseCase& c, std::ostream* os) {
  *os << '"';
  for (const std::string& arg : c.args) *os << (&arg == &c.args.front() ? "" : " ") << arg;
  *os << '"';
}

class ParseSummaryLines : public ::testing::TestWithParam<SummaryParseCase> {};

TEST_P(ParseSummaryLines, Parse) {
  const SummaryParseCase& c = GetParam();
  const TCommandLine line = ParseCommandLine(c.args);
  ASSERT_EQ(line.mode, c.mode) << line.error;
  if (c.mode == Mode::Error) {
    EXPECT_FALSE(line.error.empty());
    return;
  }
  EXPECT_EQ(line.file, c.file);
  EXPECT_EQ(line.summary, c.mode == Mode::Summary || std::find(c.args.begin(), c.args.end(), "--summary") != c.args.end());
  EXPECT_EQ(line.json, c.json);
  EXPECT_EQ(line.graph, c.graph);
  EXPECT_EQ(line.against, c.against);
  EXPECT_EQ(line.failBelow, c.failBelow);
}

INSTANTIATE_TEST_SUITE_P(
    Args, ParseSummaryLines,
    ::testing::Values(
        SummaryParseCase{{"--summary", "a.nes"}, Mode::Summary, "a.nes"},
        SummaryParseCase{{"--summary", "--json", "--against", "old.nes", "--fail-below", "1024",
                          "--", "-a.nes"},
                         Mode::Summary, "-a.nes", true, false, "old.nes", 1024},
        SummaryParseCase{{"--graph", "--summary", "a.nes"}, Mode::Summary, "a.nes", false, true},
        SummaryParseCase{{"--fail-below", "0", "--summary", "a.nes"}, Mode::Summary, "a.nes", false,
                         false, {}, 0},
        SummaryParseCase{{"--report", "o.bmp", "--summary", "a.nes"}, Mode::Report, "a.nes"},
        // Names are the bytes given, text or not.
        SummaryParseCase{{"--summary", "caf\xE9.nes"}, Mode::Summary, "caf\xE9.nes"},
        SummaryParseCase{{"\xFF.nes"}, Mode::Window, "\xFF.nes"},
        SummaryParseCase{{"--json", "a.nes"}, Mode::Error},
        SummaryParseCase{{"--graph", "a.nes"}, Mode::Error},
        SummaryParseCase{{"--against", "o.nes", "a.nes"}, Mode::Error},
        SummaryParseCase{{"--fail-below", "10", "a.nes"}, Mode::Error},
        SummaryParseCase{{"--summary"}, Mode::Error},
        SummaryParseCase{{"--summary", "--json", "--graph", "a.nes"}, Mode::Error},
        SummaryParseCase{{"--summary", "--fail-below", "-5", "a.nes"}, Mode::Error},
        SummaryParseCase{{"--summary", "--fail-below", "1k", "a.nes"}, Mode::Error},
        SummaryParseCase{{"--summary", "--fail-below", "", "a.nes"}, Mode::Error},
        SummaryParseCase{{"--summary", "--fail-below"}, Mode::Error},
        SummaryParseCase{{"--summary", "--against"}, Mode::Error},
        SummaryParseCase{{"--summary", "--against", "", "a.nes"}, Mode::Error},
        SummaryParseCase{{"--summary", "--size", "10x10", "a.nes"}, Mode::Error},
        SummaryParseCase{{"--summary", "a.nes", "b.nes"}, Mode::Error}));

class SummaryCommand : public ::testing::Test {
 protected:
  int Run(const QStringList& args) { return Finish("", args); }
  // Through the shell, so that `script` can name files in bytes that are
  // not text; "$0" is the program.
  int RunShell(const QString& script) { return Finish("sh", {"-c", script, VOIDSCOPE_EXE}); }
  int Finish(const QString& shell, const QStringList& args) {
    const TProgramRun run = RunProgram(Q(dir.path()), shell.isEmpty() ? VOIDSCOPE_EXE : shell, args);
    out = run.out;
    err = run.err;
    return run.status;
  }
  QJsonObject Json() {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString() << "\n"
                                                     << out.toStdString();
    return document.object();
  }
  QStringList OutLines() const { return QString::fromUtf8(out).split('\n'); }
  TempDir dir;
  QByteArray out, err;
};

struct KnownImage {
  const char* path;
  int prg, chr;
};

// The sample cartridge and the homebrew images: one row per bank, the same
// banks in JSON; the 16400-byte image on CHR RAM among them.
TEST_F(SummaryCommand, SampleAndRealImages) {
  const KnownImage images[] = {{VOIDSCOPE_SAMPLE, 8, 4},
                               {VOIDSCOPE_TEST_DATA "/ca65-example/example.nes", 2, 1},
                               {VOIDSCOPE_TEST_DATA "/russian-roulette/roulette.nes", 1, 1},
                               {VOIDSCOPE_TEST_DATA "/nes15/nes15-NTSC.nes", 1, 1},
                               {VOIDSCOPE_TEST_DATA "/escape-from-pong/efp.nes", 1, 0}};
  for (const KnownImage& image : images) {
    SCOPED_TRACE(image.path);
    ASSERT_EQ(Run({"--summary", image.path}), 0) << err.toStdString();
    EXPECT_TRUE(out.startsWith(image.path));
    EXPECT_EQ(OutLines().filter(QRegularExpression("^PRG \\$[0-9A-F]{2} ")).size(), image.prg);
    EXPECT_EQ(OutLines().filter(QRegularExpression("^CHR \\$[0-9A-F]{2} ")).size(), image.chr);
    // Everything but the heading, which holds the whole path.
    for (const QString& line : OutLines().mid(1)) EXPECT_LE(line.size(), 79) << line.toStdString();
    ASSERT_EQ(Run({"--summary", "--json", image.path}), 0);
    const QJsonObject json = Json();
    EXPECT_EQ(json["banks"].toArray().size(), image.prg + image.chr);
    EXPECT_EQ(json["prg_banks"].toInt(), image.prg);
  }
  // The sample's first bank is full but for its filler bytes.
  EXPECT_EQ(Run({"--summary", "--fail-below", "1024", VOIDSCOPE_SAMPLE}), 3);
  EXPECT_EQ(err, "PRG $00: 128 bytes free, below 1024\n");
}

TEST_F(SummaryCommand, JSONShapeOnATruncatedImageWithAnAwkwardName) {
  Bytes bytes = MakeCodeNES(2, 2);
  std::fill_n(bytes.begin() + PRGOffset(0) + 10, 30, 0xFF);
  bytes.resize(CHROffset(2, 1) + 1000);
  const std::string name = "we\"ird\\ name\t.nes";
  dir.Write(name, bytes);
  ASSERT_EQ(Run({"--summary", "--json", Q(name)}), 0) << err.toStdString();
  const QJsonObject json = Json();
  EXPECT_EQ(json.keys(), (QStringList{"banks", "chr_bank_size", "chr_banks", "empty_byte", "file",
                                      "header", "mapper", "prg_bank_size", "prg_banks", "totals",
                                      "trailing_bytes"}));
  EXPECT_EQ(json["file"].toString(), Q(name));
  EXPECT_EQ(json["mapper"].toInt(), 0x14);
  EXPECT_EQ(json["empty_byte"].toInt(), 255);
  const QJsonArray banks = json["banks"].toArray();
  ASSERT_EQ(banks.size(), 4);
  const QStringList kinds = {"PRG", "PRG", "CHR", "CHR"};
  const int offsets[] = {16, 16400, 32784, 40976};
  const int missing[] = {0, 0, 0, 8192 - 1000};
  for (int i = 0; i < 4; ++i) {
    const QJsonObject bank = banks[i].toObject();
    EXPECT_EQ(bank.keys(), (QStringList{"free", "index", "kind", "largest_free_run", "missing",
                                        "offset", "size", "used"}));
    EXPECT_EQ(bank["kind"].toString(), kinds[i]);
    EXPECT_EQ(bank["index"].toInt(), i % 2);
    EXPECT_EQ(bank["offset"].toInt(), offsets[i]);
    EXPECT_EQ(bank["missing"].toInt(), missing[i]);
    EXPECT_EQ(bank["used"].toInt(),
              bank["size"].toInt() - bank["free"].toInt() - bank["missing"].toInt());
  }
  EXPECT_EQ(banks[0].toObject()["largest_free_run"].toObject(),
            (QJsonObject{{"offset", 10}, {"length", 30}}));
  EXPECT_EQ(banks[1].toObject()["largest_free_run"].toObject(),
            (QJsonObject{{"offset", 0}, {"length", 0}}));
  const QJsonObject chr = json["totals"].toObject()["CHR"].toObject();
  EXPECT_EQ(chr, (QJsonObject{{"size", 16384}, {"used", 9192}, {"free", 0}, {"missing", 7192}}));

  // And by a JSON reader that is not ours.
  const QString python = QStandardPaths::findExecutable("python3");
  if (!python.isEmpty()) {
    QProcess check;
    check.start(python, {"-m", "json.tool"});
    check.write(out);
    check.closeWriteChannel();
    ASSERT_TRUE(check.waitForFinished(30000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString();
  }
}

TEST_F(SummaryCommand, AgainstAnEarlierBuildThatLacksBanks) {
  dir.Write("old.nes", MakeNES(1, 1));
  dir.Write("new.nes", MakeNES(3, 2));
  ASSERT_EQ(Run({"--summary", "--json", "--against", "old.nes", "new.nes"}), 0)
      << err.toStdString();
  const QJsonArray banks = Json()["banks"].toArray();
  ASSERT_EQ(banks.size(), 5);
  const int deltas[] = {0, 16384, 16384, 0, 8192};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(banks[i].toObject()["used_delta"].toInt(), deltas[i]) << i;

  ASSERT_EQ(Run({"--summary", "--against", "new.nes", "old.nes"}), 0);
  EXPECT_TRUE(out.contains("Change")) << out.toStdString();
  EXPECT_TRUE(QString::fromUtf8(out).contains(QRegularExpression("^PRG \\$00 .* 0\n",
                                                                  QRegularExpression::MultilineOption)));
  EXPECT_TRUE(out.contains("used -32768 since the earlier build")) << out.toStdString();
}

TEST_F(SummaryCommand, AnEarlierBuildThatCannotBeLoadedPrintsNothing) {
  dir.Write("new.nes", MakeNES(1, 1));
  dir.Write("short.nes", Bytes(100, 'N'));
  for (const char* old : {"missing.nes", "short.nes"}) {
    EXPECT_EQ(Run({"--summary", "--against", old, "new.nes"}), 1);
    EXPECT_TRUE(out.isEmpty()) << out.toStdString();
    EXPECT_TRUE(err.contains(old)) << err.toStdString();
    // Not even the report is written.
    EXPECT_EQ(Run({"--summary", "--report", "r.bmp", "--against", old, "new.nes"}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.bmp")));
  }
}

TEST_F(SummaryCommand, FailBelowNamesTheShortBanksAndExitsWith3) {
  Bytes bytes = MakeCodeNES(3, 1);
  std::fill_n(bytes.begin() + PRGOffset(0) + 100, 200, 0xFF);
  std::fill_n(bytes.begin() + PRGOffset(1) + 5000, 212, 0xFF);
  std::fill_n(bytes.begin() + PRGOffset(2), 16384, 0xFF);
  dir.Write("c.nes", bytes);
  EXPECT_EQ(Run({"--summary", "--fail-below", "1024", "c.nes"}), 3);
  EXPECT_EQ(err, "PRG $00: 200 bytes free, below 1024\nPRG $01: 212 bytes free, below 1024\n");
  EXPECT_TRUE(out.contains("PRG $02")) << out.toStdString();  // the summary comes first
  EXPECT_EQ(Run({"--summary", "--json", "--fail-below", "201", "c.nes"}), 3);
  EXPECT_EQ(err, "PRG $00: 200 bytes free, below 201\n");
  Json();
  // At the margin is not below it; CHR banks are never judged.
  EXPECT_EQ(Run({"--summary", "--fail-below", "200", "c.nes"}), 0);
  EXPECT_TRUE(err.isEmpty()) << err.toStdString();
}

TEST_F(SummaryCommand, BadCommandLinesExitWith2AndPrintNothing) {
  dir.Write("c.nes", MakeNES(1, 1));
  const QStringList lines[] = {{"--summary"},
                               {"--json", "c.nes"},
                               {"--summary", "--fail-below", "many", "c.nes"},
                               {"--summary", "--against"},
                               {"--summary", "--bogus", "c.nes"}};
  for (const QStringList& args : lines) {
    EXPECT_EQ(Run(args), 2) << args.join(' ').toStdString();
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains("Usage")) << err.toStdString();
  }
  ASSERT_EQ(Run({"--help"}), 0);
  for (const char* option : {"--summary", "--json", "--graph", "--against", "--fail-below"})
    EXPECT_TRUE(out.contains(option)) << option;
}

TEST_F(SummaryCommand, SummaryAndReportFromOneLoad) {
  const std::string cart = dir.Write("c.nes", MakeNES(2, 1));
  ASSERT_EQ(Run({"--report", "out.bmp", "--size", "300x400", "--summary", "--json", Q(cart)}), 0)
      << err.toStdString();
  EXPECT_EQ(Json()["banks"].toArray().size(), 3);
  const QImage picture = QImageReader(Q(dir.File("out.bmp")), "bmp").read();
  TFakeDialogs dialogs;
  TFormMain form(dialogs, Q(cart));
  EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), form.RenderInfo(300, 400));

  // A report that cannot be written: status 1 and no summary.
  EXPECT_EQ(Run({"--report", "no-such-folder/r.bmp", "--summary", "c.nes"}), 1);
  EXPECT_TRUE(out.isEmpty());
  EXPECT_TRUE(err.contains("no-such-folder/r.bmp"));
}

// A Latin-1 name from an old archive is a good file all the same.
TEST_F(SummaryCommand, ANameThatIsNotTextStillLoads) {
  const std::string latin1 = "caf\xE9.nes";
  dir.Write(latin1, MakeNES(2, 1));
  const QString name = "\"$(printf 'caf\\351.nes')\"";
  ASSERT_EQ(RunShell("exec \"$0\" --summary " + name), 0) << err.toStdString();
  EXPECT_TRUE(out.startsWith(QByteArray::fromStdString(latin1 + "  Mapper #0  2xPRG")));
  ASSERT_EQ(RunShell("exec \"$0\" --summary --json --against " + name + " " + name), 0);
  EXPECT_EQ(Json()["file"].toString(), QString("caf\uFFFD.nes"));
  ASSERT_EQ(RunShell("exec \"$0\" --report r.bmp " + name), 0) << err.toStdString();
  EXPECT_TRUE(std::filesystem::exists(dir.File("r.bmp")));

  // The window's start-up file, and its title line shows what it can.
  TFakeDialogs dialogs;
  TFormMain form(dialogs, QByteArray::fromStdString(dir.File(latin1)));
  ASSERT_TRUE(form.Image().Held());
  EXPECT_TRUE(form.FileName().endsWith("caf\uFFFD.nes")) << form.FileName().toStdString();
  form.MReloadClick();
  EXPECT_TRUE(form.Image().Held());
}

}  // namespace
