#include "segment_map.h"

#include <algorithm>
#include <queue>
#include <string_view>

namespace {

// ld65 writes the output name as it was given, folders and all, in the
// writer's own path style.
std::string_view LastComponent(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Why no segment is in the image: "the debug file describes "a.nes", "b.bin",
// not "game.nes"", naming at most a few outputs (a hostile file can name
// thousands).
std::string ForeignOutputs(const TDebugInfo& info, const std::string& imagePath) {
  std::vector<std::string_view> names;
  std::size_t more = 0;
  for (const TDbgSegment& s : info.segments) {
    if (!s.hasOutput || std::find(names.begin(), names.end(), s.outputName) != names.end()) continue;
    if (LastComponent(s.outputName) == LastComponent(imagePath))
      return "the debug file names \"" + imagePath + "\" only for empty segments";
    if (names.size() < 4) names.push_back(s.outputName);
    else ++more;
  }
  if (names.empty()) return "the debug file names no output file, so none of it is in \"" + imagePath + "\"";
  std::string text = "the debug file describes ";
  for (std::size_t i = 0; i < names.size(); ++i)
    text += (i ? ", \"" : "\"") + std::string(names[i]) + "\"";
  if (more) text += " and " + std::to_string(more) + " more";
  return text + ", not \"" + imagePath + "\"";
}

// Splits one segment's file bytes [begin, end) at the header's end and the
// bank boundaries.
void Split(const TDbgSegment& s, const TBankLayout& layout, TSegmentMap& map) {
  const std::uint64_t begin = s.outputOffset, end = s.outputOffset + s.size;
  std::uint64_t pos = begin;
  if (pos < NESHeaderSize) {
    const std::uint64_t stop = std::min(end, NESHeaderSize);
    map.outside.push_back({s.name, pos, stop - pos, s.id});
    pos = stop;
  }
  while (pos < end) {
    const TBankSpan* bank = layout.At(pos);
    if (!bank) break;
    TSegmentPart part{s.id, s.name};
    part.kind = bank->kind;
    part.bank = bank->index;
    const std::uint64_t stop = std::min(end, bank->End());
    part.offset = pos - bank->offset;
    part.size = stop - pos;
    part.segmentOffset = pos - begin;
    map.parts.push_back(std::move(part));
    pos = stop;
  }
  if (pos < end) map.outside.push_back({s.name, pos, end - pos, s.id});
}

// One label per file offset: a plain label before a cheap local ("@loop") at
// the same place, then the one defined first.
void IndexLabels(const TDebugInfo& info, const std::vector<bool>& placed, TOriginIndex& index) {
  for (const TDbgSymbol& sym : info.symbols) {
    if (!sym.isLabel || !sym.hasSegment || !placed[sym.segment]) continue;
    const TDbgSegment& seg = info.segments[sym.segment];
    // A label past the segment's last byte (an end marker) names no byte of it.
    if (sym.value < 0 || static_cast<std::uint64_t>(sym.value) < seg.start) continue;
    const std::uint64_t distance = static_cast<std::uint64_t>(sym.value) - seg.start;
    if (distance >= seg.size) continue;
    index.labels.push_back({seg.outputOffset + distance, sym.id});
  }
  const auto local = [&](unsigned symbol) { return info.symbols[symbol].name.starts_with('@'); };
  std::sort(index.labels.begin(), index.labels.end(), [&](const auto& a, const auto& b) {
    if (a.fileOffset != b.fileOffset) return a.fileOffset < b.fileOffset;
    if (local(a.symbol) != local(b.symbol)) return !local(a.symbol);
    return a.symbol < b.symbol;
  });
  index.labels.erase(std::unique(index.labels.begin(), index.labels.end(),
                                 [](const auto& a, const auto& b) { return a.fileOffset == b.fileOffset; }),
                     index.labels.end());
}

// For every byte the smallest span that a line names: one sweep over the
// span ends, keeping the covering spans in a heap by size. Spans of equal
// size go to assembler source before C source before macro bodies.
void IndexSources(const TDebugInfo& info, const std::vector<bool>& placed, TOriginIndex& index) {
  constexpr unsigned None = TOriginIndex::NoLine;
  std::vector<unsigned> lineOf(info.spans.size(), None);
  for (const TDbgLine& line : info.lines)
    for (const unsigned span : line.spans) {
      unsigned& best = lineOf[span];
      if (best == None || line.type < info.lines[best].type) best = line.id;
    }
  struct TItem {
    std::uint64_t start, end;
    unsigned type, span, line;
  };
  std::vector<TItem> items;
  std::vector<std::uint64_t> bounds;
  for (const TDbgSpan& span : info.spans) {
    if (lineOf[span.id] == None || span.size == 0 || !placed[span.segment]) continue;
    const std::uint64_t start = info.segments[span.segment].outputOffset + span.start;
    items.push_back({start, start + span.size, info.lines[lineOf[span.id]].type, span.id, lineOf[span.id]});
    bounds.push_back(start);
    bounds.push_back(start + span.size);
  }
  std::sort(items.begin(), items.end(), [](const TItem& a, const TItem& b) { return a.start < b.start; });
  std::sort(bounds.begin(), bounds.end());
  bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
  const auto larger = [&](std::size_t a, std::size_t b) {
    const TItem &x = items[a], &y = items[b];
    const std::uint64_t xs = x.end - x.start, ys = y.end - y.start;
    if (xs != ys) return xs > ys;
    if (x.type != y.type) return x.type > y.type;
    return x.span > y.span;
  };
  std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(larger)> covering(larger);
  std::size_t next = 0;
  for (const std::uint64_t pos : bounds) {
    while (next < items.size() && items[next].start == pos) covering.push(next++);
    // Spans that ended are dropped when they come to the top; below the top
    // they change nothing.
    while (!covering.empty() && items[covering.top()].end <= pos) covering.pop();
    const unsigned line = covering.empty() ? None : items[covering.top()].line;
    if (index.sources.empty() ? line != None : index.sources.back().line != line)
      index.sources.push_back({pos, line});
  }
}

// The last entry at or before `offset`, or end when there is none.
template <class T>
typename std::vector<T>::const_iterator AtOrBefore(const std::vector<T>& sorted, std::uint64_t offset,
                                                   std::uint64_t T::*key) {
  auto after = std::upper_bound(sorted.begin(), sorted.end(), offset,
                                [key](std::uint64_t o, const T& e) { return o < e.*key; });
  return after == sorted.begin() ? sorted.end() : after - 1;
}

}  // namespace

bool PlaceSegments(const TDebugInfo& info, const std::string& imagePath, unsigned prgCount,
                   unsigned chrCount, TSegmentMap& map, std::string& error, TBankSizes sizes) {
  map = TSegmentMap();
  const std::string_view imageName = LastComponent(imagePath);
  std::vector<unsigned> placed;
  for (const TDbgSegment& s : info.segments)
    if (s.hasOutput && s.size > 0 && LastComponent(s.outputName) == imageName) placed.push_back(s.id);
  if (placed.empty()) {
    error = ForeignOutputs(info, imagePath);
    return false;
  }
  std::sort(placed.begin(), placed.end(), [&](unsigned a, unsigned b) {
    return info.segments[a].outputOffset < info.segments[b].outputOffset;
  });
  for (std::size_t i = 1; i < placed.size(); ++i) {
    const TDbgSegment &before = info.segments[placed[i - 1]], &s = info.segments[placed[i]];
    if (s.outputOffset < before.outputOffset + before.size) {
      error = "segments " + before.name + " and " + s.name + " of the debug file overlap in \"" +
              imagePath + "\" at file offset " + std::to_string(s.outputOffset);
      return false;
    }
  }
  // Where the banks lie does not depend on how much of the file is there.
  const TBankLayout layout(prgCount, chrCount, MaxNESSize, sizes);
  std::vector<bool> isPlaced(info.segments.size(), false);
  for (const unsigned id : placed) {
    const TDbgSegment& s = info.segments[id];
    isPlaced[id] = true;
    Split(s, layout, map);
    map.index.ranges.push_back({s.outputOffset, s.outputOffset + s.size, id});
  }
  IndexLabels(info, isPlaced, map.index);
  IndexSources(info, isPlaced, map.index);
  return true;
}

TByteOrigin DescribeOrigin(const TDebugInfo& info, const TSegmentMap& map, std::uint64_t fileOffset) {
  TByteOrigin origin;
  const TOriginIndex& index = map.index;
  const auto range = AtOrBefore(index.ranges, fileOffset, &TOriginIndex::TRange::fileStart);
  // A map from another debug file than `info` must not read past its records.
  if (range == index.ranges.end() || fileOffset >= range->fileEnd ||
      range->segment >= info.segments.size())
    return origin;
  origin.inSegment = true;
  origin.segment = info.segments[range->segment].name;
  origin.segmentOffset = fileOffset - range->fileStart;
  const auto label = AtOrBefore(index.labels, fileOffset, &TOriginIndex::TLabel::fileOffset);
  if (label != index.labels.end() && label->fileOffset >= range->fileStart &&
      label->symbol < info.symbols.size()) {
    origin.hasLabel = true;
    origin.label = info.symbols[label->symbol].name;
    origin.labelDistance = fileOffset - label->fileOffset;
  }
  const auto source = AtOrBefore(index.sources, fileOffset, &TOriginIndex::TSource::fileStart);
  if (source != index.sources.end() && source->line < info.lines.size() &&
      info.lines[source->line].file < info.files.size()) {
    const TDbgLine& line = info.lines[source->line];
    origin.hasSource = true;
    origin.sourceFile = info.files[line.file].name;
    origin.sourceLine = line.line;
  }
  return origin;
}
