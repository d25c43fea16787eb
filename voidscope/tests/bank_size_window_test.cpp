// Banks drawn in the sizes the cartridge switches them: the boxes' flow,
// every byte's colour in every size and view, View > Bank size and the
// byte under the mouse.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>

#include "cart/session.h"
#include "fake_dialogs.h"
#include "info_picture.h"
#include "temp_files.h"

namespace {

constexpr auto PRG = TBankKind::PRG;
constexpr auto CHR = TBankKind::CHR;

TEST(BankSizeBoxes, InSixteenAndEightKilobytesTheyFlowAsBefore) {
  const std::pair<unsigned, unsigned> counts[] = {{0, 0}, {0, 9}, {1, 0}, {2, 8}, {8, 1}, {9, 0}, {3, 3}, {20, 30}};
  for (const int W : {60, 158, 159, 400, 649, 1000})
    for (const auto& [prg, chr] : counts) {
      SCOPED_TRACE(std::to_string(W) + " " + std::to_string(prg) + "/" + std::to_string(chr));
      const std::vector<TBankBox> before = BankBoxes(W, prg, chr, 68);
      const std::vector<TBankBox> now = BankBoxes(W, TBankLayout(prg, chr, 0), 68);
      ASSERT_EQ(now.size(), before.size());
      for (std::size_t i = 0; i < now.size(); ++i) {
        EXPECT_EQ(now[i].kind, before[i].kind);
        EXPECT_EQ(now[i].index, before[i].index);
        EXPECT_EQ(now[i].x, before[i].x);
        EXPECT_EQ(now[i].y, before[i].y);
        EXPECT_EQ(BoxRows(now[i]), BoxRows(before[i]));
      }
    }
}

TEST(BankSizeBoxes, ARowIsAsHighAsItsTallestBoxWithItsLabelAndTheGap) {
  // 2 x 16 KB in 8 KB banks and 8 KB of CHR in 1 KB banks, eight to a row
  // at width 649: the first row holds the 4 PRG and 4 CHR boxes and is as
  // high as a PRG box (20 + 128 + 2 + 18); the second holds CHR boxes only.
  std::vector<TBankBox> boxes = BankBoxes(649, TBankLayout(2, 1, 0, {8192, 1024}));
  ASSERT_EQ(boxes.size(), 12u);
  for (std::size_t i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(boxes[i].kind, i < 4 ? PRG : CHR);
    EXPECT_EQ(boxes[i].index, i < 4 ? i : i - 4);
    EXPECT_EQ(boxes[i].x, 10 + 74 * static_cast<int>(i % 8));
    EXPECT_EQ(boxes[i].y, i < 8 ? 50 : 50 + 168);
    EXPECT_EQ(BoxRows(boxes[i]), i < 4 ? 128 : 16);
  }
  // 32 KB banks over 3 x 16 KB: the last is 16 KB; at width 158 one box to
  // a row, each row as high as its own box.
  boxes = BankBoxes(158, TBankLayout(3, 2, 0, {32768, 2048}));
  ASSERT_EQ(boxes.size(), 2u + 8u);
  const int rows[] = {512, 256, 32, 32, 32, 32, 32, 32, 32, 32};
  int y = 50;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_EQ(BoxRows(boxes[i]), rows[i]) << i;
    EXPECT_EQ(boxes[i].x, 10) << i;
    EXPECT_EQ(boxes[i].y, y) << i;
    y += 20 + rows[i] + 2 + 18;
  }
  // The byte under a point counts rows in the box's own size.
  const std::optional<TBankCell> cell = BankCellAt(boxes, 11 + 5, 50 + 21 + 300);
  ASSERT_TRUE(cell);
  EXPECT_EQ(cell->kind, PRG);
  EXPECT_EQ(cell->bank, 0u);
  EXPECT_EQ(cell->offset, 300u * 64 + 5);
  EXPECT_FALSE(BankCellAt(boxes, 11, boxes[2].y + 21 + 32));  // below a 2 KB box: its frame
}

// The sample with its debug file and a play log beside it, as the window
// reads them.
class BankSizeViews : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    const std::string sample = VOIDSCOPE_SAMPLE;
    fs::copy_file(sample, dir.File("sample.nes"));
    fs::copy_file(sample.substr(0, sample.size() - 4) + ".dbg", dir.File("sample.dbg"));
    Bytes log(8 * 16384 + 4 * 8192);
    for (std::size_t i = 0; i < log.size(); ++i) log[i] = i % 3 == 0 ? 0x01 : i % 7 == 0 ? 0x02 : 0;
    dir.Write("sample.cdl", log);
    ASSERT_TRUE(session.Open(dir.File("sample.nes")));
    ASSERT_TRUE(session.DbgHeld());
    ASSERT_FALSE(session.Play().Empty());
  }
  // Each byte of the banks as `picture` shows it, in file order.
  std::vector<QRgb> ByteColours(const QImage& picture, int W) {
    const TViewOptions options = session.ViewOptions();
    const TBankLayout layout(session.Image(), options.sizes);
    std::vector<QRgb> colours;
    for (const TBankBox& box : ViewBoxes(session.Image(), W, options)) {
      const TBankSpan& span = *layout.Find(box.kind, box.index);
      EXPECT_EQ(BoxRows(box) * 64u, span.size);
      for (std::uint64_t o = 0; o < span.size; ++o) {
        const int x = box.x + 1 + static_cast<int>(o % 64), y = box.y + 21 + static_cast<int>(o / 64);
        colours.push_back(picture.pixel(x, y));
        if (o % 251 == 0) {  // and the byte under that point is this one
          const std::optional<TBankCell> cell = BankCellAt(ViewBoxes(session.Image(), W, options), x, y);
          EXPECT_TRUE(cell && cell->kind == span.kind && cell->bank == span.index && cell->offset == o);
        }
      }
      // The frame around the cells.
      EXPECT_EQ(picture.pixel(box.x, box.y + 20), qRgb(0, 0, 0));
      EXPECT_EQ(picture.pixel(box.x + 65, box.y + 20 + BoxRows(box) + 1), qRgb(0, 0, 0));
    }
    return colours;
  }
  TempDir dir;
  TSession session;
};

// The size changes where a byte is drawn, never its colour: in the plain
// maps, the segment view, the play-log view and both together.
TEST_F(BankSizeViews, EveryByteKeepsItsColourInEverySize) {
  constexpr int W = 649, H = 1500;
  for (const auto& [segments, play] : {std::pair{false, false}, std::pair{true, false}, std::pair{false, true},
                                       std::pair{true, true}}) {
    SCOPED_TRACE(std::to_string(segments) + std::to_string(play));
    session.ShowSegments(segments);
    session.ShowPlay(play);
    session.SetBankSizes({});
    const std::vector<QRgb> whole = ByteColours(InfoPicture(session.Image(), "sample.nes", W, H, session.ViewOptions()), W);
    ASSERT_EQ(whole.size(), 8u * 16384 + 4 * 8192);
    for (const std::uint64_t prg : PRGBankSizes)
      for (const std::uint64_t chr : CHRBankSizes) {
        SCOPED_TRACE(std::to_string(prg) + "/" + std::to_string(chr));
        session.SetBankSizes({prg, chr});
        EXPECT_EQ(ByteColours(InfoPicture(session.Image(), "sample.nes", W, H, session.ViewOptions()), W), whole);
        if (!segments && !play && prg == 8192 && chr == 1024) {
          // Colours as the plain maps have them, not some other green.
          const std::size_t used = std::count(whole.begin(), whole.end(), qRgb(46, 255, 51));
          EXPECT_GT(used, 50000u);
          EXPECT_EQ(used + std::count(whole.begin(), whole.end(), qRgb(252, 252, 252)), whole.size());
        }
      }
  }
}

// The readout of a byte names its bank in the chosen size, with its
// segment and how the logs reached it.
TEST_F(BankSizeViews, TheByteUnderTheMouseInSmallBanks) {
  session.SetBankSizes({8192, 1024});
  const std::string text = session.ByteText(PRG, 3, 0x10);
  EXPECT_EQ(text.substr(0, text.find('\n', text.find('\n') + 1)), "PRG $03\nOffset $0010 (file $006020)");
  // Log byte $6020 - 16 = 24592 is no multiple of 3 or 7: nothing reached it.
  EXPECT_NE(text.find("Play logs: never reached"), std::string::npos) << text;
  const std::string chr = session.ByteText(CHR, 0x1F, 0x3FF);
  EXPECT_EQ(chr.substr(0, chr.find('\n', chr.find('\n') + 1)), "CHR $1F\nOffset $03FF (file $02800F)");
  EXPECT_EQ(session.ByteText(CHR, 32, 0), "");  // there is no 33rd 1 KB bank
  // The same byte, described in 16 KB banks, is the same byte.
  session.SetBankSizes({});
  const std::string whole = session.ByteText(PRG, 1, 0x2010);
  EXPECT_EQ(whole.substr(whole.find("\nValue")), text.substr(text.find("\nValue")));
}

TEST(BankSizeWindow, ViewBankSizeSetsTheBoxesAndStartsAt16And8EveryTime) {
  TempDir dir;
  TFakeDialogs dialogs;
  std::filesystem::copy_file(VOIDSCOPE_TEST_DATA "/nesdoug-mmc3/hello_mmc3.nes", dir.File("mmc3.nes"));
  const QString name = Q(dir.File("mmc3.nes"));
  {
    TFormMain form(dialogs, name);
    ASSERT_TRUE(form.Image().Held());
    EXPECT_TRUE(form.BankSizeCommand(PRG, 16384)->isChecked());
    EXPECT_TRUE(form.BankSizeCommand(CHR, 8192)->isChecked());
    EXPECT_EQ(form.BankSizeCommand(PRG, 4096), nullptr);
    EXPECT_EQ(form.RenderInfo(649, 505), InfoPicture(form.Image(), name, 649, 505));

    form.MapperSizesCommand()->trigger();  // MMC3: 8 KB and 1 KB
    EXPECT_TRUE(form.BankSizeCommand(PRG, 8192)->isChecked());
    EXPECT_TRUE(form.BankSizeCommand(CHR, 1024)->isChecked());
    EXPECT_FALSE(form.BankSizeCommand(PRG, 16384)->isChecked());
    TViewOptions small;
    small.sizes = {8192, 1024};
    EXPECT_EQ(form.RenderInfo(649, 505), InfoPicture(form.Image(), name, 649, 505, small));

    form.BankSizeCommand(CHR, 4096)->trigger();
    EXPECT_TRUE(form.BankSizeCommand(CHR, 4096)->isChecked());
    EXPECT_TRUE(form.BankSizeCommand(PRG, 8192)->isChecked());
    small.sizes = {8192, 4096};
    EXPECT_EQ(form.RenderInfo(649, 505), InfoPicture(form.Image(), name, 649, 505, small));
    // Reload keeps the sizes the user chose.
    form.ReloadCommand()->trigger();
    EXPECT_EQ(form.RenderInfo(649, 505), InfoPicture(form.Image(), name, 649, 505, small));

    // The second PRG box of the first row is PRG $01 in 8 KB banks.
    form.resize(649, 505 + form.Menu()->sizeHint().height());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseMove(form.windowHandle(), form.Menu()->geometry().center());
    QTest::mouseMove(form.windowHandle(), form.PaintBox()->mapTo(&form, QPoint(85 + 3, 71 + 2)));
    QApplication::processEvents();
    EXPECT_TRUE(form.HoverText().startsWith("PRG $01\nOffset $0083 (file $002093)")) << form.HoverText().toStdString();
  }
  TFormMain again(dialogs, name);  // nothing was saved
  EXPECT_TRUE(again.BankSizeCommand(PRG, 16384)->isChecked());
  EXPECT_TRUE(again.BankSizeCommand(CHR, 8192)->isChecked());
}

}  // namespace
