// CRC-32 with zlib's polynomial and conventions, so that a checksum the
// emulators write can be compared with one of ours.
#pragma once

#include <cstdint>
#include <span>

// Chainable like zlib's crc32(): the CRC of a+b is CRC32(b, CRC32(a)).
std::uint32_t CRC32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
