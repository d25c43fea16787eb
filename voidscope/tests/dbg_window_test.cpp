// The window with the linker's debug file: read with the image and on watch
// reloads, opened from the menu, a failure told without touching the maps,
// the segment view and the tooltip's additions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTest>

#include "dbg_cartridge.h"
#include "fake_dialogs.h"

namespace {

class DbgWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    built_ = new TempDir;
    ASSERT_TRUE(BuildDbgCartridge(*built_));
  }
  static void TearDownTestSuite() { delete built_; }
  // The image alone in a folder of its own, as game.nes; with its debug
  // file beside it when `withDbg`.
  std::string Place(bool withDbg) {
    here.Write("game.nes", ReadAll(built_->File("out/game.nes")));
    if (withDbg) PlaceDbg();
    return here.File("game.nes");
  }
  void PlaceDbg() { here.Write("game.dbg", ReadAll(built_->File("game.dbg"))); }

  static inline TempDir* built_;
  TempDir here;
  TFakeDialogs dialogs;
};

TEST_F(DbgWindow, TheImagesOwnDebugFileIsReadOnLoadAndWatchAndAFailureLeavesTheMaps) {
  TFormMain form(dialogs, Q(Place(false)));
  form.show();
  QApplication::processEvents();
  EXPECT_FALSE(form.DbgLoaded());
  EXPECT_TRUE(form.StatusLine()->isHidden());
  const QImage plain = form.RenderInfo(649, 505);

  // The watch reloads a rebuilt image and reads the debug file now beside it.
  PlaceDbg();
  SetWriteTime(here.File("game.nes"), 1'000'000, 0);
  form.TimerWatchTimer();
  ASSERT_TRUE(form.DbgLoaded());
  EXPECT_TRUE(form.StatusLine()->isHidden());
  EXPECT_EQ(form.RenderInfo(649, 505), plain) << "the segment view is off until asked for";
  form.SegmentsCommand()->trigger();
  EXPECT_NE(form.RenderInfo(649, 505), plain);
  form.SegmentsCommand()->trigger();
  EXPECT_EQ(form.RenderInfo(649, 505), plain);

  // A damaged one: the maps stay as they are, the status line says why and
  // the drawing area keeps its size.
  here.Write("game.dbg", AsBytes("version\tmajor=2,minor=0\nseg\tid=0,name=\"CODE"));
  form.SegmentsCommand()->trigger();
  form.ReloadCommand()->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(form.DbgLoaded());
  EXPECT_EQ(form.RenderInfo(649, 505), plain);
  EXPECT_FALSE(form.StatusLine()->isHidden());
  EXPECT_TRUE(form.StatusLine()->currentMessage().contains("game.dbg:2")) << form.StatusLine()->currentMessage().toStdString();
  EXPECT_EQ(form.PaintBox()->size(), QSize(649, 505));
  EXPECT_TRUE(dialogs.errors.isEmpty()) << "no box for what nobody asked for";

  // Another one from the menu; a chosen one that fails says so in a box too.
  dialogs.dbgAnswer = Q(built_->File("game.dbg"));
  form.OpenDbgCommand()->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(form.DbgLoaded());
  EXPECT_TRUE(form.StatusLine()->isHidden());
  EXPECT_EQ(form.PaintBox()->size(), QSize(649, 505));
  EXPECT_NE(form.RenderInfo(649, 505), plain);
  dialogs.dbgAnswer = Q(here.File("game.dbg"));
  form.OpenDbgCommand()->trigger();
  EXPECT_FALSE(form.DbgLoaded());
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_TRUE(dialogs.errors[0].contains("game.dbg"));
  EXPECT_EQ(form.RenderInfo(649, 505), plain);
}

TEST_F(DbgWindow, TheTooltipNamesTheSegmentTheLabelBeforeAndTheSourceLine) {
  TFormMain form(dialogs, Q(Place(true)));
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  ASSERT_TRUE(form.DbgLoaded());
  QTest::mouseMove(form.windowHandle(), form.Menu()->geometry().center());
  auto readAt = [&](QPoint pos) {
    QTest::mouseMove(form.windowHandle(), form.PaintBox()->mapTo(&form, pos));
    QApplication::processEvents();
    return form.HoverText();
  };
  // PRG $00's cells start at (11, 71); CODE begins the bank: reset, four
  // instructions of 5 bytes, then update: lda total (2 bytes), clc, adc #1.
  EXPECT_EQ(readAt({11 + 8, 71}), "PRG $00\nOffset $0008 (file $000018)\nValue $69, used\n"
                                  "Segment CODE, offset $0008\nLabel update+3\nSource game.s:" +
                                      QString::number(DbgCartridgeLine("    adc #1")));
  EXPECT_TRUE(readAt({11, 71}).endsWith("\nSegment CODE, offset $0000\nLabel reset\nSource game.s:" +
                                        QString::number(DbgCartridgeLine("    sei"))))
      << form.HoverText().toStdString();
  // PRG $03 (x 233..296) past DATA and before VECTORS: free, in no segment.
  EXPECT_TRUE(readAt({233 + 10, 71}).endsWith("free\nFree run $0002-$3FF9, 16376 bytes\nIn no segment"))
      << form.HoverText().toStdString();
}

}  // namespace
