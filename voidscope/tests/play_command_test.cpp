// --cdl and --play, run as a build script would run them, on an image and
// logs built here with flags chosen so that every count differs.
#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cart/command_line.h"
#include "dbg_cartridge.h"
#include "fake_dialogs.h"
#include "info_picture.h"
#include "run_program.h"
#include "temp_files.h"

namespace {

constexpr unsigned PRG = 2, CHR = 2;

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = c & 1 ? (c >> 1) ^ 0xEDB88320u : c >> 1;
  }
  return ~c;
}

class PlayCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    // Free bytes in both kinds: $FF in PRG $01:$2000-$2FFF (a run that ends
    // inside the bank, so that $FF is the empty byte), $00 in CHR $00's
    // second half.
    nes = MakeCodeNES(PRG, CHR);
    std::fill(nes.begin() + PRGOffset(1) + 0x2000, nes.begin() + PRGOffset(1) + 0x3000, 0xFF);
    std::fill(nes.begin() + CHROffset(PRG, 0) + 0x1000, nes.begin() + CHROffset(PRG, 1), 0x00);
    dir.Write("game.nes", nes);
    // A raw log with every PRG bit of its layout, and a headed one with
    // every bit of its own, different bytes reached.
    static const std::uint8_t rawPRG[] = {0, 0x01, 0x02, 0x03, 0x10, 0x20, 0x40, 0x0C, 0x80, 0};
    static const std::uint8_t headedPRG[] = {0, 0, 0, 0x01, 0x02, 0x04, 0x08, 0x80, 0, 0, 0};
    static const std::uint8_t rawCHR[] = {0, 0x01, 0x02, 0x03, 0};
    raw.resize(PRG * 16384 + CHR * 8192);
    for (std::size_t i = 0; i < PRG * 16384; ++i) raw[i] = rawPRG[i % std::size(rawPRG)];
    for (std::size_t i = 0; i < CHR * 8192; ++i) raw[PRG * 16384 + i] = rawCHR[i % std::size(rawCHR)];
    const std::uint32_t crc = Crc32(nes.data() + 16, PRG * 16384);
    headed = {'C', 'D', 'L', 'v', '2', static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8),
              static_cast<std::uint8_t>(crc >> 16), static_cast<std::uint8_t>(crc >> 24)};
    for (std::size_t i = 0; i < PRG * 16384; ++i) headed.push_back(headedPRG[i % std::size(headedPRG)]);
    for (std::size_t i = 0; i < CHR * 8192; ++i) headed.push_back(i % 7 == 0 ? 0x02 : 0);
    dir.Write("raw.cdl", raw);
    dir.Write("headed.cdl", headed);
  }
  int Run(const QStringList& args) {
    const TProgramRun run = RunProgram(Q(dir.path()), VOIDSCOPE_EXE, args);
    out = run.out;
    err = QString::fromLocal8Bit(run.err);
    return run.status;
  }
  static QJsonObject JSON(const QByteArray& text) { return QJsonDocument::fromJson(text).object(); }

  TempDir dir;
  Bytes nes, raw, headed;
  QByteArray out;
  QString err;
};

TEST_F(PlayCommand, EveryFigureMatchesTheFlagsOfTheMergedLogs) {
  ASSERT_EQ(Run({"--summary", "--json", "--cdl", "raw.cdl", "--cdl", "headed.cdl", "game.nes"}), 0)
      << err.toStdString();
  const QJsonObject summary = JSON(out);
  ASSERT_EQ(summary["empty_byte"].toInt(), 0xFF);
  EXPECT_EQ(summary["play_logs"].toArray(),
            QJsonArray({QJsonObject{{"file", "raw.cdl"}, {"layout", "raw"}},
                        QJsonObject{{"file", "headed.cdl"}, {"layout", "headed"}}}));
  const QJsonArray banks = summary["banks"].toArray();
  ASSERT_EQ(banks.size(), static_cast<int>(PRG + CHR));
  for (unsigned r = 0; r < PRG + CHR; ++r) {
    const bool prg = r < PRG;
    const std::size_t size = prg ? 16384 : 8192;
    const std::size_t at = prg ? PRGOffset(r) : CHROffset(PRG, r - PRG);
    const std::size_t logAt = prg ? r * 16384 : PRG * 16384 + (r - PRG) * 8192;
    std::int64_t reached = 0, never = 0, one = 0, two = 0;
    for (std::size_t o = 0; o < size; ++o) {
      const bool used = nes[at + o] != (prg ? 0xFF : 0x00);
      const std::uint8_t a = raw[logAt + o], b = headed[9 + logAt + o];
      const bool hit = a || b;
      reached += hit;
      never += used && !hit;
      if (prg) {
        one += (a & 0x01) || (b & 0x01);
        two += (a & 0x42) || (b & 0x82);
      } else {
        one += (a & 0x01) || (b & 0x01);
        two += (a & 0x02) || (b & 0x02);
      }
    }
    const QJsonObject bank = banks[r].toObject();
    SCOPED_TRACE(r);
    EXPECT_EQ(bank["reached"].toInteger(), reached);
    EXPECT_EQ(bank["never_reached"].toInteger(), never);
    EXPECT_EQ(bank[prg ? "code" : "drawn"].toInteger(), one);
    EXPECT_EQ(bank[prg ? "data" : "read"].toInteger(), two);
    EXPECT_FALSE(bank.contains(prg ? "drawn" : "code"));
    EXPECT_GT(never, 0);
    EXPECT_GT(reached, 0);
  }
}

// The added keys and section aside, the summary is the same; --against's
// change and --fail-below's verdict are about the build, not the play.
TEST_F(PlayCommand, LogsAddFiguresAndChangeNothingElse) {
  dir.Write("old.nes", MakeNES(PRG, CHR));
  const QStringList base = {"--summary", "--against", "old.nes", "--fail-below", "9000"};
  ASSERT_EQ(Run(base + QStringList{"--json", "game.nes"}), 3);
  const QJsonObject plain = JSON(out);
  const QString plainErr = err;
  ASSERT_EQ(Run(base + QStringList{"--json", "--cdl", "raw.cdl", "game.nes"}), 3);
  EXPECT_EQ(err, plainErr);
  QJsonObject with = JSON(out);
  with.remove("play_logs");
  QJsonArray banks = with["banks"].toArray();
  for (auto bank : banks) {
    QJsonObject o = bank.toObject();
    for (const char* key : {"reached", "never_reached", "code", "data", "drawn", "read"}) o.remove(key);
    bank = o;
  }
  with["banks"] = banks;
  EXPECT_EQ(with, plain);

  ASSERT_EQ(Run(base + QStringList{"game.nes"}), 3);
  const QByteArray text = out;
  ASSERT_EQ(Run(base + QStringList{"--cdl", "raw.cdl", "game.nes"}), 3);
  const qsizetype from = out.indexOf("\nPlay logs: raw.cdl (raw)\n");
  ASSERT_GE(from, 0) << out.toStdString();
  const qsizetype to = out.indexOf("\n\n", from + 1);
  ASSERT_GT(to, from);
  EXPECT_EQ(QByteArray(out).remove(from, to + 1 - from), text);

  // The report: --cdl alone changes no pixel; --play does.
  ASSERT_EQ(Run({"--report", "plain.bmp", "game.nes"}), 0);
  ASSERT_EQ(Run({"--report", "logged.bmp", "--cdl", "raw.cdl", "game.nes"}), 0);
  EXPECT_EQ(ReadAll(dir.File("plain.bmp")), ReadAll(dir.File("logged.bmp")));
  ASSERT_EQ(Run({"--report", "play.bmp", "--cdl", "raw.cdl", "--play", "game.nes"}), 0);
  const QImage play(Q(dir.File("play.bmp")));
  // Below the play legend, PRG $00's cells start at (11, 89): byte 0 was
  // never reached, byte 1 ran as code, byte 2 was read as data.
  const std::vector<TBankBox> boxes = BankBoxes(649, PRG, CHR, 68);
  EXPECT_EQ(boxes[0].y, 68);
  EXPECT_EQ(play.pixel(11, 89), NeverReachedColour());
  EXPECT_EQ(play.pixel(12, 89), CodeColour());
  EXPECT_EQ(play.pixel(13, 89), DataColour());
}

// Each refused log: exit 1, the reason on standard error, nothing printed.
TEST_F(PlayCommand, ALogOfAnotherImageOrSizeIsRefused) {
  Bytes otherCrc = headed;
  otherCrc[5] ^= 1;
  dir.Write("crc.cdl", otherCrc);
  dir.Write("short.cdl", Bytes(raw.begin(), raw.end() - 1));
  std::filesystem::create_directory(dir.File("folder.cdl"));
  const std::pair<const char*, const char*> cases[] = {
      {"crc.cdl", "CRC-32"},
      {"short.cdl", "fit neither layout"},
      {"folder.cdl", "folder"},
      {"none.cdl", "cannot be read"},
  };
  for (const auto& [file, words] : cases) {
    SCOPED_TRACE(file);
    EXPECT_EQ(Run({"--summary", "--cdl", "raw.cdl", "--cdl", file, "game.nes"}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.startsWith(QString("voidscope: cannot use the play log %1: ").arg(file)))
        << err.toStdString();
    EXPECT_TRUE(err.contains(words)) << err.toStdString();
    EXPECT_EQ(Run({"--report", "r.bmp", "--cdl", file, "game.nes"}), 1);
  }
  // The same log twice is merged once, with a note.
  ASSERT_EQ(Run({"--summary", "--json", "--cdl", "raw.cdl", "--cdl", "raw.cdl", "game.nes"}), 0);
  EXPECT_EQ(JSON(out)["play_logs"].toArray().size(), 1);
  EXPECT_TRUE(err.startsWith("voidscope: note: play log raw.cdl: ")) << err.toStdString();
}

TEST(PlayCommandLine, CdlIsRepeatableAndPlayNeedsAReportAndALog) {
  const TCommandLine line = ParseCommandLine({"--summary", "--cdl", "a.cdl", "--report", "r.bmp", "--cdl",
                                              "b.cdl", "--play", "game.nes"});
  ASSERT_EQ(line.mode, TCommandLine::Mode::Report) << line.error;
  EXPECT_EQ(line.cdlFiles, std::vector<std::string>({"a.cdl", "b.cdl"}));
  EXPECT_TRUE(line.play);
  const std::vector<std::string> wrong[] = {
      {"--cdl", "a.cdl", "game.nes"},                                 // the window reads game.cdl itself
      {"--summary", "--cdl", "a.cdl", "--play", "game.nes"},          // nothing to draw on
      {"--report", "r.bmp", "--play", "game.nes"},                    // no log
      {"--summary", "--cdl", "", "game.nes"},                         // no name
  };
  for (const std::vector<std::string>& args : wrong)
    EXPECT_EQ(ParseCommandLine(args).mode, TCommandLine::Mode::Error) << args.back();
}

// With the debug file each segment gains the used bytes no log reached.
TEST(PlayCommandDbg, SegmentsGainTheirNeverReachedBytes) {
  TempDir dir;
  ASSERT_TRUE(BuildDbgCartridge(dir));
  const Bytes nes = ReadAll(dir.File("out/game.nes"));
  const unsigned prg = nes[4], chr = nes[5];
  // Every third byte reached.
  Bytes log(prg * 16384 + chr * 8192, 0);
  for (std::size_t i = 0; i < log.size(); i += 3) log[i] = 0x01;
  dir.Write("game.cdl", log);
  const TProgramRun run = RunProgram(Q(dir.path()), VOIDSCOPE_EXE,
                                     {"--summary", "--json", "--dbg", "game.dbg", "--cdl", "game.cdl", "out/game.nes"});
  ASSERT_EQ(run.status, 0) << run.err.toStdString();
  const QJsonObject summary = QJsonDocument::fromJson(run.out).object();
  const std::uint8_t empty = static_cast<std::uint8_t>(summary["empty_byte"].toInt());
  int segments = 0;
  for (const QJsonValue b : summary["banks"].toArray()) {
    const QJsonObject bank = b.toObject();
    const bool isPRG = bank["kind"].toString() == "PRG";
    for (const QJsonValue s : bank["segments"].toArray()) {
      const QJsonObject segment = s.toObject();
      std::int64_t never = 0;
      const std::size_t first = static_cast<std::size_t>(bank["offset"].toInteger() + segment["offset"].toInteger());
      for (std::size_t o = first; o < first + segment["size"].toInteger(); ++o)
        never += nes[o] != (isPRG ? empty : 0x00) && log[o - 16] == 0;
      EXPECT_EQ(segment["never_reached"].toInteger(), never) << segment["name"].toString().toStdString();
      ++segments;
    }
  }
  EXPECT_GT(segments, 3);
}

}  // namespace
