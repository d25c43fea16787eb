#include <gtest/gtest.h>

#include "fake_dialogs.h"

namespace {

// Pixels of `colour` in rows [top, bottom): the boxes only, not the
// anti-aliased edges of the labels.
int Count(const QImage& picture, QRgb colour, int top = 67, int bottom = 345) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < picture.width(); ++x) n += picture.pixel(x, y) == colour;
  return n;
}

struct RealImage {
  const char* path;
  int boxes;      // PRG and CHR boxes, all on the first row at 649 x 505
  int mapCells;   // the pixels all their pictures hold
};

void PrintTo(const RealImage& real, std::ostream* os) { *os << real.path; }

class RealImagesDrawn : public ::testing::TestWithParam<RealImage> {};

TEST_P(RealImagesDrawn, EveryBankIsMappedInGreenAndNearWhiteOnly) {
  TFakeDialogs dialogs;
  TFormMain form(dialogs, VOIDSCOPE_TEST_DATA "/" + QString(GetParam().path));
  ASSERT_TRUE(form.Image().Held());
  const QImage picture = form.RenderInfo(649, 505);
  EXPECT_EQ(Count(picture, qRgb(46, 255, 51)) + Count(picture, qRgb(252, 252, 252)),
            GetParam().mapCells);
  EXPECT_EQ(Count(picture, qRgb(128, 128, 128)), 0);
  for (int i = 0; i < GetParam().boxes; ++i) EXPECT_EQ(picture.pixel(10 + 74 * i, 70), qRgb(0, 0, 0));
  EXPECT_EQ(picture.pixel(10 + 74 * GetParam().boxes, 70), qRgb(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(Homebrew, RealImagesDrawn,
                         ::testing::Values(RealImage{"ca65-example/example.nes", 3, 2 * 16384 + 8192},
                                           RealImage{"russian-roulette/roulette.nes", 2, 16384 + 8192},
                                           RealImage{"nes15/nes15-NTSC.nes", 2, 16384 + 8192},
                                           // 16400 bytes, CHR RAM: one PRG box
                                           RealImage{"escape-from-pong/efp.nes", 1, 16384}));

TEST(SampleDrawn, FillsTheWindowWithTwelveBoxes) {
  TFakeDialogs dialogs;
  TFormMain form(dialogs, QString(VOIDSCOPE_SAMPLE));
  const QImage picture = form.RenderInfo(649, 505);
  auto mapped = [&](int top, int bottom) {
    return Count(picture, qRgb(46, 255, 51), top, bottom) +
           Count(picture, qRgb(252, 252, 252), top, bottom);
  };
  EXPECT_EQ(mapped(67, 345), 8 * 16384);
  EXPECT_EQ(mapped(363, 505), 4 * 8192);
}

}  // namespace
