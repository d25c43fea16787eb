// Everything the 16-byte header says, iNES and NES 2.0 alike. The banks
// and figures keep to bytes 4 to 7 (see nes_image.h); this is what the
// developer reads to see what the header tells an emulator.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "nes_image.h"

enum class TMirroring { Horizontal, Vertical, FourScreen };
enum class TTiming { NTSC, PAL, Multiple, Dendy };

// A ROM size as NES 2.0 may write it, 2^E x (2M + 1) with E up to 63, which
// does not always fit 64 bits: `factor` << `shift` bytes.
struct TROMSize {
  std::uint64_t factor = 0;
  unsigned shift = 0;
  // Decimal digits, exact at any size.
  std::string Decimal() const;
  // Whether the size is larger than `bytes`.
  bool Exceeds(std::uint64_t bytes) const;
};

struct TNESHeader {
  bool nes20 = false;     // byte 7 AND $0C is $08
  unsigned mapper = 0;    // NES 2.0: 12 bits, with byte 8's low nibble
  unsigned submapper = 0; // NES 2.0 only
  TROMSize prgROM;
  TROMSize chrROM;
  bool trainer = false;
  bool battery = false;
  TMirroring mirroring = TMirroring::Horizontal;
  // NES 2.0 only, in bytes (64 << shift, 0 for a shift of 0).
  std::uint64_t prgRAM = 0;
  std::uint64_t prgNVRAM = 0;
  std::uint64_t chrRAM = 0;
  std::uint64_t chrNVRAM = 0;
  TTiming timing = TTiming::NTSC;
  unsigned miscROMs = 0;
};

inline constexpr std::uint64_t TrainerSize = 512;

// The 16 header bytes; only while an image is held.
TNESHeader ReadNESHeader(const TNESImage& image);
TNESHeader ParseNESHeader(std::span<const std::uint8_t, NESHeaderSize> bytes);

// "iNES", "NES 2.0"; "horizontal", "vertical", "four-screen"; "NTSC",
// "PAL", "multiple", "Dendy".
const char* FormatName(const TNESHeader& header);
const char* MirroringName(TMirroring mirroring);
const char* TimingName(TTiming timing);
