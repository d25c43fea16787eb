#include "bank_layout.h"

#include <algorithm>

bool IsPRGBankSize(std::uint64_t size) {
  return std::find(std::begin(PRGBankSizes), std::end(PRGBankSizes), size) != std::end(PRGBankSizes);
}

bool IsCHRBankSize(std::uint64_t size) {
  return std::find(std::begin(CHRBankSizes), std::end(CHRBankSizes), size) != std::end(CHRBankSizes);
}

TBankLayout::TBankLayout(unsigned prgCount, unsigned chrCount, std::uint64_t loaded, TBankSizes sizes)
    : sizes_(sizes) {
  // A size of 0 would never end an area; any other size does.
  if (sizes_.prg == 0) sizes_.prg = PRGBankSize;
  if (sizes_.chr == 0) sizes_.chr = CHRBankSize;
  chrStart_ = NESHeaderSize + PRGBankSize * prgCount;
  end_ = chrStart_ + CHRBankSize * chrCount;
  auto cut = [&](TBankKind kind, std::uint64_t from, std::uint64_t to, std::uint64_t size) {
    unsigned index = 0;
    for (std::uint64_t offset = from; offset < to; offset += size) {
      TBankSpan bank{kind, index++, offset, std::min(size, to - offset), 0};
      bank.held = offset < loaded ? std::min(bank.size, loaded - offset) : 0;
      banks_.push_back(bank);
    }
    return index;
  };
  banks_.reserve((chrStart_ - NESHeaderSize) / sizes_.prg + (end_ - chrStart_) / sizes_.chr + 2);
  prgBanks_ = cut(TBankKind::PRG, NESHeaderSize, chrStart_, sizes_.prg);
  chrBanks_ = cut(TBankKind::CHR, chrStart_, end_, sizes_.chr);
}

TBankLayout::TBankLayout(const TNESImage& image, TBankSizes sizes)
    : TBankLayout(image.Held() ? image.PRGCount() : 0, image.Held() ? image.CHRCount() : 0,
                  image.NESData().size(), sizes) {}

std::size_t TBankLayout::Row(TBankKind kind, unsigned index) const {
  if (index >= Count(kind)) return banks_.size();
  return kind == TBankKind::PRG ? index : prgBanks_ + index;
}

const TBankSpan* TBankLayout::Find(TBankKind kind, unsigned index) const {
  const std::size_t row = Row(kind, index);
  return row < banks_.size() ? &banks_[row] : nullptr;
}

const TBankSpan* TBankLayout::At(std::uint64_t fileOffset) const {
  if (fileOffset < NESHeaderSize || fileOffset >= end_) return nullptr;
  if (fileOffset < chrStart_)
    return &banks_[static_cast<std::size_t>((fileOffset - NESHeaderSize) / sizes_.prg)];
  return &banks_[prgBanks_ + static_cast<std::size_t>((fileOffset - chrStart_) / sizes_.chr)];
}

std::span<const std::uint8_t> BankBytes(const TNESImage& image, const TBankSpan& bank) {
  const std::span<const std::uint8_t> data = image.NESData();
  if (bank.offset >= data.size()) return {};
  return data.subspan(static_cast<std::size_t>(bank.offset),
                      static_cast<std::size_t>(std::min<std::uint64_t>(bank.size, data.size() - bank.offset)));
}
