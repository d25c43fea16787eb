// The window with label files: those beside the image read on load, reload
// and watch, another opened from the menu, the tooltip's label line, and a
// file that cannot be used told in the status line with the maps untouched.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QToolTip>

#include "fake_dialogs.h"
#include "temp_files.h"

namespace {

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// 2 PRG + 1 CHR at width 649: PRG $01's cells start at (85, 71).
class LabelWindow : public ::testing::Test {
 protected:
  void Open(TFormMain& form) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseMove(form.windowHandle(), form.Menu()->geometry().center());
  }
  QString MoveTo(TFormMain& form, std::uint64_t prg1Offset) {
    const QPoint pos(85 + static_cast<int>(prg1Offset % 64), 71 + static_cast<int>(prg1Offset / 64));
    QTest::mouseMove(form.windowHandle(), form.PaintBox()->mapTo(&form, pos));
    QApplication::processEvents();
    return form.HoverText();
  }
  QString Status(const TFormMain& form) const {
    return form.StatusLine()->isHidden() ? QString() : form.StatusLine()->currentMessage();
  }
  TempDir dir;
  TFakeDialogs dialogs;
};

TEST_F(LabelWindow, TheLabelsBesideTheImageNameTheByteUnderTheMouse) {
  const std::string nes = dir.Write("game.nes", MakeNES(2, 1));
  dir.Write("game.mlb", Text("R:0000:frames\nP:4000:music_data:song table:\\nthree songs\n"));
  dir.Write("game.nes.1.nl", Text("$A000/20#sfx_table#\n"));
  TFormMain plain(dialogs, Q(dir.Write("plain.nes", MakeNES(2, 1))));
  TFormMain form(dialogs, Q(nes));
  Open(form);
  EXPECT_EQ(form.Labels().Files().size(), 2u);
  EXPECT_EQ(MoveTo(form, 0x1A2),
            "PRG $01\nOffset $01A2 (file $0041B2)\nValue $EA, used\n"
            "Label music_data+$1A2, 8192 bytes\nsong table:\nthree songs");
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), form.HoverText());
  EXPECT_TRUE(MoveTo(form, 0x2005).endsWith("\nLabel sfx_table+$5, 32 bytes"));
  // Past the array's end no label covers the byte.
  EXPECT_TRUE(MoveTo(form, 0x2020).endsWith("Value $EA, used"));
  EXPECT_TRUE(Status(form).isEmpty());
  // Labels change no pixel.
  EXPECT_EQ(form.RenderInfo(649, 505).copy(0, 30, 649, 475), plain.RenderInfo(649, 505).copy(0, 30, 649, 475));
}

TEST_F(LabelWindow, TheWatchFollowsTheLabelFilesAndAnUnusableOneLeavesTheMapsAsTheyAre) {
  const std::string nes = dir.Write("game.nes", MakeNES(2, 1));
  dir.Write("game.mlb", Text("P:4000:first\n"));
  SetWriteTime(dir.File("game.mlb"), 1'000'000, 0);
  TFormMain form(dialogs, Q(nes));
  Open(form);
  EXPECT_TRUE(MoveTo(form, 3).endsWith("\nLabel first+$3, 16384 bytes"));

  dir.Write("game.mlb", Text("P:4000:second\n"));
  SetWriteTime(dir.File("game.mlb"), 2'000'000, 0);
  form.TimerWatchTimer();
  EXPECT_TRUE(form.HoverText().endsWith("\nLabel second+$3, 16384 bytes")) << form.HoverText().toStdString();

  // A file caught half written: the labels and maps stay, the status line says why.
  const QImage before = form.RenderInfo(649, 505);
  dir.Write("game.mlb", Text("P:40"));
  SetWriteTime(dir.File("game.mlb"), 3'000'000, 0);
  form.TimerWatchTimer();
  EXPECT_EQ(Status(form), "Label file not used: " + Q(dir.File("game.mlb")) + ":1: not a label line (\"P:40\"); no line is a Mesen or FCEUX label");
  EXPECT_TRUE(MoveTo(form, 3).endsWith("\nLabel second+$3, 16384 bytes"));
  EXPECT_EQ(form.RenderInfo(649, 505), before);

  // A new name list beside the image is read at the next tick.
  dir.Write("game.mlb", Text("P:4000:third\n"));
  dir.Write("game.nes.1.nl", Text("$8002#later#\n"));
  form.TimerWatchTimer();
  EXPECT_TRUE(Status(form).isEmpty());
  EXPECT_TRUE(MoveTo(form, 3).endsWith("\nLabel later+$1, 16382 bytes")) << form.HoverText().toStdString();
}

TEST_F(LabelWindow, AnotherLabelFileIsOpenedFromTheMenuUntilAnotherImage) {
  const std::string nes = dir.Write("game.nes", MakeNES(2, 1));
  TFormMain form(dialogs, Q(nes));
  Open(form);
  EXPECT_TRUE(form.Labels().Empty());
  dialogs.labelsAnswer = Q(dir.Write("extra.mlb", Text("NesPrgRom:4010-401F:extra:from the debugger\n")));
  form.OpenLabelsCommand()->trigger();
  EXPECT_EQ(MoveTo(form, 0x11),
            "PRG $01\nOffset $0011 (file $004021)\nValue $EA, used\nLabel extra+$1, 16 bytes\nfrom the debugger");
  // Read again on reload.
  form.ReloadCommand()->trigger();
  EXPECT_EQ(form.Labels().Files().size(), 1u);

  // One that cannot be used: said, not kept, the labels stay.
  dialogs.labelsAnswer = Q(dir.path());
  form.OpenLabelsCommand()->trigger();
  EXPECT_EQ(Status(form), "Label file not used: " + Q(dir.path()) + ": a folder, not a label file");
  EXPECT_EQ(form.Labels().Files().size(), 1u);
  form.ReloadCommand()->trigger();
  EXPECT_TRUE(Status(form).isEmpty());

  // Another image takes only its own.
  form.TakeFile(Q(dir.Write("other.nes", MakeNES(2, 1))));
  EXPECT_TRUE(form.Labels().Empty());
  EXPECT_FALSE(MoveTo(form, 0x11).contains("Label"));
}

}  // namespace
