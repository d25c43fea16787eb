// The Windows window itself, driven in this process under Wine: its
// stored description, the menu and its captions, a drop, the watch, and
// the picture it draws.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "UnitMain.h"
#include "cart/bmp_file.h"
#include "gdi_canvas.h"
#include "picture/colours.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// An iNES image with the given figures: each PRG bank 4096 used bytes $EA,
// then free $FF up to a used last byte (so that the run of $FF is ended
// and counts), CHR with a used first half.
Bytes MakeNES(unsigned prg, unsigned chr, unsigned mapper = 0) {
  Bytes bytes(16 + prg * 16384u + chr * 8192u, 0);
  std::memcpy(bytes.data(), "NES\x1A", 4);
  bytes[4] = static_cast<std::uint8_t>(prg);
  bytes[5] = static_cast<std::uint8_t>(chr);
  bytes[6] = static_cast<std::uint8_t>((mapper & 0x0F) << 4);
  bytes[7] = static_cast<std::uint8_t>(mapper & 0xF0);
  for (unsigned j = 0; j < prg; ++j)
    for (unsigned o = 0; o < 16384; ++o) bytes[16 + j * 16384u + o] = o < 4096 ? 0xEA : o < 16383 ? 0xFF : 0x00;
  for (unsigned j = 0; j < chr; ++j)
    for (unsigned o = 0; o < 4096; ++o) bytes[16 + prg * 16384u + j * 8192u + o] = 0x55;
  return bytes;
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("voidscope_form_" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  // The name as UTF-8, as the window holds names.
  std::string Write(const std::wstring& name, const Bytes& bytes) const {
    const fs::path path = dir / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
  }
  // Handles what is queued for `milliseconds`, as the message loop would.
  static void Pump(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<int>(end - GetTickCount()) > 0) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      Sleep(10);
    }
  }
  // What the shell sends for files dropped on the window: wide names, each
  // ended, then one more end.
  static void Drop(const TFormMain& form, const std::vector<fs::path>& files) {
    std::wstring names;
    for (const fs::path& file : files) names += file.wstring() + L'\0';
    names += L'\0';
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    SendMessageW(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
  }
  static std::wstring MenuCaption(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return text;
  }
  static void Click(const TFormMain& form, int position) {
    SendMessageW(form.Handle(), WM_COMMAND, GetMenuItemID(form.Menu(), position), 0);
  }
  fs::path dir;
};

TEST_F(FormTest, StoredDescriptionAndMenu) {
  TFormMain form(GetModuleHandleW(nullptr), "");
  wchar_t caption[64] = {};
  GetWindowTextW(form.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"NES Voidscope v1.0");
  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 649);
  EXPECT_EQ(client.bottom, 505);
  RECT frame{};
  GetWindowRect(form.Handle(), &frame);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.top, 0);
  EXPECT_TRUE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) << "a drop target";
  const wchar_t* captions[] = {L"&Open", L"&Reload", L"&Watch", L"&Save report", L"&View"};
  ASSERT_EQ(GetMenuItemCount(form.Menu()), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(MenuCaption(form.Menu(), i), captions[i]);
  const HMENU view = GetSubMenu(form.Menu(), 4);
  EXPECT_EQ(MenuCaption(view, 0), L"&Segments");
  EXPECT_EQ(MenuCaption(view, 2), L"Open &debug file...");
  EXPECT_EQ(MenuCaption(view, 4), L"&Play log");
  EXPECT_EQ(MenuCaption(view, 5), L"&Add play log...");
  EXPECT_EQ(MenuCaption(view, 7), L"Open &label file...");
  EXPECT_EQ(MenuCaption(view, 9), L"&Bank size");
  const HMENU sizes = GetSubMenu(view, 9);
  const wchar_t* sizeCaptions[] = {L"&Mapper's sizes", L"", L"PRG 8 KB", L"PRG 16 KB", L"PRG 32 KB", L"",
                                   L"CHR 1 KB", L"CHR 2 KB", L"CHR 4 KB", L"CHR 8 KB"};
  ASSERT_EQ(GetMenuItemCount(sizes), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(MenuCaption(sizes, i), sizeCaptions[i]) << i;
  // Every start cuts the banks as 16 KB and 8 KB, and says so in the menu.
  EXPECT_EQ(form.BankSizes(), (TBankSizes{16384, 8192}));
  for (int i : {2, 4, 6, 7, 8}) EXPECT_FALSE(GetMenuState(sizes, i, MF_BYPOSITION) & MF_CHECKED) << i;
  EXPECT_TRUE(GetMenuState(sizes, 3, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(sizes, 9, MF_BYPOSITION) & MF_CHECKED);
  EXPECT_TRUE(form.FileName().empty());
  EXPECT_FALSE(form.Image().Held());
}

TEST_F(FormTest, WatchSwitchesItsCaptionWithoutTheAccessKey) {
  TFormMain form(GetModuleHandleW(nullptr), "");
  Click(form, 2);
  EXPECT_TRUE(form.Watching());
  EXPECT_EQ(MenuCaption(form.Menu(), 2), L"Unwatch");
  Click(form, 2);
  EXPECT_FALSE(form.Watching());
  EXPECT_EQ(MenuCaption(form.Menu(), 2), L"Watch");
}

TEST_F(FormTest, FirstArgumentIsLoadedAndADropTakesOnlyTheFirstFile) {
  const std::string first = Write(L"first.nes", MakeNES(2, 1));
  const std::string dropped = Write(L"ロム.nes", MakeNES(3, 1, 4));
  const std::string other = Write(L"other.nes", MakeNES(1, 1));
  TFormMain form(GetModuleHandleW(nullptr), first);
  EXPECT_EQ(form.FileName(), first);
  ASSERT_TRUE(form.Image().Held());
  EXPECT_EQ(form.Image().PRGCount(), 2u);

  Drop(form, {dir / L"ロム.nes", dir / L"other.nes"});
  EXPECT_EQ(form.FileName(), dropped);
  ASSERT_TRUE(form.Image().Held());
  EXPECT_EQ(form.Image().PRGCount(), 3u);
  EXPECT_EQ(form.Image().Mapper(), 4u);
  (void)other;
}

TEST_F(FormTest, WatchReloadsAChangedFileAfterATick) {
  const std::string name = Write(L"watched.nes", MakeNES(1, 1));
  TFormMain form(GetModuleHandleW(nullptr), name);
  ASSERT_EQ(form.Image().PRGCount(), 1u);
  Click(form, 2);
  // The same bytes with an older write time put back count as a change.
  Write(L"watched.nes", MakeNES(2, 1));
  const HANDLE file = CreateFileW((dir / L"watched.nes").c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  FILETIME old{0x10000000, 0x01D00000};
  SetFileTime(file, nullptr, nullptr, &old);
  CloseHandle(file);
  EXPECT_EQ(form.Image().PRGCount(), 1u) << "nothing before a tick";
  Pump(2500);
  EXPECT_EQ(form.Image().PRGCount(), 2u);
}

TEST_F(FormTest, BankSizesCutTheMapsAndTheMapperPicksBoth) {
  // Mapper 4 switches 8 KB of PRG and 1 KB of CHR.
  const std::string name = Write(L"mmc3.nes", MakeNES(2, 1, 4));
  TFormMain form(GetModuleHandleW(nullptr), name);
  const HMENU sizes = GetSubMenu(GetSubMenu(form.Menu(), 4), 9);
  auto pick = [&](int position) { SendMessageW(form.Handle(), WM_COMMAND, GetMenuItemID(sizes, position), 0); };
  auto checked = [&](int position) { return (GetMenuState(sizes, position, MF_BYPOSITION) & MF_CHECKED) != 0; };

  pick(4);  // PRG 32 KB; CHR stays
  EXPECT_EQ(form.BankSizes(), (TBankSizes{32768, 8192}));
  EXPECT_TRUE(checked(4));
  EXPECT_FALSE(checked(3));
  EXPECT_TRUE(checked(9));
  pick(8);  // CHR 4 KB; PRG stays
  EXPECT_EQ(form.BankSizes(), (TBankSizes{32768, 4096}));
  EXPECT_TRUE(checked(4));
  EXPECT_TRUE(checked(8));
  EXPECT_FALSE(checked(9));

  pick(0);
  EXPECT_EQ(form.BankSizes(), (TBankSizes{8192, 1024}));
  EXPECT_TRUE(checked(2));
  EXPECT_TRUE(checked(6));
  EXPECT_FALSE(checked(4));
  EXPECT_FALSE(checked(8));

  // The choice outlives a load: the next image is cut the same way.
  const std::string other = Write(L"nrom.nes", MakeNES(1, 1, 0));
  Drop(form, {dir / L"nrom.nes"});
  ASSERT_EQ(form.FileName(), other);
  EXPECT_EQ(form.BankSizes(), (TBankSizes{8192, 1024}));
  EXPECT_TRUE(checked(2));
}

TEST_F(FormTest, LabelsBesideTheImageFollowTheBankSizes) {
  const std::string name = Write(L"labelled.nes", MakeNES(2, 1));
  // Mesen's layout, PRG ROM offsets: one label 4 KB into the first bank, so
  // it runs to the end of whichever bank holds it.
  const std::string mlb = "P:1000:tables\n";
  Write(L"labelled.mlb", Bytes(mlb.begin(), mlb.end()));
  TFormMain form(GetModuleHandleW(nullptr), name);
  ASSERT_FALSE(form.Labels().Empty());
  EXPECT_NE(form.Labels().ByteTextAt(16 + 0x1000).find("12288 bytes"), std::string::npos)
      << form.Labels().ByteTextAt(16 + 0x1000);
  const HMENU sizes = GetSubMenu(GetSubMenu(form.Menu(), 4), 9);
  SendMessageW(form.Handle(), WM_COMMAND, GetMenuItemID(sizes, 2), 0);  // PRG 8 KB
  EXPECT_NE(form.Labels().ByteTextAt(16 + 0x1000).find("4096 bytes"), std::string::npos)
      << form.Labels().ByteTextAt(16 + 0x1000);
}

// The picture, as the window and the report draw it.
TRgb At(const TCanvas& canvas, int x, int y) { return canvas.Pixels()[y * canvas.Width() + x] | 0xFF000000u; }

TEST_F(FormTest, NoImageIsAWhiteAreaInABlackFrame) {
  TCanvas canvas(649, 505);
  ASSERT_TRUE(canvas.Valid());
  DrawInfo(canvas, TNESImage(), "", canvas.Width(), canvas.Height());
  EXPECT_EQ(At(canvas, 0, 0), MakeRgb(0, 0, 0));
  EXPECT_EQ(At(canvas, 648, 504), MakeRgb(0, 0, 0));
  EXPECT_EQ(At(canvas, 1, 1), MakeRgb(255, 255, 255));
  EXPECT_EQ(At(canvas, 300, 300), MakeRgb(255, 255, 255));
  // "No file loaded" at (10, 10): some dark pixels there, none far away.
  int dark = 0;
  for (int y = 10; y < 26; ++y)
    for (int x = 10; x < 110; ++x) dark += (At(canvas, x, y) & 0xFF) < 128;
  EXPECT_GT(dark, 20);
}

TEST_F(FormTest, BoxesFlowAsTheWindowLaysThemOut) {
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(Write(L"eight.nes", MakeNES(8, 1))));
  TCanvas canvas(649, 505);
  DrawInfo(canvas, image, "eight.nes", 649, 505);
  const TRgb green = MakeRgb(46, 255, 51), free = MakeRgb(252, 252, 252), black = MakeRgb(0, 0, 0);
  // PRG boxes at x = 10 + 74k, frames on rows 70 to 327; used rows on top.
  for (int k = 0; k < 8; ++k) {
    const int x = 10 + 74 * k;
    EXPECT_EQ(At(canvas, x, 70), black);
    EXPECT_EQ(At(canvas, x + 65, 327), black);
    EXPECT_EQ(At(canvas, x + 1, 71), green);
    EXPECT_EQ(At(canvas, x + 64, 71 + 63), green);
    EXPECT_EQ(At(canvas, x + 1, 71 + 64), free);
    EXPECT_EQ(At(canvas, x + 63, 326), free);
    EXPECT_EQ(At(canvas, x + 64, 326), green);
  }
  // The wrap at the last PRG bank: CHR $00 at (10, 346), its box rows 366 to 495.
  EXPECT_EQ(At(canvas, 10, 366), black);
  EXPECT_EQ(At(canvas, 75, 495), black);
  EXPECT_EQ(At(canvas, 11, 367), green);
  EXPECT_EQ(At(canvas, 11, 367 + 64), free);
}

TEST_F(FormTest, ReportIsABMPOfTheAreaWhateverTheExtension) {
  TCanvas canvas(80, 40);
  DrawInfo(canvas, TNESImage(), "", canvas.Width(), canvas.Height());
  std::string error;
  const std::string name = Write(L"report.png", {});
  ASSERT_TRUE(WriteBMP(name, 80, 40, canvas.Pixels(), 80, error)) << error;
  std::ifstream in(dir / L"report.png", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 14u + 40u + 80u * 3u * 40u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(bytes, BMPBytes(80, 40, canvas.Pixels(), 80));
  EXPECT_FALSE(WriteBMP((dir / "no-such-folder" / "r.bmp").string(), 80, 40, canvas.Pixels(), 80, error));
  EXPECT_NE(error.find("no-such-folder"), std::string::npos) << error;
}

}  // namespace
