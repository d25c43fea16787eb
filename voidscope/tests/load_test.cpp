#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "cart/nes_image.h"
#include "temp_files.h"

namespace {

Bytes Sized(std::size_t size, const char* signature = "NES") {
  Bytes bytes(size, 0xEA);
  for (std::size_t i = 0; i < 3 && i < size; ++i) bytes[i] = static_cast<std::uint8_t>(signature[i]);
  if (size > 5) bytes[4] = bytes[5] = 1;
  return bytes;
}

class LoadNES : public ::testing::Test {
 protected:
  // An image held before the load under test, with a known time.
  void HoldFirst() {
    first = dir.Write("first.nes", MakeNES(2, 1, 0x10));
    SetWriteTime(first, 1'000'000, 123'456'789);
    ASSERT_TRUE(image.LoadNES(first));
    ASSERT_EQ(image.NESFileTime(), 1'000'000'123'456'789ull);
  }
  void ExpectFirstHeld() {
    ASSERT_TRUE(image.Held());
    EXPECT_EQ(image.PRGCount(), 2u);
    EXPECT_EQ(image.NESFileTime(), 1'000'000'123'456'789ull);
  }

  TempDir dir;
  TNESImage image;
  std::string first;
};

TEST_F(LoadNES, NothingHeldBeforeTheFirstLoad) {
  EXPECT_FALSE(image.Held());
  EXPECT_EQ(image.NESFileTime(), 0u);
  EXPECT_TRUE(image.NESData().empty());
}

TEST_F(LoadNES, MinimumLengthIsExactly24592Bytes) {
  HoldFirst();
  EXPECT_FALSE(image.LoadNES(dir.Write("short.nes", Sized(24591))));
  ExpectFirstHeld();  // refused before anything was released
  EXPECT_TRUE(image.LoadNES(dir.Write("enough.nes", Sized(24592))));
  EXPECT_EQ(image.NESData().size(), 24592u);
  EXPECT_EQ(image.PRGCount(), 1u);
}

// A file shorter than one PRG and one CHR bank is an image when it begins
// with "NES", names a bank and holds every bank it names.
TEST_F(LoadNES, AShortFileHoldingEveryBankItNamesLoads) {
  struct Case {
    const char* name;
    unsigned prg, chr;
    std::size_t length;
  };
  const Case cases[] = {
      {"chr-ram.nes", 1, 0, 16400},        // a 16 KB game on CHR RAM
      {"chr-only.nes", 0, 1, 8208},        // a lone CHR bank
      {"trailing.nes", 1, 0, 16400 + 77},  // bytes after the last bank too
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HoldFirst();
    Bytes bytes = Sized(c.length);
    bytes[4] = static_cast<std::uint8_t>(c.prg);
    bytes[5] = static_cast<std::uint8_t>(c.chr);
    const std::string name = dir.Write(c.name, bytes);
    SetWriteTime(name, 3'000'000, 7);
    ASSERT_TRUE(image.LoadNES(name));
    EXPECT_EQ(image.NESData().size(), c.length);
    EXPECT_EQ(image.FileSize(), c.length);
    EXPECT_EQ(image.PRGCount(), c.prg);
    EXPECT_EQ(image.CHRCount(), c.chr);
    EXPECT_EQ(image.NESFileTime(), 3'000'000'000'000'007ull);
  }
}

TEST_F(LoadNES, AShortFileLackingABankOrNamingNoneIsRefusedAtTheLengthTest) {
  struct Case {
    const char* name;
    const char* signature;
    unsigned prg, chr;
    std::size_t length;
  };
  const Case cases[] = {
      {"lacks-a-byte.nes", "NES", 1, 0, 16399},
      {"lacks-chr.nes", "NES", 1, 1, 24591},
      {"names-none.nes", "NES", 0, 0, 16400},
      {"header-only.nes", "NES", 0, 0, 16},
      {"part-header.nes", "NES", 1, 0, 10},
      // A wrong signature on a short file fails at the length test too, so
      // the held image stays (a long one drops it: see below).
      {"not-nes.nes", "NEZ", 1, 0, 16400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HoldFirst();
    Bytes bytes = Sized(c.length, c.signature);
    if (c.length > 5) {
      bytes[4] = static_cast<std::uint8_t>(c.prg);
      bytes[5] = static_cast<std::uint8_t>(c.chr);
    }
    EXPECT_FALSE(image.LoadNES(dir.Write(c.name, bytes)));
    ExpectFirstHeld();
  }
}

TEST_F(LoadNES, FailuresBeforeTheLengthTestKeepImageAndTime) {
  HoldFirst();
  std::filesystem::create_directory(dir.File("folder.nes"));
  ASSERT_EQ(mkfifo(dir.File("pipe.nes").c_str(), 0600), 0);  // would block an open
  for (const std::string& name : {std::string(), dir.File("missing.nes"), dir.File("folder.nes"),
                                  dir.File("pipe.nes"),
                                  dir.Write("empty.nes", {}), dir.Write("tiny.nes", Sized(16))}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(image.LoadNES(name));
    ExpectFirstHeld();
  }
}

TEST_F(LoadNES, WrongSignatureDropsTheHeldImageButKeepsTheTime) {
  HoldFirst();
  for (const char* signature : {"NEZ", "nes", "XES", "\0\0\0"}) {
    SCOPED_TRACE(signature);
    EXPECT_FALSE(image.LoadNES(dir.Write("bad.nes", Sized(30000, signature))));
    EXPECT_FALSE(image.Held());
    EXPECT_TRUE(image.NESData().empty());
    EXPECT_EQ(image.NESFileTime(), 1'000'000'123'456'789ull);
  }
}

TEST_F(LoadNES, AnyFourthByteIsAccepted) {
  for (int byte3 : {0x00, 0x1A, 0x1B, 0xFF}) {
    Bytes bytes = MakeNES(1, 1);
    bytes[3] = static_cast<std::uint8_t>(byte3);
    EXPECT_TRUE(image.LoadNES(dir.Write("any.nes", bytes))) << byte3;
  }
}

TEST_F(LoadNES, HoldsEveryByteInFileOrderAndRecordsTheNanosecondTime) {
  Bytes bytes = MakeNES(1, 1);
  for (std::size_t i = 16; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  bytes.push_back(0x99);  // bytes after the last bank are held too
  const std::string name = dir.Write("whole.nes", bytes);
  SetWriteTime(name, 1'700'000'000, 999'999'999);
  ASSERT_TRUE(image.LoadNES(name));
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), image.NESData().begin(), image.NESData().end()));
  EXPECT_EQ(image.NESFileTime(), 1'700'000'000'999'999'999ull);
}

TEST_F(LoadNES, ReplacesImageAndTimeTogether) {
  HoldFirst();
  const std::string second = dir.Write("second.nes", MakeNES(3, 0));
  SetWriteTime(second, 2'000'000, 5);
  ASSERT_TRUE(image.LoadNES(second));
  EXPECT_EQ(image.PRGCount(), 3u);
  EXPECT_EQ(image.NESFileTime(), 2'000'000'000'000'005ull);
}

TEST_F(LoadNES, AHugeFileIsReadOnlyAsFarAsAnyHeaderReaches) {
  // A sparse 5 GiB file: reading it whole would exhaust memory.
  const std::string name = dir.Write("huge.nes", MakeNES(255, 255));
  ASSERT_EQ(truncate(name.c_str(), 5ll << 30), 0);
  ASSERT_TRUE(image.LoadNES(name));
  EXPECT_EQ(image.NESData().size(), MaxNESSize);
  EXPECT_EQ(MaxNESSize, 16u + 255u * 16384u + 255u * 8192u);
  EXPECT_EQ(image.CHRBank(254).size(), 8192u);
}

TEST_F(LoadNES, ReleaseDropsTheImage) {
  HoldFirst();
  image.Release();
  EXPECT_FALSE(image.Held());
  EXPECT_TRUE(image.NESData().empty());
}

struct MapperCase {
  std::uint8_t flags6, flags7;
  unsigned mapper;
};

void PrintTo(const MapperCase& c, std::ostream* os) {
  *os << int(c.flags6) << "," << int(c.flags7) << "->" << c.mapper;
}

class Mapper : public ::testing::TestWithParam<MapperCase> {};

TEST_P(Mapper, HighNibblesOfBytesSixAndSeven) {
  TempDir dir;
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir.Write("m.nes", MakeNES(1, 1, GetParam().flags6, GetParam().flags7))));
  EXPECT_EQ(image.Mapper(), GetParam().mapper);
}

INSTANTIATE_TEST_SUITE_P(Header, Mapper,
                         ::testing::Values(MapperCase{0x41, 0x20, 36}, MapperCase{0xF0, 0xF0, 255},
                                           MapperCase{0x0F, 0x0F, 0}, MapperCase{0x10, 0x00, 1},
                                           MapperCase{0x00, 0x40, 64}, MapperCase{0x2B, 0x07, 2}));

TEST(BankSections, TruncatedBanksYieldOnlyTheirLoadedBytes) {
  TempDir dir;
  TNESImage image;
  Bytes bytes = MakeNES(1, 1);
  bytes[4] = 3;  // the header claims banks the file does not hold
  bytes[5] = 2;
  ASSERT_TRUE(image.LoadNES(dir.Write("cut.nes", bytes)));
  EXPECT_EQ(image.PRGBank(0).size(), 16384u);
  EXPECT_EQ(image.PRGBank(1).size(), 8192u);
  EXPECT_EQ(image.PRGBank(2).size(), 0u);
  EXPECT_EQ(image.CHRBank(0).size(), 0u);
  EXPECT_EQ(image.CHRBank(1).size(), 0u);
}

}  // namespace
