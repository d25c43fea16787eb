// A named pipe, a folder or a device where an image, a debug file or a play
// log is expected: refused at once, by the command line with status 1 and a
// message, by the window with the maps still shown and the status line
// saying why. Before, a pipe held either of them until someone wrote to it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <filesystem>

#include "fake_dialogs.h"
#include "info_picture.h"
#include "run_program.h"
#include "temp_files.h"

namespace {

// A test that would wait on a pipe for ever ends here instead.
struct TWatchdog {
  TWatchdog() { alarm(30); }
  ~TWatchdog() { alarm(0); }
};

class SpecialFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("game.nes", MakeNES(2, 1));
    ASSERT_EQ(mkfifo(dir.File("pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("folder"));
  }
  struct TKind {
    std::string name;   // as given on the command line (run in dir)
    std::string words;  // what it is said to be
  };
  std::vector<TKind> Kinds() const {
    return {{"pipe", "a named pipe"}, {"folder", "a folder"}, {"/dev/zero", "a device"}};
  }
  // The window on game.nes, with what it draws of it.
  QImage Plain() const {
    TNESImage image;
    EXPECT_TRUE(image.LoadNES(dir.File("game.nes")));
    return InfoPicture(image, Q(dir.File("game.nes")), 649, 505);
  }
  TWatchdog watchdog;
  TempDir dir;
  TFakeDialogs dialogs;
};

TEST_F(SpecialFiles, TheCommandLineRefusesThemAtOnceWithStatus1) {
  for (const TKind& kind : Kinds()) {
    const QString name = Q(kind.name);
    const std::string shown = kind.name;
    const struct {
      QStringList args;
      std::string message;
    } cases[] = {
        {{"--summary", name}, "voidscope: cannot load \"" + shown + "\": " + kind.words + ", not an NES file\n"},
        {{"--report", "r.bmp", name}, "voidscope: cannot load \"" + shown + "\": " + kind.words + ", not an NES file\n"},
        {{"--summary", "--against", name, "game.nes"},
         "voidscope: cannot load the earlier build \"" + shown + "\": " + kind.words + ", not an NES file\n"},
        {{"--summary", "--dbg", name, "game.nes"},
         "voidscope: cannot read the debug file " + shown + ": " + kind.words + ", not a debug file\n"},
        {{"--report", "r.bmp", "--cdl", name, "game.nes"},
         "voidscope: cannot use the play log " + shown + ": is " + kind.words + ", not a play log\n"},
    };
    for (const auto& c : cases) {
      QElapsedTimer clock;
      clock.start();
      const TProgramRun run = RunProgram(Q(dir.path()), VOIDSCOPE_EXE, c.args);
      EXPECT_LT(clock.elapsed(), 10000) << c.args.join(' ').toStdString();
      EXPECT_EQ(run.status, 1) << c.args.join(' ').toStdString();
      EXPECT_EQ(run.err.toStdString(), c.message);
      EXPECT_TRUE(run.out.isEmpty());
      EXPECT_FALSE(std::filesystem::exists(dir.File("r.bmp")));
    }
  }
}

TEST_F(SpecialFiles, TheWindowComesUpWithAPipeBesideTheImageAndSaysWhy) {
  const QImage plain = Plain();
  for (const char* beside : {"game.dbg", "game.cdl"}) {
    ASSERT_EQ(mkfifo(dir.File(beside).c_str(), 0600), 0);
    TFormMain form(dialogs, Q(dir.File("game.nes")));
    form.show();
    QApplication::processEvents();
    ASSERT_TRUE(form.Image().Held());
    EXPECT_EQ(form.RenderInfo(649, 505), plain) << beside;
    const std::string note = form.StatusLine()->currentMessage().toStdString();
    EXPECT_FALSE(form.StatusLine()->isHidden());
    EXPECT_NE(note.find(dir.File(beside)), std::string::npos) << note;
    EXPECT_NE(note.find("a named pipe"), std::string::npos) << note;
    EXPECT_EQ(form.PaintBox()->size(), QSize(649, 505));
    std::filesystem::remove(dir.File(beside));
  }
  EXPECT_TRUE(dialogs.errors.isEmpty()) << "no box for what nobody asked for";
}

TEST_F(SpecialFiles, TheWindowRefusesThemAsImageDebugFileAndPlayLogAndKeepsItsMaps) {
  TFormMain form(dialogs, Q(dir.File("game.nes")));
  form.show();
  QApplication::processEvents();
  const QImage plain = Plain();
  for (const TKind& kind : Kinds()) {
    const std::string path = kind.name[0] == '/' ? kind.name : dir.File(kind.name);
    // As the image: the earlier one stays, under the new name.
    dialogs.openAnswer = Q(path);
    form.OpenCommand()->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(form.Image().Held());
    EXPECT_EQ(form.FileName(), Q(path));
    // First, before the notes of the files read with the image held.
    const std::string note = form.StatusLine()->currentMessage().toStdString();
    EXPECT_EQ(note.rfind("\"" + path + "\" not loaded: " + kind.words + ", not an NES file", 0), 0u) << note;
    EXPECT_FALSE(form.StatusLine()->isHidden());
    EXPECT_EQ(form.PaintBox()->size(), QSize(649, 505));
    // Back to the image: the note goes.
    dialogs.openAnswer = Q(dir.File("game.nes"));
    form.OpenCommand()->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(form.StatusLine()->isHidden());
    EXPECT_EQ(form.RenderInfo(649, 505), plain);

    // As the debug file and as a play log, from the menu: a box and a note.
    dialogs.dbgAnswer = Q(path);
    form.OpenDbgCommand()->trigger();
    ASSERT_FALSE(dialogs.errors.isEmpty());
    EXPECT_EQ(dialogs.errors.last().toStdString(),
              "Debug file not used: " + path + ": " + kind.words + ", not a debug file");
    dialogs.cdlAnswer = Q(path);
    form.AddCdlCommand()->trigger();
    EXPECT_EQ(dialogs.errors.last().toStdString(), path + ": is " + kind.words + ", not a play log");
    EXPECT_NE(form.StatusLine()->currentMessage().toStdString().find("Play log not used: " + path),
              std::string::npos);
    EXPECT_EQ(form.RenderInfo(649, 505), plain);
    EXPECT_TRUE(form.PlayLog().Empty());
    EXPECT_FALSE(form.DbgLoaded());
  }
}

}  // namespace
