#include "nes_header.h"

#include <algorithm>
#include <vector>

namespace {

// NES 2.0 sizes: the count's high nibble comes from byte 9; a nibble of $F
// turns the low byte into exponent and multiplier.
TROMSize ROMSize(std::uint8_t low, unsigned highNibble, std::uint64_t unit) {
  if (highNibble == 0xF) return {2u * (low & 3u) + 1u, static_cast<unsigned>(low >> 2)};
  return {((std::uint64_t{highNibble} << 8) | low) * unit, 0};
}

std::uint64_t RAMSize(unsigned shift) { return shift == 0 ? 0 : std::uint64_t{64} << shift; }

}  // namespace

std::string TROMSize::Decimal() const {
  // Digits lowest first, doubled `shift` times.
  std::vector<int> digits;
  for (std::uint64_t f = factor; f > 0; f /= 10) digits.push_back(static_cast<int>(f % 10));
  for (unsigned s = 0; s < shift && !digits.empty(); ++s) {
    int carry = 0;
    for (int& d : digits) {
      d = d * 2 + carry;
      carry = d / 10;
      d %= 10;
    }
    if (carry) digits.push_back(carry);
  }
  if (digits.empty()) return "0";
  std::string text;
  for (auto d = digits.rbegin(); d != digits.rend(); ++d) text += static_cast<char>('0' + *d);
  return text;
}

bool TROMSize::Exceeds(std::uint64_t bytes) const {
  if (factor == 0) return false;
  if (shift >= 64) return true;
  // factor << shift > bytes, without overflow: bytes is (bytes >> shift)
  // << shift plus less than 1 << shift.
  return factor > (bytes >> shift);
}

TNESHeader ParseNESHeader(std::span<const std::uint8_t, NESHeaderSize> b) {
  TNESHeader h;
  h.nes20 = (b[7] & 0x0C) == 0x08;
  h.mapper = (b[6] >> 4) | (b[7] & 0xF0u);
  h.trainer = (b[6] & 0x04) != 0;
  h.battery = (b[6] & 0x02) != 0;
  h.mirroring = (b[6] & 0x08)   ? TMirroring::FourScreen
                : (b[6] & 0x01) ? TMirroring::Vertical
                                : TMirroring::Horizontal;
  if (!h.nes20) {
    h.prgROM = {std::uint64_t{b[4]} * PRGBankSize, 0};
    h.chrROM = {std::uint64_t{b[5]} * CHRBankSize, 0};
    return h;
  }
  h.mapper |= (b[8] & 0x0Fu) << 8;
  h.submapper = b[8] >> 4;
  h.prgROM = ROMSize(b[4], b[9] & 0x0Fu, PRGBankSize);
  h.chrROM = ROMSize(b[5], b[9] >> 4, CHRBankSize);
  h.prgRAM = RAMSize(b[10] & 0x0Fu);
  h.prgNVRAM = RAMSize(b[10] >> 4);
  h.chrRAM = RAMSize(b[11] & 0x0Fu);
  h.chrNVRAM = RAMSize(b[11] >> 4);
  h.timing = static_cast<TTiming>(b[12] & 3);
  h.miscROMs = b[14] & 3u;
  return h;
}

TNESHeader ReadNESHeader(const TNESImage& image) {
  return ParseNESHeader(image.NESData().first<NESHeaderSize>());
}

const char* FormatName(const TNESHeader& header) { return header.nes20 ? "NES 2.0" : "iNES"; }

const char* MirroringName(TMirroring mirroring) {
  switch (mirroring) {
    case TMirroring::Horizontal: return "horizontal";
    case TMirroring::Vertical: return "vertical";
    case TMirroring::FourScreen: return "four-screen";
  }
  return "";
}

const char* TimingName(TTiming timing) {
  switch (timing) {
    case TTiming::NTSC: return "NTSC";
    case TTiming::PAL: return "PAL";
    case TTiming::Multiple: return "multiple";
    case TTiming::Dendy: return "Dendy";
  }
  return "";
}
