// The summary's figures from play logs: per bank what the logs reached and
// the used bytes none reached, and with a debug file the same per segment.
#pragma once

#include <cstdint>
#include <vector>

#include "play_log.h"
#include "segment_summary.h"
#include "summary.h"

struct TPlaySummary {
  std::vector<TPlayLogFile> logs;  // in the order merged
  std::vector<TBankPlay> banks;    // beside TCartSummary::banks, in its order
  // With a debug file: beside TSegmentSummary::banks[r].segments, the used
  // bytes of each segment that no log reached.
  std::vector<std::vector<std::uint64_t>> segmentsNeverReached;
};

// `summary` must be SummariseNES(image) and `log` made for the same image;
// `segments`, when given, summarised for it too.
TPlaySummary SummarisePlay(const TNESImage& image, const TCartSummary& summary,
                           const TPlayLog& log, const TSegmentSummary* segments);
