// --labels, run as a build script would run it, on the cartridge that ca65
// and ld65 build here, with label files written from its labels.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cart/nes_image.h"
#include "cart/command_line.h"
#include "dbg_cartridge.h"
#include "fake_dialogs.h"
#include "run_program.h"
#include "temp_files.h"

namespace {

// Where the cartridge's labels lie (see dbg_cartridge.h): CODE at the start
// of PRG bank 0 (reset, then update 4 bytes on), BIG after CODE's 15 bytes
// (table, middle $3000 on), LEVELB 1000 bytes into bank 2.
const char* const MesenLabels =
    "R:0000:total\n"
    "P:0000:reset:entry\\nsets the stack\n"
    "NesPrgRom:0004:update\n"
    "P:000F-300E:table\n"
    "P:300F:middle\n"
    "P:83E8:level_b:three bytes: then the run\n";

class LabelCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    ASSERT_TRUE(BuildDbgCartridge(*dir_));
    dir_->Write("game.mlb", AsBytes(MesenLabels));
    dir_->Write("out/game.nes.0.nl", AsBytes("$8000#reset#entry\n\\sets the stack\n$8004#update#\n"));
    dir_->Write("out/game.nes.2.nl", AsBytes("$83E8/3#level_b#the three bytes\n"));
    dir_->Write("out/game.nes.ram.nl", AsBytes("$0000#total#\n"));
  }
  static void TearDownTestSuite() { delete dir_; }

  int Run(const QStringList& args) {
    const TProgramRun run = RunProgram(Q(dir_->path()), VOIDSCOPE_EXE, args);
    out = run.out;
    err = QString::fromLocal8Bit(run.err);
    return run.status;
  }
  static QJsonObject JSON(const QByteArray& text) { return QJsonDocument::fromJson(text).object(); }
  // Used bytes of file offsets [first, end), by the free rule.
  static std::uint64_t Used(std::uint64_t first, std::uint64_t end, std::uint8_t freeValue) {
    const Bytes bytes = ReadAll(dir_->File("out/game.nes"));
    std::uint64_t used = 0;
    for (std::uint64_t o = first; o < end; ++o) used += bytes[o] != freeValue;
    return used;
  }

  static inline TempDir* dir_;
  QByteArray out;
  QString err;
};

TEST_F(LabelCommand, TheJSONGivesEveryBanksLabelsInOffsetOrderWithFiguresFromTheBytes) {
  ASSERT_EQ(Run({"--summary", "--json", "--labels", "game.mlb", "out/game.nes"}), 0) << err.toStdString();
  const QJsonObject summary = JSON(out);
  EXPECT_EQ(summary["label_files"].toArray(), QJsonArray{"game.mlb"});
  const QJsonArray banks = summary["banks"].toArray();
  ASSERT_EQ(banks.size(), 6);
  for (const QJsonValue& bank : banks) EXPECT_TRUE(bank.toObject()["labels"].isArray());
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir_->File("out/game.nes")));
  const std::uint8_t empty = image.FindEmptyByte();
  struct Row {
    const char* name;
    qint64 offset, size;
  };
  const Row bank0[] = {{"reset", 0, 4}, {"update", 4, 11}, {"table", 15, 0x3000}, {"middle", 0x300F, 0x4000 - 0x300F}};
  const QJsonArray labels0 = banks[0].toObject()["labels"].toArray();
  ASSERT_EQ(labels0.size(), 4);
  for (int k = 0; k < 4; ++k) {
    const QJsonObject l = labels0[k].toObject();
    EXPECT_EQ(l["name"].toString(), bank0[k].name);
    EXPECT_EQ(l["offset"].toInteger(), bank0[k].offset);
    EXPECT_EQ(l["size"].toInteger(), bank0[k].size);
    EXPECT_EQ(l["used"].toInteger(),
              qint64(Used(16 + bank0[k].offset, 16 + bank0[k].offset + bank0[k].size, empty)));
    EXPECT_EQ(l.keys(), (QStringList{"name", "offset", "size", "used"}));
  }
  const QJsonArray labels2 = banks[2].toObject()["labels"].toArray();
  ASSERT_EQ(labels2.size(), 1);
  EXPECT_EQ(labels2[0].toObject()["size"].toInteger(), 16384 - 1000);
  // LEVELB: three bytes, 300 of $FF, four more.
  EXPECT_EQ(labels2[0].toObject()["used"].toInteger(), 3 + 1 + 2);
  EXPECT_TRUE(banks[1].toObject()["labels"].toArray().isEmpty());
}

// The FCEUX lists of an image (the RAM list among them) and --dbg together.
TEST_F(LabelCommand, FCEUXListsAndTheDebugFileAreBothRead) {
  ASSERT_EQ(Run({"--summary", "--json", "--dbg", "game.dbg", "--labels", "out/game.nes.0.nl", "--labels",
                 "out/game.nes.2.nl", "--labels", "out/game.nes.ram.nl", "out/game.nes"}),
            0)
      << err.toStdString();
  EXPECT_TRUE(err.contains("out/game.nes.ram.nl: RAM names, skipped")) << err.toStdString();
  const QJsonObject summary = JSON(out);
  EXPECT_EQ(summary["label_files"].toArray(),
            (QJsonArray{"out/game.nes.0.nl", "out/game.nes.2.nl", "out/game.nes.ram.nl"}));
  EXPECT_EQ(summary["debug_file"].toString(), "game.dbg");
  const QJsonArray banks = summary["banks"].toArray();
  ASSERT_EQ(banks.size(), 6);
  EXPECT_FALSE(banks[0].toObject()["segments"].toArray().isEmpty());
  const QJsonArray labels0 = banks[0].toObject()["labels"].toArray();
  ASSERT_EQ(labels0.size(), 2);
  EXPECT_EQ(labels0[1].toObject()["size"].toInteger(), 16384 - 4);
  const QJsonArray labels2 = banks[2].toObject()["labels"].toArray();
  ASSERT_EQ(labels2.size(), 1);
  EXPECT_EQ(labels2[0].toObject()["size"].toInteger(), 3);
  EXPECT_EQ(labels2[0].toObject()["used"].toInteger(), 3);
}

// Label files only add: the same keys and lines otherwise, the same pixels.
TEST_F(LabelCommand, LabelFilesOnlyAddToTheSummaryAndChangeNoPixel) {
  ASSERT_EQ(Run({"--summary", "--json", "--dbg", "game.dbg", "out/game.nes"}), 0);
  const QJsonObject plain = JSON(out);
  ASSERT_EQ(Run({"--summary", "--json", "--dbg", "game.dbg", "--labels", "game.mlb", "out/game.nes"}), 0);
  QJsonObject labelled = JSON(out);
  ASSERT_TRUE(labelled.contains("label_files"));
  labelled.remove("label_files");
  QJsonArray banks = labelled["banks"].toArray();
  for (qsizetype i = 0; i < banks.size(); ++i) {
    QJsonObject bank = banks[i].toObject();
    EXPECT_TRUE(bank.contains("labels"));
    bank.remove("labels");
    banks[i] = bank;
  }
  labelled["banks"] = banks;
  EXPECT_EQ(labelled, plain);

  ASSERT_EQ(Run({"--summary", "--graph", "out/game.nes"}), 0);
  const QByteArray plainText = out;
  ASSERT_EQ(Run({"--summary", "--graph", "--labels", "game.mlb", "out/game.nes"}), 0);
  const qsizetype section = out.indexOf("\nLabels from game.mlb\n");
  ASSERT_GT(section, 0) << out.toStdString();
  const qsizetype sectionEnd = out.indexOf("\n\n", section + 1);
  EXPECT_EQ(out.left(section) + out.mid(sectionEnd + 1), plainText);
  const QByteArray labels = out.mid(section + 1, sectionEnd - section);
  EXPECT_TRUE(labels.contains("5 labels in 2 banks; in each, the five with the most used bytes\n")) << labels.toStdString();
  // Largest first: table's $3000 bytes of $11 lead bank 0.
  EXPECT_TRUE(labels.contains("Bank     Label                In bank     Size   Used\n"
                              "PRG $00  table                000F-300E  12288  12288\n"))
      << labels.toStdString();

  ASSERT_EQ(Run({"--report", "plain.bmp", "--size", "700x640", "out/game.nes"}), 0);
  ASSERT_EQ(Run({"--report", "labels.bmp", "--size", "700x640", "--labels", "game.mlb", "out/game.nes"}), 0);
  EXPECT_EQ(ReadAll(dir_->File("plain.bmp")), ReadAll(dir_->File("labels.bmp")));
}

// More than five labels in a bank: the five with the most used bytes, then
// how many more.
TEST_F(LabelCommand, ABankOfManyLabelsShowsTheFiveLargestAndHowManyMore) {
  std::string text;
  for (int k = 0; k < 8; ++k) text += "P:" + std::to_string(k) + "00:part" + std::to_string(k) + "\n";
  dir_->Write("many.mlb", AsBytes(text));
  ASSERT_EQ(Run({"--summary", "--labels", "many.mlb", "out/game.nes"}), 0) << err.toStdString();
  // part0 ($000-$0FF) holds CODE's 15 bytes and table's first; the others
  // lie in table ($11 bytes, all used); part7 runs to the bank's end.
  // Of the three more, part0 holds CODE's one $FF (ldx #$FF).
  EXPECT_TRUE(out.contains("PRG $00  part7                0700-3FFF  14592  14592\n")) << out.toStdString();
  EXPECT_TRUE(out.contains("PRG $00  and 3 more labels: 768 bytes, 767 used\n")) << out.toStdString();
}

TEST_F(LabelCommand, AnUnreadableLabelFileEndsTheRunWithNothingOnStandardOutput) {
  dir_->Write("prose.mlb", AsBytes("no labels here\n"));
  for (const QStringList& mode : {QStringList{"--summary"}, QStringList{"--summary", "--json"},
                                  QStringList{"--report", "never.bmp"}}) {
    SCOPED_TRACE(mode.join(' ').toStdString());
    EXPECT_EQ(Run(mode + QStringList{"--labels", "game.mlb", "--labels", "missing.mlb", "out/game.nes"}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.startsWith("voidscope: cannot read the label file missing.mlb: No such file")) << err.toStdString();
    EXPECT_EQ(Run(mode + QStringList{"--labels", "prose.mlb", "out/game.nes"}), 1);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(err.contains("prose.mlb:1: not a label line")) << err.toStdString();
    EXPECT_EQ(Run(mode + QStringList{"--labels", "out", "out/game.nes"}), 1);
    EXPECT_TRUE(err.contains("out: a folder")) << err.toStdString();
  }
  EXPECT_FALSE(QFile::exists(Q(dir_->File("never.bmp"))));
  // A bad line among good ones: a note, and the run goes on.
  dir_->Write("one_bad.mlb", AsBytes("P:0000:reset\nP:zz:bad\n"));
  EXPECT_EQ(Run({"--summary", "--labels", "one_bad.mlb", "out/game.nes"}), 0);
  EXPECT_TRUE(err.contains("note: one_bad.mlb: 1 line that is not a label skipped (line 2: ")) << err.toStdString();
}

TEST(LabelCommandLine, LabelsAreRepeatableAndNeedTheSummaryOrTheReport) {
  const TCommandLine line = ParseCommandLine({"--summary", "--labels", "a.nes.0.nl", "--labels", "a.nes.1.nl", "a.nes"});
  ASSERT_EQ(line.mode, TCommandLine::Mode::Summary);
  EXPECT_EQ(line.labelFiles, (std::vector<std::string>{"a.nes.0.nl", "a.nes.1.nl"}));
  EXPECT_EQ(ParseCommandLine({"--labels", "a.mlb", "a.nes"}).mode, TCommandLine::Mode::Error);
  EXPECT_EQ(ParseCommandLine({"--summary", "--labels", "", "a.nes"}).mode, TCommandLine::Mode::Error);
  EXPECT_EQ(ParseCommandLine({"--summary", "a.nes", "--labels"}).mode, TCommandLine::Mode::Error);
  EXPECT_EQ(ParseCommandLine({"--report", "x.bmp", "--labels", "a.mlb", "a.nes"}).labelFiles, std::vector<std::string>{"a.mlb"});
}

}  // namespace
