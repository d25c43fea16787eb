#include <gtest/gtest.h>

#include "cart/nes_image.h"
#include "reference_empty_byte.h"

namespace {

struct RealImage {
  const char* path;
  std::size_t size;
  unsigned prg, chr, mapper;
};

void PrintTo(const RealImage& real, std::ostream* os) { *os << real.path; }

class RealImages : public ::testing::TestWithParam<RealImage> {};

// Homebrew images nobody on this project made: each is held whole and
// analysed within its bytes.
TEST_P(RealImages, LoadAndAnalyse) {
  const RealImage& real = GetParam();
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(std::string(VOIDSCOPE_TEST_DATA "/") + real.path));
  EXPECT_EQ(image.NESData().size(), real.size);
  EXPECT_EQ(image.PRGCount(), real.prg);
  EXPECT_EQ(image.CHRCount(), real.chr);
  EXPECT_EQ(image.Mapper(), real.mapper);
  EXPECT_NE(image.NESFileTime(), 0u);
  const std::uint8_t empty = image.FindEmptyByte();
  EXPECT_EQ(empty, ReferenceEmptyByte(image));
  std::vector<std::uint8_t> cells(64 * 256);
  for (unsigned j = 0; j < image.PRGCount(); ++j) {
    image.PRGBankMap(j, empty, cells.data(), 64);
    EXPECT_EQ(std::count(cells.begin(), cells.end(), CellMissing), 0);
  }
  for (unsigned j = 0; j < image.CHRCount(); ++j) image.CHRBankMap(j, cells.data(), 64);
}

INSTANTIATE_TEST_SUITE_P(
    Homebrew, RealImages,
    ::testing::Values(RealImage{"ca65-example/example.nes", 40976, 2, 1, 0},
                      RealImage{"russian-roulette/roulette.nes", 24592, 1, 1, 0},
                      RealImage{"nes15/nes15-NTSC.nes", 28688, 1, 1, 0}),
    [](const auto& info) { return std::string(info.index == 0 ? "ca65_example" : info.index == 1 ? "russian_roulette" : "nes15"); });

// 16400 bytes: one PRG bank on CHR RAM, complete though shorter than one
// PRG and one CHR bank.
TEST(RealImages, AWholeGameOnChrRamLoads) {
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(VOIDSCOPE_TEST_DATA "/escape-from-pong/efp.nes"));
  EXPECT_EQ(image.NESData().size(), 16400u);
  EXPECT_EQ(image.PRGCount(), 1u);
  EXPECT_EQ(image.CHRCount(), 0u);
  EXPECT_EQ(image.FindEmptyByte(), ReferenceEmptyByte(image));
  std::vector<std::uint8_t> cells(64 * 256);
  image.PRGBankMap(0, image.FindEmptyByte(), cells.data(), 64);
  EXPECT_EQ(std::count(cells.begin(), cells.end(), CellMissing), 0);
}

// The sample cartridge built from our own source: full, partly used and
// empty banks, so that the map has something to show.
TEST(SampleCartridge, HasFullPartlyUsedAndEmptyBanks) {
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(VOIDSCOPE_SAMPLE));
  EXPECT_EQ(image.PRGCount(), 8u);
  EXPECT_EQ(image.CHRCount(), 4u);
  EXPECT_EQ(image.Mapper(), 1u);
  EXPECT_EQ(image.NESData().size(), 16u + 8 * 16384 + 4 * 8192);
  const std::uint8_t empty = image.FindEmptyByte();
  EXPECT_EQ(empty, 0xFF);
  std::vector<std::uint8_t> cells(64 * 256);
  auto freeCells = [&] { return std::count(cells.begin(), cells.end(), CellFree); };
  image.PRGBankMap(0, empty, cells.data(), 64);
  EXPECT_LT(freeCells(), 200);  // full, give or take filler bytes equal to $FF
  image.PRGBankMap(3, empty, cells.data(), 64);
  EXPECT_EQ(freeCells(), 16384);
  image.PRGBankMap(2, empty, cells.data(), 64);
  EXPECT_GE(freeCells(), 8192);
  EXPECT_LT(freeCells(), 8400);
  cells.resize(64 * 128);
  image.CHRBankMap(2, cells.data(), 64);
  EXPECT_EQ(freeCells(), 8192);
  image.CHRBankMap(1, cells.data(), 64);
  EXPECT_EQ(freeCells(), 0);
}

}  // namespace
