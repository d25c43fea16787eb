// The label-file readers and the placement, on label files this test writes
// for the cartridge ca65 and ld65 build here: the debug file's labels placed
// by the test itself, every figure worked out from the image's bytes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "cart/label_map.h"
#include "cart/nes_image.h"
#include "dbg_cartridge.h"
#include "temp_files.h"

namespace {

// A label of the debug file where ld65 put it in the image.
struct TruthLabel {
  std::string name;
  std::uint64_t fileOffset;
};

// What the test expects of one placed label.
struct Expected {
  std::string name;
  std::uint64_t offset, size, used;
};

// The fields of one debug-file line after its tag: key=value pairs split
// at commas outside quotes (a name may hold a comma).
std::map<std::string, std::string> Fields(const std::string& text) {
  std::map<std::string, std::string> fields;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t equals = text.find('=', at);
    if (equals == std::string::npos) break;
    std::size_t end = equals + 1;
    if (end < text.size() && text[end] == '"') end = std::min(text.find('"', end + 1), text.size() - 1) + 1;
    end = std::min(text.find(',', end), text.size());
    fields[text.substr(at, equals - at)] = text.substr(equals + 1, end - equals - 1);
    at = end + 1;
  }
  return fields;
}

// The debug file's labels of segments written to the image, by the test's
// own reading of its lines: file offset = ooffs + value - start.
std::vector<TruthLabel> LabelsOfDebugFile(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::map<std::string, std::map<std::string, std::string>> segments;  // by id
  std::vector<std::map<std::string, std::string>> symbols;
  while (std::getline(in, line)) {
    const bool seg = line.rfind("seg\t", 0) == 0, sym = line.rfind("sym\t", 0) == 0;
    if (!seg && !sym) continue;
    std::map<std::string, std::string> f = Fields(line.substr(4));
    if (seg) segments[f["id"]] = f;
    else symbols.push_back(f);
  }
  std::vector<TruthLabel> labels;
  for (auto& s : symbols) {
    if (s["type"] != "lab" || !s.count("seg")) continue;
    auto& seg = segments[s["seg"]];
    if (!seg.count("ooffs")) continue;
    const std::uint64_t value = std::stoull(s["val"], nullptr, 0), start = std::stoull(seg["start"], nullptr, 0);
    labels.push_back({s["name"].substr(1, s["name"].size() - 2), std::stoull(seg["ooffs"]) + value - start});
  }
  // Symbols at one address stay in the debug file's order: the first wins.
  std::stable_sort(labels.begin(), labels.end(),
            [](const TruthLabel& a, const TruthLabel& b) { return a.fileOffset < b.fileOffset; });
  return labels;
}

std::string Hex(std::uint64_t v) {
  char text[24];
  std::snprintf(text, sizeof text, "%llX", static_cast<unsigned long long>(v));
  return text;
}

class LabelFileTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    ASSERT_TRUE(BuildDbgCartridge(*dir_));
    bytes_ = ReadAll(dir_->File("out/game.nes"));
    truth_ = LabelsOfDebugFile(dir_->File("game.dbg"));
  }
  static void TearDownTestSuite() { delete dir_; }

  static std::string Write(const std::string& name, const std::string& text) {
    return dir_->Write(name, AsBytes(text));
  }
  static TLabelFile Load(const std::string& path) {
    TLabelFile file;
    std::string error;
    EXPECT_TRUE(LoadLabelFile(path, file, error)) << error;
    return file;
  }
  // Refused, with the message starting with `start`.
  static void ExpectRefused(const std::string& path, const std::string& start) {
    TLabelFile file;
    std::string error;
    EXPECT_FALSE(LoadLabelFile(path, file, error)) << path;
    EXPECT_EQ(error.substr(0, start.size()), start) << error;
    EXPECT_TRUE(file.labels.empty());
  }

  // The labels `truth` (with sizes where given) in banks of `banks`, worked
  // out from the bytes of `image`: spans to the next label or the bank's end.
  static std::vector<std::vector<Expected>> Work(const std::vector<TruthLabel>& truth,
                                                 const std::map<std::string, std::uint64_t>& sizes,
                                                 const std::vector<TBankExtent>& banks, const Bytes& image,
                                                 std::uint8_t empty) {
    std::vector<std::vector<Expected>> out(banks.size());
    for (std::size_t i = 0; i < truth.size(); ++i) {
      const std::uint64_t o = truth[i].fileOffset;
      if (i > 0 && truth[i - 1].fileOffset == o) continue;  // the first at an offset wins
      std::size_t r = 0;
      while (r < banks.size() && !(o >= banks[r].offset && o < banks[r].offset + banks[r].size)) ++r;
      if (r == banks.size()) continue;
      const std::uint64_t bankEnd = banks[r].offset + banks[r].size;
      std::size_t next = i + 1;
      while (next < truth.size() && truth[next].fileOffset == o) ++next;
      std::uint64_t end = next < truth.size() ? std::min(truth[next].fileOffset, bankEnd) : bankEnd;
      if (sizes.count(truth[i].name)) end = std::min(bankEnd, o + sizes.at(truth[i].name));
      std::uint64_t used = 0;
      for (std::uint64_t b = o; b < end && b < image.size(); ++b)
        used += image[b] != (banks[r].kind == TBankKind::PRG ? empty : 0);
      out[r].push_back({truth[i].name, o - banks[r].offset, end - o, used});
    }
    return out;
  }

  static void ExpectPlaced(const TLabelMap& map, const std::vector<std::vector<Expected>>& expected) {
    ASSERT_EQ(map.labels.size(), expected.size());
    for (std::size_t r = 0; r < expected.size(); ++r) {
      SCOPED_TRACE("bank row " + std::to_string(r));
      ASSERT_EQ(map.labels[r].size(), expected[r].size());
      for (std::size_t k = 0; k < expected[r].size(); ++k) {
        EXPECT_EQ(map.labels[r][k].name, expected[r][k].name);
        EXPECT_EQ(map.labels[r][k].offset, expected[r][k].offset) << expected[r][k].name;
        EXPECT_EQ(map.labels[r][k].size, expected[r][k].size) << expected[r][k].name;
        EXPECT_EQ(map.labels[r][k].used, expected[r][k].used) << expected[r][k].name;
      }
    }
  }

  static TLabelMap Place(const std::vector<TLabelFile>& files, const std::vector<TBankExtent>& banks,
                         const Bytes& image) {
    TLabelMap map = PlaceLabels(files, banks, PRGROMStart(image));
    TNESImage held;
    const std::string path = dir_->Write("placed.nes", image);
    EXPECT_TRUE(held.LoadNES(path));
    CountLabelUse(map, image, held.FindEmptyByte());
    return map;
  }

  // The Mesen file of the debug file's labels: older and newer prefixes in
  // turn, a range for `table`, RAM and register lines between.
  static std::string MesenText(const std::vector<TruthLabel>& truth) {
    std::string text = "R:0000:total:zero page\nNesInternalRam:0300-030F:buffer\nG:2000:PPUCTRL\n";
    for (std::size_t i = 0; i < truth.size(); ++i) {
      const std::uint64_t prg = truth[i].fileOffset - NESHeaderSize;
      text += (i % 2 ? "NesPrgRom:" : "P:") + Hex(prg);
      if (truth[i].name == "table") text += "-" + Hex(prg + 0x3000 - 1);
      text += ":" + truth[i].name;
      if (truth[i].name == "reset") text += ":entry: sets up the stack\\nthen loops";
      text += "\n";
      if (i == 1) text += "S:0010:save_slot\nW:0100:work\n";
    }
    return text;
  }

  static inline TempDir* dir_;
  static inline Bytes bytes_;
  static inline std::vector<TruthLabel> truth_;
};

TEST_F(LabelFileTest, AMesenFileOfBothPrefixesPlacesEveryLabelAsTheBytesSay) {
  ASSERT_GE(truth_.size(), 6u);  // reset, update, table, middle, level_b, counter at least
  const TLabelFile file = Load(Write("game.mlb", MesenText(truth_)));
  EXPECT_EQ(file.layout, TLabelLayout::Mesen);
  EXPECT_EQ(file.badLines, 0u);
  ASSERT_EQ(file.labels.size(), truth_.size());  // RAM, register and save RAM lines skipped
  const auto reset = std::find_if(file.labels.begin(), file.labels.end(),
                                  [](const TLabel& l) { return l.name == "reset"; });
  ASSERT_NE(reset, file.labels.end());
  EXPECT_EQ(reset->comment, "entry: sets up the stack\nthen loops");

  const std::vector<TBankExtent> banks = HeaderBankExtents(4, 2);
  const TLabelMap map = Place({file}, banks, bytes_);
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir_->File("out/game.nes")));
  ExpectPlaced(map, Work(truth_, {{"table", 0x3000}}, banks, bytes_, image.FindEmptyByte()));
  EXPECT_EQ(map.outside, 0u);
  // The cases the cartridge gives: several labels in bank 0, a range shorter
  // than the gap to the next label, banks 2 and 3 labelled too.
  EXPECT_GE(map.labels[0].size(), 3u);
  EXPECT_FALSE(map.labels[2].empty());
  EXPECT_FALSE(map.labels[3].empty());

  // Under the mouse: the label and the distance, in a range and past it.
  const TPlacedLabel* table = nullptr;
  for (const TPlacedLabel& l : map.labels[0])
    if (l.name == "table") table = &l;
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(LabelDistanceText(*LabelAt(map, 0, table->offset + 0x1A2), table->offset + 0x1A2), "table+$1A2");
  EXPECT_EQ(LabelAt(map, 0, table->offset), table);
  EXPECT_EQ(LabelDistanceText(*table, table->offset), "table");
}

// The same labels as FCEUX name lists: CPU addresses of $8000 and $C000
// windows, an array, a comment over two lines, the RAM list beside them.
TEST_F(LabelFileTest, FCEUXNameListsPerBankPlaceLikeTheMesenFile) {
  std::map<unsigned, std::string> texts;
  for (const TruthLabel& l : truth_) {
    const std::uint64_t prg = l.fileOffset - NESHeaderSize;
    const unsigned bank = static_cast<unsigned>(prg / 16384);
    const std::uint64_t address = (bank == 3 ? 0xC000 : 0x8000) + prg % 16384;
    std::string line = "$" + Hex(address) + (l.name == "table" ? "/3000" : "") + "#" + l.name + "#";
    if (l.name == "reset") line += "entry\n\\then loops";
    texts[bank] += line + "\n";
  }
  std::vector<TLabelFile> files;
  for (const auto& [bank, text] : texts) files.push_back(Load(Write("out/game.nes." + Hex(bank) + ".nl", text)));
  const TLabelFile ram = Load(Write("out/game.nes.ram.nl", "$0000#total#\n$0300/10#buffer#\n"));
  EXPECT_TRUE(ram.ramList);
  EXPECT_TRUE(ram.labels.empty());
  files.push_back(ram);
  for (const TLabelFile& f : files) EXPECT_EQ(f.layout, TLabelLayout::FCEUX);
  const auto reset = std::find_if(files[0].labels.begin(), files[0].labels.end(),
                                  [](const TLabel& l) { return l.name == "reset"; });
  ASSERT_NE(reset, files[0].labels.end());
  EXPECT_EQ(reset->comment, "entry\nthen loops");

  const std::vector<TBankExtent> banks = HeaderBankExtents(4, 2);
  const TLabelMap fceux = Place(files, banks, bytes_);
  const TLabelMap mesen = Place({Load(Write("game.mlb", MesenText(truth_)))}, banks, bytes_);
  ASSERT_EQ(fceux.labels.size(), mesen.labels.size());
  for (std::size_t r = 0; r < mesen.labels.size(); ++r) {
    ASSERT_EQ(fceux.labels[r].size(), mesen.labels[r].size());
    for (std::size_t k = 0; k < mesen.labels[r].size(); ++k) {
      EXPECT_EQ(fceux.labels[r][k].name, mesen.labels[r][k].name);
      EXPECT_EQ(fceux.labels[r][k].offset, mesen.labels[r][k].offset);
      EXPECT_EQ(fceux.labels[r][k].size, mesen.labels[r][k].size);
      EXPECT_EQ(fceux.labels[r][k].used, mesen.labels[r][k].used);
    }
  }
}

// A trainer puts the PRG ROM 512 bytes later; the banks stay where the
// header rule puts them, so a label near the PRG ROM's end lands in CHR $00.
TEST_F(LabelFileTest, ATrainerMovesEveryLabel512BytesOn) {
  Bytes trained(bytes_.begin(), bytes_.begin() + 16);
  trained[6] |= 0x04;
  trained.insert(trained.end(), 512, 0x77);
  trained.insert(trained.end(), bytes_.begin() + 16, bytes_.end());
  std::vector<TruthLabel> truth = truth_;
  for (TruthLabel& l : truth) l.fileOffset += 512;
  std::string text = MesenText(truth_);
  text += "P:FFF0:near_the_end\n";
  truth.push_back({"near_the_end", 16 + 512 + 0xFFF0});
  const std::vector<TBankExtent> banks = HeaderBankExtents(4, 2);
  const TLabelMap map = Place({Load(Write("trained.mlb", text))}, banks, trained);
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir_->Write("trained.nes", trained)));
  ExpectPlaced(map, Work(truth, {{"table", 0x3000}}, banks, trained, image.FindEmptyByte()));
  ASSERT_EQ(map.labels[4].size(), 1u);
  EXPECT_EQ(map.labels[4][0].name, "near_the_end");
  EXPECT_EQ(map.labels[4][0].offset, 0x1F0u);
  EXPECT_EQ(map.labels[0][0].offset, 512u);
}

// Banks of 8 KB: the same file offsets, cut at every 8 KB; a range that
// runs past its bank's end is cut there.
TEST_F(LabelFileTest, LabelsFollowBanksOfOtherSizes) {
  std::vector<TBankExtent> banks;
  for (unsigned j = 0; j < 8; ++j) banks.push_back({TBankKind::PRG, j, 16 + j * 8192u, 8192});
  for (unsigned j = 0; j < 2; ++j) banks.push_back({TBankKind::CHR, j, 16 + 8 * 8192u + j * 8192, 8192});
  const TLabelMap map = Place({Load(Write("game.mlb", MesenText(truth_)))}, banks, bytes_);
  TNESImage image;
  ASSERT_TRUE(image.LoadNES(dir_->File("out/game.nes")));
  ExpectPlaced(map, Work(truth_, {{"table", 0x3000}}, banks, bytes_, image.FindEmptyByte()));
  // `table` starts after CODE in bank 0 and its $3000 bytes are cut at 8 KB.
  const auto table = std::find_if(map.labels[0].begin(), map.labels[0].end(),
                                  [](const TPlacedLabel& l) { return l.name == "table"; });
  ASSERT_NE(table, map.labels[0].end());
  EXPECT_EQ(table->offset + table->size, 8192u);
}

TEST_F(LabelFileTest, OfTwoLabelsAtOneOffsetTheFirstReadWinsAcrossFiles) {
  const TLabelFile first = Load(Write("one.mlb", "P:0010:first\nP:0010:second\nP:0020:later\n"));
  const TLabelFile second = Load(Write("two.mlb", "P:0020:other\nP:0030-0033:third\nP:99999:beyond\n"));
  const TLabelMap map = Place({first, second}, HeaderBankExtents(4, 2), bytes_);
  ASSERT_EQ(map.labels[0].size(), 3u);
  EXPECT_EQ(map.labels[0][0].name, "first");
  EXPECT_EQ(map.labels[0][0].size, 0x10u);
  EXPECT_EQ(map.labels[0][1].name, "later");
  EXPECT_EQ(map.labels[0][1].size, 0x10u);  // up to `third`
  EXPECT_EQ(map.labels[0][2].size, 4u);
  EXPECT_EQ(map.shared, 2u);
  EXPECT_EQ(map.outside, 1u);
  // Past a range's end no label covers the byte.
  EXPECT_EQ(LabelAt(map, 0, 0x34), nullptr);
  EXPECT_EQ(LabelAt(map, 0, 0x05), nullptr);
}

TEST_F(LabelFileTest, FilesThatCannotBeReadOrHoldNoLabelAreRefusedWithFileAndLine) {
  ExpectRefused(dir_->File("missing.mlb"), dir_->File("missing.mlb") + ": No such file");
  ExpectRefused(dir_->File("out"), dir_->File("out") + ": a folder");
  ASSERT_EQ(mkfifo(dir_->File("pipe.mlb").c_str(), 0600), 0);  // would block a read
  ExpectRefused(dir_->File("pipe.mlb"), dir_->File("pipe.mlb") + ": a named pipe, not a label file");
  ExpectRefused(Write("empty.mlb", ""), dir_->File("empty.mlb") + ": no label lines");
  ExpectRefused(Write("blank.mlb", "\n  \r\n\t\n"), dir_->File("blank.mlb") + ": no label lines");
  ExpectRefused(Write("prose.mlb", "\n\nthis is not a label file\nnor this\n"), dir_->File("prose.mlb") + ":3: not a label line");
  ExpectRefused(Write("binary.mlb", std::string("\0\x01\xFF\n", 4)), dir_->File("binary.mlb") + ":1:");
  // An FCEUX list that names no bank cannot be placed.
  ExpectRefused(Write("game.nl", "$C000#reset#\n"), dir_->File("game.nl") + ":1: an FCEUX name list");
  ExpectRefused(Write("cont.mlb", "\\a comment of nothing\n"), dir_->File("cont.mlb") + ":1: a continuation");
}

TEST_F(LabelFileTest, ABadLineAmongGoodOnesIsSkippedAndCounted) {
  const std::string text =
      "P:0010:good\r\n"
      "P:0020-001F:backwards\r\n"   // a range that ends before it starts
      "P:123456789:too_long\n"      // nine digits
      "$C000#fceux_in_mesen#\n"
      "P:0030:also_good:with: colons\n"
      "P:0040::only a comment\n"    // names nothing: no label, not bad
      "NesPrgRom:0050-0050:one_byte\n";
  const TLabelFile file = Load(Write("mixed.mlb", text));
  ASSERT_EQ(file.labels.size(), 3u);
  EXPECT_EQ(file.labels[0].name, "good");  // CR of CRLF not in the name
  EXPECT_EQ(file.labels[1].comment, "with: colons");
  EXPECT_EQ(file.labels[2].size, 1u);
  EXPECT_EQ(file.badLines, 3u);
  EXPECT_EQ(file.firstBadLine, 2u);
  EXPECT_EQ(LabelFileNote(file), dir_->File("mixed.mlb") +
                                     ": 3 lines that are not labels skipped (the first, line 2: the range ends "
                                     "before it starts)");

  const TLabelFile fceux = Load(Write("game.nes.1.nl",
                                      "$8000#start#\n$12345#far#\n$9000/0#empty_array#\n$0200#ram#\n\\ram note\n"
                                      "P:0010:mesen_in_fceux\n$BFFF/10#last#\n"));
  ASSERT_EQ(fceux.labels.size(), 2u);
  EXPECT_EQ(fceux.labels[0].prgOffset, 16384u);
  EXPECT_EQ(fceux.labels[1].prgOffset, 16384u + 0x3FFF);
  EXPECT_EQ(fceux.labels[1].size, 16u);
  EXPECT_EQ(fceux.badLines, 3u);
  // The array runs past the bank's end: cut there.
  const TLabelMap map = Place({fceux}, HeaderBankExtents(4, 2), bytes_);
  ASSERT_EQ(map.labels[1].size(), 2u);
  EXPECT_EQ(map.labels[1][1].size, 1u);
  EXPECT_EQ(map.labels[1][0].size, 0x3FFFu);
}

// Whole-PRG ranges, a label in every byte of a bank, huge sizes: bounds hold.
TEST_F(LabelFileTest, HostileSizesStayInsideTheirBanks) {
  std::string text = "P:0-FFFFFFFF:everything\n";
  for (unsigned o = 0; o < 16384; ++o) text += "P:" + Hex(16384 + o) + ":b" + std::to_string(o) + "\n";
  const TLabelMap map = Place({Load(Write("hostile.mlb", text))}, HeaderBankExtents(4, 2), bytes_);
  ASSERT_EQ(map.labels[0].size(), 1u);
  EXPECT_EQ(map.labels[0][0].size, 16384u);
  ASSERT_EQ(map.labels[1].size(), 16384u);
  for (const TPlacedLabel& l : map.labels[1]) ASSERT_EQ(l.size, 1u);
  std::uint64_t used = 0;
  for (std::size_t o = 16 + 16384; o < 16 + 2 * 16384; ++o) used += bytes_[o] != 0xFF;
  std::uint64_t counted = 0;
  for (const TPlacedLabel& l : map.labels[1]) counted += l.used;
  EXPECT_EQ(counted, used);
}

}  // namespace
