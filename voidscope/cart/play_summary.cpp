#include "play_summary.h"

#include <algorithm>

TPlaySummary SummarisePlay(const TNESImage& image, const TCartSummary& summary,
                           const TPlayLog& log, const TSegmentSummary* segments) {
  TPlaySummary result;
  result.logs = log.Logs();
  result.banks = log.BankFigures(image, summary.emptyByte, summary.sizes);
  if (!segments) return result;
  result.segmentsNeverReached.resize(segments->banks.size());
  for (std::size_t r = 0; r < segments->banks.size() && r < summary.banks.size(); ++r) {
    const TBankSummary& bank = summary.banks[r];
    for (const TBankSegment& s : segments->banks[r].segments)
      result.segmentsNeverReached[r].push_back(log.NeverReachedAt(
          image, bank.kind, bank.offset + s.offset, std::min(s.size, bank.size - std::min(s.offset, bank.size)),
          summary.emptyByte));
  }
  return result;
}
