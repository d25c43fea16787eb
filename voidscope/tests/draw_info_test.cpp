#include <gtest/gtest.h>

#include <QColor>
#include <QPainter>
#include <cmath>

#include "cart/summary_format.h"
#include "fake_dialogs.h"
#include "temp_files.h"

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb Used = qRgb(46, 255, 51);
const QRgb Free = qRgb(252, 252, 252);
const QRgb Missing = qRgb(128, 128, 128);

class DrawInfo : public ::testing::Test {
 protected:
  QImage Draw(const Bytes& bytes, int W = 649, int H = 505, const std::string& name = "cart.nes") {
    form.TakeFile(Q(dir.Write(name, bytes)));
    return form.RenderInfo(W, H);
  }
  QImage DrawNES(unsigned prg, unsigned chr, int W = 649, int H = 505) {
    return Draw(MakeNES(prg, chr), W, H);
  }

  // A labelled box: the label's text at (x, y), the frame below it, the
  // picture inside it, white just right of it.
  static void ExpectBox(const QImage& pic, int x, int y, int rows, const char* what) {
    SCOPED_TRACE(::testing::Message() << what << " box at " << x << "," << y);
    const int top = y + 20, bottom = y + 20 + rows + 1;
    EXPECT_EQ(pic.pixel(x, top), Black);
    EXPECT_EQ(pic.pixel(x, y + 20 + rows / 2), Black);
    EXPECT_EQ(pic.pixel(x + 1, top + 1), Used);
    EXPECT_EQ(pic.pixel(x + 1, top - 1), White);
    EXPECT_TRUE(HasInk(pic, QRect(x, y, 50, 14))) << "no label";
    if (x + 66 >= pic.width()) return;  // the rest is cut off by the edge
    EXPECT_EQ(pic.pixel(x + 65, top), Black);
    EXPECT_EQ(pic.pixel(x + 33, top), Black);
    EXPECT_EQ(pic.pixel(x + 65, y + 20 + rows / 2), Black);
    EXPECT_EQ(pic.pixel(x + 64, top + 1), Used);
    EXPECT_EQ(pic.pixel(x + 66, top + 5), White);
    if (bottom < pic.height() - 1) {
      EXPECT_EQ(pic.pixel(x + 10, bottom), Black);
      EXPECT_EQ(pic.pixel(x + 64, bottom - 1), Used);
      EXPECT_EQ(pic.pixel(x + 10, bottom + 1), White);
    }
  }
  static void ExpectPRG(const QImage& pic, int x, int y) { ExpectBox(pic, x, y, 256, "PRG"); }
  static void ExpectCHR(const QImage& pic, int x, int y) { ExpectBox(pic, x, y, 128, "CHR"); }

  static bool HasInk(const QImage& pic, QRect area) {
    area &= pic.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (qGray(pic.pixel(x, y)) < 128) return true;
    return false;
  }
  // Nothing but white inside `area`.
  static bool Blank(const QImage& pic, QRect area) {
    area &= pic.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (pic.pixel(x, y) != White) return false;
    return true;
  }
  static void ExpectFrame(const QImage& pic) {
    const int W = pic.width(), H = pic.height();
    for (int x = 0; x < W; ++x) ASSERT_TRUE(pic.pixel(x, 0) == Black && pic.pixel(x, H - 1) == Black);
    for (int y = 0; y < H; ++y) ASSERT_TRUE(pic.pixel(0, y) == Black && pic.pixel(W - 1, y) == Black);
  }
  // `text` as DrawInfo writes it, top-left at (x, y), opaque on white.
  void ExpectText(const QImage& pic, int x, int y, const QString& text) {
    const QFontMetrics metrics(form.font());
    QImage expected(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
    expected.fill(White);
    {
      QPainter painter(&expected);
      painter.setFont(form.font());
      painter.setPen(Black);
      painter.drawText(0, metrics.ascent(), text);
    }
    EXPECT_EQ(pic.copy(x, y, expected.width(), expected.height()), expected) << text.toStdString();
  }

  TempDir dir;
  TFakeDialogs dialogs;
  TFormMain form{dialogs};
};

TEST_F(DrawInfo, NoImageShowsOnlyTheFramedMessage) {
  const QImage pic = form.RenderInfo(649, 505);
  ExpectFrame(pic);
  ExpectText(pic, 10, 10, "No file loaded");
  EXPECT_TRUE(Blank(pic, QRect(1, 1, 647, 9)));
  EXPECT_TRUE(Blank(pic, QRect(1, 30, 647, 474)));
  EXPECT_TRUE(Blank(pic, QRect(150, 1, 498, 503)));
}

TEST_F(DrawInfo, NoBanksGiveTheTitleLineAlone) {
  const QImage pic = Draw(MakeNES(0, 0), 649, 505, "zero.nes");
  ExpectFrame(pic);
  ExpectText(pic, 10, 10, Q(dir.File("zero.nes")) + "  Mapper #0  0xPRG  0xCHR  Empty is $00");
  EXPECT_TRUE(Blank(pic, QRect(1, 35, 647, 468)));
}

TEST_F(DrawInfo, TitleLineNamesMapperCountsAndEmptyByte) {
  EXPECT_EQ(TitleLine("/x/y.nes", 4, 8, 16, 0xFF), "/x/y.nes  Mapper #4  8xPRG  16xCHR  Empty is $FF");
  EXPECT_EQ(TitleLine("a", 255, 0, 255, 0x0A), "a  Mapper #255  0xPRG  255xCHR  Empty is $0A");
  Bytes bytes = MakeNES(8, 16, 0x40, 0x00);
  std::fill_n(bytes.begin() + PRGOffset(0) + 100, 300, 0xFF);
  const QImage pic = Draw(bytes, 1200, 400, "mapper4.nes");
  ExpectText(pic, 10, 10, Q(dir.File("mapper4.nes")) + "  Mapper #4  8xPRG  16xCHR  Empty is $FF");
}

TEST_F(DrawInfo, EightPRGBanksFillTheFirstRowAtWidth649) {
  const QImage pic = DrawNES(8, 0);
  for (int i = 0; i < 8; ++i) ExpectPRG(pic, 10 + 74 * i, 50);
  EXPECT_EQ(pic.pixel(10, 70), Black);
  EXPECT_EQ(pic.pixel(10, 327), Black);
  EXPECT_TRUE(Blank(pic, QRect(1, 329, 647, 175)));
}

TEST_F(DrawInfo, ANinthPRGBankStartsTheSecondRowAndRunsPastTheEdge) {
  const QImage pic = DrawNES(9, 0);
  ExpectPRG(pic, 10, 346);
  EXPECT_EQ(pic.pixel(10, 500), Black);
  EXPECT_EQ(pic.pixel(11, 500), Used);
  EXPECT_EQ(pic.pixel(75, 500), Black);
  EXPECT_TRUE(Blank(pic, QRect(84, 330, 564, 174)));
}

TEST_F(DrawInfo, ACHRBankAfterEightPRGBanksWrapsToTheSecondRow) {
  const QImage pic = DrawNES(8, 1);
  ExpectCHR(pic, 10, 346);
  EXPECT_EQ(pic.pixel(10, 366), Black);
  EXPECT_EQ(pic.pixel(40, 495), Black);
  EXPECT_EQ(pic.pixel(40, 496), White);
}

TEST_F(DrawInfo, CHRBanksGoOnInTheRowThePRGBanksEndIn) {
  const QImage pic = DrawNES(2, 8);
  ExpectPRG(pic, 10, 50);
  ExpectPRG(pic, 84, 50);
  for (int i = 0; i < 6; ++i) ExpectCHR(pic, 158 + 74 * i, 50);
  ExpectCHR(pic, 10, 346);
  ExpectCHR(pic, 84, 346);
  EXPECT_TRUE(Blank(pic, QRect(158, 330, 480, 174)));
}

TEST_F(DrawInfo, WithoutPRGBanksTheFirstCHRRowStillAdvancesBy296) {
  const QImage pic = DrawNES(0, 9);
  for (int i = 0; i < 8; ++i) ExpectCHR(pic, 10 + 74 * i, 50);
  ExpectCHR(pic, 10, 346);
  EXPECT_TRUE(Blank(pic, QRect(1, 201, 647, 144)));
}

TEST_F(DrawInfo, LaterCHRRowsAdvanceBy168) {
  const QImage pic = DrawNES(1, 24, 649, 900);
  ExpectCHR(pic, 84, 50);
  ExpectCHR(pic, 10, 346);
  ExpectCHR(pic, 10, 514);
  ExpectCHR(pic, 10, 682);
}

TEST_F(DrawInfo, NarrowAreasStackEveryBoxAtX10) {
  for (int W : {158, 100, 40}) {
    SCOPED_TRACE(W);
    const QImage pic = DrawNES(2, 2, W, 1000);
    ExpectPRG(pic, 10, 50);
    ExpectPRG(pic, 10, 346);
    EXPECT_EQ(pic.pixel(10, 642 + 20), Black);  // CHR 0: 296 below the last PRG row
    EXPECT_EQ(pic.pixel(10, 810 + 20), Black);  // CHR 1: 168 further
    EXPECT_EQ(pic.pixel(11, 810 + 21), Used);
  }
}

TEST_F(DrawInfo, MapPixelsFollowTheBankBytesInExactColours) {
  Bytes bytes = MakeNES(1, 1);
  bytes[4] = 2;  // bank 1 is only partly in the file
  std::fill_n(bytes.begin() + PRGOffset(0) + 200, 1000, 0xFF);  // free space
  bytes[PRGOffset(0) + 64 * 5 + 7] = 0x00;                     // a used byte in row 5
  for (std::size_t o = PRGOffset(1); o < bytes.size(); ++o)
    bytes[o] = static_cast<std::uint8_t>(0x80 | ((o * 151) & 0x7F));  // no runs
  bytes.resize(PRGOffset(1) + 8192 + 640, 0x00);  // bank 1: 8832 bytes, 138 rows
  const QImage pic = Draw(bytes, 1000, 505);
  const int left = 11, top = 71;
  EXPECT_EQ(pic.pixel(left + 0, top + 0), Used);
  EXPECT_EQ(pic.pixel(left + 200 % 64, top + 200 / 64), Free);
  EXPECT_EQ(pic.pixel(left + 7, top + 5), Used);
  EXPECT_EQ(pic.pixel(left + 6, top + 5), Free);
  EXPECT_EQ(pic.pixel(left + 1199 % 64, top + 1199 / 64), Free);
  EXPECT_EQ(pic.pixel(left + 1200 % 64, top + 1200 / 64), Used);
  // Bank 1 at x = 84: loaded bytes then the missing ones in grey.
  EXPECT_EQ(pic.pixel(85 + 3, top), Used);
  EXPECT_EQ(pic.pixel(85, top + 137), Used);    // $00 is used in PRG
  EXPECT_EQ(pic.pixel(85, top + 138), Missing);
  EXPECT_EQ(pic.pixel(85 + 63, top + 255), Missing);
  // The CHR bank named by the header lies wholly beyond the file.
  EXPECT_EQ(pic.pixel(159, top), Missing);
}

TEST_F(DrawInfo, CHRMapsMarkOnlyZeroAsFreeWhateverTheEmptyByte) {
  Bytes bytes = MakeNES(1, 1);
  std::fill_n(bytes.begin() + PRGOffset(0) + 10, 100, 0xFF);
  bytes[CHROffset(1, 0) + 0] = 0xFF;
  bytes[CHROffset(1, 0) + 1] = 0x00;
  const QImage pic = Draw(bytes);
  EXPECT_EQ(pic.pixel(85, 71), Used);
  EXPECT_EQ(pic.pixel(86, 71), Free);
  EXPECT_EQ(pic.pixel(11 + 10, 71), Free);  // and the PRG map does use $FF
}

TEST_F(DrawInfo, BankLabelsCountInUpperCaseHex) {
  const QImage pic = DrawNES(11, 1, 649, 700);
  ExpectText(pic, 10, 50, "PRG $00");
  ExpectText(pic, 528, 50, "PRG $07");
  ExpectText(pic, 158, 346, "PRG $0A");
  ExpectText(pic, 232, 346, "CHR $00");
}

TEST_F(DrawInfo, ThePictureReachesTheCanvasUnscaled) {
  QImage pic = DrawNES(1, 0);
  // Every one of the 64 x 256 cells is inside the frame.
  int used = 0;
  for (int y = 71; y < 71 + 256; ++y)
    for (int x = 11; x < 11 + 64; ++x) used += pic.pixel(x, y) == Used;
  EXPECT_EQ(used, 64 * 256);
  EXPECT_EQ(pic.pixel(11, 327), Black);
}

// The segment colours past the first dozen were Qt's HSV colours before the
// drawing left the toolkit: the plain computation gives the very same.
TEST(SegmentColours, AreTheHSVColoursQtGave) {
  for (unsigned k = 12; k < 3000; ++k) {
    const double hue = std::fmod(k * 137.508, 285.0);
    const int h = static_cast<int>(hue < 75 ? hue : hue + 75);
    ASSERT_EQ(SegmentColour(k), QColor::fromHsv(h, 200, k % 2 ? 170 : 235).rgb()) << k;
  }
}

}  // namespace
