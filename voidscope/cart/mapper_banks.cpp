#include "mapper_banks.h"

#include <algorithm>

namespace {

constexpr std::uint64_t K = 1024;

// The smallest piece each board switches at one of its bank registers, as
// the boards are documented: where a board mixes sizes (MMC3's 2 KB and
// 1 KB CHR windows, MMC2's fixed and switched PRG), the smaller, so that
// every switched piece is a bank of its own.
constexpr TMapperBanks Table[] = {
    {0, "NROM", {32 * K, 8 * K}},
    {1, "MMC1", {16 * K, 4 * K}},
    {2, "UxROM", {16 * K, 8 * K}},
    {3, "CNROM", {32 * K, 8 * K}},
    {4, "MMC3", {8 * K, 1 * K}},
    {5, "MMC5", {8 * K, 1 * K}},
    {7, "AxROM", {32 * K, 8 * K}},
    {9, "MMC2", {8 * K, 4 * K}},
    {10, "MMC4", {16 * K, 4 * K}},
    {11, "Color Dreams", {32 * K, 8 * K}},
    {19, "Namco 163", {8 * K, 1 * K}},
    {21, "VRC4", {8 * K, 1 * K}},
    {22, "VRC2", {8 * K, 1 * K}},
    {23, "VRC2/VRC4", {8 * K, 1 * K}},
    {24, "VRC6", {8 * K, 1 * K}},
    {25, "VRC2/VRC4", {8 * K, 1 * K}},
    {26, "VRC6", {8 * K, 1 * K}},
    {34, "BNROM", {32 * K, 4 * K}},
    {66, "GxROM", {32 * K, 8 * K}},
    {69, "FME-7", {8 * K, 1 * K}},
    {71, "Camerica", {16 * K, 8 * K}},
    {85, "VRC7", {8 * K, 1 * K}},
    {206, "Namco 118", {8 * K, 1 * K}},
};

}  // namespace

std::span<const TMapperBanks> MapperBankTable() { return Table; }

const TMapperBanks* FindMapperBanks(unsigned mapper) {
  const auto row = std::find_if(std::begin(Table), std::end(Table),
                                [mapper](const TMapperBanks& r) { return r.mapper == mapper; });
  return row == std::end(Table) ? nullptr : row;
}

TBankSizes ChooseBankSizes(const TBankSizeChoice& choice, unsigned mapper) {
  TBankSizes sizes;
  if (choice.fromMapper)
    if (const TMapperBanks* row = FindMapperBanks(mapper)) sizes = row->sizes;
  if (choice.prg != 0) sizes.prg = choice.prg;
  if (choice.chr != 0) sizes.chr = choice.chr;
  return sizes;
}
