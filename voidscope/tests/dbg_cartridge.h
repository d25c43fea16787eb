// A small cartridge assembled and linked by ca65 and ld65 with its debug
// file, for the tests of the debug-file reader and the segment placement.
// Four PRG banks and two CHR banks: a header segment; CODE and BIG sharing
// bank 0, BIG crossing into bank 1; LEVELA and LEVELB sharing bank 2, LEVELB
// with a run of the empty byte and a macro; a read/write DATA segment loaded
// into bank 3 (run in RAM) with the vectors; TILES crossing from CHR bank 0
// into CHR bank 1, with a run of $00; zero-page and BSS segments that have no
// bytes in the file.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "temp_files.h"

inline const char* const DbgCartridgeConfig = R"(MEMORY {
    ZP:     start = $0000, size = $0100, type = rw, file = "";
    RAM:    start = $0300, size = $0500, type = rw, file = "";
    HEADER: start = $0000, size = $0010, type = ro, file = %O, fill = yes;
    PRG01:  start = $8000, size = $8000, type = ro, file = %O, fill = yes, fillval = $FF;
    PRG2:   start = $8000, size = $4000, type = ro, file = %O, fill = yes, fillval = $FF;
    PRG3:   start = $C000, size = $4000, type = ro, file = %O, fill = yes, fillval = $FF;
    CHR:    start = $0000, size = $4000, type = ro, file = %O, fill = yes, fillval = $00;
}
SEGMENTS {
    ZEROPAGE: load = ZP,     type = zp;
    BSS:      load = RAM,    type = bss;
    HEADER:   load = HEADER, type = ro;
    CODE:     load = PRG01,  type = ro;
    BIG:      load = PRG01,  type = ro;
    LEVELA:   load = PRG2,   type = ro;
    LEVELB:   load = PRG2,   type = ro;
    DATA:     load = PRG3,   run = RAM, type = rw;
    VECTORS:  load = PRG3,   type = ro, start = $FFFA;
    TILES:    load = CHR,    type = ro;
}
)";

// Sizes: CODE 15 bytes, BIG $4000, LEVELA 1000, LEVELB 306, DATA 2,
// VECTORS 6, TILES $2100.
inline const char* const DbgCartridgeSource = R"(.macro twice value
    .byte value
    .byte value + 1
.endmacro

.segment "HEADER"
    .byte "NES", $1A, 4, 2, $00, $00
    .res 8, $00
.segment "ZEROPAGE"
total: .res 1
.segment "BSS"
buffer: .res 16
.segment "CODE"
reset:
    sei
    cld
    ldx #$FF
    txs
update:
@again:
    lda total
    clc
    adc #1
    sta total
    jmp update
.segment "BIG"
table:
    .res $3000, $11
middle:
    .res $1000, $22
.segment "LEVELA"
    .res 1000, $AB
.segment "LEVELB"
level_b:
    .byte 1, 2, 3
    .res 300, $FF
    .byte 4
    twice $5A
.segment "DATA"
counter:
    .byte 7, 8
.segment "VECTORS"
    .word reset, reset, reset
.segment "TILES"
    .byte $FF, $81
    .res 100, $00
    .res $2100 - 102, $3C
)";

// The 1-based line of the source that holds `text` first.
inline unsigned DbgCartridgeLine(const std::string& text) {
  const std::string source = DbgCartridgeSource;
  const std::size_t at = source.find(text);
  if (at == std::string::npos) return 0;
  return 1 + static_cast<unsigned>(std::count(source.begin(), source.begin() + at, '\n'));
}

inline Bytes AsBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Assembles and links the cartridge in `dir` as "out/game.nes" (so that ld65
// records that path as the output's name), with the debug file "game.dbg".
inline bool BuildDbgCartridge(const TempDir& dir) {
  dir.Write("game.s", AsBytes(DbgCartridgeSource));
  dir.Write("game.cfg", AsBytes(DbgCartridgeConfig));
  std::filesystem::create_directory(dir.File("out"));
  const std::string command = "cd '" + dir.path() + "' && " CA65 " -g game.s -o game.o && " LD65
                              " -C game.cfg game.o -o out/game.nes --dbgfile game.dbg";
  return std::system(command.c_str()) == 0;
}
