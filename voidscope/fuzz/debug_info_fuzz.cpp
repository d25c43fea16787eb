// The linker's debug-file reader, the segment placement and the per-byte
// lookup on arbitrary input. The first two bytes are the image's PRG and CHR
// bank counts, the rest is the debug file; the image is always "game.nes".
// Whatever the reader accepts, the placement and the lookups must agree with.
#include <cstdlib>
#include <string>
#include <string_view>

#include "cart/segment_map.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

std::uint64_t BankStart(const TSegmentPart& p, unsigned prgCount) {
  return p.kind == TBankKind::PRG ? NESHeaderSize + p.bank * PRGBankSize
                                  : NESHeaderSize + prgCount * PRGBankSize + p.bank * CHRBankSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const unsigned prgCount = data[0], chrCount = data[1];
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  TDebugInfo info;
  std::string error;
  if (!ParseDebugInfo(text, "fuzz.dbg", info, error)) {
    Check(error.rfind("fuzz.dbg:", 0) == 0 && info.segments.empty() && info.spans.empty());
    return 0;
  }
  // Every reference leads somewhere, every span lies in its segment.
  for (std::size_t i = 0; i < info.spans.size(); ++i) {
    const TDbgSpan& s = info.spans[i];
    Check(s.id == i && s.segment < info.segments.size() &&
          s.start + s.size <= info.segments[s.segment].size);
  }
  for (const TDbgLine& l : info.lines) {
    Check(l.file < info.files.size());
    for (const unsigned span : l.spans) Check(span < info.spans.size());
  }
  for (const TDbgSymbol& s : info.symbols) Check(!s.hasSegment || s.segment < info.segments.size());

  TSegmentMap map;
  if (!PlaceSegments(info, "game.nes", prgCount, chrCount, map, error)) {
    Check(!error.empty() && map.parts.empty());
    return 0;
  }
  // The parts lie in their banks, in file order, without overlapping, and
  // with what lies outside the banks they hold every placed byte.
  std::uint64_t placed = 0, covered = 0, previousEnd = 0;
  for (const TDbgSegment& s : info.segments)
    if (s.hasOutput && s.size > 0 && (s.outputName == "game.nes" || s.outputName.ends_with("/game.nes") ||
                                      s.outputName.ends_with("\\game.nes")))
      placed += s.size;
  for (const TSegmentPart& p : map.parts) {
    const bool prg = p.kind == TBankKind::PRG;
    Check(p.size > 0 && p.bank < (prg ? prgCount : chrCount) &&
          p.offset + p.size <= (prg ? PRGBankSize : CHRBankSize));
    const std::uint64_t start = BankStart(p, prgCount) + p.offset;
    Check(start >= previousEnd);
    previousEnd = start + p.size;
    covered += p.size;
    // Its first and last bytes are the segment's, at the right offsets.
    for (const std::uint64_t o : {std::uint64_t{0}, p.size - 1}) {
      const TByteOrigin origin = DescribeOrigin(info, map, start + o);
      Check(origin.inSegment && origin.segment == p.name && origin.segmentOffset == p.segmentOffset + o);
      Check(!origin.hasLabel || origin.labelDistance <= origin.segmentOffset);
    }
  }
  for (const TOutsidePart& p : map.outside) covered += p.size;
  Check(covered == placed);
  return 0;
}
