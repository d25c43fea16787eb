// The label files the window reads with the image: found beside it, read
// together, kept when one cannot be used, watched, and shown per byte.
#include <gtest/gtest.h>

#include "cart/image_labels.h"
#include "temp_files.h"

namespace {

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(ImageLabels, TheFilesBesideAnImageAreItsMesenFileAndItsBankListsInBankOrder) {
  TempDir dir;
  dir.Write("game.nes", MakeNES(2, 1));
  for (const char* name : {"game.nes.A.nl", "game.nes.2.nl", "game.nes.10.nl", "game.nes.ram.nl", "game.mlb",
                           "other.nes.0.nl", "other.mlb", "game.nes.x.nl", "game.nl", "game.nes.0.nl.bak"})
    dir.Write(name, Text("$8000#a#\n"));
  EXPECT_EQ(LabelFilesBeside(dir.File("game.nes")),
            (std::vector<std::string>{dir.File("game.mlb"), dir.File("game.nes.2.nl"), dir.File("game.nes.A.nl"),
                                      dir.File("game.nes.10.nl")}));
  EXPECT_TRUE(LabelFilesBeside(dir.File("none.nes")).empty());
  EXPECT_TRUE(LabelFilesBeside("").empty());
}

TEST(ImageLabels, AFileThatCannotBeUsedKeepsTheLabelsHeldAndSaysWhy) {
  TempDir dir;
  const Bytes image = MakeNES(2, 1);
  const std::string nes = dir.Write("game.nes", image);
  dir.Write("game.mlb", Text("P:0000:start:the entry\\nof all\nP:41A2:music_data\nP:zz:bad\n"));
  const std::vector<TBankExtent> banks = HeaderBankExtents(2, 1);
  TImageLabels labels;
  std::string message;
  ASSERT_TRUE(labels.Load(nes, true, {}, image, banks, 0xFF, message));
  EXPECT_EQ(message, dir.File("game.mlb") + ": 1 line that is not a label skipped (line 3: not a label line (\"P:zz:bad\"))");
  EXPECT_EQ(labels.ByteText(TBankKind::PRG, 0, 0), "Label start, 16384 bytes\nthe entry\nof all");
  EXPECT_EQ(labels.ByteText(TBankKind::PRG, 1, 0x1A2 + 0x1A2), "Label music_data+$1A2, 15966 bytes");
  EXPECT_EQ(labels.ByteText(TBankKind::PRG, 1, 0x1A1), "");
  EXPECT_EQ(labels.ByteText(TBankKind::CHR, 0, 0), "");
  EXPECT_FALSE(labels.Changed());

  // An added file that is a folder: not used, the labels stay.
  ASSERT_FALSE(labels.Load(nes, true, {dir.path()}, image, banks, 0xFF, message));
  EXPECT_EQ(message, dir.path() + ": a folder, not a label file");
  EXPECT_EQ(labels.Files().size(), 1u);
  EXPECT_FALSE(labels.ByteText(TBankKind::PRG, 0, 5).empty());

  // A new bank list beside the image, and a changed file, are changes.
  dir.Write("game.nes.1.nl", Text("$8010#tune#\n"));
  EXPECT_TRUE(labels.Changed());
  ASSERT_TRUE(labels.Load(nes, true, {}, image, banks, 0xFF, message));
  EXPECT_EQ(labels.Files().size(), 2u);
  EXPECT_EQ(labels.ByteText(TBankKind::PRG, 1, 0x12), "Label tune+$2, 402 bytes");
  EXPECT_FALSE(labels.Changed());
  SetWriteTime(dir.File("game.mlb"), 1000000, 0);
  EXPECT_TRUE(labels.Changed());

  // Another image: the first one's labels go, whatever happens then.
  const std::string other = dir.Write("other.nes", image);
  ASSERT_TRUE(labels.Load(other, true, {}, image, banks, 0xFF, message));
  EXPECT_TRUE(labels.Empty());
  EXPECT_EQ(labels.ByteText(TBankKind::PRG, 0, 0), "");

  // Told not to look beside the image: only the files given, and a file
  // coming beside it is no change.
  ASSERT_TRUE(labels.Load(nes, false, {dir.File("game.nes.1.nl")}, image, banks, 0xFF, message));
  EXPECT_EQ(labels.Files().size(), 1u);
  dir.Write("game.nes.0.nl", Text("$8000#zero#\n"));
  EXPECT_FALSE(labels.Changed());
}

}  // namespace
