#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "cart/summary.h"
#include "cart/summary_format.h"
#include "temp_files.h"

namespace {

void Fill(Bytes& bytes, std::size_t from, std::size_t count, std::uint8_t v) {
  std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(from), count, v);
}

// What a row should say, worked out by hand from how the image was built.
struct ExpectedRow {
  TBankKind kind;
  unsigned index;
  std::uint64_t offset, used, free, missing, runOffset, runLength;
};

struct SummaryCase {
  const char* name;
  unsigned prg, chr;
  std::function<void(Bytes&)> build;
  std::size_t length;  // 0: as built
  std::uint8_t emptyByte;
  std::vector<ExpectedRow> rows;
};

void PrintTo(const SummaryCase& c, std::ostream* os) { *os << c.name; }

constexpr auto PRG = TBankKind::PRG;
constexpr auto CHR = TBankKind::CHR;

const SummaryCase SummaryCases[] = {
    {"FullAndEmptyBanks", 2, 1,
     [](Bytes& b) {
       Fill(b, PRGOffset(0) + 100, 100, 0xFF);  // recorded: $FF is the empty byte
       Fill(b, PRGOffset(1), 16384, 0xFF);      // all free
     },
     0, 0xFF,
     {{PRG, 0, 16, 16284, 100, 0, 100, 100},
      {PRG, 1, 16400, 0, 16384, 0, 0, 16384},
      {CHR, 0, 32784, 8192, 0, 0, 0, 0}}},
    {"LargestRunAtStartEndAndMiddleFirstOfEqualWins", 3, 1,
     [](Bytes& b) {
       Fill(b, PRGOffset(0), 50, 0xFF);          // at the start ...
       Fill(b, PRGOffset(0) + 1000, 50, 0xFF);   // ... and one as long later
       Fill(b, PRGOffset(1) + 500, 10, 0xFF);
       Fill(b, PRGOffset(1) + 16354, 30, 0xFF);  // at the very end
       b[PRGOffset(2) + 10] = 0xFF;
       Fill(b, PRGOffset(2) + 4000, 100, 0xFF);  // in the middle
       Fill(b, CHROffset(3, 0) + 7000, 3, 0x00);
     },
     0, 0xFF,
     {{PRG, 0, 16, 16284, 100, 0, 0, 50},
      {PRG, 1, 16400, 16344, 40, 0, 16354, 30},
      {PRG, 2, 32784, 16283, 101, 0, 4000, 100},
      {CHR, 0, 49168, 8189, 3, 0, 7000, 3}}},
    {"CHRFreeIsZeroWhateverTheEmptyByte", 1, 2,
     [](Bytes& b) {
       Fill(b, PRGOffset(0) + 20, 40, 0xFF);
       Fill(b, CHROffset(1, 0), 8192, 0xFF);  // used in CHR
       Fill(b, CHROffset(1, 1) + 8000, 192, 0x00);
     },
     0, 0xFF,
     {{PRG, 0, 16, 16344, 40, 0, 20, 40},
      {CHR, 0, 16400, 8192, 0, 0, 0, 0},
      {CHR, 1, 24592, 8000, 192, 0, 8000, 192}}},
    {"TruncatedPRGBanks", 3, 0,
     [](Bytes& b) {
       Fill(b, PRGOffset(0) + 16, 20, 0x00);
       Fill(b, PRGOffset(1) + 8000, 192, 0x00);  // runs up to the end of the file
     },
     24592, 0x00,
     {{PRG, 0, 16, 16364, 20, 0, 16, 20},
      {PRG, 1, 16400, 8000, 192, 8192, 8000, 192},
      {PRG, 2, 32784, 0, 0, 16384, 0, 0}}},
    {"TruncatedCHRBank", 1, 2,
     [](Bytes& b) {
       b.resize(24592 + 100);
       Fill(b, CHROffset(1, 1), 100, 0x00);
     },
     0, 0x00,
     {{PRG, 0, 16, 16384, 0, 0, 0, 0},
      {CHR, 0, 16400, 8192, 0, 0, 0, 0},
      {CHR, 1, 24592, 0, 100, 8092, 0, 100}}},
    {"NoCHRBanks", 1, 0, [](Bytes& b) { Fill(b, PRGOffset(0) + 16380, 4, 0x00); }, 0, 0x00,
     {{PRG, 0, 16, 16380, 4, 0, 16380, 4}}},
};

class SummaryRows : public ::testing::TestWithParam<SummaryCase> {};

TEST_P(SummaryRows, MatchTheImage) {
  const SummaryCase& c = GetParam();
  Bytes bytes = MakeCodeNES(c.prg, c.chr);
  c.build(bytes);
  if (c.length != 0) bytes.resize(c.length);
  TempDir dir;
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir.Write("s.nes", bytes)));
  const TCartSummary s = SummariseNES(image);
  EXPECT_EQ(s.mapper, 0x14u);
  EXPECT_EQ(s.prgCount, c.prg);
  EXPECT_EQ(s.chrCount, c.chr);
  EXPECT_EQ(s.emptyByte, c.emptyByte);
  ASSERT_EQ(s.banks.size(), c.rows.size());
  TKindTotals prg, chr;
  for (std::size_t i = 0; i < c.rows.size(); ++i) {
    const ExpectedRow& e = c.rows[i];
    const TBankSummary& row = s.banks[i];
    SCOPED_TRACE(BankLabel(e.kind, e.index));
    EXPECT_EQ(row.kind, e.kind);
    EXPECT_EQ(row.index, e.index);
    EXPECT_EQ(row.offset, e.offset);
    EXPECT_EQ(row.size, e.kind == PRG ? 16384u : 8192u);
    EXPECT_EQ(row.used, e.used);
    EXPECT_EQ(row.free, e.free);
    EXPECT_EQ(row.missing, e.missing);
    EXPECT_EQ(row.used + row.free + row.missing, row.size);
    EXPECT_EQ(row.largestFreeRun.offset, e.runOffset);
    EXPECT_EQ(row.largestFreeRun.length, e.runLength);
    TKindTotals& t = e.kind == PRG ? prg : chr;
    t.size += row.size, t.used += e.used, t.free += e.free, t.missing += e.missing;
  }
  for (const auto& [got, want] : {std::pair{s.prg, prg}, std::pair{s.chr, chr}}) {
    EXPECT_EQ(got.size, want.size);
    EXPECT_EQ(got.used, want.used);
    EXPECT_EQ(got.free, want.free);
    EXPECT_EQ(got.missing, want.missing);
  }
}

INSTANTIATE_TEST_SUITE_P(Images, SummaryRows, ::testing::ValuesIn(SummaryCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The counts against a byte-at-a-time count, on data whose free runs
// start and end at every position within an eight-byte word.
TEST(Summary, CountsMatchAPlainCountOnAwkwardRuns) {
  Bytes bytes = MakeCodeNES(4, 0);
  std::uint32_t seed = 7;
  for (std::size_t o = PRGOffset(0); o < bytes.size(); ++o) {
    seed = seed * 1103515245u + 12345u;
    if ((seed >> 16) % 3 == 0) bytes[o] = 0xFF;
  }
  Fill(bytes, PRGOffset(2) + 333, 77, 0xFF);  // one clear longest run
  TempDir dir;
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir.Write("a.nes", bytes)));
  const TCartSummary s = SummariseNES(image);
  ASSERT_EQ(s.emptyByte, 0xFF);
  for (unsigned j = 0; j < 4; ++j) {
    const auto bank = image.PRGBank(j);
    std::uint64_t free = 0, best = 0, bestAt = 0, run = 0;
    for (std::size_t o = 0; o < bank.size(); ++o) {
      run = bank[o] == 0xFF ? run + 1 : 0;
      free += bank[o] == 0xFF;
      if (run > best) best = run, bestAt = o + 1 - run;
    }
    EXPECT_EQ(s.banks[j].free, free) << j;
    EXPECT_EQ(s.banks[j].largestFreeRun.length, best) << j;
    EXPECT_EQ(s.banks[j].largestFreeRun.offset, bestAt) << j;
  }
  EXPECT_GE(s.banks[2].largestFreeRun.length, 77u);
}

TEST(Summary, ComparedBanksCountFromZeroWhenTheEarlierBuildLacksThem) {
  TCartSummary old, now;
  old.banks = {{PRG, 0, 16, 16384, 1000, 15384, 0, {}, 0}, {CHR, 0, 16400, 8192, 50, 8142, 0, {}, 0}};
  now.banks = {{PRG, 0, 16, 16384, 1200, 15184, 0, {}, 0},
               {PRG, 1, 16400, 16384, 300, 16084, 0, {}, 0},
               {CHR, 0, 32784, 8192, 20, 8172, 0, {}, 0},
               {CHR, 1, 40976, 8192, 8192, 0, 0, {}, 0}};
  now.prg.used = 1500;
  now.chr.used = 8212;
  CompareSummaries(now, old);
  EXPECT_TRUE(now.compared);
  EXPECT_EQ(now.banks[0].usedDelta, 200);
  EXPECT_EQ(now.banks[1].usedDelta, 300);
  EXPECT_EQ(now.banks[2].usedDelta, -30);  // CHR $00 against CHR $00, not PRG $00
  EXPECT_EQ(now.banks[3].usedDelta, 8192);
  EXPECT_EQ(now.prg.usedDelta, 500);
  EXPECT_EQ(now.chr.usedDelta, 8162);

  // The other way round: the banks that went away show in the totals.
  old.prg.used = 1000;
  CompareSummaries(old, now);
  EXPECT_EQ(old.banks[0].usedDelta, -200);
  EXPECT_EQ(old.prg.usedDelta, -500);
}

TEST(Summary, BanksBelowNamesOnlyPRGBanksShortOfTheMargin) {
  TCartSummary s;
  s.banks = {{PRG, 0, 16, 16384, 16384, 0, 0, {}, 0},
             {PRG, 7, 0, 16384, 16172, 212, 0, {}, 0},
             {PRG, 8, 0, 16384, 15360, 1024, 0, {}, 0},  // exactly at the margin
             {CHR, 0, 0, 8192, 8192, 0, 0, {}, 0}};
  EXPECT_EQ(BanksBelow(s, 1024), (std::vector<std::string>{"PRG $00: 0 bytes free, below 1024",
                                                           "PRG $07: 212 bytes free, below 1024"}));
  EXPECT_TRUE(BanksBelow(s, 0).empty());
}

struct ByteCase {
  TBankKind kind;
  unsigned bank;
  std::uint64_t offset;
  TByteState state;
  std::uint8_t value;
  std::uint64_t runOffset, runLength;
  const char* text;
};

// A 2 PRG + 1 CHR image cut halfway through PRG $01, so CHR $00 is missing.
TEST(DescribeByte, UsedFreeAndMissingBytesAndTheirRuns) {
  Bytes bytes = MakeCodeNES(2, 1);
  Fill(bytes, PRGOffset(0), 40, 0xFF);
  Fill(bytes, PRGOffset(0) + 16000, 20, 0xFF);
  bytes[PRGOffset(0) + 16383] = 0xFF;
  Fill(bytes, PRGOffset(1) + 90, 10, 0xFF);
  bytes.resize(PRGOffset(1) + 8192);  // the shortest accepted file
  TempDir dir;
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir.Write("d.nes", bytes)));
  ASSERT_EQ(image.FindEmptyByte(), 0xFF);
  const ByteCase cases[] = {
      {PRG, 0, 0, TByteState::Free, 0xFF, 0, 40,
       "PRG $00\nOffset $0000 (file $000010)\nValue $FF, free\nFree run $0000-$0027, 40 bytes"},
      {PRG, 0, 39, TByteState::Free, 0xFF, 0, 40, nullptr},
      {PRG, 0, 40, TByteState::Used, 0x39, 0, 0,
       "PRG $00\nOffset $0028 (file $000038)\nValue $39, used"},
      {PRG, 0, 16010, TByteState::Free, 0xFF, 16000, 20, nullptr},
      {PRG, 0, 16383, TByteState::Free, 0xFF, 16383, 1,
       "PRG $00\nOffset $3FFF (file $00400F)\nValue $FF, free\nFree run $3FFF-$3FFF, 1 byte"},
      {PRG, 1, 95, TByteState::Free, 0xFF, 90, 10, nullptr},
      {PRG, 1, 8192, TByteState::Missing, 0, 0, 0,
       "PRG $01\nOffset $2000 (file $006010)\nMissing: the file ends before this byte"},
      {CHR, 0, 0, TByteState::Missing, 0, 0, 0, nullptr},
  };
  for (const ByteCase& c : cases) {
    SCOPED_TRACE(BankLabel(c.kind, c.bank) + " " + std::to_string(c.offset));
    const TByteInfo info = DescribeByte(image, c.kind, c.bank, c.offset, 0xFF);
    EXPECT_EQ(info.state, c.state);
    EXPECT_EQ(info.fileOffset, (c.kind == PRG ? PRGOffset(c.bank) : CHROffset(2, c.bank)) + c.offset);
    if (c.state != TByteState::Missing) {
      EXPECT_EQ(info.value, c.value);
    }
    EXPECT_EQ(info.run.offset, c.runOffset);
    EXPECT_EQ(info.run.length, c.runLength);
    if (c.text) {
      EXPECT_EQ(ByteInfoText(info), c.text);
    }
  }
}

TEST(SummaryText, RowsAlignedWithin79ColumnsAndNotesForMissingBytes) {
  TCartSummary s;
  s.prgCount = 2;
  s.chrCount = 1;
  s.emptyByte = 0xFF;
  s.banks = {{PRG, 0, 16, 16384, 16383, 1, 0, {16383, 1}, -16384},
             {PRG, 0xFE, 0x3F8010, 16384, 0, 8192, 8192, {0, 8192}, 16384},
             {CHR, 0xFE, 0x5F8010, 8192, 8192, 0, 0, {}, 0}};
  s.compared = true;
  const std::string text = SummaryText(s, "x.nes", false);
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(text.substr(at, end - at));
  ASSERT_GE(lines.size(), 7u);
  EXPECT_EQ(lines[0], "x.nes  Mapper #0  2xPRG  1xCHR  Empty is $FF");
  EXPECT_EQ(lines[1], "Header: iNES, mapper 0, no battery, no trainer, horizontal mirroring");
  // The heading and every bank row share one width.
  for (std::size_t i = 3; i <= 6; ++i) {
    EXPECT_LE(lines[i].size(), 79u) << lines[i];
    EXPECT_EQ(lines[i].size(), lines[3].size()) << lines[i];
  }
  EXPECT_EQ(lines[4].substr(0, 7), "PRG $00");
  EXPECT_NE(lines[4].find("16383 >99.9%      1  <0.1%      1 at $3FFF -16384"), std::string::npos)
      << lines[4];
  EXPECT_NE(lines[5].find("3F8010-3FC00F"), std::string::npos) << lines[5];
  EXPECT_NE(lines[5].find("+16384"), std::string::npos) << lines[5];
  EXPECT_NE(lines[6].find("100.0%      0   0.0%               -"), std::string::npos) << lines[6];
  EXPECT_NE(text.find("PRG $FE: 8192 of 16384 bytes missing"), std::string::npos);

  // Bars: a bank with a single free byte is not drawn full; missing shows.
  const std::string graph = SummaryText(s, "x.nes", true);
  EXPECT_NE(graph.find("[###############.]"), std::string::npos) << graph;
  EXPECT_NE(graph.find("[........--------]"), std::string::npos) << graph;
  EXPECT_NE(graph.find("[################]"), std::string::npos) << graph;
}

TEST(ValidUTF8, KeepsTextAndReplacesEveryBadSequence) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain.nes", "plain.nes"},
      {"caf\xC3\xA9.nes", "caf\xC3\xA9.nes"},
      {"caf\xE9.nes", "caf\xEF\xBF\xBD.nes"},         // Latin-1
      {"\xFF\xFE", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},         // overlong "/"
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
      {"\xF0\x9F\x8E\xAE", "\xF0\x9F\x8E\xAE"},
      {"cut \xE2\x82", "cut \xEF\xBF\xBD\xEF\xBF\xBD"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ValidUTF8(in), out) << in;
}

}  // namespace
