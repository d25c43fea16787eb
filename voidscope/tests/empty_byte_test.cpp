#include <gtest/gtest.h>

#include <random>

#include "cart/nes_image.h"
#include "reference_empty_byte.h"
#include "temp_files.h"

namespace {

// Bytes with no two equal neighbours and no value below $80, so the runs a
// test puts in are the only runs there are, of exactly their length.
std::uint8_t Noise(std::size_t o) { return static_cast<std::uint8_t>(0x80 | ((o * 151) & 0x7F)); }

struct Run {
  unsigned bank;
  std::size_t offset, length;
  std::uint8_t value;
};

Bytes Image(unsigned prgCount, const std::vector<Run>& runs, unsigned chrCount = 1) {
  Bytes bytes = MakeNES(prgCount, chrCount);
  for (std::size_t o = PRGOffset(0); o < CHROffset(prgCount, 0); ++o) bytes[o] = Noise(o);
  for (const Run& run : runs)
    std::fill_n(bytes.begin() + PRGOffset(run.bank) + run.offset, run.length, run.value);
  return bytes;
}

struct Case {
  const char* what;
  Bytes bytes;
  std::uint8_t empty;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.what; }

class FindEmptyByte : public ::testing::TestWithParam<Case> {};

TEST_P(FindEmptyByte, FollowsTheRunRules) {
  TempDir dir;
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir.Write("runs.nes", GetParam().bytes)));
  EXPECT_EQ(image.FindEmptyByte(), GetParam().empty);
  EXPECT_EQ(ReferenceEmptyByte(image), GetParam().empty);
}

Bytes WithBytes(Bytes bytes, std::size_t from, std::size_t count, std::uint8_t value) {
  std::fill_n(bytes.begin() + from, count, value);
  return bytes;
}

std::vector<Case> Cases() {
  std::vector<Case> cases;
  cases.push_back({"a bank all $FF is one open run", WithBytes(Image(1, {}), 16, 16384, 0xFF), 0x00});
  {
    Bytes bytes = Image(1, {{0, 0, 100, 0xFF}});
    bytes[16 + 100] = 0x00;
    cases.push_back({"100 x $FF then $00 records 99", bytes, 0xFF});
  }
  cases.push_back({"8 equal bytes record nothing", Image(1, {{0, 500, 8, 0x42}}), 0x00});
  cases.push_back({"9 equal bytes record 8", Image(1, {{0, 500, 9, 0x42}}), 0x42});
  cases.push_back({"a run at offset 0", Image(1, {{0, 0, 9, 0x55}}), 0x55});
  cases.push_back({"a run ending at the bank's last byte is not recorded",
                   Image(1, {{0, 100, 9, 0x21}, {0, 16384 - 5000, 5000, 0x30}}), 0x21});
  cases.push_back({"the last qualifying run of a value wins over a longer earlier one",
                   Image(2, {{0, 10, 1000, 0x11}, {1, 300, 20, 0x11}, {0, 5000, 50, 0x22}}), 0x22});
  cases.push_back({"without a rival the later short run still counts",
                   Image(2, {{0, 10, 1000, 0x11}, {1, 300, 20, 0x11}, {0, 5000, 15, 0x22}}), 0x11});
  cases.push_back({"ties go to the lower value",
                   Image(1, {{0, 100, 30, 0x60}, {0, 200, 30, 0x20}, {0, 300, 10, 0x10}}), 0x20});
  cases.push_back({"runs never join across a bank boundary",
                   Image(2, {{0, 16384 - 5000, 5000, 0x33}, {1, 0, 10, 0x33}, {1, 100, 100, 0x44}}),
                   0x44});
  cases.push_back({"no PRG banks: CHR runs do not count",
                   WithBytes(Image(0, {}, 1), 16, 8192, 0x00), 0x00});
  {
    Bytes bytes = Image(1, {}, 1);
    std::fill_n(bytes.begin() + CHROffset(1, 0) + 10, 500, 0x77);
    cases.push_back({"CHR banks never take part", bytes, 0x00});
  }
  {
    // The header names 2 PRG banks; the file ends part way into bank 1,
    // inside a run, which is therefore open at the end of what was loaded.
    Bytes bytes = Image(1, {{0, 50, 40, 0x05}}, 0);
    bytes.resize(PRGOffset(1));
    for (std::size_t o = 0; o < 100; ++o) bytes.push_back(Noise(o));
    bytes.resize(MinNESSize + 500, 0x66);
    bytes[4] = 2;
    bytes[5] = 1;
    cases.push_back({"a run reaching the end of the loaded bytes is not recorded", bytes, 0x05});
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Runs, FindEmptyByte, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// The fast scan against the rules written out literally, on images full of
// runs of every length around the threshold, in every alignment.
TEST(FindEmptyByteAgainstRules, AgreesOnRandomImages) {
  std::mt19937 random(20261208);
  TempDir dir;
  TNESImage image;
  for (int round = 0; round < 300; ++round) {
    const unsigned prgCount = 1 + random() % 3;
    Bytes bytes = MakeNES(prgCount, 1);
    const std::uint8_t values[] = {0x00, 0xFF, 0x12, 0x13, static_cast<std::uint8_t>(random())};
    std::size_t o = PRGOffset(0);
    while (o < CHROffset(prgCount, 0)) {
      const std::size_t length = random() % 4 == 0 ? 1 + random() % 40 : 1 + random() % 12;
      const std::uint8_t value = values[random() % 5];
      for (std::size_t i = 0; i < length && o < CHROffset(prgCount, 0); ++i) bytes[o++] = value;
    }
    if (round % 4 == 0) {
      bytes[4] = static_cast<std::uint8_t>(prgCount + 1 + random() % 3);  // truncated image
      bytes.resize(std::max<std::size_t>(MinNESSize, bytes.size() - random() % 20000));
    }
    ASSERT_TRUE(image.LoadNES(dir.Write("random.nes", bytes)));
    ASSERT_EQ(image.FindEmptyByte(), ReferenceEmptyByte(image)) << "round " << round;
  }
}

}  // namespace
