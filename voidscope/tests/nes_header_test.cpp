#include <gtest/gtest.h>

#include <array>

#include "cart/mapper_banks.h"
#include "cart/nes_header.h"

namespace {

using Header = std::array<std::uint8_t, 16>;

// "NES" $1A and then bytes 4 onwards as given.
Header Make(std::initializer_list<std::uint8_t> from4) {
  Header h{'N', 'E', 'S', 0x1A};
  std::size_t i = 4;
  for (std::uint8_t b : from4) h[i++] = b;
  return h;
}

TNESHeader Parse(const Header& h) { return ParseNESHeader(std::span<const std::uint8_t, 16>(h)); }

TEST(NESHeader, INESReadsBytesFourToSevenAndIgnoresTheRest) {
  // Mapper 4, vertical, battery; bytes 8 to 15 hold what old tools wrote there.
  const TNESHeader h = Parse(Make({8, 16, 0x43, 0x00, 0x77, 0x0F, 0xFF, 0xFF, 3, 0, 0, 0}));
  EXPECT_FALSE(h.nes20);
  EXPECT_STREQ(FormatName(h), "iNES");
  EXPECT_EQ(h.mapper, 4u);
  EXPECT_EQ(h.submapper, 0u);
  EXPECT_EQ(h.prgROM.Decimal(), "131072");
  EXPECT_EQ(h.chrROM.Decimal(), "131072");
  EXPECT_TRUE(h.battery);
  EXPECT_FALSE(h.trainer);
  EXPECT_EQ(h.mirroring, TMirroring::Vertical);
  EXPECT_EQ(h.prgRAM + h.prgNVRAM + h.chrRAM + h.chrNVRAM, 0u);
  // Byte 7's $0C bits other than $08 keep the header iNES.
  for (std::uint8_t flags7 : {0x04, 0x0C, 0x00})
    EXPECT_FALSE(Parse(Make({1, 1, 0, flags7})).nes20) << int(flags7);
}

TEST(NESHeader, NES20MapperSubmapperSizesAndRam) {
  // Mapper $1A4 = 420, submapper 5; PRG $300 + $02 banks, CHR $100 + $01;
  // PRG RAM 64 << 7, PRG NVRAM 64 << 9, CHR RAM 64 << 6, CHR NVRAM none.
  const TNESHeader h = Parse(Make({0x02, 0x01, 0x40 | 0x02, 0xA8, 0x51, 0x13, 0x97, 0x06, 0x01, 0, 0x02, 0}));
  EXPECT_TRUE(h.nes20);
  EXPECT_STREQ(FormatName(h), "NES 2.0");
  EXPECT_EQ(h.mapper, 0x1A4u);
  EXPECT_EQ(h.submapper, 5u);
  EXPECT_EQ(h.prgROM.Decimal(), std::to_string(0x302 * 16384));
  EXPECT_EQ(h.chrROM.Decimal(), std::to_string(0x101 * 8192));
  EXPECT_EQ(h.prgRAM, 8192u);
  EXPECT_EQ(h.prgNVRAM, 32768u);
  EXPECT_EQ(h.chrRAM, 4096u);
  EXPECT_EQ(h.chrNVRAM, 0u);
  EXPECT_TRUE(h.battery);
  EXPECT_EQ(h.timing, TTiming::PAL);
  EXPECT_EQ(h.miscROMs, 2u);
  EXPECT_TRUE(h.prgROM.Exceeds(2 * 16384));
}

TEST(NESHeader, ExponentFormIsTwoToTheEtimesTwoMPlusOne) {
  struct Case {
    std::uint8_t low;
    const char* bytes;
  };
  const Case cases[] = {
      {0x00, "1"},                     // 2^0 x 1
      {0x2B, "7168"},                  // 2^10 x 7: E = 10, M = 3
      {0x39, "49152"},                 // 2^14 x 3
      {0xFF, "64563604257983430656"},  // 2^63 x 7: past 64 bits
      {0xFC, "9223372036854775808"},   // 2^63 x 1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    const TNESHeader h = Parse(Make({c.low, c.low, 0, 0x08, 0, 0xFF}));
    EXPECT_EQ(h.prgROM.Decimal(), c.bytes);
    EXPECT_EQ(h.chrROM.Decimal(), c.bytes);
  }
  const TNESHeader huge = Parse(Make({0xFF, 0, 0, 0x08, 0, 0x0F}));
  EXPECT_TRUE(huge.prgROM.Exceeds(~std::uint64_t{0}));
  EXPECT_EQ(huge.chrROM.Decimal(), "0");  // CHR's nibble is 0: plain form, no banks
  EXPECT_FALSE(huge.chrROM.Exceeds(0));
  const TNESHeader small = Parse(Make({0x2B, 0, 0, 0x08, 0, 0x0F}));
  EXPECT_FALSE(small.prgROM.Exceeds(7168));
  EXPECT_TRUE(small.prgROM.Exceeds(7167));
}

TEST(NESHeader, TrainerFourScreenAndMirroring) {
  EXPECT_TRUE(Parse(Make({1, 1, 0x04})).trainer);
  EXPECT_EQ(Parse(Make({1, 1, 0x08})).mirroring, TMirroring::FourScreen);
  EXPECT_EQ(Parse(Make({1, 1, 0x09})).mirroring, TMirroring::FourScreen);
  EXPECT_EQ(Parse(Make({1, 1, 0x01})).mirroring, TMirroring::Vertical);
  EXPECT_EQ(Parse(Make({1, 1, 0x00})).mirroring, TMirroring::Horizontal);
  EXPECT_STREQ(MirroringName(TMirroring::FourScreen), "four-screen");
}

TEST(NESHeader, EachTiming) {
  const std::pair<std::uint8_t, const char*> timings[] = {
      {0, "NTSC"}, {1, "PAL"}, {2, "multiple"}, {3, "Dendy"}, {0xFD, "PAL"}};
  for (const auto& [byte12, name] : timings)
    EXPECT_STREQ(TimingName(Parse(Make({1, 1, 0, 0x08, 0, 0, 0, 0, byte12})).timing), name);
  // An iNES header has no timing to read: byte 12 means nothing there.
  EXPECT_EQ(Parse(Make({1, 1, 0, 0, 0, 0, 0, 0, 1})).timing, TTiming::NTSC);
}

TEST(MapperBanks, TheTableAndTheSizesChosen) {
  const std::tuple<unsigned, std::uint64_t, std::uint64_t> table[] = {
      {0, 32768, 8192},  {1, 16384, 4096},  {2, 16384, 8192},  {3, 32768, 8192},
      {4, 8192, 1024},   {5, 8192, 1024},   {7, 32768, 8192},  {9, 8192, 4096},
      {10, 16384, 4096}, {11, 32768, 8192}, {19, 8192, 1024},  {21, 8192, 1024},
      {22, 8192, 1024},  {23, 8192, 1024},  {24, 8192, 1024},  {25, 8192, 1024},
      {26, 8192, 1024},  {34, 32768, 4096}, {66, 32768, 8192}, {69, 8192, 1024},
      {71, 16384, 8192}, {85, 8192, 1024},  {206, 8192, 1024}};
  ASSERT_EQ(MapperBankTable().size(), std::size(table));
  for (const auto& [mapper, prg, chr] : table) {
    SCOPED_TRACE(mapper);
    const TMapperBanks* row = FindMapperBanks(mapper);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->sizes, (TBankSizes{prg, chr}));
    EXPECT_TRUE(IsPRGBankSize(prg) && IsCHRBankSize(chr));
    EXPECT_EQ(ChooseBankSizes({true, 0, 0}, mapper), (TBankSizes{prg, chr}));
  }
  EXPECT_EQ(FindMapperBanks(36), nullptr);
  EXPECT_EQ(FindMapperBanks(256 + 4), nullptr);  // NES 2.0's plane 1 is not MMC3
  EXPECT_EQ(ChooseBankSizes({true, 0, 0}, 36), (TBankSizes{16384, 8192}));
  // Not asked for: 16 KB and 8 KB whatever the mapper; a size given wins.
  EXPECT_EQ(ChooseBankSizes({false, 0, 0}, 4), (TBankSizes{16384, 8192}));
  EXPECT_EQ(ChooseBankSizes({true, 0, 4096}, 4), (TBankSizes{8192, 4096}));
  EXPECT_EQ(ChooseBankSizes({false, 32768, 0}, 4), (TBankSizes{32768, 8192}));
}

}  // namespace
