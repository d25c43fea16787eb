// The ld65 linker's debug file (`ld65 --dbgfile`, format version 2.x), read
// whole into plain records. No user interface.
//
// The file is text, one record a line: a keyword, a tab, then comma-separated
// key=value pairs. Values are numbers (decimal or 0x hexadecimal), quoted
// strings, bare words or '+'-joined id lists. Record types and keys that are
// not needed here are skipped, since later linkers add some.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Sizes and file offsets beyond this are refused: no 6502 output comes near it.
inline constexpr std::uint64_t MaxDbgSize = 16 * 1024 * 1024;

struct TDbgSegment {
  unsigned id = 0;
  std::string name;
  std::uint64_t start = 0;  // CPU address of the first byte (the run address)
  std::uint64_t size = 0;
  bool readOnly = false;    // type=ro
  // The segment's bytes are in an output file: oname and ooffs were given.
  // ld65 gives them exactly to the segments whose bytes it wrote.
  bool hasOutput = false;
  std::string outputName;   // oname as written, path and all
  std::uint64_t outputOffset = 0;  // ooffs
};

struct TDbgSpan {
  unsigned id = 0;
  unsigned segment = 0;
  std::uint64_t start = 0;  // within the segment
  std::uint64_t size = 0;
};

struct TDbgSource {
  unsigned id = 0;
  std::string name;
};

struct TDbgLine {
  unsigned id = 0;
  unsigned file = 0;
  unsigned line = 0;
  unsigned type = 0;  // 0 assembler source, 1 external (C) source, 2 macro body
  std::vector<unsigned> spans;
};

struct TDbgSymbol {
  unsigned id = 0;
  std::string name;
  std::int64_t value = 0;
  bool hasSegment = false;
  unsigned segment = 0;
  bool isLabel = false;  // type=lab
};

struct TDbgScope {
  unsigned id = 0;
  std::string name;
  bool hasParent = false;
  unsigned parent = 0;
  std::vector<unsigned> spans;
};

// Every vector is indexed by id: ids run from 0 without gaps, and every id a
// record refers to exists.
struct TDebugInfo {
  std::vector<TDbgSegment> segments;
  std::vector<TDbgSpan> spans;
  std::vector<TDbgSource> files;
  std::vector<TDbgLine> lines;
  std::vector<TDbgSymbol> symbols;
  std::vector<TDbgScope> scopes;
};

// Reads a whole debug file held in memory. `shownName` is what error messages
// call the file. On failure `info` is left empty and `error` reads
// "NAME:LINE: what is wrong" (or "NAME: what is wrong" for the file as a whole).
bool ParseDebugInfo(std::string_view text, const std::string& shownName, TDebugInfo& info,
                    std::string& error);

// Reads the named file whole and parses it; messages name the file as given.
bool LoadDebugInfo(const std::string& path, TDebugInfo& info, std::string& error);
