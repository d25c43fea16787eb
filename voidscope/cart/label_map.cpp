#include "label_map.h"

#include <algorithm>

namespace {

constexpr std::uint64_t TrainerBytes = 512;

// A label on its way to its bank: where it goes and what it is.
struct TPending {
  std::size_t bank = 0;
  std::uint64_t offset = 0;
  const TLabel* label = nullptr;
};

// The row of the bank holding `fileOffset`, or banks.size().
std::size_t BankHolding(std::span<const TBankExtent> banks, std::uint64_t fileOffset) {
  const auto after = std::upper_bound(banks.begin(), banks.end(), fileOffset,
                                      [](std::uint64_t o, const TBankExtent& b) { return o < b.offset; });
  if (after == banks.begin()) return banks.size();
  const TBankExtent& bank = *(after - 1);
  if (fileOffset - bank.offset >= bank.size) return banks.size();
  return static_cast<std::size_t>(after - 1 - banks.begin());
}

}  // namespace

std::vector<TBankExtent> HeaderBankExtents(unsigned prgCount, unsigned chrCount) {
  std::vector<TBankExtent> banks;
  banks.reserve(prgCount + chrCount);
  for (unsigned j = 0; j < prgCount; ++j)
    banks.push_back({TBankKind::PRG, j, NESHeaderSize + j * PRGBankSize, PRGBankSize});
  const std::uint64_t chrStart = NESHeaderSize + prgCount * PRGBankSize;
  for (unsigned j = 0; j < chrCount; ++j)
    banks.push_back({TBankKind::CHR, j, chrStart + j * CHRBankSize, CHRBankSize});
  return banks;
}

std::uint64_t PRGROMStart(std::span<const std::uint8_t> image) {
  const bool trainer = image.size() > 6 && (image[6] & 0x04) != 0;
  return NESHeaderSize + (trainer ? TrainerBytes : 0);
}

TLabelMap PlaceLabels(std::span<const TLabelFile> files, std::span<const TBankExtent> banks,
                      std::uint64_t prgROMStart) {
  TLabelMap map;
  map.banks.assign(banks.begin(), banks.end());
  map.labels.resize(banks.size());
  std::vector<TPending> pending;
  std::size_t total = 0;
  for (const TLabelFile& file : files) total += file.labels.size();
  pending.reserve(total);
  for (const TLabelFile& file : files)
    for (const TLabel& label : file.labels) {
      const std::uint64_t fileOffset = prgROMStart + label.prgOffset;
      const std::size_t row = BankHolding(banks, fileOffset);
      if (row == banks.size()) {
        ++map.outside;
        continue;
      }
      pending.push_back({row, fileOffset - banks[row].offset, &label});
    }
  // Stable: of labels at one offset the one read first stays first.
  std::stable_sort(pending.begin(), pending.end(), [](const TPending& a, const TPending& b) {
    return a.bank != b.bank ? a.bank < b.bank : a.offset < b.offset;
  });
  for (std::size_t i = 0; i < pending.size(); ++i) {
    const TPending& p = pending[i];
    if (i > 0 && pending[i - 1].bank == p.bank && pending[i - 1].offset == p.offset) {
      ++map.shared;
      continue;
    }
    const std::uint64_t bankSize = banks[p.bank].size;
    // The next label at another offset of the same bank ends an unsized span.
    std::size_t next = i + 1;
    while (next < pending.size() && pending[next].bank == p.bank && pending[next].offset == p.offset) ++next;
    const std::uint64_t end =
        p.label->size > 0 ? std::min(bankSize, p.offset + std::min(p.label->size, bankSize))
        : next < pending.size() && pending[next].bank == p.bank ? pending[next].offset
                                                                 : bankSize;
    map.labels[p.bank].push_back({p.label->name, p.label->comment, p.offset, end - p.offset, 0});
  }
  return map;
}

void CountLabelUse(TLabelMap& map, std::span<const std::uint8_t> image, std::uint8_t emptyByte) {
  // Used bytes before each offset of the bank: every span then costs two
  // look-ups, however much the spans overlap.
  std::vector<std::uint32_t> usedBefore;
  for (std::size_t r = 0; r < map.banks.size() && r < map.labels.size(); ++r) {
    if (map.labels[r].empty()) continue;
    const TBankExtent& bank = map.banks[r];
    const std::uint64_t held =
        bank.offset >= image.size() ? 0 : std::min<std::uint64_t>(bank.size, image.size() - bank.offset);
    const std::uint8_t freeValue = FreeValue(bank.kind, emptyByte);
    usedBefore.assign(held + 1, 0);
    for (std::uint64_t o = 0; o < held; ++o)
      usedBefore[o + 1] = usedBefore[o] + (image[bank.offset + o] != freeValue);
    for (TPlacedLabel& label : map.labels[r]) {
      const std::uint64_t first = std::min(label.offset, held);
      const std::uint64_t end = std::min(label.offset + label.size, held);
      label.used = usedBefore[end] - usedBefore[first];
    }
  }
}

const TPlacedLabel* LabelAt(const TLabelMap& map, std::size_t bank, std::uint64_t offset) {
  if (bank >= map.labels.size()) return nullptr;
  const std::vector<TPlacedLabel>& labels = map.labels[bank];
  auto at = std::upper_bound(labels.begin(), labels.end(), offset,
                             [](std::uint64_t o, const TPlacedLabel& l) { return o < l.offset; });
  // Sized labels may end before the byte while one that starts earlier covers it.
  while (at != labels.begin()) {
    --at;
    if (offset - at->offset < at->size) return &*at;
  }
  return nullptr;
}

std::string LabelDistanceText(const TPlacedLabel& label, std::uint64_t offset) {
  if (offset <= label.offset) return label.name;
  static const char digits[] = "0123456789ABCDEF";
  std::string hex;
  for (std::uint64_t d = offset - label.offset; d != 0; d >>= 4) hex.insert(hex.begin(), digits[d & 15]);
  return label.name + "+$" + hex;
}
