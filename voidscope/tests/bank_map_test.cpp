#include <gtest/gtest.h>

#include "cart/nes_image.h"
#include "temp_files.h"

namespace {

class BankMap : public ::testing::Test {
 protected:
  void Load(const Bytes& bytes) { ASSERT_TRUE(image.LoadNES(dir.Write("map.nes", bytes))); }
  TempDir dir;
  TNESImage image;
};

TEST_F(BankMap, PRGCellsAreUsedWhereTheByteDiffersFromTheEmptyByte) {
  Bytes bytes = MakeNES(2, 1);
  bytes[PRGOffset(1) + 0] = 0xFF;
  bytes[PRGOffset(1) + 65] = 0xFF;      // row 1, column 1
  bytes[PRGOffset(1) + 16383] = 0xFF;   // row 255, column 63
  Load(bytes);
  std::vector<std::uint8_t> cells(64 * 256, 9);
  image.PRGBankMap(1, 0xFF, cells.data(), 64);
  for (std::size_t o = 0; o < cells.size(); ++o) {
    const bool free = o == 0 || o == 65 || o == 16383;
    ASSERT_EQ(cells[o], free ? CellFree : CellUsed) << o;
  }
  image.PRGBankMap(1, 0xEA, cells.data(), 64);
  EXPECT_EQ(cells[0], CellUsed);
  EXPECT_EQ(cells[1], CellFree);
}

TEST_F(BankMap, CHRCellsAreFreeOnlyWhereTheByteIsZero) {
  Bytes bytes = MakeNES(1, 2);
  bytes[CHROffset(1, 1) + 3] = 0x00;
  bytes[CHROffset(1, 1) + 4] = 0xFF;
  Load(bytes);
  std::vector<std::uint8_t> cells(64 * 128, 9);
  image.CHRBankMap(1, cells.data(), 64);
  EXPECT_EQ(cells[3], CellFree);
  EXPECT_EQ(cells[4], CellUsed);  // $FF is used in CHR, whatever the empty byte is
  EXPECT_EQ(std::count(cells.begin(), cells.end(), CellFree), 1);
}

TEST_F(BankMap, RowsGoToTheGivenStrideAndNothingBetweenIsTouched) {
  Load(MakeNES(1, 1));
  const std::size_t stride = 80;
  std::vector<std::uint8_t> cells(stride * 128, 7);
  image.CHRBankMap(0, cells.data(), stride);
  for (std::size_t r = 0; r < 128; ++r)
    for (std::size_t c = 0; c < stride; ++c)
      ASSERT_EQ(cells[r * stride + c], c < 64 ? CellUsed : 7) << r << "," << c;
}

TEST_F(BankMap, BytesBeyondTheFileAreMissing) {
  Bytes bytes = MakeNES(1, 1);
  bytes[4] = 2;  // bank 1 holds only the 8192 bytes that were meant as CHR
  bytes[5] = 1;
  bytes.resize(bytes.size() + 100, 0x00);
  Load(bytes);
  std::vector<std::uint8_t> cells(64 * 256);
  image.PRGBankMap(1, 0x00, cells.data(), 64);
  EXPECT_EQ(cells[0], CellUsed);
  EXPECT_EQ(cells[8191], CellUsed);
  EXPECT_EQ(cells[8192], CellFree);  // the 100 extra bytes are loaded
  EXPECT_EQ(cells[8291], CellFree);
  EXPECT_EQ(cells[8292], CellMissing);
  EXPECT_EQ(cells[16383], CellMissing);
  std::vector<std::uint8_t> chr(64 * 128);
  image.CHRBankMap(0, chr.data(), 64);
  EXPECT_EQ(std::count(chr.begin(), chr.end(), CellMissing), 8192);
}

}  // namespace
