// The summary, the segments and the play logs in every bank size, against
// figures worked out from the bytes.
#include <gtest/gtest.h>

#include <numeric>

#include "cart/play_log.h"
#include "cart/play_summary.h"
#include "cart/segment_summary.h"
#include "cart/summary.h"
#include "cart/summary_format.h"
#include "reference_banks.h"
#include "reference_empty_byte.h"
#include "temp_files.h"

namespace {

constexpr auto PRG = TBankKind::PRG;
constexpr auto CHR = TBankKind::CHR;

// Every written image and every image of the test data.
std::vector<std::pair<std::string, Bytes>> Images() {
  std::vector<std::pair<std::string, Bytes>> images;
  for (WrittenImage& w : WrittenImages()) images.emplace_back(w.name, std::move(w.bytes));
  for (const char* path : {"ca65-example/example.nes", "russian-roulette/roulette.nes",
                           "nes15/nes15-NTSC.nes", "escape-from-pong/efp.nes",
                           "nesdoug-mmc3/hello_mmc3.nes"})
    images.emplace_back(path, ReadAll(std::string(VOIDSCOPE_TEST_DATA "/") + path));
  images.emplace_back("sample", ReadAll(VOIDSCOPE_SAMPLE));
  return images;
}

TEST(BankSizes, EverySummaryRowMatchesTheBytesInEverySize) {
  TempDir dir;
  for (const auto& [name, bytes] : Images()) {
    SCOPED_TRACE(name);
    ASSERT_GT(bytes.size(), 16u);
    TNESImage image;
    ASSERT_TRUE(image.LoadNES(dir.Write("image.nes", bytes)));
    const std::uint8_t empty = ReferenceEmptyByte(image);
    const TCartSummary whole = SummariseNES(image);
    for (const std::uint64_t prg : PRGBankSizes)
      for (const std::uint64_t chr : CHRBankSizes) {
        SCOPED_TRACE(std::to_string(prg) + "/" + std::to_string(chr));
        const TCartSummary s = SummariseNES(image, {false, prg, chr});
        EXPECT_EQ(s.sizes, (TBankSizes{prg, chr}));
        EXPECT_EQ(s.emptyByte, empty);  // picked over 16 KB banks whatever the size
        const std::vector<RefBank> expected = ReferenceBanks(bytes, empty, prg, chr);
        ASSERT_EQ(s.banks.size(), expected.size());
        for (std::size_t r = 0; r < expected.size(); ++r) {
          const TBankSummary& got = s.banks[r];
          const RefBank& want = expected[r];
          SCOPED_TRACE(r);
          EXPECT_EQ(got.kind, want.kind);
          EXPECT_EQ(got.index, want.index);
          EXPECT_EQ(got.offset, want.offset);
          EXPECT_EQ(got.size, want.size);
          EXPECT_EQ(got.used, want.used);
          EXPECT_EQ(got.free, want.free);
          EXPECT_EQ(got.missing, want.missing);
          EXPECT_EQ(got.largestFreeRun.offset, want.runOffset);
          EXPECT_EQ(got.largestFreeRun.length, want.runLength);
        }
        // Grouping changes, the free bytes do not.
        for (const auto& [now, before] : {std::pair{s.prg, whole.prg}, std::pair{s.chr, whole.chr}}) {
          EXPECT_EQ(now.size, before.size);
          EXPECT_EQ(now.used, before.used);
          EXPECT_EQ(now.free, before.free);
          EXPECT_EQ(now.missing, before.missing);
        }
      }
  }
}

TEST(BankSizes, ByTheMapperAndTheNotesTheTextGives) {
  TempDir dir;
  TNESImage image;
  Bytes bytes = WrittenCart(3, 1);  // mapper 4: MMC3
  ASSERT_TRUE(image.LoadNES(dir.Write("mmc3.nes", bytes)));
  TCartSummary s = SummariseNES(image, {true, 0, 0});
  EXPECT_EQ(s.sizes, (TBankSizes{8192, 1024}));
  EXPECT_EQ(s.banks.size(), 6u + 8u);
  std::string text = SummaryText(s, "mmc3.nes", false);
  EXPECT_NE(text.find("mmc3.nes  Mapper #4  3xPRG  1xCHR  Empty is $FF  Banks 8 KB PRG, 1 KB CHR\n"
                      "Header: iNES, mapper 4, no battery, no trainer, horizontal mirroring\n"
                      "Note: mapper 4 (MMC3) switches PRG in 8 KB and CHR in 1 KB banks.\n\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\nPRG $05 "), std::string::npos);
  EXPECT_NE(text.find("\nCHR $07 "), std::string::npos);

  // A mapper not in the table: 16 KB and 8 KB, and the text says why.
  bytes[6] = 0x40, bytes[7] = 0x20;  // 36
  ASSERT_TRUE(image.LoadNES(dir.Write("m36.nes", bytes)));
  s = SummariseNES(image, {true, 0, 0});
  EXPECT_EQ(s.sizes, TBankSizes{});
  text = SummaryText(s, "m36.nes", false);
  EXPECT_NE(text.find("m36.nes  Mapper #36  3xPRG  1xCHR  Empty is $FF\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Note: mapper 36 is not in the table of bank sizes: PRG in 16 KB and CHR in 8 KB"),
            std::string::npos)
      << text;

  // NES 2.0: the 12-bit mapper decides; 256 + 4 is not MMC3.
  bytes[6] = 0x40, bytes[7] = 0x08, bytes[8] = 0x01;
  ASSERT_TRUE(image.LoadNES(dir.Write("m260.nes", bytes)));
  s = SummariseNES(image, {true, 0, 0});
  EXPECT_EQ(s.mapper, 4u);
  EXPECT_EQ(s.header.mapper, 260u);
  EXPECT_EQ(s.sizes, TBankSizes{});
}

TEST(BankSizes, LabelsTakeAThirdDigitPastFFAndTheRowsStayAligned) {
  TempDir dir;
  TNESImage image;
  Bytes bytes = WrittenCart(2, 40);  // 320 CHR banks of 1 KB
  ASSERT_TRUE(image.LoadNES(dir.Write("big.nes", bytes)));
  const TCartSummary s = SummariseNES(image, {false, 8192, 1024});
  const std::string text = SummaryText(s, "big.nes", false);
  EXPECT_EQ(BankLabel(CHR, 0x13F), "CHR $13F");
  EXPECT_EQ(BankLabel(PRG, 3), "PRG $03");
  std::vector<std::string> rows;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
    if (text.compare(at, 4, "Bank") == 0 || text.compare(at, 5, "PRG $") == 0 ||
        text.compare(at, 5, "CHR $") == 0)
      rows.push_back(text.substr(at, end - at));
  ASSERT_EQ(rows.size(), 1u + 4 + 320);
  for (const std::string& row : rows) {
    EXPECT_EQ(row.size(), rows[0].size()) << row;
    EXPECT_LE(row.size(), 79u) << row;
    EXPECT_EQ(row[8], ' ') << row;           // the labels' column is 8 wide
  }
}

TEST(BankSizes, HeaderLineAndNotesWhereTheHeaderSaysMore) {
  TempDir dir;
  TNESImage image;
  Bytes bytes = WrittenCart(2, 1);
  bytes[6] = 0x46;              // mapper 4, battery, trainer
  bytes[7] = 0x08;              // NES 2.0
  bytes[8] = 0x31;              // mapper 260, submapper 3
  bytes[9] = 0x01;              // PRG 256 + 2 banks
  bytes[10] = 0x70;             // PRG NVRAM 8 KB
  bytes[11] = 0x07;             // CHR RAM 8 KB
  bytes[12] = 0x03;             // Dendy
  bytes.resize(bytes.size() + 10, 0);  // trailing bytes
  ASSERT_TRUE(image.LoadNES(dir.Write("h.nes", bytes)));
  const TCartSummary s = SummariseNES(image);
  EXPECT_EQ(s.trailingBytes, 10u);
  const std::string text = SummaryText(s, "h.nes", false);
  const std::string head = text.substr(0, text.find("\nBank "));
  EXPECT_EQ(head,
            "h.nes  Mapper #4  2xPRG  1xCHR  Empty is $FF\n"
            "Header: NES 2.0, mapper 260.3, PRG NVRAM 8 KB, CHR RAM 8 KB, battery, trainer,\n"
            "        Dendy, horizontal mirroring\n"
            "Note: the header says a 512-byte trainer comes before the PRG banks, which\n"
            "      moves every bank 512 bytes further into the file; the banks and figures\n"
            "      here do not skip it.\n"
            "Note: the NES 2.0 header names 4227072 bytes of PRG ROM; the banks and figures\n"
            "      here read byte 4 alone: 32768 bytes.\n"
            "Note: 10 bytes follow the last bank; the figures leave them out.\n");
  // The trainer is not skipped: bank 0 still starts at byte 16.
  EXPECT_EQ(s.banks[0].offset, 16u);
}

// A play log, and the segments of a debug file, cut in 8 KB and 1 KB banks:
// a range over a boundary has a part in each bank.
TEST(BankSizes, PlayLogsAndSegmentsFollowTheBanks) {
  TempDir dir;
  TNESImage image;
  const Bytes bytes = WrittenCart(2, 1);
  ASSERT_TRUE(image.LoadNES(dir.Write("cart.nes", bytes)));
  const TCartSummary s = SummariseNES(image, {false, 8192, 1024});

  // Reached: PRG file bytes 8000..8499 (over the first 8 KB boundary, at
  // file offset 8208) and CHR bytes 1000..1099 of the area.
  Bytes log(2 * 16384 + 8192, 0);
  std::fill_n(log.begin() + 8000, 500, 0x01);
  std::fill_n(log.begin() + 2 * 16384 + 1000, 100, 0x01);
  TPlayLog play(image);
  std::string message;
  ASSERT_EQ(play.AddFile(dir.Write("cart.cdl", log), message), TAddOutcome::Merged) << message;
  const TPlaySummary figures = SummarisePlay(image, s, play, nullptr);
  ASSERT_EQ(figures.banks.size(), s.banks.size());
  for (std::size_t r = 0; r < s.banks.size(); ++r) {
    const TBankSummary& bank = s.banks[r];
    SCOPED_TRACE(BankLabel(bank.kind, bank.index));
    std::uint64_t reached = 0, never = 0;
    const std::uint8_t freeValue = bank.kind == PRG ? s.emptyByte : 0;
    for (std::uint64_t i = bank.offset; i < bank.offset + bank.size; ++i) {
      const bool hit = log[i - 16] != 0;
      reached += hit;
      never += !hit && bytes[i] != freeValue;
    }
    EXPECT_EQ(figures.banks[r].kind, bank.kind);
    EXPECT_EQ(figures.banks[r].index, bank.index);
    EXPECT_EQ(figures.banks[r].reached, reached);
    EXPECT_EQ(figures.banks[r].neverReached, never);
  }
  EXPECT_EQ(figures.banks[0].reached, 8208u - 8016);  // log byte 8000 is file byte 8016
  EXPECT_EQ(figures.banks[1].reached, 500u - 192);

  // A segment from file offset 8000 to 8499 and one over CHR's 1 KB bank 0/1.
  TDebugInfo info;
  info.segments.push_back({0, "CODE", 0x8000, 500, true, true, "cart.nes", 8000});
  info.segments.push_back({1, "TILES", 0, 300, true, true, "cart.nes", 16 + 2 * 16384 + 900});
  TSegmentMap map;
  std::string error;
  ASSERT_TRUE(PlaceSegments(info, dir.File("cart.nes"), 2, 1, map, error, s.sizes)) << error;
  ASSERT_EQ(map.parts.size(), 4u);
  const std::tuple<TBankKind, unsigned, std::uint64_t, std::uint64_t> parts[] = {
      {PRG, 0, 7984, 208}, {PRG, 1, 0, 292}, {CHR, 0, 900, 124}, {CHR, 1, 0, 176}};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(map.parts[k].kind, std::get<0>(parts[k])) << k;
    EXPECT_EQ(map.parts[k].bank, std::get<1>(parts[k])) << k;
    EXPECT_EQ(map.parts[k].offset, std::get<2>(parts[k])) << k;
    EXPECT_EQ(map.parts[k].size, std::get<3>(parts[k])) << k;
  }
  const TSegmentSummary segments = SummariseSegments(image, s, map, "cart.dbg");
  ASSERT_EQ(segments.banks.size(), s.banks.size());
  EXPECT_EQ(segments.banks[0].segments.size(), 1u);
  EXPECT_EQ(segments.banks[1].segments.size(), 1u);
  const std::size_t chr0 = 4, chr1 = 5;
  EXPECT_EQ(segments.banks[chr0].segments.at(0).size, 124u);
  EXPECT_EQ(segments.banks[chr1].segments.at(0).size, 176u);
  // Used bytes outside the segments: the bank's used bytes less the
  // segment's used bytes, worked out from the bytes.
  auto usedIn = [&](std::uint64_t from, std::uint64_t n, std::uint8_t freeValue) {
    std::uint64_t used = 0;
    for (std::uint64_t i = from; i < from + n; ++i) used += bytes[i] != freeValue;
    return used;
  };
  EXPECT_EQ(segments.banks[0].usedOutside, s.banks[0].used - usedIn(8000, 208, 0xFF));
  EXPECT_EQ(segments.banks[chr1].usedOutside, s.banks[chr1].used - usedIn(16 + 2 * 16384 + 1024, 176, 0));
  const TPlaySummary both = SummarisePlay(image, s, play, &segments);
  // CODE's part in PRG bank 1 is reached whole; TILES's part in CHR bank 1
  // only up to area byte 1099.
  EXPECT_EQ(both.segmentsNeverReached[1].at(0), 0u);
  EXPECT_EQ(both.segmentsNeverReached[chr1].at(0), usedIn(16 + 2 * 16384 + 1100, 100, 0));
}

}  // namespace
