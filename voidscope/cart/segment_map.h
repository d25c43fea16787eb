// The segments of a debug file placed in one image's banks, and what a byte
// of the image is: its segment, the label before it and its source line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bank_layout.h"
#include "debug_info.h"
#include "summary.h"

// The piece of a segment that lies in one bank.
struct TSegmentPart {
  unsigned segment = 0;  // id in TDebugInfo::segments
  std::string name;
  TBankKind kind = TBankKind::PRG;
  unsigned bank = 0;
  std::uint64_t offset = 0;         // from the bank's first byte
  std::uint64_t size = 0;
  std::uint64_t segmentOffset = 0;  // of the part's first byte within the segment
};

// The piece of a segment that lies in no bank: the header, or past the last bank.
struct TOutsidePart {
  std::string name;
  std::uint64_t fileOffset = 0;
  std::uint64_t size = 0;
  unsigned segment = 0;  // id in TDebugInfo::segments
};

// Lookup tables for DescribeOrigin, built once by PlaceSegments.
struct TOriginIndex {
  // A placed segment's bytes in the file; sorted, never overlapping.
  struct TRange {
    std::uint64_t fileStart = 0;
    std::uint64_t fileEnd = 0;  // one past the last byte
    unsigned segment = 0;
  };
  // A label of a placed segment, by file offset; one per offset.
  struct TLabel {
    std::uint64_t fileOffset = 0;
    unsigned symbol = 0;
  };
  // From fileStart up to the next entry's fileStart, the bytes' source line
  // (NoLine where no line's span covers them).
  struct TSource {
    std::uint64_t fileStart = 0;
    unsigned line = 0;
  };
  static constexpr unsigned NoLine = ~0u;
  std::vector<TRange> ranges;
  std::vector<TLabel> labels;
  std::vector<TSource> sources;
};

struct TSegmentMap {
  std::vector<TSegmentPart> parts;     // file-offset order
  std::vector<TOutsidePart> outside;   // file-offset order
  TOriginIndex index;
};

// Places the segments whose bytes ld65 wrote into this image: those with an
// output name and offset, size > 0, and an output name whose last path
// component is the image file's name. (ld65 gives oname/ooffs exactly to the
// segments it wrote, so a read/write DATA segment loaded into ROM counts too.)
// A segment's bytes are the file offsets ooffs .. ooffs + size - 1; the banks
// lie as the header says: 16-byte header, prgCount x 16384, chrCount x 8192,
// cut into banks of `sizes` (a segment across a boundary has a part in each).
// Fails, with `error` naming the image and the output file(s) the debug file
// describes, when no segment is in the image, and when two overlap.
bool PlaceSegments(const TDebugInfo& info, const std::string& imagePath, unsigned prgCount,
                   unsigned chrCount, TSegmentMap& map, std::string& error,
                   TBankSizes sizes = {});

struct TByteOrigin {
  bool inSegment = false;
  std::string segment;
  std::uint64_t segmentOffset = 0;
  // The nearest label of the same segment at or before the byte: "update+3".
  bool hasLabel = false;
  std::string label;
  std::uint64_t labelDistance = 0;
  // The line whose span is the smallest that covers the byte.
  bool hasSource = false;
  std::string sourceFile;
  unsigned sourceLine = 0;
};

// What the byte at `fileOffset` in the image is. `info` and `map` should be
// the pair PlaceSegments was given and filled; a mismatched pair gives wrong
// answers but never reads past a record. Binary searches only: fast enough
// for every mouse move.
TByteOrigin DescribeOrigin(const TDebugInfo& info, const TSegmentMap& map,
                           std::uint64_t fileOffset);
