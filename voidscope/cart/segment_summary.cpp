#include "segment_summary.h"

#include <algorithm>
#include <span>

TSegmentSummary SummariseSegments(const TNESImage& image, const TCartSummary& summary,
                                  const TSegmentMap& map, const std::string& debugFile) {
  TSegmentSummary result;
  result.debugFile = debugFile;
  result.outside = map.outside;
  result.banks.resize(summary.banks.size());
  // The summary's rows are its banks in its sizes, as the parts were cut.
  const TBankLayout layout(image, summary.sizes);
  std::vector<std::uint64_t> usedInside(summary.banks.size(), 0);
  for (const TSegmentPart& part : map.parts) {
    const std::size_t r = layout.Row(part.kind, part.bank);
    if (r >= summary.banks.size()) continue;
    const std::span<const std::uint8_t> loaded = BankBytes(image, layout.Banks()[r]);
    const std::uint8_t freeValue = FreeValue(part.kind, summary.emptyByte);
    TBankSegment segment{part.name, part.offset, part.size, 0};
    // Bytes the file lacks are missing: neither free nor used.
    const std::uint64_t end = std::min<std::uint64_t>(part.offset + part.size, loaded.size());
    for (std::uint64_t o = part.offset; o < end; ++o) segment.freeInside += loaded[o] == freeValue;
    const std::uint64_t held = end > part.offset ? end - part.offset : 0;
    usedInside[r] += held - segment.freeInside;
    result.banks[r].segments.push_back(segment);
  }
  // Parts never overlap, so what the bank uses beyond them is no segment's.
  for (std::size_t r = 0; r < summary.banks.size(); ++r) {
    std::vector<TBankSegment>& segments = result.banks[r].segments;
    std::stable_sort(segments.begin(), segments.end(),
                     [](const TBankSegment& a, const TBankSegment& b) { return a.offset < b.offset; });
    result.banks[r].usedOutside = summary.banks[r].used - std::min(summary.banks[r].used, usedInside[r]);
  }
  return result;
}
