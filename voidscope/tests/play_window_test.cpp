// The window with play logs: the image's own read on load and followed by
// the watch, a refused one told without touching the maps, others added
// from the menu, View > Play log and the tooltip's addition.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "fake_dialogs.h"
#include "info_picture.h"
#include "temp_files.h"

namespace {

// One PRG bank, no CHR: a log is 16384 flag bytes.
class PlayWindow : public ::testing::Test {
 protected:
  std::string Place() {
    dir.Write("game.nes", MakeNES(1, 0));
    return dir.File("game.nes");
  }
  // A raw log whose first `code` bytes ran as code, then `data` read as data.
  void WriteLog(const std::string& name, std::size_t code, std::size_t data, std::int64_t time) {
    Bytes log(16384, 0);
    std::fill_n(log.begin(), code, 0x01);
    std::fill_n(log.begin() + code, data, 0x02);
    dir.Write(name, log);
    SetWriteTime(dir.File(name), time, 0);
  }
  // PRG $00's cells start at (11, 71), or 18 lower below the legend.
  static QRgb Cell(const QImage& picture, std::size_t offset, int top = 89) {
    return picture.pixel(11 + static_cast<int>(offset % 64), top + static_cast<int>(offset / 64));
  }
  TempDir dir;
  TFakeDialogs dialogs;
};

TEST_F(PlayWindow, TheImagesOwnLogIsReadWatchedAndDrawnOnlyWhenAskedFor) {
  WriteLog("game.cdl", 64, 64, 1'000'000);
  TFormMain form(dialogs, Q(Place()));
  form.show();
  QApplication::processEvents();
  ASSERT_FALSE(form.PlayLog().Empty());
  EXPECT_FALSE(form.PlayLogCommand()->isChecked()) << "off at every start";
  const QImage plain = form.RenderInfo(649, 505);

  form.PlayLogCommand()->trigger();
  QImage view = form.RenderInfo(649, 505);
  EXPECT_EQ(Cell(view, 0), CodeColour());
  EXPECT_EQ(Cell(view, 64), DataColour());
  EXPECT_EQ(Cell(view, 128), NeverReachedColour());

  // The emulator rewrites its log while the game runs: the watch follows.
  form.WatchCommand()->trigger();
  WriteLog("game.cdl", 256, 0, 1'000'100);
  form.TimerWatchTimer();
  view = form.RenderInfo(649, 505);
  EXPECT_EQ(Cell(view, 64), CodeColour());
  EXPECT_EQ(Cell(view, 255), CodeColour());
  EXPECT_EQ(Cell(view, 256), NeverReachedColour());

  // Caught half written: the maps stay as they were and the status line
  // says why, the drawing area keeping its size.
  dir.Write("game.cdl", Bytes(100, 0x01));
  SetWriteTime(dir.File("game.cdl"), 1'000'200, 0);
  form.TimerWatchTimer();
  QApplication::processEvents();
  EXPECT_EQ(form.RenderInfo(649, 505), view);
  EXPECT_FALSE(form.StatusLine()->isHidden());
  EXPECT_TRUE(form.StatusLine()->currentMessage().startsWith("Play log not used: "))
      << form.StatusLine()->currentMessage().toStdString();
  EXPECT_TRUE(form.StatusLine()->currentMessage().contains("100 bytes"));
  EXPECT_EQ(form.PaintBox()->size(), QSize(649, 505));
  EXPECT_TRUE(dialogs.errors.isEmpty());

  // Written whole again: read, and the status line goes.
  WriteLog("game.cdl", 0, 16384, 1'000'300);
  form.TimerWatchTimer();
  QApplication::processEvents();
  EXPECT_TRUE(form.StatusLine()->isHidden());
  EXPECT_EQ(Cell(form.RenderInfo(649, 505), 5000), DataColour());

  // Off again: exactly the plain maps.
  form.PlayLogCommand()->trigger();
  EXPECT_EQ(form.RenderInfo(649, 505), plain);
}

TEST_F(PlayWindow, AnotherLogIsMergedFromTheMenuAndTheTooltipSaysHowAByteWasReached) {
  WriteLog("game.cdl", 64, 0, 1'000'000);
  WriteLog("other.cdl", 0, 128, 1'000'000);
  TFormMain form(dialogs, Q(Place()));
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  dialogs.cdlAnswer = Q(dir.File("other.cdl"));
  form.AddCdlCommand()->trigger();
  ASSERT_EQ(form.PlayLog().Logs().size(), 2u);
  EXPECT_TRUE(dialogs.errors.isEmpty());

  // A log of another image is refused in a box and changes nothing.
  dir.Write("wrong.cdl", Bytes(16385, 0x01));
  dialogs.cdlAnswer = Q(dir.File("wrong.cdl"));
  form.AddCdlCommand()->trigger();
  EXPECT_EQ(form.PlayLog().Logs().size(), 2u);
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_TRUE(dialogs.errors[0].startsWith(Q(dir.File("wrong.cdl")) + ": ")) << dialogs.errors[0].toStdString();

  // The merge holds on a reload: the added log is read again.
  form.ReloadCommand()->trigger();
  EXPECT_EQ(form.PlayLog().Logs().size(), 2u);

  QTest::mouseMove(form.windowHandle(), form.Menu()->geometry().center());
  auto readAt = [&](QPoint pos) {
    QTest::mouseMove(form.windowHandle(), form.PaintBox()->mapTo(&form, pos));
    QApplication::processEvents();
    return form.HoverText();
  };
  EXPECT_TRUE(readAt({11, 71}).endsWith("used\nPlay logs: code, data")) << form.HoverText().toStdString();
  EXPECT_TRUE(readAt({11 + 10, 72}).endsWith("used\nPlay logs: data")) << form.HoverText().toStdString();
  EXPECT_TRUE(readAt({11, 73}).endsWith("used\nPlay logs: never reached")) << form.HoverText().toStdString();
  // With the view on the legend moves the maps down and the readout follows.
  form.PlayLogCommand()->trigger();
  EXPECT_TRUE(readAt({11, 71 + 18}).endsWith("Play logs: code, data")) << form.HoverText().toStdString();
}

// Beside the segment view, reached bytes keep their segment's colour and
// only the never reached ones change, inside a segment or outside all.
TEST(PlayView, WithSegmentsOnlyTheNeverReachedBytesChange) {
  TempDir dir;
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir.Write("game.nes", MakeNES(1, 0))));
  TSegmentMap map;
  map.parts.push_back({0, "CODE", TBankKind::PRG, 0, 0, 128, 0});
  TPlayLog play(image);
  Bytes log(16384, 0);
  std::fill_n(log.begin(), 64, 0x01);
  std::fill_n(log.begin() + 300, 10, 0x02);
  std::string message;
  ASSERT_EQ(play.AddLog(log, "game.cdl", message), TAddOutcome::Merged);
  const QImage both = InfoPicture(image, "game.nes", 649, 505, {&map, &play});
  // Below two legend lines PRG $00's cells start at (11, 107).
  const auto cell = [&](int offset) { return both.pixel(11 + offset % 64, 107 + offset / 64); };
  EXPECT_EQ(cell(0), SegmentColours(map)[0].colour);
  EXPECT_EQ(cell(64), NeverReachedColour());
  EXPECT_EQ(cell(200), NeverReachedColour());
  EXPECT_EQ(cell(300), BankPalette()[CellUsed]) << "reached, in no segment: green as in the segment view";
}

}  // namespace
