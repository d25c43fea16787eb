// --dbg and --segments, run as a build script would run them, on a cartridge
// that ca65 and ld65 build here with its debug file.
#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <filesystem>
#include <map>

#include "cart/nes_image.h"
#include "cart/segment_map.h"
#include "cart/command_line.h"
#include "dbg_cartridge.h"
#include "fake_dialogs.h"
#include "run_program.h"
#include "temp_files.h"

namespace {

class DbgCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    ASSERT_TRUE(BuildDbgCartridge(*dir_));
  }
  static void TearDownTestSuite() { delete dir_; }

  int Run(const QStringList& args) {
    const TProgramRun run = RunProgram(Q(dir_->path()), VOIDSCOPE_EXE, args);
    out = run.out;
    err = QString::fromLocal8Bit(run.err);
    return run.status;
  }
  static QJsonObject JSON(const QByteArray& text) { return QJsonDocument::fromJson(text).object(); }

  static inline TempDir* dir_;
  QByteArray out;
  QString err;
};

// What the test expects of one segment's bytes in one bank.
struct Piece {
  QString name;
  std::uint64_t offset, size, freeInside;
};

// The figures worked out here from the debug file's own lines and the bytes,
// without the program's reader: the segments ld65 wrote into the image, cut
// at the header's end and the bank boundaries.
TEST_F(DbgCommand, EveryFigureOfTheJSONMatchesTheDebugFileAndTheBytes) {
  ASSERT_EQ(Run({"--summary", "--json", "--dbg", "game.dbg", "out/game.nes"}), 0) << err.toStdString();
  const QJsonObject summary = JSON(out);
  EXPECT_EQ(summary["debug_file"].toString(), "game.dbg");

  const Bytes bytes = ReadAll(dir_->File("out/game.nes"));
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir_->File("out/game.nes")));
  const std::uint8_t empty = image.FindEmptyByte();
  const std::uint64_t chrStart = 16 + 4 * 16384, end = chrStart + 2 * 8192;
  std::map<int, std::vector<Piece>> pieces;  // by bank row: PRG 0-3, CHR 4-5
  QJsonArray outside;
  std::vector<bool> covered(bytes.size(), false);
  const QRegularExpression field("(\\w+)=(\"[^\"]*\"|[^,]*)");
  QFile dbg(Q(dir_->File("game.dbg")));
  ASSERT_TRUE(dbg.open(QIODevice::ReadOnly));
  int counted = 0;
  while (!dbg.atEnd()) {
    const QString line = QString::fromUtf8(dbg.readLine()).trimmed();
    if (!line.startsWith("seg\t")) continue;
    std::map<QString, QString> f;
    for (const auto& m : field.globalMatch(line.mid(4))) f[m.captured(1)] = m.captured(2);
    const std::uint64_t size = f["size"].toULongLong(nullptr, 0);
    if (!f.count("oname") || size == 0) continue;
    ++counted;
    const QString name = f["name"].mid(1, f["name"].size() - 2);
    for (std::uint64_t o = f["ooffs"].toULongLong(); o < f["ooffs"].toULongLong() + size; ++o) {
      ASSERT_LT(o, covered.size());
      covered[o] = true;
      if (o < 16 || o >= end) {
        if (outside.isEmpty() || outside.last()["name"].toString() != name)
          outside.append(QJsonObject{{"name", name}, {"file_offset", qint64(o)}, {"size", 0}});
        QJsonObject last = outside.last().toObject();
        last["size"] = last["size"].toInt() + 1;
        outside[outside.size() - 1] = last;
        continue;
      }
      const bool prg = o < chrStart;
      const int row = prg ? int((o - 16) / 16384) : 4 + int((o - chrStart) / 8192);
      const std::uint64_t inBank = prg ? (o - 16) % 16384 : (o - chrStart) % 8192;
      std::vector<Piece>& list = pieces[row];
      if (list.empty() || list.back().name != name || list.back().offset + list.back().size != inBank)
        list.push_back({name, inBank, 0, 0});
      ++list.back().size;
      list.back().freeInside += bytes[o] == (prg ? empty : 0);
    }
  }
  ASSERT_GE(counted, 7);
  EXPECT_EQ(summary["outside_banks"].toArray(), outside);
  ASSERT_EQ(outside.size(), 1);  // the header

  const QJsonArray banks = summary["banks"].toArray();
  ASSERT_EQ(banks.size(), 6);
  for (int row = 0; row < 6; ++row) {
    SCOPED_TRACE(row);
    const QJsonObject bank = banks[row].toObject();
    const QJsonArray segments = bank["segments"].toArray();
    const std::vector<Piece>& expected = pieces[row];
    ASSERT_EQ(segments.size(), qsizetype(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const QJsonObject s = segments[qsizetype(i)].toObject();
      EXPECT_EQ(s["name"].toString(), expected[i].name);
      EXPECT_EQ(s["offset"].toInteger(), qint64(expected[i].offset));
      EXPECT_EQ(s["size"].toInteger(), qint64(expected[i].size));
      EXPECT_EQ(s["free_inside"].toInteger(), qint64(expected[i].freeInside));
    }
    const std::uint64_t first = bank["offset"].toInteger();
    qint64 usedOutside = 0;
    for (std::uint64_t o = first; o < first + bank["size"].toInteger(); ++o)
      usedOutside += !covered[o] && bytes[o] != (row < 4 ? empty : 0);
    EXPECT_EQ(bank["used_outside_segments"].toInteger(), usedOutside);
  }
  // The cases the cartridge was built for: two segments in a bank, one
  // across a boundary, runs of the empty byte and of $00 inside segments.
  EXPECT_EQ(pieces[0].size(), 2u);
  EXPECT_EQ(pieces[1].front().name, "BIG");
  EXPECT_GE(pieces[2].back().freeInside, 300u);
  EXPECT_GE(pieces[4].front().freeInside, 100u);
}

// Without --dbg every key, line and pixel is what it was; --dbg only adds.
TEST_F(DbgCommand, TheDebugFileOnlyAddsToTheSummaryAndChangesNoPixel) {
  ASSERT_EQ(Run({"--summary", "--json", "out/game.nes"}), 0);
  const QJsonObject plain = JSON(out);
  ASSERT_EQ(Run({"--summary", "--json", "--dbg", "game.dbg", "out/game.nes"}), 0);
  QJsonObject withDbg = JSON(out);
  ASSERT_TRUE(withDbg.contains("outside_banks"));
  withDbg.remove("debug_file");
  withDbg.remove("outside_banks");
  QJsonArray banks = withDbg["banks"].toArray();
  for (qsizetype i = 0; i < banks.size(); ++i) {
    QJsonObject bank = banks[i].toObject();
    EXPECT_TRUE(bank.contains("segments"));
    bank.remove("segments");
    bank.remove("used_outside_segments");
    banks[i] = bank;
  }
  withDbg["banks"] = banks;
  EXPECT_EQ(withDbg, plain);

  ASSERT_EQ(Run({"--summary", "--graph", "out/game.nes"}), 0);
  const QByteArray plainText = out;
  ASSERT_EQ(Run({"--summary", "--graph", "--dbg", "game.dbg", "out/game.nes"}), 0);
  const qsizetype table = out.indexOf("\nSegments from game.dbg\n");
  ASSERT_GT(table, 0) << out.toStdString();
  EXPECT_TRUE(out.mid(table).contains("PRG $01 BIG              0000-000E 004010-00401E     15")) << out.toStdString();
  EXPECT_TRUE(out.mid(table).contains("header  HEADER           -         000000-00000F     16"));
  const qsizetype tableEnd = out.indexOf("\n\n", table + 1);
  EXPECT_EQ(out.left(table) + out.mid(tableEnd + 1), plainText);

  ASSERT_EQ(Run({"--report", "plain.bmp", "--size", "700x640", "out/game.nes"}), 0);
  ASSERT_EQ(Run({"--report", "dbg.bmp", "--size", "700x640", "--dbg", "game.dbg", "out/game.nes"}), 0);
  EXPECT_EQ(ReadAll(dir_->File("plain.bmp")), ReadAll(dir_->File("dbg.bmp")));
}

// --segments: a used byte takes its segment's colour, free bytes stay
// near-white, and the legend names the segments.
TEST_F(DbgCommand, TheSegmentViewColoursUsedBytesBySegment) {
  ASSERT_EQ(Run({"--report", "seg.bmp", "--segments", "--dbg", "game.dbg", "out/game.nes"}), 0)
      << err.toStdString();
  const QImage picture = QImageReader(Q(dir_->File("seg.bmp")), "bmp").read().convertToFormat(QImage::Format_RGB32);
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir_->File("out/game.nes")));
  TDebugInfo info;
  TSegmentMap map;
  std::string error;
  ASSERT_TRUE(LoadDebugInfo(dir_->File("game.dbg"), info, error));
  ASSERT_TRUE(PlaceSegments(info, "game.nes", 4, 2, map, error));
  TViewOptions view;
  view.segments = &map;
  EXPECT_EQ(picture, InfoPicture(image, "out/game.nes", 649, 505, view));

  const std::vector<TSegmentColour> colours = SegmentColours(map);
  ASSERT_GE(colours.size(), 7u);
  std::map<std::string, QRgb> colourOf;
  for (const TSegmentColour& c : colours) colourOf[c.name] = c.colour;
  EXPECT_EQ(colourOf.size(), colours.size()) << "one colour per segment";
  const std::vector<TBankBox> boxes = ViewBoxes(image, 649, view);
  auto cell = [&](unsigned box, int offset) {
    return picture.pixel(boxes[box].x + 1 + offset % 64, boxes[box].y + 21 + offset / 64);
  };
  EXPECT_EQ(cell(0, 0), colourOf["CODE"]);
  EXPECT_EQ(cell(0, 15), colourOf["BIG"]);
  EXPECT_EQ(cell(2, 0), colourOf["LEVELA"]);
  EXPECT_EQ(cell(2, 1000), colourOf["LEVELB"]);
  EXPECT_EQ(cell(2, 1010), qRgb(252, 252, 252));  // LEVELB's run of $FF
  EXPECT_EQ(cell(4, 0), colourOf["TILES"]);
  EXPECT_EQ(cell(4, 10), qRgb(252, 252, 252));   // TILES' run of $00
  EXPECT_GT(boxes[0].y, 50) << "the legend stands above the maps";
}

// However many segments, the legend keeps to four lines and the maps stay
// in sight; the last line counts the segments left out.
TEST(SegmentLegend, ManySegmentsNeverPushTheMapsAway) {
  TNESImage image;
  TempDir dir;
  ASSERT_TRUE(image.LoadNES(dir.Write("m.nes", MakeNES(2, 1))));
  TSegmentMap map;
  for (unsigned k = 0; k < 300; ++k)
    map.parts.push_back({k, "SEGMENT_" + std::to_string(k), TBankKind::PRG, k / 150, (k % 150) * 64, 64, 0});
  TViewOptions view;
  view.segments = &map;
  EXPECT_EQ(ViewBoxes(image, 649, view)[0].y, 50 + 4 * 18);
  EXPECT_EQ(ViewBoxes(image, 10000, view)[0].y, 50 + 4 * 18);
  map.parts.resize(3);
  EXPECT_EQ(ViewBoxes(image, 649, view)[0].y, 50 + 18);
  EXPECT_EQ(ViewBoxes(image, 649, {})[0].y, 50);
  // Each segment's used bytes in its own colour: the first three differ.
  const QImage picture = InfoPicture(image, "m.nes", 649, 505, view);
  const std::vector<TSegmentColour> colours = SegmentColours(map);
  ASSERT_EQ(colours.size(), 3u);
  const TBankBox box = ViewBoxes(image, 649, view)[0];
  for (int k = 0; k < 3; ++k) EXPECT_EQ(picture.pixel(box.x + 1, box.y + 21 + k), colours[k].colour);
  EXPECT_EQ(picture.pixel(box.x + 1, box.y + 21 + 3), qRgb(46, 255, 51)) << "used, in no segment";
}

TEST_F(DbgCommand, ADebugFileThatCannotBeUsedEndsWithStatus1AndNothingWritten) {
  // Damaged and foreign copies of the real debug file.
  const QByteArray real = QByteArray::fromStdString(std::string(
      reinterpret_cast<const char*>(ReadAll(dir_->File("game.dbg")).data()),
      ReadAll(dir_->File("game.dbg")).size()));
  auto write = [&](const char* name, const QByteArray& text) {
    dir_->Write(name, Bytes(text.begin(), text.end()));
  };
  write("empty.dbg", {});
  write("cut.dbg", real.left(real.indexOf("name=\"BIG\"")));
  write("huge.dbg", QByteArray(real).replace("size=0x000F,", "size=0x7FFFFFFF,"));
  write("other.dbg", QByteArray(real).replace("oname=\"out/game.nes\"", "oname=\"build/other.nes\""));
  std::filesystem::create_directory(dir_->File("folder.dbg"));
  const struct {
    const char* dbg;
    const char* says;
  } cases[] = {{"missing.dbg", "missing.dbg"}, {"folder.dbg", "folder.dbg"}, {"empty.dbg", "empty.dbg"},
               {"cut.dbg", "cut.dbg"},         {"huge.dbg", "past 16 MiB"},    {"other.dbg", "build/other.nes"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dbg);
    EXPECT_EQ(Run({"--summary", "--report", "r.bmp", "--dbg", c.dbg, "out/game.nes"}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains(c.dbg) && err.contains(c.says)) << err.toStdString();
    EXPECT_FALSE(std::filesystem::exists(dir_->File("r.bmp")));
  }
  EXPECT_TRUE(err.contains("game.nes"));  // the other output's message names the image too

  // Record types and keys of a later linker are passed over.
  QFile::copy(Q(dir_->File("game.dbg")), Q(dir_->File("later.dbg")));
  QFile later(Q(dir_->File("later.dbg")));
  ASSERT_TRUE(later.open(QIODevice::Append));
  later.write("newrec\tid=0,colour=blue\n");
  later.close();
  EXPECT_EQ(Run({"--summary", "--dbg", "later.dbg", "out/game.nes"}), 0) << err.toStdString();
}

TEST(DbgCommandLine, DbgNeedsASummaryOrAReportAndSegmentsBothWithIt) {
  using Mode = TCommandLine::Mode;
  const TCommandLine both = ParseCommandLine({"--summary", "--report", "r.bmp", "--segments", "--dbg", "g.dbg", "g.nes"});
  EXPECT_EQ(both.mode, Mode::Report);
  EXPECT_EQ(both.dbgFile, "g.dbg");
  EXPECT_TRUE(both.segments);
  EXPECT_EQ(ParseCommandLine({"--summary", "--dbg", "g.dbg", "g.nes"}).mode, Mode::Summary);
  const struct {
    std::vector<std::string> args;
    const char* error;
  } bad[] = {{{"--dbg", "g.dbg", "g.nes"}, "--dbg needs --summary or --report"},
             {{"--summary", "--dbg", "", "g.nes"}, "--dbg needs a file name"},
             {{"--summary", "--dbg"}, "--dbg needs a value"},
             {{"--report", "r.bmp", "--segments", "g.nes"}, "--segments needs --report and --dbg"},
             {{"--summary", "--segments", "--dbg", "g.dbg", "g.nes"}, "--segments needs --report and --dbg"}};
  for (const auto& c : bad) {
    const TCommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.mode, Mode::Error) << c.error;
    EXPECT_EQ(line.error, c.error);
  }
}

}  // namespace
