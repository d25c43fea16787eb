// A bank's figures worked out from the file's bytes one at a time, for any
// bank size, as the oracle for the summary, the JSON and the play logs.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "cart/nes_image.h"
#include "temp_files.h"

struct RefBank {
  TBankKind kind;
  unsigned index;
  std::uint64_t offset, size, used, free, missing, runOffset, runLength;
};

// `file` as written (the header names the counts); `empty` is the PRG free
// value. Banks of `prgSize` from byte 16 to the PRG area's end, then of
// `chrSize` to the CHR area's end; a last bank is what is left.
inline std::vector<RefBank> ReferenceBanks(const Bytes& file, std::uint8_t empty,
                                           std::uint64_t prgSize, std::uint64_t chrSize) {
  std::vector<RefBank> banks;
  const std::uint64_t chrStart = 16 + 16384ull * file[4], end = chrStart + 8192ull * file[5];
  auto area = [&](TBankKind kind, std::uint64_t from, std::uint64_t to, std::uint64_t size,
                  std::uint8_t freeValue) {
    unsigned index = 0;
    for (std::uint64_t at = from; at < to; at += size) {
      RefBank b{kind, index++, at, std::min(size, to - at), 0, 0, 0, 0, 0};
      std::uint64_t run = 0;
      for (std::uint64_t o = 0; o < b.size; ++o) {
        const std::uint64_t i = at + o;
        if (i >= file.size()) {
          ++b.missing;
          run = 0;
        } else if (file[i] == freeValue) {
          ++b.free;
          if (++run > b.runLength) b.runLength = run, b.runOffset = o + 1 - run;
        } else {
          ++b.used;
          run = 0;
        }
      }
      banks.push_back(b);
    }
  };
  area(TBankKind::PRG, 16, chrStart, prgSize, empty);
  area(TBankKind::CHR, chrStart, end, chrSize, 0x00);
  return banks;
}

// Images written with chosen headers: odd counts, free runs across every
// small boundary, a truncated file, CHR RAM. Each is a valid file to load.
struct WrittenImage {
  const char* name;
  Bytes bytes;
};

inline Bytes WrittenCart(unsigned prg, unsigned chr, std::size_t length = 0) {
  Bytes b(16 + 16384ull * prg + 8192ull * chr);
  b[0] = 'N', b[1] = 'E', b[2] = 'S', b[3] = 0x1A;
  b[4] = static_cast<std::uint8_t>(prg);
  b[5] = static_cast<std::uint8_t>(chr);
  b[6] = 0x40;  // mapper 4
  // Code-like PRG bytes, never two equal in a row; CHR never $00.
  for (std::size_t o = 16; o < b.size(); ++o) b[o] = static_cast<std::uint8_t>(o % 200 + 1);
  const std::size_t chrStart = 16 + 16384ull * prg;
  // Runs of $FF (the empty byte) over each 8 KB boundary and into the
  // last bytes; runs of $00 over 1 KB boundaries of CHR.
  for (std::size_t at = 16 + 8192 - 300; at + 700 < chrStart; at += 8192 + 1111)
    std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(at), 700, 0xFF);
  if (prg > 0) std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(chrStart - 50), 50, 0xFF);
  for (std::size_t at = chrStart + 1024 - 40; at + 90 < b.size(); at += 1024 + 333)
    std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(at), 90, 0x00);
  if (length) b.resize(length, 0xEA);
  return b;
}

inline std::vector<WrittenImage> WrittenImages() {
  return {
      {"odd-counts", WrittenCart(3, 3)},
      {"five-prg", WrittenCart(5, 1)},
      {"truncated-in-prg", WrittenCart(3, 1, 16 + 16384 + 9000)},
      {"truncated-in-chr", WrittenCart(2, 3, 16 + 2 * 16384 + 8192 + 3000)},
      {"chr-ram", WrittenCart(1, 0)},
      {"chr-ram-three", WrittenCart(3, 0)},
      {"trailing", [] {
         Bytes b = WrittenCart(2, 1);
         b.resize(b.size() + 5000, 0x11);
         return b;
       }()},
  };
}
