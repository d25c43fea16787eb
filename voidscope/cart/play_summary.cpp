#include "play_summary.h"

TPlaySummary SummarisePlay(const TNESImage& image, const TCartSummary& summary,
                           const TPlayLog& log, const TSegmentSummary* segments) {
  TPlaySummary result;
  result.logs = log.Logs();
  result.banks = log.BankFigures(image, summary.emptyByte);
  if (!segments) return result;
  result.segmentsNeverReached.resize(segments->banks.size());
  for (std::size_t r = 0; r < segments->banks.size() && r < summary.banks.size(); ++r) {
    const TBankSummary& bank = summary.banks[r];
    for (const TBankSegment& s : segments->banks[r].segments)
      result.segmentsNeverReached[r].push_back(
          log.NeverReached(image, bank.kind, bank.index, s.offset, s.size, summary.emptyByte));
  }
  return result;
}
