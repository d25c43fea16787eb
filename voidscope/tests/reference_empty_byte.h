// The empty-byte rules written out literally, one byte at a time, as the
// oracle for the fast scan (tests and the fuzz target).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "cart/nes_image.h"

inline std::uint8_t ReferenceEmptyByte(const TNESImage& image) {
  std::array<std::int32_t, 256> table{};
  for (unsigned j = 0; j < image.PRGCount(); ++j) {
    const std::span<const std::uint8_t> bank = image.PRGBank(j);
    if (bank.empty()) continue;
    std::uint8_t current = bank[0];
    std::int32_t repeats = 0;
    for (std::size_t o = 1; o < bank.size(); ++o) {
      const std::uint8_t v = bank[o];
      if (v == current) {
        ++repeats;
      } else {
        if (repeats >= 8) table[current] = repeats;
        current = v;
        repeats = 0;
      }
    }
  }
  std::int32_t best = -1;
  std::uint8_t empty = 0;
  for (int v = 0; v < 256; ++v)
    if (table[v] > best) {
      best = table[v];
      empty = static_cast<std::uint8_t>(v);
    }
  return empty;
}
