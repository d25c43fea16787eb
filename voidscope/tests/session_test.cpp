// The session's rules without any toolkit: what is read with the image,
// what a reload keeps or drops, and when the watch asks for a reload.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "cart/session.h"
#include "dbg_cartridge.h"

namespace {

class Session : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    built_ = new TempDir;
    ASSERT_TRUE(BuildDbgCartridge(*built_));
  }
  static void TearDownTestSuite() { delete built_; }

  // The built image as game.nes in a folder of its own.
  std::string Place(std::int64_t time = 1'000'000) {
    here.Write("game.nes", ReadAll(built_->File("out/game.nes")));
    SetWriteTime(here.File("game.nes"), time, 0);
    return here.File("game.nes");
  }
  void WriteBeside(const std::string& name, const Bytes& bytes, std::int64_t time) {
    here.Write(name, bytes);
    SetWriteTime(here.File(name), time, 0);
  }
  Bytes Dbg() const { return ReadAll(built_->File("game.dbg")); }
  // A raw log of the built image (4 PRG, 2 CHR banks), every byte run as code.
  static Bytes Log() { return Bytes(4 * 16384 + 2 * 8192, 0x01); }

  static inline TempDir* built_;
  TempDir here;
};

TEST_F(Session, LoadReloadAndTheWatchFollowTheImagesWriteTime) {
  TSession session;
  // A name that cannot be loaded: kept, nothing held, nothing to watch.
  EXPECT_FALSE(session.Open(here.File("game.nes")));
  EXPECT_EQ(session.FileName(), here.File("game.nes"));
  EXPECT_FALSE(session.Held());
  EXPECT_FALSE(session.Changed()) << "no file: the watch is silent";
  EXPECT_EQ(session.LoadError().failure, TFileFailure::CannotOpen);
  EXPECT_EQ(session.Note(), "") << "an absent file is not worth a note";

  // It appears: a change; loaded, no longer one.
  Place();
  EXPECT_TRUE(session.Changed());
  EXPECT_TRUE(session.Reload());
  EXPECT_TRUE(session.Held());
  EXPECT_FALSE(session.Changed());
  // Any other time is a change, an older one too; the same time is none.
  SetWriteTime(here.File("game.nes"), 999'999, 0);
  EXPECT_TRUE(session.Changed());
  SetWriteTime(here.File("game.nes"), 1'000'000, 0);
  EXPECT_FALSE(session.Changed());
  SetWriteTime(here.File("game.nes"), 1'000'000, 1);
  EXPECT_TRUE(session.Changed());

  // A short file keeps the image and stays a change until a load succeeds.
  WriteBeside("game.nes", Bytes(100, 0), 1'000'100);
  EXPECT_FALSE(session.Reload());
  EXPECT_TRUE(session.Held());
  EXPECT_TRUE(session.Changed());
  // A wrong signature drops it.
  WriteBeside("game.nes", Bytes(MinNESSize, 0), 1'000'200);
  EXPECT_FALSE(session.Reload());
  EXPECT_FALSE(session.Held());
  // The file goes: the watch is silent again.
  std::filesystem::remove(here.File("game.nes"));
  EXPECT_FALSE(session.Changed());
}

TEST_F(Session, TheImagesOwnDebugFileAppearsChangesAndVanishesBetweenLoads) {
  TSession session;
  ASSERT_TRUE(session.Open(Place()));
  EXPECT_FALSE(session.DbgHeld());
  EXPECT_EQ(session.DbgNote(), "") << "no debug file beside: nothing to say";
  EXPECT_FALSE(session.Changed());

  // The linker writes it after the image: the watch sees it.
  WriteBeside("game.dbg", Dbg(), 2'000'000);
  EXPECT_TRUE(session.Changed());
  session.Reload();
  EXPECT_TRUE(session.DbgHeld());
  EXPECT_FALSE(session.Changed());
  EXPECT_FALSE(session.Segments().parts.empty());

  // Damaged: dropped, with a note; the image stays.
  WriteBeside("game.dbg", AsBytes("version\tmajor=2,minor=0\nseg\tid=0,name=\"CODE"), 2'000'100);
  EXPECT_TRUE(session.Changed());
  session.Reload();
  EXPECT_TRUE(session.Held());
  EXPECT_FALSE(session.DbgHeld());
  EXPECT_EQ(session.DbgNote().rfind("Debug file not used: " + here.File("game.dbg") + ":2", 0), 0u)
      << session.DbgNote();
  EXPECT_EQ(session.Note(), session.DbgNote());

  // Gone: nothing held and nothing to say.
  std::filesystem::remove(here.File("game.dbg"));
  EXPECT_TRUE(session.Changed());
  session.Reload();
  EXPECT_FALSE(session.DbgHeld());
  EXPECT_EQ(session.Note(), "");
  EXPECT_FALSE(session.Changed());
}

TEST_F(Session, AChosenDebugFileHoldsForReloadsUntilAnotherImageIsOpened) {
  TSession session;
  std::string error;
  // With no image it is kept, and said to need one.
  EXPECT_EQ(session.ChooseDbg(built_->File("game.dbg"), error), TSession::TDbgResult::NoImage);
  EXPECT_EQ(session.DbgNote(), "Open an NES file first: the debug file is read with it");

  ASSERT_TRUE(session.Open(Place()));
  WriteBeside("game.dbg", AsBytes("not a debug file"), 2'000'000);
  EXPECT_FALSE(session.DbgHeld());
  EXPECT_EQ(session.ChooseDbg(built_->File("game.dbg"), error), TSession::TDbgResult::Used);
  EXPECT_TRUE(session.DbgHeld());
  EXPECT_EQ(session.ChosenDbgFileName(), built_->File("game.dbg"));
  session.Reload();
  EXPECT_TRUE(session.DbgHeld()) << "the chosen one, not the damaged one beside the image";

  // One of another output: not used, and the note names it.
  TempDir other;
  other.Write("other.nes", ReadAll(built_->File("out/game.nes")));
  TSession elsewhere;
  ASSERT_TRUE(elsewhere.Open(other.File("other.nes")));
  EXPECT_EQ(elsewhere.ChooseDbg(built_->File("game.dbg"), error), TSession::TDbgResult::NotOfImage);
  EXPECT_EQ(elsewhere.DbgNote().rfind("Debug file \"" + built_->File("game.dbg") + "\" not used: ", 0), 0u)
      << elsewhere.DbgNote();

  // A new image forgets the choice and reads its own.
  EXPECT_TRUE(session.Open(here.File("game.nes")));
  EXPECT_EQ(session.ChosenDbgFileName(), "");
  EXPECT_FALSE(session.DbgHeld());
  EXPECT_EQ(session.DbgNote().rfind("Debug file not used: ", 0), 0u);
}

TEST_F(Session, PlayLogsAppearChangeAndVanishAndAHalfWrittenOneLeavesTheMerge) {
  TSession session;
  ASSERT_TRUE(session.Open(Place()));
  EXPECT_TRUE(session.Play().Empty());

  // The emulator writes the image's own log: watched while absent.
  WriteBeside("game.cdl", Log(), 3'000'000);
  EXPECT_TRUE(session.Changed());
  session.Reload();
  ASSERT_EQ(session.Play().Logs().size(), 1u);
  EXPECT_EQ(session.Play().ByteFlags(TBankKind::PRG, 0, 0) & FlagCode, FlagCode);
  EXPECT_FALSE(session.Changed());

  // Caught half written: the merge stays, the note says why.
  WriteBeside("game.cdl", Bytes(1000, 0x01), 3'000'100);
  EXPECT_TRUE(session.Changed());
  session.Reload();
  EXPECT_EQ(session.Play().Logs().size(), 1u);
  EXPECT_EQ(session.PlayNote().rfind("Play log not used: " + here.File("game.cdl") + ": 1000 bytes", 0), 0u)
      << session.PlayNote();

  // Another added by hand: merged, kept for reloads; the same one again
  // changes nothing and is not kept.
  WriteBeside("game.cdl", Log(), 3'000'200);
  const std::string extra = here.Write("extra.cdl", Bytes(Log().size(), 0x02));
  std::string message;
  EXPECT_EQ(session.AddPlayLog(extra, message), TAddOutcome::Merged);
  EXPECT_EQ(session.Note(), "");
  EXPECT_EQ(session.Play().Logs().size(), 2u);
  EXPECT_EQ(session.AddPlayLog(here.File("./extra.cdl"), message), TAddOutcome::AlreadyMerged);
  EXPECT_EQ(session.ChosenCdlFileNames(), std::vector<std::string>{extra});
  EXPECT_EQ(session.AddPlayLog(here.Write("bad.cdl", Bytes(3, 0)), message), TAddOutcome::Refused);
  EXPECT_EQ(message.rfind(here.File("bad.cdl") + ": 3 bytes", 0), 0u) << message;
  EXPECT_EQ(session.Play().Logs().size(), 2u) << "a refused log leaves the merge";
  EXPECT_EQ(session.ChosenCdlFileNames().size(), 1u);
  // The added log is watched too.
  SetWriteTime(extra, 4'000'000, 0);
  EXPECT_TRUE(session.Changed());
  session.Reload();
  EXPECT_EQ(session.Play().Logs().size(), 2u);

  // The own log vanishes: the added one stays merged.
  std::filesystem::remove(here.File("game.cdl"));
  EXPECT_TRUE(session.Changed());
  session.Reload();
  ASSERT_EQ(session.Play().Logs().size(), 1u);
  EXPECT_EQ(session.Play().Logs()[0].file, extra);

  // An image that fails its signature drops the logs and their notes.
  WriteBeside("game.nes", Bytes(MinNESSize, 0), 5'000'000);
  session.Reload();
  EXPECT_TRUE(session.Play().Empty());
  EXPECT_EQ(session.PlayNote(), "");
  EXPECT_EQ(session.AddPlayLog(extra, message), TAddOutcome::Refused);
  EXPECT_EQ(session.PlayNote(), "Open an NES file first: the play logs are read with it");
}

TEST_F(Session, TheViewsShowOnlyWhatIsShownAndHeld) {
  TSession session;
  ASSERT_TRUE(session.Open(Place()));
  session.ShowSegments(true);
  session.ShowPlay(true);
  EXPECT_EQ(session.ViewOptions().segments, nullptr) << "no debug file held";
  EXPECT_EQ(session.ViewOptions().play, nullptr) << "no log merged";
  WriteBeside("game.dbg", Dbg(), 2'000'000);
  WriteBeside("game.cdl", Log(), 3'000'000);
  session.Reload();
  EXPECT_EQ(session.ViewOptions().segments, &session.Segments());
  EXPECT_EQ(session.ViewOptions().play, &session.Play());
  session.ShowSegments(false);
  EXPECT_EQ(session.ViewOptions().segments, nullptr);
  EXPECT_NE(session.ByteText(TBankKind::PRG, 0, 0).find('\n'), std::string::npos)
      << "the readout adds the origin and the reach";
}

TEST_F(Session, LabelsArePlacedAgainInTheBankSizesChosen) {
  // 4 KB into the second 16 KB bank: the label runs to that bank's end,
  // which in 8 KB banks comes 8 KB sooner.
  const std::string mlb = "P:5000:tables\n";
  WriteBeside("game.mlb", Bytes(mlb.begin(), mlb.end()), 2'000'000);
  TSession session;
  ASSERT_TRUE(session.Open(Place()));
  EXPECT_NE(session.ByteText(TBankKind::PRG, 1, 0x1000).find("Label tables, 12288 bytes"), std::string::npos)
      << session.ByteText(TBankKind::PRG, 1, 0x1000);
  session.SetBankSizes({8192, 8192});
  EXPECT_NE(session.ByteText(TBankKind::PRG, 2, 0x1000).find("Label tables, 4096 bytes"), std::string::npos)
      << session.ByteText(TBankKind::PRG, 2, 0x1000);
  EXPECT_EQ(session.ByteText(TBankKind::PRG, 1, 0x1000).find("tables"), std::string::npos)
      << "bank 1 of 8 KB ends where the label starts";
  // A reload keeps the sizes and places the labels in them again.
  session.Reload();
  EXPECT_NE(session.ByteText(TBankKind::PRG, 2, 0x1FFF).find("Label tables+$FFF, 4096 bytes"), std::string::npos)
      << session.ByteText(TBankKind::PRG, 2, 0x1FFF);
}

TEST_F(Session, TheCommandLinesSessionReadsNothingBesideTheImage) {
  WriteBeside("game.dbg", Dbg(), 2'000'000);
  WriteBeside("game.cdl", Log(), 3'000'000);
  TSession session(TSession::TBeside::Ignore);
  ASSERT_TRUE(session.Open(Place()));
  EXPECT_FALSE(session.DbgHeld());
  EXPECT_TRUE(session.Play().Empty());
  std::string message;
  EXPECT_EQ(session.AddPlayLog(here.File("game.cdl"), message), TAddOutcome::Merged);
  EXPECT_EQ(session.Play().Logs().size(), 1u);
}

TEST_F(Session, ANameThatIsNoFileIsRefusedAtOnceAndTheImageStays) {
  TSession session;
  ASSERT_TRUE(session.Open(Place()));
  ASSERT_EQ(mkfifo(here.File("pipe.nes").c_str(), 0600), 0);
  std::filesystem::create_directory(here.File("folder.nes"));
  const struct {
    std::string name, words;
  } cases[] = {{here.File("pipe.nes"), "a named pipe"},
               {here.File("folder.nes"), "a folder"},
               {"/dev/zero", "a device"}};
  for (const auto& c : cases) {
    EXPECT_FALSE(session.Open(c.name));
    EXPECT_TRUE(session.Held()) << "the earlier image stays";
    EXPECT_EQ(session.LoadError().failure, TFileFailure::NotRegular);
    EXPECT_EQ(session.ImageNote(), "\"" + c.name + "\" not loaded: " + c.words + ", not an NES file");
    EXPECT_EQ(session.Note(), session.ImageNote());
  }
  // A good load clears it.
  EXPECT_TRUE(session.Open(here.File("game.nes")));
  EXPECT_EQ(session.Note(), "");
}

}  // namespace
