#include "crc32.h"

#include <array>

namespace {

// Eight tables, so that eight bytes go in per step (a headed log of the
// largest image asks for the checksum of 4 MB of PRG bytes).
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
  Tables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (std::size_t k = 1; k < 8; ++k)
    for (std::size_t i = 0; i < 256; ++i)
      t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  return t;
}

constexpr Tables Table = MakeTables();

std::uint32_t Load32LE(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}

}  // namespace

std::uint32_t CRC32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
  crc = ~crc;
  const std::uint8_t* p = bytes.data();
  std::size_t n = bytes.size();
  for (; n >= 8; n -= 8, p += 8) {
    const std::uint32_t lo = Load32LE(p) ^ crc;
    const std::uint32_t hi = Load32LE(p + 4);
    crc = Table[7][lo & 0xFF] ^ Table[6][(lo >> 8) & 0xFF] ^ Table[5][(lo >> 16) & 0xFF] ^
          Table[4][lo >> 24] ^ Table[3][hi & 0xFF] ^ Table[2][(hi >> 8) & 0xFF] ^
          Table[1][(hi >> 16) & 0xFF] ^ Table[0][hi >> 24];
  }
  for (; n > 0; --n, ++p) crc = Table[0][(crc ^ *p) & 0xFF] ^ (crc >> 8);
  return ~crc;
}
