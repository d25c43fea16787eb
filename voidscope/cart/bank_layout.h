// The banks of an image in the sizes a cartridge switches them: 8, 16 or
// 32 KB of PRG, 1 to 8 KB of CHR. The header's counts (bytes 4 and 5) say
// how large the PRG and CHR areas are; the chosen sizes only cut them up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "nes_image.h"

struct TBankSizes {
  std::uint64_t prg = PRGBankSize;
  std::uint64_t chr = CHRBankSize;
  bool operator==(const TBankSizes&) const = default;
};

// The sizes a bank may be cut to.
inline constexpr std::uint64_t PRGBankSizes[] = {8192, 16384, 32768};
inline constexpr std::uint64_t CHRBankSizes[] = {1024, 2048, 4096, 8192};
bool IsPRGBankSize(std::uint64_t size);
bool IsCHRBankSize(std::uint64_t size);

// One bank: `size` bytes from file offset `offset`, of which the file holds
// the first `held`. A bank is shorter than its kind's size only when it is
// the last of an area that is not a whole number of them (32 KB banks over
// 3 x 16 KB).
struct TBankSpan {
  TBankKind kind = TBankKind::PRG;
  unsigned index = 0;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  std::uint64_t held = 0;
  std::uint64_t Missing() const { return size - held; }
  std::uint64_t End() const { return offset + size; }
};

class TBankLayout {
 public:
  // No banks.
  TBankLayout() = default;
  // The banks of a header naming `prgCount` x 16 KB and `chrCount` x 8 KB,
  // of a file whose first `loaded` bytes are held.
  TBankLayout(unsigned prgCount, unsigned chrCount, std::uint64_t loaded, TBankSizes sizes = {});
  // The held image's banks (none when no image is held).
  explicit TBankLayout(const TNESImage& image, TBankSizes sizes = {});

  TBankSizes Sizes() const { return sizes_; }
  // PRG banks first, each kind in file order.
  const std::vector<TBankSpan>& Banks() const { return banks_; }
  unsigned Count(TBankKind kind) const { return kind == TBankKind::PRG ? prgBanks_ : chrBanks_; }
  // Where a bank stands in Banks(); Banks().size() when there is no such bank.
  std::size_t Row(TBankKind kind, unsigned index) const;
  // The bank, or nullptr when there is no such bank.
  const TBankSpan* Find(TBankKind kind, unsigned index) const;
  // The bank that holds a file offset; nullptr in the header and past the
  // last bank.
  const TBankSpan* At(std::uint64_t fileOffset) const;

  // The areas: PRG from 16 to CHRStart(), CHR from there to End().
  std::uint64_t CHRStart() const { return chrStart_; }
  std::uint64_t End() const { return end_; }

 private:
  TBankSizes sizes_;
  std::vector<TBankSpan> banks_;
  unsigned prgBanks_ = 0;
  unsigned chrBanks_ = 0;
  std::uint64_t chrStart_ = NESHeaderSize;
  std::uint64_t end_ = NESHeaderSize;
};

// The bytes of a bank that the file holds (fewer than its size, or none,
// when the file ends early).
std::span<const std::uint8_t> BankBytes(const TNESImage& image, const TBankSpan& bank);

// A bank's map: 64 cells to a row as the 16 KB and 8 KB maps are, as many
// rows as the bank's size needs (an 8 KB PRG bank 128, a 1 KB CHR bank 16).
int BankMapRows(const TBankSpan& bank);
void BankMap(const TNESImage& image, const TBankSpan& bank, std::uint8_t emptyByte,
             std::uint8_t* cells, std::size_t stride);
