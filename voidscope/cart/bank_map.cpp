#include <cstdint>

#include "bank_layout.h"
#include "nes_image.h"

namespace {

// One cell per byte, `rows` rows of 64; bytes the file does not hold are
// marked missing; a byte equal to `freeValue` is free.
void FillMap(std::span<const std::uint8_t> bank, int rows, std::uint8_t* cells, std::size_t stride,
             std::uint8_t freeValue) {
  const auto used = [freeValue](std::uint8_t v) { return v != freeValue; };
  const std::uint8_t* b = bank.data();
  const std::size_t n = bank.size();
  for (int r = 0; r < rows; ++r) {
    std::uint8_t* row = cells + static_cast<std::size_t>(r) * stride;
    const std::size_t o = static_cast<std::size_t>(r) * MapColumns;
    if (o + MapColumns <= n) {
      for (int c = 0; c < MapColumns; ++c) row[c] = used(b[o + c]) ? CellUsed : CellFree;
    } else {
      for (int c = 0; c < MapColumns; ++c)
        row[c] = o + c < n ? (used(b[o + c]) ? CellUsed : CellFree) : CellMissing;
    }
  }
}

}  // namespace

void TNESImage::PRGBankMap(unsigned bank, std::uint8_t emptyByte, std::uint8_t* cells,
                           std::size_t stride) const {
  FillMap(PRGBank(bank), PRGMapRows, cells, stride, FreeValue(TBankKind::PRG, emptyByte));
}

void TNESImage::CHRBankMap(unsigned bank, std::uint8_t* cells, std::size_t stride) const {
  FillMap(CHRBank(bank), CHRMapRows, cells, stride, FreeValue(TBankKind::CHR, 0));
}

int BankMapRows(const TBankSpan& bank) {
  return static_cast<int>((bank.size + MapColumns - 1) / MapColumns);
}

void BankMap(const TNESImage& image, const TBankSpan& bank, std::uint8_t emptyByte,
             std::uint8_t* cells, std::size_t stride) {
  FillMap(BankBytes(image, bank), BankMapRows(bank), cells, stride, FreeValue(bank.kind, emptyByte));
}
