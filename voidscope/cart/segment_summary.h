// The summary's figures per segment: which segments fill each bank, how much
// of each the map calls free, and the used bytes that no segment covers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "segment_map.h"
#include "summary.h"

struct TBankSegment {
  std::string name;
  std::uint64_t offset = 0;     // from the bank's first byte
  std::uint64_t size = 0;       // the segment's bytes in this bank
  std::uint64_t freeInside = 0; // of them, bytes the map calls free
};

struct TBankSegments {
  std::vector<TBankSegment> segments;  // offset order
  std::uint64_t usedOutside = 0;       // used bytes no segment covers
};

struct TSegmentSummary {
  std::string debugFile;              // as given
  std::vector<TBankSegments> banks;   // beside TCartSummary::banks, in its order
  std::vector<TOutsidePart> outside;  // file-offset order
};

// `summary` must be SummariseNES(image); `map` placed for the same image
// in the summary's bank sizes.
TSegmentSummary SummariseSegments(const TNESImage& image, const TCartSummary& summary,
                                  const TSegmentMap& map, const std::string& debugFile);
