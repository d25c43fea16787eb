// The byte under the mouse, with mouse moves that come in through the window
// system as a person's would, and the tooltip read back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QToolTip>

#include "fake_dialogs.h"
#include "temp_files.h"

namespace {

class Hover : public ::testing::Test {
 protected:
  void Open(TFormMain& form) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    // Start from the menu bar: the toolkit drops a move to where the mouse
    // already is, and an earlier test may have left it at a test's point.
    QTest::mouseMove(form.windowHandle(), form.Menu()->geometry().center());
  }
  // Moves the mouse to `pos` in the drawing area; returns what it reads.
  QString MoveTo(TFormMain& form, QPoint pos) {
    QTest::mouseMove(form.windowHandle(), form.PaintBox()->mapTo(&form, pos));
    QApplication::processEvents();
    return form.HoverText();
  }
  // The tooltip shows exactly the readout, or (after its short fade) nothing.
  void ExpectTip(const TFormMain& form) {
    if (form.HoverText().isEmpty()) {
      EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
    } else {
      EXPECT_TRUE(QToolTip::isVisible());
      EXPECT_EQ(QToolTip::text(), form.HoverText());
    }
  }
  TempDir dir;
  TFakeDialogs dialogs;
};

// 2 PRG + 1 CHR at width 649: PRG $00 cells on x 11-74, PRG $01 on 85-148,
// CHR $00 on 159-222; PRG cells on y 71-326, CHR cells on y 71-198.
TEST_F(Hover, ReadsTheByteUnderTheMouseAndNothingOnFramesLabelsOrGaps) {
  Bytes bytes = MakeNES(2, 1);
  std::fill_n(bytes.begin() + PRGOffset(0) + 64, 100, 0xFF);  // the empty byte
  bytes[CHROffset(2, 0) + 8191] = 0x00;
  TFormMain form(dialogs, Q(dir.Write("h.nes", bytes)));
  Open(form);

  const struct {
    QPoint pos;
    const char* text;  // nullptr: nothing shown
  } cases[] = {
      {{11, 71}, "PRG $00\nOffset $0000 (file $000010)\nValue $EA, used"},
      {{11, 72}, "PRG $00\nOffset $0040 (file $000050)\nValue $FF, free\n"
                 "Free run $0040-$00A3, 100 bytes"},
      {{74, 326}, "PRG $00\nOffset $3FFF (file $00400F)\nValue $EA, used"},
      {{85, 71}, "PRG $01\nOffset $0000 (file $004010)\nValue $EA, used"},
      {{159, 71}, "CHR $00\nOffset $0000 (file $008010)\nValue $55, used"},
      {{222, 198}, "CHR $00\nOffset $1FFF (file $00A00F)\nValue $00, free\n"
                   "Free run $1FFF-$1FFF, 1 byte"},
      // The frame around the cells is not a byte.
      {{10, 100}, nullptr},
      {{75, 100}, nullptr},
      {{11, 70}, nullptr},
      {{11, 327}, nullptr},
      {{158, 71}, nullptr},
      {{159, 199}, nullptr},
      // Labels, the title line, the gap between boxes, below a CHR box.
      {{15, 55}, nullptr},
      {{20, 15}, nullptr},
      {{79, 100}, nullptr},
      {{170, 250}, nullptr},
      {{600, 480}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QString("at %1,%2").arg(c.pos.x()).arg(c.pos.y()).toStdString());
    EXPECT_EQ(MoveTo(form, c.pos), c.text ? QString(c.text) : QString());
    ExpectTip(form);
  }
}

TEST_F(Hover, MissingBytesOfATruncatedBank) {
  Bytes bytes = MakeNES(2, 0);
  bytes.resize(24592);  // PRG $01 holds 8192 bytes: rows 0 to 127
  TFormMain form(dialogs, Q(dir.Write("cut.nes", bytes)));
  Open(form);
  EXPECT_EQ(MoveTo(form, {148, 71 + 127}),
            "PRG $01\nOffset $1FFF (file $00600F)\nValue $EA, used");
  EXPECT_EQ(MoveTo(form, {85, 71 + 128}),
            "PRG $01\nOffset $2000 (file $006010)\nMissing: the file ends before this byte");
  ExpectTip(form);
}

TEST_F(Hover, AReloadToASmallerImageLeavesNoStaleReadout) {
  const std::string name = dir.Write("big.nes", MakeNES(9, 1));
  TFormMain form(dialogs, Q(name));
  Open(form);
  // PRG $08 starts the second row: label at (10, 346), cells from y 367.
  EXPECT_TRUE(MoveTo(form, {11, 367}).startsWith("PRG $08\n"));

  dir.Write("big.nes", MakeNES(1, 1));
  form.ReloadCommand()->trigger();
  EXPECT_TRUE(form.HoverText().isEmpty());  // the resting mouse is over nothing now
  ExpectTip(form);
  EXPECT_TRUE(MoveTo(form, {12, 368}).isEmpty());
  EXPECT_TRUE(MoveTo(form, {84 + 1, 71}).startsWith("CHR $00\n"));

  // A failed load that drops the image: nothing to read.
  Bytes broken = MakeNES(1, 1);
  broken[0] = 'X';
  dir.Write("big.nes", broken);
  form.MReloadClick();
  EXPECT_FALSE(form.Image().Held());
  EXPECT_TRUE(form.HoverText().isEmpty());
  EXPECT_TRUE(MoveTo(form, {11, 71}).isEmpty());
}

TEST_F(Hover, TheMouseLeavingTheDrawingAreaHidesTheTip) {
  TFormMain form(dialogs, Q(dir.Write("l.nes", MakeNES(1, 1))));
  Open(form);
  EXPECT_FALSE(MoveTo(form, {11, 71}).isEmpty());
  ExpectTip(form);
  // Onto the menu bar, above the drawing area.
  QTest::mouseMove(form.windowHandle(), form.Menu()->geometry().center());
  QApplication::processEvents();
  EXPECT_TRUE(form.HoverText().isEmpty());
  ExpectTip(form);
}

TEST_F(Hover, HoveringNeverChangesThePicture) {
  Bytes bytes = MakeNES(3, 2);
  std::fill_n(bytes.begin() + PRGOffset(1), 5000, 0xFF);
  bytes[PRGOffset(1) + 6000] = 0xFF;
  TFormMain form(dialogs, Q(dir.Write("p.nes", bytes)));
  Open(form);
  const QImage before = form.PaintBox()->grab().toImage();
  const QImage report = form.RenderInfo(649, 505);
  for (const QPoint pos : {QPoint(11, 71), QPoint(90, 80), QPoint(100, 200), QPoint(240, 71),
                           QPoint(10, 10), QPoint(300, 300)}) {
    MoveTo(form, pos);
    EXPECT_EQ(form.PaintBox()->grab().toImage(), before);
    EXPECT_EQ(form.RenderInfo(649, 505), report);
  }
}

TEST_F(Hover, NoImageNoReadout) {
  TFormMain form(dialogs);
  Open(form);
  EXPECT_TRUE(MoveTo(form, {11, 71}).isEmpty());
  EXPECT_TRUE(MoveTo(form, {12, 12}).isEmpty());
}

}  // namespace
