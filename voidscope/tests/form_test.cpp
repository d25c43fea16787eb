#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QFontInfo>
#include <QMimeData>
#include <QTest>
#include <QToolTip>
#include <QUrl>
#include <filesystem>

#include "fake_dialogs.h"
#include "temp_files.h"

namespace {

class Form : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, unsigned prg, unsigned chr = 1) {
    return dir.Write(name, MakeNES(prg, chr));
  }
  TempDir dir;
  TFakeDialogs dialogs;
};

TEST_F(Form, StoredLook) {
  TFormMain form(dialogs);
  form.show();
  QApplication::processEvents();
  EXPECT_EQ(form.windowTitle(), "NES Voidscope v1.0");
  EXPECT_EQ(QApplication::applicationName(), "NES Voidscope");
  EXPECT_EQ(form.PaintBox()->size(), QSize(649, 505));
  EXPECT_EQ(form.pos(), QPoint(0, 0));
  EXPECT_EQ(form.font().pixelSize(), 13);
  const QString family = QFontInfo(form.font()).family();
  EXPECT_TRUE(family == "Tahoma" || family == "DejaVu Sans" || family == "Liberation Sans")
      << family.toStdString();
  EXPECT_FALSE(form.windowIcon().pixmap(16, 16).isNull());
  EXPECT_TRUE(form.acceptDrops());
  EXPECT_FALSE(form.WatchTimer()->isActive());
  EXPECT_EQ(form.WatchTimer()->interval(), 1000);
  const QImage ImagePRG = BankImage(BankPicture(TBankKind::PRG));
  EXPECT_EQ(ImagePRG.size(), QSize(64, 256));
  EXPECT_EQ(BankImage(BankPicture(TBankKind::CHR)).size(), QSize(64, 128));
  EXPECT_EQ(ImagePRG.format(), QImage::Format_Indexed8);
  EXPECT_EQ(ImagePRG.colorCount(), 256);
  EXPECT_EQ(ImagePRG.color(0), qRgb(252, 252, 252));
  EXPECT_EQ(ImagePRG.color(1), qRgb(46, 255, 51));
  EXPECT_EQ(ImagePRG.color(255), qRgb(0, 0, 0));
  // Four commands side by side, each with its access key and the
  // platform's usual shortcut; then the View menu of the debug file, with
  // its segment view off.
  const QList<QAction*> commands = form.Menu()->actions();
  ASSERT_EQ(commands.size(), 5);
  ASSERT_NE(commands[4]->menu(), nullptr);
  EXPECT_EQ(commands[4]->text(), "&View");
  EXPECT_TRUE(form.SegmentsCommand()->isCheckable());
  EXPECT_FALSE(form.SegmentsCommand()->isChecked());
  EXPECT_TRUE(form.StatusLine()->isHidden());
  const char* captions[] = {"&Open", "&Reload", "&Watch", "&Save report"};
  const QKeySequence keys[] = {QKeySequence::keyBindings(QKeySequence::Open).value(0),
                               QKeySequence::keyBindings(QKeySequence::Refresh).value(0),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W),
                               QKeySequence::keyBindings(QKeySequence::Save).value(0)};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(commands[i]->text(), captions[i]);
    EXPECT_EQ(commands[i]->menu(), nullptr);
    EXPECT_FALSE(keys[i].isEmpty());
    EXPECT_EQ(commands[i]->shortcut(), keys[i]) << captions[i];
  }
  EXPECT_EQ(form.PaintBox()->grab().toImage().pixel(0, 0), qRgb(0, 0, 0));
}

TEST_F(Form, TheFirstArgumentIsLoadedAtCreation) {
  const std::string name = Write("arg.nes", 3);
  TFormMain form(dialogs, Q(name));
  EXPECT_EQ(form.FileName(), Q(name));
  ASSERT_TRUE(form.Image().Held());
  EXPECT_EQ(form.Image().PRGCount(), 3u);

  TFormMain missing(dialogs, Q(dir.File("nope.nes")));
  EXPECT_EQ(missing.FileName(), Q(dir.File("nope.nes")));
  EXPECT_FALSE(missing.Image().Held());
}

TEST_F(Form, WatchCaptionTogglesAndLosesItsAccessKey) {
  TFormMain form(dialogs);
  EXPECT_EQ(QKeySequence::mnemonic(form.WatchCommand()->text()), QKeySequence(Qt::ALT | Qt::Key_W));
  form.WatchCommand()->trigger();
  EXPECT_EQ(form.WatchCommand()->text(), "Unwatch");
  EXPECT_TRUE(form.WatchTimer()->isActive());
  EXPECT_TRUE(QKeySequence::mnemonic(form.WatchCommand()->text()).isEmpty());
  form.WatchCommand()->trigger();
  EXPECT_EQ(form.WatchCommand()->text(), "Watch");
  EXPECT_FALSE(form.WatchTimer()->isActive());
  form.MWatchClick();
  EXPECT_EQ(form.WatchCommand()->text(), "Unwatch");
}

TEST_F(Form, StartingTheWatchNeitherLoadsNorDraws) {
  const std::string name = Write("w.nes", 1);
  TFormMain form(dialogs, Q(name));
  dir.Write("w.nes", MakeNES(5, 1));
  form.MWatchClick();
  EXPECT_EQ(form.Image().PRGCount(), 1u);
}

TEST_F(Form, WatchReloadsWhenOnlyTheWriteTimeChanges) {
  const std::string name = Write("watched.nes", 2);
  SetWriteTime(name, 1'600'000'000, 0);
  TFormMain form(dialogs, Q(name));
  form.MWatchClick();

  // New content under the old time: not a change.
  dir.Write("watched.nes", MakeNES(4, 1));
  SetWriteTime(name, 1'600'000'000, 0);
  form.TimerWatchTimer();
  EXPECT_EQ(form.Image().PRGCount(), 2u);

  // One nanosecond later: a change.
  SetWriteTime(name, 1'600'000'000, 1);
  form.TimerWatchTimer();
  EXPECT_EQ(form.Image().PRGCount(), 4u);
  EXPECT_EQ(form.Image().NESFileTime(), 1'600'000'000'000'000'001ull);
}

TEST_F(Form, WatchReloadsAnOlderCopyPutBack) {
  const std::string name = Write("undo.nes", 6);
  SetWriteTime(name, 1'700'000'000, 0);
  TFormMain form(dialogs, Q(name));
  dir.Write("undo.nes", MakeNES(2, 1));
  SetWriteTime(name, 1'500'000'000, 0);
  form.TimerWatchTimer();
  EXPECT_EQ(form.Image().PRGCount(), 2u);
  EXPECT_EQ(form.Image().NESFileTime(), 1'500'000'000'000'000'000ull);
}

TEST_F(Form, WatchIsSilentWhileTheFileIsMissing) {
  const std::string name = Write("gone.nes", 3);
  TFormMain form(dialogs, Q(name));
  const std::uint64_t time = form.Image().NESFileTime();
  std::filesystem::remove(name);
  form.TimerWatchTimer();
  form.TimerWatchTimer();
  ASSERT_TRUE(form.Image().Held());
  EXPECT_EQ(form.Image().PRGCount(), 3u);
  EXPECT_EQ(form.Image().NESFileTime(), time);
  EXPECT_TRUE(dialogs.errors.isEmpty());

  Write("gone.nes", 7);  // back, with a new time
  SetWriteTime(name, 1'800'000'000, 0);
  form.TimerWatchTimer();
  EXPECT_EQ(form.Image().PRGCount(), 7u);
}

TEST_F(Form, WatchWithNoFileNameDoesNothing) {
  TFormMain form(dialogs);
  form.TimerWatchTimer();
  EXPECT_FALSE(form.Image().Held());
}

TEST_F(Form, AChangedFileThatFailsIsTriedAgainOnEveryTick) {
  const std::string name = Write("bad.nes", 3);
  SetWriteTime(name, 1'600'000'000, 0);
  TFormMain form(dialogs, Q(name));
  Bytes broken = MakeNES(3, 1);
  broken[0] = 'X';
  dir.Write("bad.nes", broken);
  SetWriteTime(name, 1'600'000'100, 0);
  form.TimerWatchTimer();
  EXPECT_FALSE(form.Image().Held());                                 // signature: dropped
  EXPECT_EQ(form.Image().NESFileTime(), 1'600'000'000'000'000'000ull);  // time kept
  dir.Write("bad.nes", MakeNES(1, 1));
  SetWriteTime(name, 1'600'000'100, 0);  // same time as the failed try
  form.TimerWatchTimer();
  EXPECT_TRUE(form.Image().Held());
}

TEST_F(Form, ReloadReadsTheCurrentNameAgain) {
  const std::string name = Write("r.nes", 1);
  TFormMain form(dialogs, Q(name));
  Write("r.nes", 9);
  form.ReloadCommand()->trigger();
  EXPECT_EQ(form.Image().PRGCount(), 9u);
  // Now too short: the image stays.
  dir.Write("r.nes", Bytes(100, 'N'));
  form.MReloadClick();
  EXPECT_EQ(form.Image().PRGCount(), 9u);
  EXPECT_EQ(form.FileName(), Q(name));
}

TEST_F(Form, OpenTakesTheConfirmedNameEvenWhenItsLoadFails) {
  const std::string first = Write("first.nes", 2);
  TFormMain form(dialogs);
  dialogs.openAnswer = Q(first);
  form.OpenCommand()->trigger();
  EXPECT_EQ(form.FileName(), Q(first));
  EXPECT_EQ(form.Image().PRGCount(), 2u);

  dialogs.openAnswer = Q(dir.File("absent.nes"));
  form.MOpenClick();
  EXPECT_EQ(form.FileName(), Q(dir.File("absent.nes")));
  EXPECT_EQ(form.Image().PRGCount(), 2u);  // the earlier image, under the new name

  dialogs.openAnswer.reset();  // cancel
  form.MOpenClick();
  EXPECT_EQ(form.FileName(), Q(dir.File("absent.nes")));
}

TEST_F(Form, ADropOfTwoFilesLoadsOnlyTheFirst) {
  const std::string first = Write("one.nes", 3);
  const std::string second = Write("two.nes", 5);
  TFormMain form(dialogs);
  form.show();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(Q(first)), QUrl::fromLocalFile(Q(second))});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&form, &drop);
  EXPECT_EQ(form.FileName(), Q(first));
  ASSERT_TRUE(form.Image().Held());
  EXPECT_EQ(form.Image().PRGCount(), 3u);
}

TEST_F(Form, ADroppedNameIsTakenWholeHoweverLong) {
  // Far past the 260 characters a fixed buffer would keep.
  std::string folder;
  while (folder.size() < 400) folder += "a-rather-long-folder-name-for-the-drop/";
  std::filesystem::create_directories(dir.File(folder));
  const std::string name = dir.Write(folder + "long.nes", MakeNES(4, 1));
  ASSERT_GT(name.size(), 400u);
  TFormMain form(dialogs);
  form.WMDropFiles({Q(name)});
  EXPECT_EQ(form.FileName(), Q(name));
  ASSERT_TRUE(form.Image().Held());
  EXPECT_EQ(form.Image().PRGCount(), 4u);
}

TEST_F(Form, AnEmptyDropChangesNothing) {
  const std::string name = Write("keep.nes", 2);
  TFormMain form(dialogs, Q(name));
  form.WMDropFiles({});
  EXPECT_EQ(form.FileName(), Q(name));
  EXPECT_TRUE(form.Image().Held());
}

// The keys a desktop user reaches for, pressed in the active window.
TEST_F(Form, PlatformShortcutsReachTheCommands) {
  const std::string name = Write("k.nes", 2);
  TFormMain form(dialogs);
  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  auto press = [&](QKeySequence::StandardKey key) {
    const QKeySequence keys = QKeySequence::keyBindings(key).value(0);
    ASSERT_FALSE(keys.isEmpty()) << key;
    QTest::keySequence(&form, keys);
    QApplication::processEvents();
  };
  dialogs.openAnswer = Q(name);
  press(QKeySequence::Open);
  EXPECT_EQ(form.FileName(), Q(name));
  EXPECT_EQ(form.Image().PRGCount(), 2u);

  Write("k.nes", 5);
  press(QKeySequence::Refresh);
  EXPECT_EQ(form.Image().PRGCount(), 5u);

  QTest::keySequence(&form, form.WatchCommand()->shortcut());
  EXPECT_EQ(form.WatchCommand()->text(), "Unwatch");
  EXPECT_TRUE(form.WatchTimer()->isActive());

  press(QKeySequence::Save);
  EXPECT_EQ(dialogs.saveQuestions, 1);
}

// The menu bar cannot show a shortcut beside its caption; its tip does.
TEST_F(Form, TheMenuBarTipNamesEachCommandsShortcut) {
  TFormMain form(dialogs);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.MWatchClick();
  for (QAction* command : {form.OpenCommand(), form.WatchCommand()}) {
    const QPoint at = form.Menu()->actionGeometry(command).center();
    QHelpEvent help(QEvent::ToolTip, at, form.Menu()->mapToGlobal(at));
    QApplication::sendEvent(form.Menu(), &help);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QString(command->text()).remove('&') + "  " +
                                    command->shortcut().toString(QKeySequence::NativeText));
  }
  EXPECT_TRUE(QToolTip::text().startsWith("Unwatch  "));
}

// Every key the platform binds to Quit or Close (some platforms bind none
// to Quit: then there is nothing to press).
TEST_F(Form, QuitAndCloseKeysCloseTheWindow) {
  QList<QKeySequence> bindings = QKeySequence::keyBindings(QKeySequence::Quit);
  ASSERT_FALSE(QKeySequence::keyBindings(QKeySequence::Close).isEmpty());
  bindings += QKeySequence::keyBindings(QKeySequence::Close);
  for (const QKeySequence& keys : bindings) {
    TFormMain form(dialogs);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keySequence(&form, keys);
    QApplication::processEvents();
    EXPECT_FALSE(form.isVisible()) << keys.toString().toStdString();
  }
}

}  // namespace
