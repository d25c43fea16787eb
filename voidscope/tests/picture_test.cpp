// The drawing without a toolkit: what a front end is asked to draw, in
// which order and where, with a canvas that only records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture/info_drawing.h"
#include "temp_files.h"

namespace {

// Every call as one line of text; texts 7 pixels a character.
struct TRecordingCanvas : TInfoCanvas {
  std::vector<std::string> calls;
  std::vector<TBankPicture> banks;

  int TextWidth(const std::string& text) const override { return 7 * static_cast<int>(text.size()); }
  void Rectangle(int x1, int y1, int x2, int y2) override {
    calls.push_back("rect " + Join({x1, y1, x2, y2}));
  }
  void Fill(int x, int y, int width, int height, TRgb colour) override {
    calls.push_back("fill " + Join({x, y, width, height}) + " " + std::to_string(colour & 0xFFFFFF));
  }
  void Text(int x, int y, const std::string& text) override {
    calls.push_back("text " + Join({x, y}) + " " + text);
  }
  void Bank(int x, int y, const TBankPicture& picture) override {
    calls.push_back("bank " + Join({x, y, picture.width, picture.height}));
    banks.push_back(picture);
  }
  static std::string Join(std::initializer_list<int> numbers) {
    std::string text;
    for (int n : numbers) text += (text.empty() ? "" : ",") + std::to_string(n);
    return text;
  }
};

TEST(Picture, NoImageIsAFramedAreaAndOneText) {
  TRecordingCanvas canvas;
  DrawInfo(canvas, TNESImage(), "game.nes", 649, 505);
  EXPECT_EQ(canvas.calls, (std::vector<std::string>{"rect 0,0,649,505", "text 10,10 No file loaded"}));
}

TEST(Picture, EightPRGBanksAndOneCHRBankWrapAtTheLastPRGBank) {
  TempDir dir;
  Bytes bytes = MakeNES(8, 1);
  bytes[PRGOffset(0) + 5] = 0x00;  // one CHR-like free byte: still used in PRG
  bytes[CHROffset(8, 0) + 3] = 0x00;  // a free CHR byte
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir.Write("g.nes", bytes)));
  TRecordingCanvas canvas;
  DrawInfo(canvas, image, "g.nes", 649, 505);
  ASSERT_EQ(canvas.calls.size(), 2u + 9 * 3);
  EXPECT_EQ(canvas.calls[1], "text 10,10 g.nes  Mapper #0  8xPRG  1xCHR  Empty is $00");
  EXPECT_EQ(canvas.calls[2], "text 10,50 PRG $00");
  EXPECT_EQ(canvas.calls[3], "rect 10,70,76,328");
  EXPECT_EQ(canvas.calls[4], "bank 11,71,64,256");
  EXPECT_EQ(canvas.calls[2 + 7 * 3], "text 528,50 PRG $07");
  EXPECT_EQ(canvas.calls[2 + 8 * 3], "text 10,346 CHR $00");
  EXPECT_EQ(canvas.calls[3 + 8 * 3], "rect 10,366,76,496");
  EXPECT_EQ(canvas.calls[4 + 8 * 3], "bank 11,367,64,128");
  // The cells are the bank maps, one byte a cell, with the plain palette.
  ASSERT_EQ(canvas.banks.size(), 9u);
  Bytes map(PRGBankSize);
  image.PRGBankMap(0, image.FindEmptyByte(), map.data(), MapColumns);
  EXPECT_EQ(canvas.banks[0].cells, map);
  EXPECT_EQ(canvas.banks[8].cells[3], CellFree);
  EXPECT_EQ(canvas.banks[8].cells[4], CellUsed);
  EXPECT_EQ(canvas.banks[0].palette, BankPalette());
  EXPECT_EQ(BankPalette()[CellFree], MakeRgb(252, 252, 252));
  EXPECT_EQ(BankPalette()[CellUsed], MakeRgb(46, 255, 51));
}

TEST(Picture, LegendsFlowByTheFrontEndsTextWidthsAndMoveTheMaps) {
  TempDir dir;
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir.Write("g.nes", MakeNES(1, 0))));
  TSegmentMap map;
  // Names of 40 characters: 11 + 4 + 280 = 295 pixels an item, 14 apart.
  for (unsigned k = 0; k < 3; ++k)
    map.parts.push_back({k, std::string(39, 'A') + char('0' + k), TBankKind::PRG, 0, k * 64, 64, 0});
  TPlayLog play(image);
  TViewOptions view{&map, &play};
  TRecordingCanvas canvas;
  DrawInfo(canvas, image, "g.nes", 649, 505, view);
  const std::vector<TSegmentColour> colours = SegmentColours(map);
  const auto has = [&](const std::string& call) {
    return std::find(canvas.calls.begin(), canvas.calls.end(), call) != canvas.calls.end();
  };
  // Two items a line at 649 (10 + 309 + 295 >= 639 wraps the third).
  EXPECT_TRUE(has("rect 10,34,21,45"));
  EXPECT_TRUE(has("fill 11,35,9,9 " + std::to_string(colours[0].colour & 0xFFFFFF)));
  EXPECT_TRUE(has("text 25,32 " + colours[0].name));
  EXPECT_TRUE(has("text 334,32 " + colours[1].name));
  EXPECT_TRUE(has("text 25,50 " + colours[2].name));
  // The play legend on the third line, beside segments only its new colour.
  EXPECT_TRUE(has("text 25,68 never reached by the play logs"));
  EXPECT_TRUE(has("text 10,104 PRG $00"));
  EXPECT_EQ(ViewBoxes(image, 649, view, canvas)[0].y, 104);
  // Each segment's used cells in its colour, no log reached any: the play
  // view leaves the segments' colours only to reached bytes.
  ASSERT_EQ(canvas.banks.size(), 1u);
  const TBankPicture& bank = canvas.banks[0];
  EXPECT_EQ(bank.cells[0], 255);
  EXPECT_EQ(bank.palette[255], NeverReachedColour());
  EXPECT_EQ(bank.palette[3], colours[0].colour);
  EXPECT_EQ(bank.palette[5], colours[2].colour);
  // Wider, one line of segments.
  EXPECT_EQ(ViewBoxes(image, 2000, view, canvas)[0].y, 50 + 2 * 18);
  EXPECT_EQ(ViewBoxes(image, 2000, {}, canvas)[0].y, 50);
}

TEST(Picture, TheCellUnderAPointIsFoundOnlyInsideTheFrames) {
  const std::vector<TBankBox> boxes = BankBoxes(649, 1, 1);
  EXPECT_FALSE(BankCellAt(boxes, 10, 70)) << "the frame";
  const std::optional<TBankCell> first = BankCellAt(boxes, 11, 71);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->kind, TBankKind::PRG);
  EXPECT_EQ(first->offset, 0u);
  const std::optional<TBankCell> last = BankCellAt(boxes, 84 + 64, 70 + 128);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->kind, TBankKind::CHR);
  EXPECT_EQ(last->offset, 8191u);
  EXPECT_FALSE(BankCellAt(boxes, 84 + 65, 70 + 128));
}

}  // namespace
