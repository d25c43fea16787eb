#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "cart/crc32.h"
#include "cart/play_log.h"
#include "temp_files.h"

namespace {

constexpr auto PRG = TBankKind::PRG;
constexpr auto CHR = TBankKind::CHR;
constexpr std::uint8_t R = FlagReached, C = FlagCode, D = FlagData;

std::uint32_t Crc(std::string_view text) {
  return CRC32({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// The textbook one-bit-at-a-time form, to hold the table-driven one against.
std::uint32_t BitwiseCrc(const Bytes& bytes) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (const std::uint8_t b : bytes) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

TEST(CRC32, KnownVectorsAndChaining) {
  EXPECT_EQ(Crc(""), 0u);
  EXPECT_EQ(Crc("a"), 0xE8B7BE43u);
  EXPECT_EQ(Crc("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
  EXPECT_EQ(CRC32({reinterpret_cast<const std::uint8_t*>("6789"), 4}, Crc("12345")), 0xCBF43926u);
  Bytes bytes;
  for (std::size_t n = 0; n < 40; ++n) {
    EXPECT_EQ(CRC32(bytes), BitwiseCrc(bytes)) << n << " bytes";
    bytes.push_back(static_cast<std::uint8_t>(n * 97 + 13));
  }
}

// What each log bit means, as the two layouts define them.
TEST(PlayLog, EveryFlagBitOfEachLayout) {
  struct Bit {
    std::uint8_t bit, rawPRG, headedPRG, chr;
  };
  const Bit bits[] = {
      {0x00, 0, 0, 0},         {0x01, R | C, R | C, R | C}, {0x02, R | D, R | D, R | D},
      {0x04, R, R, R},         {0x08, R, R, R},             {0x10, R, R, R},
      {0x20, R, R, R},         {0x40, R | D, R, R},         {0x80, R, R | D, R},
      {0x03, R | C | D, R | C | D, R | C | D},
  };
  for (const Bit& b : bits) {
    EXPECT_EQ(NormalisePRGFlags(TLogLayout::Raw, b.bit), b.rawPRG) << int{b.bit};
    EXPECT_EQ(NormalisePRGFlags(TLogLayout::Headed, b.bit), b.headedPRG) << int{b.bit};
    EXPECT_EQ(NormaliseCHRFlags(b.bit), b.chr) << int{b.bit};
  }
  EXPECT_EQ(ReachWords(PRG, R | C | D), "code, data");
  EXPECT_EQ(ReachWords(PRG, R | D), "data");
  EXPECT_EQ(ReachWords(CHR, R | C | D), "drawn, read");
  EXPECT_EQ(ReachWords(CHR, R | D), "read");
  EXPECT_EQ(ReachWords(PRG, R), "reached");
  EXPECT_EQ(ReachWords(CHR, 0), "never reached");
}

// A range of log bytes with the same meaning written in each layout.
struct Mark {
  TBankKind kind;
  unsigned bank;
  std::size_t from, count;
  std::uint8_t raw, headed;
};

// Three PRG banks of code-like bytes with $FF free areas, two CHR banks.
struct Cart {
  TempDir dir;
  TNESImage image;
  Bytes bytes;
  Cart(unsigned prg, unsigned chr, std::size_t length = 0) {
    bytes = MakeCodeNES(prg, chr);
    auto fill = [&](std::size_t at, std::size_t n, std::uint8_t v) {
      std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), n, v);
    };
    fill(PRGOffset(0) + 1000, 2000, 0xFF);
    if (prg > 1) fill(PRGOffset(1), 100, 0xFF);
    if (prg > 2) fill(PRGOffset(2) + 11384, 5000, 0xFF);
    if (chr > 0) fill(CHROffset(prg, 0), 4096, 0x00);
    if (length) bytes.resize(length);
    EXPECT_TRUE(image.LoadNES(dir.Write("game.nes", bytes)));
  }
  std::uint32_t PRGCrc() const {
    const std::size_t end = std::min(bytes.size(), PRGOffset(image.PRGCount()));
    return CRC32({bytes.data() + PRGOffset(0), end - PRGOffset(0)});
  }
  Bytes Log(TLogLayout layout, const std::vector<Mark>& marks) const {
    const unsigned prg = image.PRGCount();
    Bytes log(16384 * prg + 8192 * image.CHRCount(), 0);
    for (const Mark& m : marks) {
      const std::size_t at = m.kind == PRG ? 16384 * m.bank : 16384 * prg + 8192 * m.bank;
      if (at + m.from + m.count > log.size()) throw std::out_of_range("mark beyond the log");
      std::fill_n(log.begin() + static_cast<std::ptrdiff_t>(at + m.from), m.count,
                  m.kind == PRG && layout == TLogLayout::Headed ? m.headed : m.raw);
    }
    if (layout == TLogLayout::Raw) return log;
    const std::uint32_t crc = PRGCrc();
    Bytes headed(9 + log.size());
    const std::uint8_t head[9] = {'C', 'D', 'L', 'v', '2', static_cast<std::uint8_t>(crc),
                                  static_cast<std::uint8_t>(crc >> 8),
                                  static_cast<std::uint8_t>(crc >> 16),
                                  static_cast<std::uint8_t>(crc >> 24)};
    std::copy(std::begin(head), std::end(head), headed.begin());
    std::copy(log.begin(), log.end(), headed.begin() + 9);
    return headed;
  }
};

const std::vector<Mark> Marks = {
    {PRG, 0, 0, 500, 0x01, 0x01},      // code
    {PRG, 0, 500, 100, 0x02, 0x02},    // data
    {PRG, 0, 600, 100, 0x03, 0x03},    // both
    {PRG, 0, 700, 100, 0x40, 0x80},    // sample audio
    {PRG, 0, 800, 100, 0x10, 0x04},    // indirect code / jump target: reached only
    {PRG, 0, 900, 50, 0x0D, 0x05},     // code, last seen in a CPU window / a jump target
    {PRG, 0, 950, 50, 0x81, 0x09},     // code, a subroutine entry
    {PRG, 0, 1000, 100, 0x01, 0x01},   // code on free bytes
    {PRG, 0, 1100, 20, 0x20, 0x04},    // reached free bytes, neither code nor data
    {PRG, 2, 0, 2000, 0x11, 0x01},     // code
    {PRG, 2, 16000, 384, 0x22, 0x02},  // data on free bytes, up to the bank's end
    {CHR, 0, 4000, 200, 0x01, 0x01},   // drawn, free and used
    {CHR, 0, 5000, 100, 0x02, 0x02},   // read
    {CHR, 0, 5100, 50, 0x03, 0x03},    // both
    {CHR, 1, 0, 8192, 0x01, 0x01},     // all drawn
};

const std::vector<Mark> PRGMarks(Marks.begin(), Marks.begin() + 11);

struct Expected {
  std::uint64_t reached, never, first, second;  // code/data or drawn/read
};
// Worked out from the marks and the free areas above.
const Expected MarksFigures[] = {
    {1120, 14384 - 1000, 800, 300},  // PRG 0: 14384 used, 0-999 reached
    {0, 16284, 0, 0},                // PRG 1
    {2384, 11384 - 2000, 2000, 384}, // PRG 2
    {350, 4096 - 254, 250, 150},     // CHR 0: 4096 used, 104 + 100 + 50 reached
    {8192, 0, 8192, 0},              // CHR 1
};

void ExpectFigures(const TPlayLog& log, const Cart& cart, const Expected* expected) {
  ASSERT_EQ(cart.image.FindEmptyByte(), 0xFF);
  const std::vector<TBankPlay> rows = log.BankFigures(cart.image, 0xFF);
  ASSERT_EQ(rows.size(), 5u);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const TBankPlay& r = rows[i];
    const bool prg = i < 3;
    EXPECT_EQ(r.kind, prg ? PRG : CHR);
    EXPECT_EQ(r.index, prg ? i : i - 3);
    EXPECT_EQ(r.reached, expected[i].reached) << i;
    EXPECT_EQ(r.neverReached, expected[i].never) << i;
    EXPECT_EQ(prg ? r.code : r.drawn, expected[i].first) << i;
    EXPECT_EQ(prg ? r.data : r.read, expected[i].second) << i;
    EXPECT_EQ(prg ? r.drawn + r.read : r.code + r.data, 0u) << i;
  }
}

TEST(PlayLog, EachLayoutGivesTheWorkedOutFigures) {
  Cart cart(3, 2);
  TPlayLog raw(cart.image), headed(cart.image);
  std::string message;
  EXPECT_EQ(raw.AddFile(cart.dir.Write("raw.cdl", cart.Log(TLogLayout::Raw, Marks)), message),
            TAddOutcome::Merged);
  EXPECT_EQ(message, "");
  EXPECT_EQ(headed.AddFile(cart.dir.Write("h.cdl", cart.Log(TLogLayout::Headed, Marks)), message),
            TAddOutcome::Merged);
  ExpectFigures(raw, cart, MarksFigures);
  ExpectFigures(headed, cart, MarksFigures);
  EXPECT_EQ(raw.Logs().front().layout, TLogLayout::Raw);
  EXPECT_EQ(headed.Logs().front().layout, TLogLayout::Headed);
  for (unsigned j = 0; j < 3; ++j)
    EXPECT_TRUE(std::ranges::equal(raw.PRGFlags(j), headed.PRGFlags(j))) << j;
  for (unsigned j = 0; j < 2; ++j)
    EXPECT_TRUE(std::ranges::equal(raw.CHRFlags(j), headed.CHRFlags(j))) << j;

  // One byte, and ranges within a bank as a segment would ask.
  EXPECT_EQ(raw.ByteFlags(PRG, 0, 650), R | C | D);
  EXPECT_EQ(raw.ByteFlags(PRG, 0, 750), R | D);
  EXPECT_EQ(raw.ByteFlags(PRG, 0, 850), R);
  EXPECT_EQ(raw.ByteFlags(PRG, 1, 0), 0);
  EXPECT_EQ(raw.ByteFlags(CHR, 0, 5120), R | C | D);
  EXPECT_EQ(raw.ByteFlags(PRG, 3, 0), 0);
  EXPECT_EQ(raw.ByteFlags(CHR, 1, 8192), 0);
  EXPECT_EQ(raw.NeverReached(cart.image, PRG, 0, 400, 700, 0xFF), 0u);
  EXPECT_EQ(raw.NeverReached(cart.image, PRG, 0, 3000, 100, 0xFF), 100u);
  EXPECT_EQ(raw.NeverReached(cart.image, PRG, 1, 16300, 500, 0xFF), 84u);
  EXPECT_EQ(raw.NeverReached(cart.image, PRG, 2, 16000, 1000, 0xFF), 0u);
  EXPECT_EQ(raw.NeverReached(cart.image, CHR, 0, 4000, 300, 0xFF), 100u);
  EXPECT_EQ(raw.NeverReached(cart.image, CHR, 2, 0, 10, 0xFF), 0u);
}

TEST(PlayLog, LogsMergeWhateverTheirLayout) {
  Cart cart(3, 2);
  // Odd and even marks in two logs of different layouts, sharing the first.
  std::vector<Mark> even, odd = {Marks[0]};
  for (std::size_t i = 0; i < Marks.size(); ++i) (i % 2 ? odd : even).push_back(Marks[i]);
  TPlayLog log(cart.image);
  ExpectFigures(log, cart, std::array<Expected, 5>{{{0, 13384 + 1000, 0, 0},
                                                    {0, 16284, 0, 0},
                                                    {0, 11384, 0, 0},
                                                    {0, 4096, 0, 0},
                                                    {0, 8192, 0, 0}}}
                               .data());
  std::string message;
  EXPECT_EQ(log.AddLog(cart.Log(TLogLayout::Headed, even), "a.cdl", message), TAddOutcome::Merged);
  EXPECT_EQ(log.AddLog(cart.Log(TLogLayout::Raw, odd), "b.cdl", message), TAddOutcome::Merged);
  ExpectFigures(log, cart, MarksFigures);
  ASSERT_EQ(log.Logs().size(), 2u);
  EXPECT_EQ(log.Logs()[1].file, "b.cdl");
}

// Every log byte value at every position within eight, through the merge.
TEST(PlayLog, MergedFlagsAgreeWithTheOneByteRule) {
  Cart cart(1, 1);
  TPlayLog log(cart.image);
  Bytes raw(16384 + 8192);
  for (std::size_t i = 0; i < raw.size(); ++i) raw[i] = static_cast<std::uint8_t>(i * 37 / 8);
  std::string message;
  EXPECT_EQ(log.AddLog(Bytes(raw.begin(), raw.end() - 8), "cut.cdl", message),
            TAddOutcome::Refused);
  EXPECT_EQ(message, "cut.cdl: 24568 bytes fit neither layout of a play log of this image: raw "
                     "24576 bytes, headed 24585 bytes, for 1 PRG bank and 1 CHR bank");
  ASSERT_EQ(log.AddLog(raw, "all.cdl", message), TAddOutcome::Merged);
  for (std::size_t o = 0; o < 16384; ++o)
    ASSERT_EQ(log.PRGFlags(0)[o], NormalisePRGFlags(TLogLayout::Raw, raw[o])) << o;
  for (std::size_t o = 0; o < 8192; ++o)
    ASSERT_EQ(log.CHRFlags(0)[o], NormaliseCHRFlags(raw[16384 + o])) << o;
}

TEST(PlayLog, CHRRAMLogsHaveThePRGPartOnly) {
  Cart cart(3, 0);
  TPlayLog log(cart.image);
  EXPECT_EQ(log.RawSize(), 49152u);
  EXPECT_EQ(log.HeadedSize(), 49161u);
  std::string message;
  Bytes withCHR = cart.Log(TLogLayout::Raw, {});
  withCHR.resize(49152 + 8192);
  EXPECT_EQ(log.AddLog(withCHR, "chr.cdl", message), TAddOutcome::Refused);
  EXPECT_EQ(message, "chr.cdl: 57344 bytes fit neither layout of a play log of this image: raw "
                     "49152 bytes, headed 49161 bytes, for 3 PRG banks and CHR RAM");
  EXPECT_EQ(log.AddLog(cart.Log(TLogLayout::Headed, PRGMarks), "h.cdl", message),
            TAddOutcome::Merged);
  const std::vector<TBankPlay> rows = log.BankFigures(cart.image, 0xFF);
  ASSERT_EQ(rows.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(rows[i].reached, MarksFigures[i].reached);
    EXPECT_EQ(rows[i].neverReached, MarksFigures[i].never);
    EXPECT_EQ(rows[i].code, MarksFigures[i].first);
    EXPECT_EQ(rows[i].data, MarksFigures[i].second);
  }
}

// A truncated image: the log still covers the banks the header names, the
// checksum covers the PRG bytes the file holds, and missing bytes count
// nowhere.
TEST(PlayLog, TruncatedImageCountsOnlyLoadedBytes) {
  Cart cart(2, 1, 24592);  // PRG 1 half there, CHR 0 missing
  TPlayLog log(cart.image);
  EXPECT_EQ(log.PRGCRC32(), cart.PRGCrc());
  std::string message;
  ASSERT_EQ(log.AddLog(cart.Log(TLogLayout::Headed, {{PRG, 1, 0, 16384, 0x01, 0x01},
                                                     {CHR, 0, 0, 8192, 0x01, 0x01}}),
                       "t.cdl", message),
            TAddOutcome::Merged)
      << message;
  const std::vector<TBankPlay> rows = log.BankFigures(cart.image, 0xFF);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].reached, 8192u);
  EXPECT_EQ(rows[1].code, 8192u);
  EXPECT_EQ(rows[1].neverReached, 0u);
  EXPECT_EQ(rows[2].reached + rows[2].drawn + rows[2].neverReached, 0u);
}

TEST(PlayLog, HostileLogsAreRefusedAndChangeNothing) {
  Cart cart(3, 0);
  TPlayLog log(cart.image);
  std::string message;
  const std::string good = cart.dir.Write("good.cdl", cart.Log(TLogLayout::Raw, PRGMarks));
  ASSERT_EQ(log.AddFile(good, message), TAddOutcome::Merged);
  const Bytes before(log.PRGFlags(0).data(), log.PRGFlags(0).data() + log.RawSize());

  const Bytes headed = cart.Log(TLogLayout::Headed, PRGMarks);
  Bytes badCrc = headed;
  badCrc[5] ^= 1;
  Bytes noMagic = headed;
  noMagic[4] = '3';
  Cart other(3, 0);
  other.bytes[PRGOffset(2) + 5] ^= 0x40;
  ASSERT_TRUE(other.image.LoadNES(other.dir.Write("other.nes", other.bytes)));
  Cart bigger(4, 0);
  const Bytes raw = cart.Log(TLogLayout::Raw, {});
  const std::string sizes =
      "raw 49152 bytes, headed 49161 bytes, for 3 PRG banks and CHR RAM";
  char crcs[80];
  std::snprintf(crcs, sizeof crcs, "CRC-32 is $%08X, this image's PRG bytes give $%08X",
                static_cast<unsigned>(cart.PRGCrc() ^ 1), static_cast<unsigned>(cart.PRGCrc()));
  std::filesystem::create_directory(cart.dir.File("folder.cdl"));
  const struct {
    std::string file, message;
  } cases[] = {
      {cart.dir.Write("empty.cdl", {}), ": the file is empty; a play log of this image is " + sizes},
      {cart.dir.Write("short.cdl", Bytes(raw.begin(), raw.end() - 1)),
       ": 49151 bytes fit neither layout of a play log of this image: " + sizes},
      {cart.dir.Write("long.cdl", [&] { Bytes b = raw; b.push_back(0); return b; }()),
       ": 49153 bytes fit neither layout of a play log of this image: " + sizes},
      {cart.dir.Write("headshort.cdl", Bytes(headed.begin(), headed.end() - 1)),
       ": 49160 bytes fit neither layout"},
      {cart.dir.Write("crc.cdl", badCrc), ": a headed play log of other PRG bytes: its " +
                                               std::string(crcs)},
      {cart.dir.Write("other.cdl", other.Log(TLogLayout::Headed, PRGMarks)),
       ": a headed play log of other PRG bytes"},
      {cart.dir.Write("bigger.cdl", bigger.Log(TLogLayout::Headed, PRGMarks)),
       ": 65545 bytes fit neither layout"},
      {cart.dir.Write("magic.cdl", noMagic),
       ": 49161 bytes is the size of a headed play log, but the file does not begin with "
       "\"CDLv2\""},
      {cart.dir.File("folder.cdl"), ": is a folder, not a play log"},
      {cart.dir.File("absent.cdl"), ": cannot be read: No such file or directory"},
      {"", ": cannot be read"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(log.AddFile(c.file, message), TAddOutcome::Refused) << c.file;
    EXPECT_EQ(message.rfind(c.file + c.message, 0), 0u) << message;
  }
  TPlayLog none;
  EXPECT_EQ(none.AddFile(good, message), TAddOutcome::Refused);
  EXPECT_EQ(message, good + ": no cartridge image to lay it over");
  // The same file again, under another spelling: harmless, and said.
  const std::string again = cart.dir.path() + "/./good.cdl";
  EXPECT_EQ(log.AddFile(again, message), TAddOutcome::AlreadyMerged);
  EXPECT_EQ(message, again + ": the same file as " + good + ", merged once");
  EXPECT_EQ(log.Logs().size(), 1u);
  const Bytes after(log.PRGFlags(0).data(), log.PRGFlags(0).data() + log.RawSize());
  EXPECT_EQ(after, before);

  // A log rewritten while it is read: whatever was merged of it is dropped.
  Bytes everywhere = cart.Log(TLogLayout::Headed, {{PRG, 0, 0, 49152, 0x03, 0x03}});
  everywhere.push_back(0x03);
  auto stream = [&](std::size_t length, std::uint64_t measured) {
    // A scratch file rather than memory: the same on Windows.
    std::FILE* in = std::tmpfile();
    std::fwrite(everywhere.data(), 1, length, in);
    std::rewind(in);
    const TAddOutcome outcome = log.AddStream(in, measured, "live.cdl", message);
    std::fclose(in);
    return outcome;
  };
  EXPECT_EQ(stream(49161 - 100, 49161), TAddOutcome::Refused);
  EXPECT_EQ(message, "live.cdl: changed while being read (49161 bytes, then 49061)");
  EXPECT_EQ(stream(49162, 49161), TAddOutcome::Refused);
  EXPECT_EQ(message, "live.cdl: changed while being read (49161 bytes, then more)");
  EXPECT_EQ(log.Logs().size(), 1u);
  EXPECT_EQ(Bytes(log.PRGFlags(0).data(), log.PRGFlags(0).data() + log.RawSize()), before);
  EXPECT_EQ(stream(49161, 49161), TAddOutcome::Merged);
  EXPECT_EQ(log.Logs().size(), 2u);
  EXPECT_EQ(log.PRGFlags(2)[16383], R | C | D);
}

}  // namespace
