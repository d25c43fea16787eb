#include <gtest/gtest.h>

#include "cart/segment_map.h"
#include "dbg_cartridge.h"

namespace {

// The cartridge of dbg_cartridge.h, built once for all the tests here.
class SegmentMapTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    ASSERT_TRUE(BuildDbgCartridge(*dir_));
    image_ = ReadAll(dir_->File("out/game.nes"));
    std::string error;
    ASSERT_TRUE(LoadDebugInfo(dir_->File("game.dbg"), info_, error)) << error;
  }
  static void TearDownTestSuite() { delete dir_; }

  static TSegmentMap Place(unsigned prg = 4, unsigned chr = 2) {
    TSegmentMap map;
    std::string error;
    EXPECT_TRUE(PlaceSegments(info_, "/anywhere/game.nes", prg, chr, map, error)) << error;
    return map;
  }

  static inline TempDir* dir_;
  static inline Bytes image_;
  static inline TDebugInfo info_;
};

struct ExpectedPart {
  const char* name;
  TBankKind kind;
  unsigned bank;
  std::uint64_t offset, size, segmentOffset;
};

constexpr auto PRG = TBankKind::PRG;
constexpr auto CHR = TBankKind::CHR;

TEST_F(SegmentMapTest, EverySegmentWrittenToTheImageLiesInItsBanks) {
  ASSERT_EQ(image_.size(), 16u + 4 * 16384 + 2 * 8192);
  const TSegmentMap map = Place();
  // Worked out from the source: CODE is 15 bytes of code, BIG follows it.
  const ExpectedPart expected[] = {
      {"CODE", PRG, 0, 0, 15, 0},          {"BIG", PRG, 0, 15, 16384 - 15, 0},
      {"BIG", PRG, 1, 0, 15, 16384 - 15},  {"LEVELA", PRG, 2, 0, 1000, 0},
      {"LEVELB", PRG, 2, 1000, 306, 0},    {"DATA", PRG, 3, 0, 2, 0},
      {"VECTORS", PRG, 3, 16378, 6, 0},    {"TILES", CHR, 0, 0, 8192, 0},
      {"TILES", CHR, 1, 0, 256, 8192},
  };
  ASSERT_EQ(map.parts.size(), std::size(expected));
  for (std::size_t i = 0; i < map.parts.size(); ++i) {
    const TSegmentPart& p = map.parts[i];
    const ExpectedPart& e = expected[i];
    SCOPED_TRACE(i);
    EXPECT_EQ(p.name, e.name);
    EXPECT_EQ(info_.segments[p.segment].name, e.name);
    EXPECT_EQ(p.kind, e.kind);
    EXPECT_EQ(p.bank, e.bank);
    EXPECT_EQ(p.offset, e.offset);
    EXPECT_EQ(p.size, e.size);
    EXPECT_EQ(p.segmentOffset, e.segmentOffset);
  }
  ASSERT_EQ(map.outside.size(), 1u);
  EXPECT_EQ(map.outside[0].name, "HEADER");
  EXPECT_EQ(map.outside[0].fileOffset, 0u);
  EXPECT_EQ(map.outside[0].size, 16u);

  // The bytes where the parts say the source put them.
  const auto at = [&](const TSegmentPart& p, std::uint64_t o) {
    return image_[(p.kind == PRG ? PRGOffset(p.bank) : CHROffset(4, p.bank)) + p.offset + o];
  };
  EXPECT_EQ(at(map.parts[0], 0), 0x78);   // sei
  EXPECT_EQ(at(map.parts[1], 0), 0x11);   // table
  EXPECT_EQ(at(map.parts[2], 14), 0x22);  // the end of BIG in bank 1
  EXPECT_EQ(image_[PRGOffset(1) + 15], 0xFF);  // the fill after it
  EXPECT_EQ(at(map.parts[4], 3), 0xFF);   // the run of the empty byte inside LEVELB
  EXPECT_EQ(at(map.parts[4], 302), 0xFF);
  EXPECT_EQ(at(map.parts[4], 305), 0x5B);  // twice's second byte
  EXPECT_EQ(at(map.parts[5], 0), 7);      // DATA: loaded here, run in RAM
  EXPECT_EQ(at(map.parts[6], 0), 0x00);   // the vectors: $8000
  EXPECT_EQ(at(map.parts[6], 1), 0x80);
  EXPECT_EQ(at(map.parts[7], 2), 0x00);   // the run of $00 inside TILES
  EXPECT_EQ(at(map.parts[8], 255), 0x3C);
}

TEST_F(SegmentMapTest, PartsPastTheLastBankAreOutsideTheBanks) {
  // Told of fewer banks than the linker wrote, the rest is outside them:
  // TILES crosses the end of the only CHR bank.
  TSegmentMap map = Place(4, 1);
  ASSERT_EQ(map.outside.size(), 2u);
  EXPECT_EQ(map.outside[1].name, "TILES");
  EXPECT_EQ(map.outside[1].fileOffset, CHROffset(4, 1));
  EXPECT_EQ(map.outside[1].size, 256u);
  EXPECT_EQ(map.parts.back().size, 8192u);

  map = Place(3, 0);
  ASSERT_EQ(map.outside.size(), 4u);
  EXPECT_EQ(map.outside[1].name, "DATA");
  EXPECT_EQ(map.outside[1].fileOffset, PRGOffset(3));
  EXPECT_EQ(map.outside[2].name, "VECTORS");
  EXPECT_EQ(map.outside[2].fileOffset, PRGOffset(4) - 6);
  EXPECT_EQ(map.outside[3].size, 0x2100u);
  EXPECT_EQ(map.parts.back().name, "LEVELB");
}

TEST_F(SegmentMapTest, ADebugFileOfAnotherOutputIsRefusedNamingBoth) {
  TSegmentMap map;
  std::string error;
  EXPECT_FALSE(PlaceSegments(info_, "out/game.bin", 4, 2, map, error));
  EXPECT_NE(error.find("\"out/game.nes\""), std::string::npos) << error;
  EXPECT_NE(error.find("\"out/game.bin\""), std::string::npos) << error;
  EXPECT_TRUE(map.parts.empty());
  // The name alone counts, not the folder.
  EXPECT_TRUE(PlaceSegments(info_, "game.nes", 4, 2, map, error));
}

TEST_F(SegmentMapTest, ABytesOriginIsItsSegmentLabelAndSmallestSpansLine) {
  const TSegmentMap map = Place();
  struct Case {
    std::uint64_t fileOffset;
    const char* segment;
    std::uint64_t segmentOffset;
    const char* label;  // "" for none
    std::uint64_t distance;
    const char* line;   // the source text of the line, "" for none
  };
  const std::uint64_t big = 16 + 15;
  const Case cases[] = {
      {16, "CODE", 0, "reset", 0, "    sei"},
      // adc #1's operand; the plain label wins over the cheap local beside it.
      {16 + 9, "CODE", 9, "update", 4, "    adc #1"},
      {16 + 5, "CODE", 5, "update", 0, "    lda total"},
      {big + 0x3005, "BIG", 0x3005, "middle", 5, "    .res $1000, $22"},
      // Across the bank boundary, still BIG.
      {PRGOffset(1) + 3, "BIG", 16384 - 15 + 3, "middle", 16384 - 15 + 3 - 0x3000,
       "    .res $1000, $22"},
      {PRGOffset(1) + 15, "", 0, "", 0, ""},  // fill
      // No label of LEVELA's own, though BIG's come before it in the file.
      {PRGOffset(2) + 999, "LEVELA", 999, "", 0, "    .res 1000, $AB"},
      {PRGOffset(2) + 1000 + 200, "LEVELB", 200, "level_b", 200, "    .res 300, $FF"},
      // Inside the macro: its body's lines, not the call's.
      {PRGOffset(2) + 1000 + 305, "LEVELB", 305, "level_b", 305, "    .byte value + 1"},
      {PRGOffset(2) + 1306, "", 0, "", 0, ""},
      {PRGOffset(3) + 1, "DATA", 1, "counter", 1, "    .byte 7, 8"},
      {PRGOffset(4) - 1, "VECTORS", 5, "", 0, "    .word reset, reset, reset"},
      {CHROffset(4, 1) + 255, "TILES", 8192 + 255, "", 0, "    .res $2100 - 102, $3C"},
      {CHROffset(4, 1) + 256, "", 0, "", 0, ""},
      {5, "HEADER", 5, "", 0, "    .byte \"NES\", $1A, 4, 2, $00, $00"},
      {image_.size() + 100, "", 0, "", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileOffset);
    const TByteOrigin o = DescribeOrigin(info_, map, c.fileOffset);
    EXPECT_EQ(o.inSegment, *c.segment != 0);
    EXPECT_EQ(o.segment, c.segment);
    EXPECT_EQ(o.segmentOffset, c.segmentOffset);
    EXPECT_EQ(o.hasLabel, *c.label != 0);
    EXPECT_EQ(o.label, c.label);
    EXPECT_EQ(o.labelDistance, c.distance);
    EXPECT_EQ(o.hasSource, *c.line != 0);
    if (*c.line) {
      EXPECT_EQ(o.sourceFile, "game.s");
      EXPECT_EQ(o.sourceLine, DbgCartridgeLine(std::string(c.line) + "\n"));
    }
  }
  // Asked with another debug file than the map's, it reads nothing out of bounds.
  EXPECT_FALSE(DescribeOrigin(TDebugInfo(), map, 16 + 9).inSegment);
}

TEST(SegmentMap, UnusableSegmentsAreRefusedWithTheReason) {
  const std::string head = "version\tmajor=2,minor=0\ninfo\tfile=0,line=0,seg=2,span=0,sym=0,scope=0\n";
  const struct {
    std::string segments, error;
  } cases[] = {
      {"seg\tid=0,name=\"A\",start=0x8000,size=0x100,type=ro,oname=\"g.nes\",ooffs=16\n"
       "seg\tid=1,name=\"B\",start=0x8000,size=0x10,type=ro,oname=\"g.nes\",ooffs=0x80\n",
       "segments A and B of the debug file overlap in \"g.nes\" at file offset 128"},
      {"seg\tid=0,name=\"A\",start=0x8000,size=0,type=ro,oname=\"build/g.nes\",ooffs=16\n"
       "seg\tid=1,name=\"B\",start=0x8000,size=0x10,type=ro,oname=\"g.bin\",ooffs=16\n",
       "the debug file names \"g.nes\" only for empty segments"},
      {"seg\tid=0,name=\"A\",start=0x300,size=0x100,type=rw\n"
       "seg\tid=1,name=\"B\",start=0x0,size=0x10,type=rw\n",
       "the debug file names no output file, so none of it is in \"g.nes\""},
  };
  for (const auto& c : cases) {
    TDebugInfo info;
    std::string error;
    ASSERT_TRUE(ParseDebugInfo(head + c.segments, "g.dbg", info, error)) << error;
    TSegmentMap map;
    EXPECT_FALSE(PlaceSegments(info, "g.nes", 1, 1, map, error));
    EXPECT_EQ(error, c.error);
  }
}

// ld65's debug file of a C program: its info record overstates the source
// files, and the initialised data is a read/write segment loaded into ROM.
TEST(SegmentMap, ACompiledCProgramIsPlacedWithItsData) {
  TempDir dir;
  dir.Write("hello.c", AsBytes("int counter = 5;\n"
                               "int add(int a, int b) { counter += a; return a + b; }\n"
                               "int main(void) { return add(1, 2); }\n"));
  const std::string command = "cd '" + dir.path() + "' && " CL65
                              " -g -t nes -o hello.nes -Wl --dbgfile,hello.dbg hello.c";
  ASSERT_EQ(std::system(command.c_str()), 0);
  TDebugInfo info;
  TSegmentMap map;
  std::string error;
  ASSERT_TRUE(LoadDebugInfo(dir.File("hello.dbg"), info, error)) << error;
  const Bytes image = ReadAll(dir.File("hello.nes"));
  ASSERT_TRUE(PlaceSegments(info, "hello.nes", image[4], image[5], map, error)) << error;
  // Where the labels of the source's two definitions are, and what is there.
  std::uint64_t counterAt = 0, addAt = 0;
  for (const TSegmentPart& p : map.parts)
    for (std::uint64_t o = 0; o < p.size; ++o) {
      const std::uint64_t at = PRGOffset(p.bank) + p.offset + o;
      const TByteOrigin origin = DescribeOrigin(info, map, at);
      if (origin.labelDistance != 0) continue;
      if (origin.label == "_counter" && origin.segment == "DATA") counterAt = at;
      if (origin.label == "_add" && origin.segment == "CODE" && origin.hasSource) addAt = at;
    }
  ASSERT_NE(counterAt, 0u);
  EXPECT_EQ(image[counterAt], 5);
  EXPECT_EQ(image[counterAt + 1], 0);
  EXPECT_NE(addAt, 0u);
}

}  // namespace
