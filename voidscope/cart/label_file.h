// Label files of assemblers and emulators' debuggers, read into plain
// records: the names of the PRG ROM's routines and tables, for toolchains
// that write no linker debug file. No user interface.
//
// Two layouts, both text, one label a line, addresses in hexadecimal:
// - Mesen (.mlb): "TYPE:ADDRESS[-END]:NAME[:COMMENT]". TYPE "P" (older) or
//   "NesPrgRom" (newer) is the PRG ROM and ADDRESS the offset in it; other
//   types (RAM, save RAM, registers) are other memories and are skipped. A
//   comment may hold colons; "\n" in it is a line break.
// - FCEUX (.nl): one file per 16 KB PRG bank, "GAME.nes.N.nl" with N the
//   bank number in hexadecimal; lines "$ADDRESS[/SIZE]#NAME#COMMENT" with
//   the CPU address, SIZE an array size; a line that starts with '\' goes
//   on with the comment above. "GAME.nes.ram.nl" holds RAM names: skipped.
// A file's layout is that of its first label line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class TLabelLayout { Mesen, FCEUX };

// "Mesen", "FCEUX".
const char* LabelLayoutName(TLabelLayout layout);

struct TLabel {
  std::string name;
  std::string comment;          // line breaks as '\n'
  std::uint64_t prgOffset = 0;  // from the PRG ROM's first byte
  std::uint64_t size = 0;       // a range or an array size; 0 when none is given
};

struct TLabelFile {
  std::string file;  // the name as given
  TLabelLayout layout = TLabelLayout::Mesen;
  bool ramList = false;        // an FCEUX RAM name list, skipped whole
  std::vector<TLabel> labels;  // the PRG ROM's labels, in file order
  // Lines that are neither labels, nor blank, nor labels of other memories.
  std::uint64_t badLines = 0;
  unsigned firstBadLine = 0;   // 1-based
  std::string firstBadWhat;
};

// Reads a whole label file held in memory; `shownName` is the name messages
// use, and for FCEUX gives the bank number. On failure `file` is empty and
// `error` reads "NAME:LINE: what is wrong" (or "NAME: what is wrong").
bool ParseLabelFile(std::string_view text, const std::string& shownName, TLabelFile& file,
                    std::string& error);

// Reads the named regular file whole and parses it.
bool LoadLabelFile(const std::string& path, TLabelFile& file, std::string& error);

// "game.mlb: 2 lines that are not labels skipped (the first, line 7: ...)",
// or "game.nes.ram.nl: RAM names, skipped"; empty when there is nothing to say.
std::string LabelFileNote(const TLabelFile& file);
