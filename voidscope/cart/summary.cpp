#include "summary.h"

#include <algorithm>
#include <span>

#include "byte_scan.h"

namespace {

// Free bytes are those equal to `freeValue`; bytes past the loaded part are
// missing, never free. One pass without a branch per byte: an image of
// every other byte free costs no more than one of long runs.
void CountBank(std::span<const std::uint8_t> loaded, std::uint8_t freeValue, TBankSummary& row) {
  std::uint64_t free = 0;
  std::uint64_t run = 0;
  std::uint64_t best = 0;
  std::uint64_t bestEnd = 0;
  for (std::size_t o = 0; o < loaded.size(); ++o) {
    const bool isFree = loaded[o] == freeValue;
    free += isFree;
    run = isFree ? run + 1 : 0;
    // Strictly longer only: of equal runs the first wins.
    if (run > best) {
      best = run;
      bestEnd = o + 1;
    }
  }
  row.free = free;
  if (best > 0) row.largestFreeRun = {bestEnd - best, best};
  row.missing = row.size - loaded.size();
  row.used = row.size - row.free - row.missing;
}

void AddTo(TKindTotals& totals, const TBankSummary& row) {
  totals.size += row.size;
  totals.used += row.used;
  totals.free += row.free;
  totals.missing += row.missing;
  totals.usedDelta += row.usedDelta;
}

}  // namespace

std::string BankLabel(TBankKind kind, unsigned index) {
  static const char digits[] = "0123456789ABCDEF";
  // Two digits at least; small banks of a large image number past $FF.
  std::string number;
  for (unsigned v = index; v > 0 || number.size() < 2; v >>= 4) number.insert(number.begin(), digits[v & 15]);
  return (kind == TBankKind::PRG ? "PRG $" : "CHR $") + number;
}

TCartSummary SummariseNES(const TNESImage& image, const TBankSizeChoice& choice) {
  TCartSummary summary;
  summary.mapper = image.Mapper();
  summary.prgCount = image.PRGCount();
  summary.chrCount = image.CHRCount();
  summary.emptyByte = image.FindEmptyByte();
  summary.header = ReadNESHeader(image);
  // The mapper the header names, NES 2.0's 12 bits included.
  summary.sizes = ChooseBankSizes(choice, summary.header.mapper);
  summary.sizesFromMapper = choice.fromMapper;
  summary.mapperBanks = FindMapperBanks(summary.header.mapper);
  const TBankLayout layout(image, summary.sizes);
  if (image.FileSize() > layout.End()) summary.trailingBytes = image.FileSize() - layout.End();
  summary.banks.reserve(layout.Banks().size());
  for (const TBankSpan& bank : layout.Banks()) {
    TBankSummary row;
    row.kind = bank.kind;
    row.index = bank.index;
    row.offset = bank.offset;
    row.size = bank.size;
    CountBank(BankBytes(image, bank), FreeValue(bank.kind, summary.emptyByte), row);
    summary.banks.push_back(row);
  }
  for (const TBankSummary& row : summary.banks)
    AddTo(row.kind == TBankKind::PRG ? summary.prg : summary.chr, row);
  return summary;
}

void CompareSummaries(TCartSummary& now, const TCartSummary& old) {
  // Totals against the old totals, so that banks the new build dropped count.
  now.prg.usedDelta = static_cast<std::int64_t>(now.prg.used);
  now.chr.usedDelta = static_cast<std::int64_t>(now.chr.used);
  for (const TBankSummary& earlier : old.banks)
    (earlier.kind == TBankKind::PRG ? now.prg : now.chr).usedDelta -=
        static_cast<std::int64_t>(earlier.used);
  for (TBankSummary& row : now.banks) {
    std::int64_t before = 0;
    for (const TBankSummary& earlier : old.banks)
      if (earlier.kind == row.kind && earlier.index == row.index)
        before = static_cast<std::int64_t>(earlier.used);
    row.usedDelta = static_cast<std::int64_t>(row.used) - before;
  }
  now.compared = true;
}

std::vector<std::string> BanksBelow(const TCartSummary& summary, std::uint64_t minFree) {
  std::vector<std::string> lines;
  for (const TBankSummary& row : summary.banks)
    if (row.kind == TBankKind::PRG && row.free < minFree)
      lines.push_back(BankLabel(row.kind, row.index) + ": " + std::to_string(row.free) +
                      " bytes free, below " + std::to_string(minFree));
  return lines;
}

TByteInfo DescribeByte(const TNESImage& image, TBankKind kind, unsigned bank,
                       std::uint64_t offset, std::uint8_t emptyByte) {
  const std::uint64_t size = kind == TBankKind::PRG ? PRGBankSize : CHRBankSize;
  const std::uint64_t at = image.BankOffset(kind, bank);
  const std::uint64_t loaded = image.NESData().size();
  return DescribeByte(image, TBankSpan{kind, bank, at, size, at < loaded ? std::min(size, loaded - at) : 0},
                      offset, emptyByte);
}

TByteInfo DescribeByte(const TNESImage& image, const TBankSpan& bank, std::uint64_t offset,
                       std::uint8_t emptyByte) {
  const TBankKind kind = bank.kind;
  TByteInfo info;
  info.kind = kind;
  info.bank = bank.index;
  info.offset = offset;
  info.fileOffset = bank.offset + offset;
  const std::span<const std::uint8_t> loaded = BankBytes(image, bank);
  if (offset >= loaded.size()) return info;  // missing
  const std::uint8_t freeValue = FreeValue(kind, emptyByte);
  info.value = loaded[offset];
  if (info.value != freeValue) {
    info.state = TByteState::Used;
    return info;
  }
  info.state = TByteState::Free;
  std::uint64_t first = offset;
  while (first > 0 && loaded[first - 1] == freeValue) --first;
  const std::uint64_t end = NextDifferent(loaded.data(), offset, loaded.size(), freeValue);
  info.run = {first, end - first};
  return info;
}
