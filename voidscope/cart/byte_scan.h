// Scanning a bank eight bytes at a time: free space comes in long runs of
// one value, and both the empty-byte search and the free runs walk them.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

inline constexpr std::uint64_t EveryByteOne = 0x0101010101010101ull;

inline std::uint64_t Load64(const std::uint8_t* p) {
  std::uint64_t word;
  std::memcpy(&word, p, 8);
  return word;
}

// The first offset from `from` on (before `size`) whose byte is not v, or size.
inline std::size_t NextDifferent(const std::uint8_t* b, std::size_t from, std::size_t size,
                                 std::uint8_t v) {
  std::size_t t = from;
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t pattern = EveryByteOne * v;
    while (t + 8 <= size) {
      const std::uint64_t diff = Load64(b + t) ^ pattern;
      if (diff != 0) return t + static_cast<std::size_t>(std::countr_zero(diff)) / 8;
      t += 8;
    }
  }
  while (t < size && b[t] == v) ++t;
  return t;
}
