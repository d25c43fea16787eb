#include <gtest/gtest.h>

#include <filesystem>

#include "cart/debug_info.h"
#include "dbg_cartridge.h"

namespace {

// Lines as ld65 writes them, but in another order, with CR LF endings, a
// record type and keys this reader does not know, and names that hold a
// comma, a quote and backslashes. The file count is above the file records,
// as ld65 writes it for a C program: it counts unused library sources too.
const char* const Shuffled =
    "version\tmajor=2,minor=1\r\n"
    "info\tcsym=1,file=9,lib=0,line=2,mod=1,scope=1,seg=2,span=3,sym=3,type=1,future=4\r\n"
    "sym\tid=2,name=\"minus\",addrsize=absolute,scope=0,def=0,val=-5,type=equ\r\n"
    "sym\tid=0,name=\"main\",addrsize=absolute,scope=0,def=0,val=0xC010,seg=1,type=lab\r\n"
    "sym\tid=1,name=\"@loop\",addrsize=absolute,parent=0,def=1,val=0xC012,seg=1,type=lab\r\n"
    "span\tid=2,seg=1,start=16,size=3,type=0\r\n"
    "line\tid=1,file=1,line=12,type=2,count=1,span=2+0\r\n"
    "span\tid=0,seg=1,start=0,size=0x20\r\n"
    "span\tid=1,seg=0,start=4,size=1\r\n"
    "line\tid=0,file=0,line=7,span=1\r\n"
    "newrecord\tid=0,whatever=\"x\"\r\n"
    "mod\tid=0,name=\"a.o\",file=0\r\n"
    "file\tid=1,name=\"C:\\src\\lib\\\"quoted\", too.s\",size=10,mtime=0x1,mod=0\r\n"
    "file\tid=0,name=\"a.s\",size=10,mtime=0x1,mod=0\r\n"
    "seg\tid=1,name=\"CODE\",start=0x00C000,size=0x0020,addrsize=absolute,type=ro,"
    "oname=\"build/game.nes\",ooffs=16,newkey=7\r\n"
    "seg\tid=0,name=\"BSS\",start=0x000300,size=0x0010,addrsize=absolute,type=rw\r\n"
    "scope\tid=0,name=\"\",mod=0,size=32,span=0\r\n"
    "type\tid=0,val=\"800420\"\r\n"
    "csym\tid=0,name=\"x\",scope=0,type=0,sc=auto,offs=2\r\n";

TEST(DebugInfo, ReadsRecordsInAnyOrderSkippingWhatItDoesNotKnow) {
  TDebugInfo info;
  std::string error;
  ASSERT_TRUE(ParseDebugInfo(Shuffled, "s.dbg", info, error)) << error;
  ASSERT_EQ(info.segments.size(), 2u);
  const TDbgSegment& code = info.segments[1];
  EXPECT_EQ(code.id, 1u);
  EXPECT_EQ(code.name, "CODE");
  EXPECT_EQ(code.start, 0xC000u);
  EXPECT_EQ(code.size, 0x20u);
  EXPECT_TRUE(code.readOnly);
  EXPECT_TRUE(code.hasOutput);
  EXPECT_EQ(code.outputName, "build/game.nes");
  EXPECT_EQ(code.outputOffset, 16u);
  EXPECT_FALSE(info.segments[0].readOnly);
  EXPECT_FALSE(info.segments[0].hasOutput);

  ASSERT_EQ(info.spans.size(), 3u);
  EXPECT_EQ(info.spans[2].segment, 1u);
  EXPECT_EQ(info.spans[2].start, 16u);
  EXPECT_EQ(info.spans[2].size, 3u);
  ASSERT_EQ(info.files.size(), 2u);
  // ld65 writes names as they are: backslashes stay, and only a quote before
  // a comma or the line's end closes the string.
  EXPECT_EQ(info.files[1].name, "C:\\src\\lib\\\"quoted\", too.s");
  ASSERT_EQ(info.lines.size(), 2u);
  EXPECT_EQ(info.lines[1].file, 1u);
  EXPECT_EQ(info.lines[1].line, 12u);
  EXPECT_EQ(info.lines[1].type, 2u);
  EXPECT_EQ(info.lines[1].spans, (std::vector<unsigned>{2, 0}));
  ASSERT_EQ(info.symbols.size(), 3u);
  EXPECT_EQ(info.symbols[0].name, "main");
  EXPECT_EQ(info.symbols[0].value, 0xC010);
  EXPECT_TRUE(info.symbols[0].isLabel);
  EXPECT_TRUE(info.symbols[0].hasSegment);
  EXPECT_EQ(info.symbols[1].name, "@loop");
  EXPECT_EQ(info.symbols[2].value, -5);
  EXPECT_FALSE(info.symbols[2].isLabel);
  EXPECT_FALSE(info.symbols[2].hasSegment);
  ASSERT_EQ(info.scopes.size(), 1u);
  EXPECT_EQ(info.scopes[0].spans, std::vector<unsigned>{0});
}

// A file of the given lines after a version and info record; the info
// record announces what `info` says.
std::string File(const std::string& info, const std::string& lines) {
  return "version\tmajor=2,minor=0\ninfo\t" + info + "\n" + lines;
}

TEST(DebugInfo, DamagedFilesAreRefusedWithLineAndFault) {
  const std::string seg = "seg\tid=0,name=\"CODE\",start=0x8000,size=0x100,type=ro,oname=\"g.nes\",ooffs=16\n";
  const std::string one = "file=0,line=0,seg=1,span=1,sym=0,scope=0";
  const std::string span = "span\tid=0,seg=0,start=0,size=1\n";
  const std::string longName(1 << 20, 'a');
  struct Case {
    std::string text;
    std::string error;  // all of it, or its beginning
  };
  const Case cases[] = {
      {"", "d.dbg: the file is empty"},
      {"\x7F" "ELF\x02\x01\x01\n", "d.dbg:1: not an ld65 debug file"},
      {"version\tmajor=3,minor=0\n", "d.dbg:1: format version 3.0 is not supported"},
      {"version\tmajor=2,minor=0\n" + seg + span, "d.dbg: damaged or cut short: no info record"},
      {File("seg=1", seg + span), "d.dbg:2: info record without \"span\""},
      // Lines cut short.
      {File(one, "seg\tid=0,name=\"CO"), "d.dbg:3: the string of \"name\" has no closing quote"},
      {File(one, seg + "span\tid=0,seg="), "d.dbg:4: \"seg\" has no value"},
      {File(one, seg + "span\tid=0,se"), "d.dbg:4: \"se\" is not a key=value pair"},
      {File(one, seg + "span\tid=0,seg=0,start=0,"), "d.dbg:4: the line ends in ','"},
      {File(one, seg + "span\tid=0,seg=0,start=0"), "d.dbg:4: span record without \"size\""},
      {File(one, seg + "span"), "d.dbg:4: span record without a tab"},
      // A file cut at a line's end: the info record's counts find it out.
      {File(one, seg), "d.dbg: damaged or cut short: the info record on line 2 announces 1 span "
                       "records, the file has 0"},
      // Values that are not what the key needs.
      {File(one, seg + "span\tid=0,seg=\"0\",start=0,size=1\n"), "d.dbg:4: \"seg\" is not a number"},
      {File(one, seg + "span\tid=0,seg=0,start=0,size=99999999999999999999999\n"),
       "d.dbg:4: \"size\" is not a number"},
      {File(one, "seg\tid=0,name=CODE,start=0,size=1\n" + span), "d.dbg:3: \"name\" is not a quoted string"},
      {File("file=0,seg=1,span=0,sym=0,scope=0,line=1", seg + "line\tid=0,file=0,line=1,span=1++2\n"),
       "d.dbg:4: \"span\" is not a list of ids"},
      // Sizes and offsets past 16 MiB.
      {File(one, "seg\tid=0,name=\"A\",start=0,size=0x1000001,type=ro\n" + span),
       "d.dbg:3: size 0x1000001 is past 16 MiB"},
      {File(one, "seg\tid=0,name=\"A\",start=0,size=1,type=ro,oname=\"g.nes\",ooffs=4294967312\n" + span),
       "d.dbg:3: ooffs 4294967312 is past 16 MiB"},
      {File(one, seg + "span\tid=4294967296,seg=0,start=0,size=1\n"), "d.dbg:4: id 4294967296 is too large"},
      // Ids out of range, twice, and pointing nowhere; found after the whole
      // file is read, since records may come in any order.
      {File(one, seg + "span\tid=1,seg=0,start=0,size=1\n"),
       "d.dbg:4: span id 1 is out of range: the file has 1 span records"},
      {File("file=0,line=0,seg=2,span=1,sym=0,scope=0", seg + span + seg), "d.dbg:5: seg id 0 was already given on line 3"},
      {File(one, "span\tid=0,seg=7,start=0,size=1\n" + seg),
       "d.dbg:3: span 0 names seg 7, which does not exist"},
      {File(one, seg + "span\tid=0,seg=0,start=0xF0,size=0x20\n"),
       "d.dbg:4: span 0 runs past the end of segment 0 (CODE)"},
      {File("file=0,seg=1,span=1,line=1,sym=0,scope=0", "line\tid=0,file=0,line=3,span=0\n" + seg + span),
       "d.dbg:3: line 0 names file 0, which does not exist"},
      {File("file=0,line=0,seg=1,span=1,sym=1,scope=0", seg + span + "sym\tid=0,name=\"x\",val=0x8000,seg=3,type=lab\n"),
       "d.dbg:5: sym 0 names seg 3, which does not exist"},
      {File("file=0,line=0,seg=1,span=1,sym=0,scope=1", seg + span + "scope\tid=0,name=\"\",span=0+1\n"),
       "d.dbg:5: scope 0 names span 1, which does not exist"},
      // A huge damaged line is named, not printed.
      {File(one, seg + "span\tid=0,seg=0,start=0,size=" + longName + "\n"),
       "d.dbg:4: \"size\" is not a number: " + longName.substr(0, 40) + "..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 200));
    TDebugInfo info;
    std::string error;
    EXPECT_FALSE(ParseDebugInfo(c.text, "d.dbg", info, error));
    EXPECT_EQ(error.substr(0, c.error.size()), c.error);
    EXPECT_LT(error.size(), 200u);
    EXPECT_TRUE(info.segments.empty() && info.spans.empty());
  }
  // The same records whole are read.
  TDebugInfo info;
  std::string error;
  EXPECT_TRUE(ParseDebugInfo(File(one, seg + span), "d.dbg", info, error)) << error;
  // Records of types this reader skips may be anything, of any length.
  EXPECT_TRUE(ParseDebugInfo(File(one, "later\t" + longName + "\n" + seg + span), "d.dbg", info, error))
      << error;
}

TEST(DebugInfo, EveryCutOfARealFileBeforeItsLastLineIsRefused) {
  TempDir dir;
  ASSERT_TRUE(BuildDbgCartridge(dir));
  const Bytes bytes = ReadAll(dir.File("game.dbg"));
  const std::string text(bytes.begin(), bytes.end());
  TDebugInfo info;
  std::string error;
  ASSERT_TRUE(ParseDebugInfo(text, "game.dbg", info, error)) << error;
  EXPECT_EQ(info.segments.size(), 12u);  // the ten of the config, RODATA and NULL
  const std::size_t lastLine = text.rfind('\n', text.size() - 2) + 1;
  for (std::size_t length = 0; length < lastLine; ++length) {
    EXPECT_FALSE(ParseDebugInfo(std::string_view(text).substr(0, length), "game.dbg", info, error))
        << length;
    EXPECT_EQ(error.rfind("game.dbg", 0), 0u);
  }
}

TEST(DebugInfo, LoadRefusesFoldersMissingFilesAndOtherFiles) {
  TempDir dir;
  TDebugInfo info;
  std::string error;
  EXPECT_FALSE(LoadDebugInfo(dir.path(), info, error));
  EXPECT_EQ(error, dir.path() + ": a folder, not a debug file");
  EXPECT_FALSE(LoadDebugInfo(dir.File("none.dbg"), info, error));
  EXPECT_EQ(error, dir.File("none.dbg") + ": No such file or directory");
  EXPECT_FALSE(LoadDebugInfo(dir.Write("empty.dbg", {}), info, error));
  EXPECT_EQ(error, dir.File("empty.dbg") + ": the file is empty, not an ld65 debug file");
  // A cartridge image given for its debug file.
  EXPECT_FALSE(LoadDebugInfo(dir.Write("game.nes", MakeNES(2, 1)), info, error));
  EXPECT_EQ(error.rfind(dir.File("game.nes") + ":1: not an ld65 debug file", 0), 0u) << error;
  // One line of 20 MB.
  EXPECT_FALSE(LoadDebugInfo(dir.Write("long.dbg", Bytes(20 << 20, 'v')), info, error));
  EXPECT_EQ(error.rfind(dir.File("long.dbg") + ":1: not an ld65 debug file", 0), 0u) << error;
  EXPECT_TRUE(LoadDebugInfo(dir.Write("s.dbg", AsBytes(Shuffled)), info, error)) << error;
  EXPECT_EQ(info.lines.size(), 2u);
}

}  // namespace
