#include <gtest/gtest.h>

#include "cart/bank_layout.h"

namespace {

constexpr auto PRG = TBankKind::PRG;
constexpr auto CHR = TBankKind::CHR;

struct Span {
  TBankKind kind;
  unsigned index;
  std::uint64_t offset, size, held;
};

void ExpectBanks(const TBankLayout& layout, const std::vector<Span>& expected) {
  ASSERT_EQ(layout.Banks().size(), expected.size());
  for (std::size_t r = 0; r < expected.size(); ++r) {
    const TBankSpan& b = layout.Banks()[r];
    SCOPED_TRACE(r);
    EXPECT_EQ(b.kind, expected[r].kind);
    EXPECT_EQ(b.index, expected[r].index);
    EXPECT_EQ(b.offset, expected[r].offset);
    EXPECT_EQ(b.size, expected[r].size);
    EXPECT_EQ(b.held, expected[r].held);
    EXPECT_EQ(b.Missing(), expected[r].size - expected[r].held);
  }
}

TEST(BankLayout, DefaultSizesAreTheHeadersBanks) {
  const TBankLayout layout(2, 1, 16 + 2 * 16384 + 8192);
  ExpectBanks(layout, {{PRG, 0, 16, 16384, 16384},
                       {PRG, 1, 16400, 16384, 16384},
                       {CHR, 0, 32784, 8192, 8192}});
  EXPECT_EQ(layout.CHRStart(), 32784u);
  EXPECT_EQ(layout.End(), 40976u);
}

TEST(BankLayout, ThirtyTwoKilobytesOverThreeSixteensLeaveAShortLastBank) {
  const TBankLayout layout(3, 1, 16 + 3 * 16384 + 8192, {32768, 2048});
  ExpectBanks(layout, {{PRG, 0, 16, 32768, 32768},
                       {PRG, 1, 32784, 16384, 16384},
                       {CHR, 0, 49168, 2048, 2048},
                       {CHR, 1, 51216, 2048, 2048},
                       {CHR, 2, 53264, 2048, 2048},
                       {CHR, 3, 55312, 2048, 2048}});
  EXPECT_EQ(layout.Count(PRG), 2u);
  EXPECT_EQ(layout.Count(CHR), 4u);
}

TEST(BankLayout, ATruncatedFileLeavesBanksPartlyOrWhollyMissing) {
  // 8 KB banks over 2 x 16 KB; the file ends 100 bytes into PRG bank 2.
  const TBankLayout layout(2, 1, 16 + 2 * 8192 + 100, {8192, 8192});
  ExpectBanks(layout, {{PRG, 0, 16, 8192, 8192},
                       {PRG, 1, 8208, 8192, 8192},
                       {PRG, 2, 16400, 8192, 100},
                       {PRG, 3, 24592, 8192, 0},
                       {CHR, 0, 32784, 8192, 0}});
}

TEST(BankLayout, ChrRamNamesNoChrBanks) {
  const TBankLayout layout(1, 0, 16400, {8192, 1024});
  ExpectBanks(layout, {{PRG, 0, 16, 8192, 8192}, {PRG, 1, 8208, 8192, 8192}});
  EXPECT_EQ(layout.Count(CHR), 0u);
  EXPECT_EQ(layout.Find(CHR, 0), nullptr);
  EXPECT_EQ(layout.At(16400), nullptr);
}

TEST(BankLayout, EveryFileOffsetFindsTheBankThatHoldsIt) {
  const TBankLayout layout(3, 2, 0, {32768, 1024});
  EXPECT_EQ(layout.At(0), nullptr);
  EXPECT_EQ(layout.At(15), nullptr);
  for (const TBankSpan& bank : layout.Banks()) {
    SCOPED_TRACE(bank.offset);
    EXPECT_EQ(layout.At(bank.offset), &bank);
    EXPECT_EQ(layout.At(bank.End() - 1), &bank);
    EXPECT_EQ(layout.Find(bank.kind, bank.index), &bank);
    EXPECT_EQ(&layout.Banks()[layout.Row(bank.kind, bank.index)], &bank);
  }
  EXPECT_EQ(layout.At(layout.End()), nullptr);
  EXPECT_EQ(layout.Row(CHR, 16), layout.Banks().size());
}

TEST(BankLayout, OnlyTheOfferedSizesAreBankSizes) {
  for (std::uint64_t s : {8192u, 16384u, 32768u}) EXPECT_TRUE(IsPRGBankSize(s));
  for (std::uint64_t s : {1024u, 2048u, 4096u, 8192u}) EXPECT_TRUE(IsCHRBankSize(s));
  for (std::uint64_t s : {0u, 4096u, 65536u}) EXPECT_FALSE(IsPRGBankSize(s));
  for (std::uint64_t s : {0u, 512u, 16384u}) EXPECT_FALSE(IsCHRBankSize(s));
}

}  // namespace
