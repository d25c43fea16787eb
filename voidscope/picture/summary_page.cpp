#include "summary_page.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <span>
#include <vector>

#include "cart/bank_layout.h"
#include "cart/byte_scan.h"
#include "cart/summary_markdown.h"
#include "colours.h"

namespace {

// Text in an element or an attribute value.
std::string Escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : ValidUTF8(text)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default:
        // Control characters are not allowed in an HTML document.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t') out += "\xEF\xBF\xBD";
        else out += c;
    }
  }
  return out;
}

// A JSON string that may stand inside a <script> element: no "</", no "<!--".
void JSONText(std::string& out, const std::string& text) { JSONString(out, text, true); }

std::string Num(std::uint64_t v) { return std::to_string(v); }

void Base64(std::string& out, std::span<const std::uint8_t> bytes) {
  static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  const std::size_t start = out.size();
  out.resize(start + (bytes.size() + 2) / 3 * 4);
  char* p = out.data() + start;
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3, p += 4) {
    const std::uint32_t v = (std::uint32_t{bytes[i]} << 16) | (std::uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
    p[0] = digits[v >> 18];
    p[1] = digits[(v >> 12) & 63];
    p[2] = digits[(v >> 6) & 63];
    p[3] = digits[v & 63];
  }
  if (i < bytes.size()) {
    const bool two = i + 2 == bytes.size();
    const std::uint32_t v = (std::uint32_t{bytes[i]} << 16) | (two ? std::uint32_t{bytes[i + 1]} << 8 : 0);
    p[0] = digits[v >> 18];
    p[1] = digits[(v >> 12) & 63];
    p[2] = two ? digits[(v >> 6) & 63] : '=';
    p[3] = '=';
  }
}

// Run lengths as text: a capital letter for the state, then the run's
// length in base 36 (lower case), "U1a4F6k...".
class TRuns {
 public:
  explicit TRuns(std::string& out) : out_(out) {}
  void Add(char state, std::uint64_t length = 1) {
    if (length == 0) return;
    if (state == state_) {
      length_ += length;
      return;
    }
    Flush();
    state_ = state;
    length_ = length;
  }
  void Flush() {
    if (length_ == 0) return;
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    char text[16];
    int n = 0;
    for (std::uint64_t v = length_; v > 0; v /= 36) text[n++] = digits[v % 36];
    out_ += state_;
    while (n > 0) out_ += text[--n];
    length_ = 0;
  }

 private:
  std::string& out_;
  char state_ = 0;
  std::uint64_t length_ = 0;
};

// U used, F free, M missing: one per byte of the bank as the header names it.
char State(std::span<const std::uint8_t> loaded, std::uint64_t o, std::uint8_t freeValue) {
  if (o >= loaded.size()) return 'M';
  return loaded[o] == freeValue ? 'F' : 'U';
}

// The runs found a run at a time, not a byte at a time: used bytes end at
// the next free one (memchr), free ones at the next other value. The used
// bytes' values are gathered on the way.
void States(std::string& out, std::span<const std::uint8_t> loaded, std::uint64_t size,
            std::uint8_t freeValue, std::vector<std::uint8_t>& values) {
  TRuns runs(out);
  const std::size_t held = static_cast<std::size_t>(std::min<std::uint64_t>(loaded.size(), size));
  const std::uint8_t* b = loaded.data();
  std::size_t o = 0;
  while (o < held) {
    if (b[o] == freeValue) {
      const std::size_t end = NextDifferent(b, o, held, freeValue);
      runs.Add('F', end - o);
      o = end;
    } else {
      const void* next = std::memchr(b + o, freeValue, held - o);
      const std::size_t end = next ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(next) - b) : held;
      runs.Add('U', end - o);
      values.insert(values.end(), b + o, b + end);
      o = end;
    }
  }
  runs.Add('M', size - held);
  runs.Flush();
}

// Against the earlier build, cut in the same sizes: S the same state, else
// the state now (U, F or M). A bank the earlier build lacks had no used bytes.
void Changes(std::string& out, std::span<const std::uint8_t> now, std::uint8_t freeNow,
             const TNESImage& earlier, const TBankLayout& earlierBanks, std::uint8_t earlierEmpty,
             TBankKind kind, unsigned bank, std::uint64_t size) {
  const TBankSpan* then = earlierBanks.Find(kind, bank);
  const bool had = then != nullptr;
  const std::span<const std::uint8_t> before = had ? BankBytes(earlier, *then) : std::span<const std::uint8_t>();
  const std::uint8_t freeBefore = FreeValue(kind, earlierEmpty);
  TRuns runs(out);
  for (std::uint64_t o = 0; o < size; ++o) {
    const char state = State(now, o, freeNow);
    const char old = had ? State(before, o, freeBefore) : (state == 'U' ? 'F' : state);
    runs.Add(state == old ? 'S' : state);
  }
  runs.Flush();
}

// The play logs' reach, A + the normalised flags (0 to 7), for every byte.
void Reach(std::string& out, std::span<const std::uint8_t> flags, std::uint64_t size) {
  TRuns runs(out);
  const std::uint64_t known = std::min<std::uint64_t>(flags.size(), size);
  for (std::uint64_t o = 0; o < known; ++o) runs.Add(static_cast<char>('A' + (flags[o] & 7)));
  runs.Add('A', size - known);
  runs.Flush();
}

// "#2eff33".
std::string CSSColour(TRgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
  return text;
}

// A table cell whose sort key is a number.
std::string NumberCell(std::int64_t key, const std::string& text) {
  return "<td data-sort=\"" + std::to_string(key) + "\">" + Escaped(text) + "</td>";
}

std::string BankTable(const TCartSummary& summary, const TPageSources& sources) {
  std::string out = "<table id=\"banks\" class=\"sortable\">\n<caption>Banks</caption>\n<thead><tr>"
                    "<th scope=\"col\">Bank</th><th scope=\"col\">Used</th><th scope=\"col\">Free</th>"
                    "<th scope=\"col\">Free %</th><th scope=\"col\">Largest free</th>";
  if (summary.compared) out += "<th scope=\"col\">Change</th>";
  out += "</tr></thead>\n<tbody>\n";
  for (std::size_t r = 0; r < summary.banks.size(); ++r) {
    const TBankSummary& row = summary.banks[r];
    const bool below = sources.failBelow && row.kind == TBankKind::PRG && row.free < *sources.failBelow;
    out += std::string("<tr") + (below ? " class=\"below\"" : "") + " data-bank=\"" + Num(r) + "\">";
    out += NumberCell(static_cast<std::int64_t>(r), BankLabel(row.kind, row.index));
    out += NumberCell(static_cast<std::int64_t>(row.used), Thousands(row.used));
    out += NumberCell(static_cast<std::int64_t>(row.free), Thousands(row.free));
    out += NumberCell(row.size ? static_cast<std::int64_t>(row.free * 100000 / row.size) : 0,
                      PercentText(row.free, row.size));
    const TFreeRun& run = row.largestFreeRun;
    out += NumberCell(static_cast<std::int64_t>(run.length),
                      run.length ? Thousands(run.length) + " at $" + HexText(run.offset, 4) : "-");
    if (summary.compared) out += NumberCell(row.usedDelta, SignedThousands(row.usedDelta));
    out += "</tr>\n";
  }
  return out + "</tbody>\n</table>\n";
}

std::string Totals(const char* kind, const TKindTotals& t, unsigned banks, bool compared) {
  std::string line = std::string("<li><b>") + kind + " total</b>: ";
  if (banks == 0) return line + "no banks</li>\n";
  line += TotalsFigures(t, compared);
  return line + "</li>\n";
}

std::string SegmentTable(const TCartSummary& summary, const TSegmentSummary& segments,
                         const TPlaySummary* play) {
  std::string out = "<table id=\"segments\" class=\"sortable\">\n<caption>Segments in each bank, from " +
                    Escaped(segments.debugFile) +
                    "</caption>\n<thead><tr><th scope=\"col\">Bank</th><th scope=\"col\">Segment</th>"
                    "<th scope=\"col\">In bank</th><th scope=\"col\">File</th><th scope=\"col\">Size</th>"
                    "<th scope=\"col\">Free inside</th>";
  if (play) out += "<th scope=\"col\">Never reached</th>";
  out += "</tr></thead>\n<tbody>\n";
  std::int64_t order = 0;
  for (const TOutsidePart& part : segments.outside) {
    out += "<tr>" + NumberCell(order++, part.fileOffset < NESHeaderSize ? "header" : "beyond") + "<td>" +
           Escaped(part.name) + "</td><td>-</td>" +
           NumberCell(static_cast<std::int64_t>(part.fileOffset),
                      std::string("$") + HexText(part.fileOffset, 6) + "-$" +
                          HexText(part.fileOffset + part.size - 1, 6)) +
           NumberCell(static_cast<std::int64_t>(part.size), Thousands(part.size)) +
           NumberCell(-1, "-") + (play ? NumberCell(-1, "-") : "") + "</tr>\n";
  }
  for (std::size_t r = 0; r < summary.banks.size() && r < segments.banks.size(); ++r) {
    const TBankSummary& bank = summary.banks[r];
    const std::vector<TBankSegment>& list = segments.banks[r].segments;
    for (std::size_t k = 0; k < list.size(); ++k) {
      const TBankSegment& s = list[k];
      const std::uint64_t file = bank.offset + s.offset;
      out += "<tr>" + NumberCell(order++, BankLabel(bank.kind, bank.index)) + "<td>" + Escaped(s.name) +
             "</td>" +
             NumberCell(static_cast<std::int64_t>(s.offset),
                        std::string("$") + HexText(s.offset, 4) + "-$" + HexText(s.offset + s.size - 1, 4)) +
             NumberCell(static_cast<std::int64_t>(file),
                        std::string("$") + HexText(file, 6) + "-$" + HexText(file + s.size - 1, 6)) +
             NumberCell(static_cast<std::int64_t>(s.size), Thousands(s.size)) +
             NumberCell(static_cast<std::int64_t>(s.freeInside), Thousands(s.freeInside));
      if (play) {
        const bool known = r < play->segmentsNeverReached.size() && k < play->segmentsNeverReached[r].size();
        const std::uint64_t never = known ? play->segmentsNeverReached[r][k] : 0;
        out += known ? NumberCell(static_cast<std::int64_t>(never), Thousands(never)) : NumberCell(-1, "-");
      }
      out += "</tr>\n";
    }
  }
  out += "</tbody>\n</table>\n";
  std::string outside;
  for (std::size_t r = 0; r < summary.banks.size() && r < segments.banks.size(); ++r)
    if (segments.banks[r].usedOutside > 0)
      outside += "<li>" + BankLabel(summary.banks[r].kind, summary.banks[r].index) + ": " +
                 Thousands(segments.banks[r].usedOutside) + " used bytes outside any segment</li>\n";
  if (!outside.empty()) out += "<ul>\n" + outside + "</ul>\n";
  return out;
}

std::string PlayTable(const TCartSummary& summary, const TPlaySummary& play) {
  std::string logs;
  for (const TPlayLogFile& log : play.logs)
    logs += (logs.empty() ? "" : ", ") + Escaped(log.file) + " (" + LayoutName(log.layout) + ")";
  std::string out = "<ul id=\"never-reached\">\n";
  for (const TBankKind kind : {TBankKind::PRG, TBankKind::CHR}) {
    const bool prg = kind == TBankKind::PRG;
    if ((prg ? summary.prgCount : summary.chrCount) == 0) continue;
    std::uint64_t never = 0;
    for (const TBankPlay& bank : play.banks)
      if (bank.kind == kind) never += bank.neverReached;
    const std::uint64_t used = (prg ? summary.prg : summary.chr).used;
    out += std::string("<li><b>") + (prg ? "PRG" : "CHR") + "</b>: " + Thousands(never) + " of " +
           Thousands(used) + " used bytes never reached (" + PercentText(never, used) + ")</li>\n";
  }
  out += "</ul>\n";
  if (play.banks.empty()) return out + "<p>Play logs: " + logs + "</p>\n";
  out += "<table id=\"play\" class=\"sortable\">\n<caption>Play logs: " + logs +
         "</caption>\n<thead><tr><th scope=\"col\">Bank</th><th scope=\"col\">Reached</th>"
         "<th scope=\"col\">Never reached</th><th scope=\"col\">Code</th><th scope=\"col\">Data</th>"
         "<th scope=\"col\">Drawn</th><th scope=\"col\">Read</th></tr></thead>\n<tbody>\n";
  std::int64_t order = 0;
  for (const TBankPlay& bank : play.banks) {
    const bool prg = bank.kind == TBankKind::PRG;
    auto cell = [](bool shown, std::uint64_t v) {
      return shown ? NumberCell(static_cast<std::int64_t>(v), Thousands(v)) : NumberCell(-1, "-");
    };
    out += "<tr>" + NumberCell(order++, BankLabel(bank.kind, bank.index)) + cell(true, bank.reached) +
           cell(true, bank.neverReached) + cell(prg, bank.code) + cell(prg, bank.data) +
           cell(!prg, bank.drawn) + cell(!prg, bank.read) + "</tr>\n";
  }
  return out + "</tbody>\n</table>\n";
}

std::string LabelTable(const TCartSummary& summary, const TLabelSummary& labels) {
  std::string files;
  for (const std::string& file : labels.files) files += (files.empty() ? "" : ", ") + Escaped(file);
  std::string out = "<table id=\"labels\" class=\"sortable\">\n<caption>Labels in each bank, from " + files +
                    "</caption>\n<thead><tr><th scope=\"col\">Bank</th><th scope=\"col\">Label</th>"
                    "<th scope=\"col\">In bank</th><th scope=\"col\">File</th><th scope=\"col\">Size</th>"
                    "<th scope=\"col\">Used</th></tr></thead>\n<tbody>\n";
  std::int64_t order = 0;
  for (std::size_t r = 0; r < summary.banks.size() && r < labels.map.labels.size(); ++r) {
    const TBankSummary& bank = summary.banks[r];
    for (const TPlacedLabel& l : labels.map.labels[r]) {
      const std::uint64_t file = bank.offset + l.offset;
      out += "<tr>" + NumberCell(order++, BankLabel(bank.kind, bank.index)) + "<td>" + Escaped(l.name) + "</td>" +
             NumberCell(static_cast<std::int64_t>(l.offset),
                        std::string("$") + HexText(l.offset, 4) + "-$" + HexText(l.offset + l.size - 1, 4)) +
             NumberCell(static_cast<std::int64_t>(file),
                        std::string("$") + HexText(file, 6) + "-$" + HexText(file + l.size - 1, 6)) +
             NumberCell(static_cast<std::int64_t>(l.size), Thousands(l.size)) +
             NumberCell(static_cast<std::int64_t>(l.used), Thousands(l.used)) + "</tr>\n";
    }
  }
  out += "</tbody>\n</table>\n";
  std::string notes;
  if (labels.map.outside > 0) notes += "<li>" + Thousands(labels.map.outside) + " outside the banks</li>\n";
  if (labels.map.shared > 0)
    notes += "<li>" + Thousands(labels.map.shared) + " left out: an earlier label holds their offset</li>\n";
  if (!notes.empty()) out += "<ul id=\"labels-left-out\">\n" + notes + "</ul>\n";
  return out;
}

// The data the script draws from and reads the byte under the mouse from.
// Appended to `out`: the values of a large image are megabytes, copied once.
void PageData(std::string& out, const TCartSummary& summary, const std::string& fileName,
              const TPageSources& sources, const TLabelSummary* labels) {
  const TNESImage& image = *sources.image;
  const bool withSegments = sources.segments && sources.debugInfo;
  out += "{\"file\": ";
  JSONText(out, fileName);
  out += ", \"emptyByte\": " + Num(summary.emptyByte);
  // The window's colours: the plain maps, the play-log view.
  const TPalette palette = BankPalette();
  out += ", \"colours\": {\"U\": \"" + CSSColour(palette[CellUsed]) + "\", \"F\": \"" +
         CSSColour(palette[CellFree]) + "\", \"M\": \"" + CSSColour(palette[CellMissing]) +
         "\", \"code\": \"" + CSSColour(CodeColour()) + "\", \"data\": \"" + CSSColour(DataColour()) +
         "\", \"never\": \"" + CSSColour(NeverReachedColour()) + "\"}";
  // The segment view's colours by segment id, in the window's order.
  std::vector<TSegmentColour> colours;
  std::vector<int> colourOf;
  if (withSegments) {
    colours = SegmentColours(*sources.segments);
    for (std::size_t k = 0; k < colours.size(); ++k) {
      if (colours[k].segment >= colourOf.size()) colourOf.resize(colours[k].segment + 1, -1);
      colourOf[colours[k].segment] = static_cast<int>(k);
    }
  }
  out += ", \"banks\": [";
  std::vector<std::uint8_t> values;
  const std::uint8_t earlierEmpty = sources.earlier ? sources.earlier->FindEmptyByte() : 0;
  // The rows are cut in the sizes chosen, not in the image's own 16 KB and
  // 8 KB banks: their bytes are found in banks of those sizes.
  const TBankLayout banks(image, summary.sizes);
  const TBankLayout earlierBanks =
      sources.earlier ? TBankLayout(*sources.earlier, summary.sizes) : TBankLayout();
  for (std::size_t r = 0; r < summary.banks.size(); ++r) {
    const TBankSummary& row = summary.banks[r];
    const TBankSpan* bank = banks.Find(row.kind, row.index);
    const std::span<const std::uint8_t> loaded = bank ? BankBytes(image, *bank) : std::span<const std::uint8_t>();
    const std::uint8_t freeValue = FreeValue(row.kind, summary.emptyByte);
    out += r ? ",\n" : "\n";
    out += "{\"kind\": \"" + std::string(row.kind == TBankKind::PRG ? "PRG" : "CHR") +
           "\", \"label\": \"" + BankLabel(row.kind, row.index) + "\", \"offset\": " + Num(row.offset) +
           ", \"size\": " + Num(row.size) + ", \"states\": \"";
    // Only the used bytes' values: a free byte's is the free value.
    values.clear();
    States(out, loaded, row.size, freeValue, values);
    out += "\", \"values\": \"";
    Base64(out, values);
    out += "\"";
    if (sources.earlier) {
      out += ", \"changes\": \"";
      Changes(out, loaded, freeValue, *sources.earlier, earlierBanks, earlierEmpty, row.kind, row.index,
              row.size);
      out += "\"";
    }
    if (sources.play) {
      out += ", \"reach\": \"";
      Reach(out, sources.play->FileFlags(row.offset, row.size), row.size);
      out += "\"";
    }
    if (withSegments) {
      out += ", \"parts\": [";
      const char* separator = "";
      for (const TSegmentPart& part : sources.segments->parts) {
        if (part.kind != row.kind || part.bank != row.index) continue;
        out += separator;
        separator = ", ";
        out += "[" + Num(part.offset) + ", " + Num(part.size) + ", " + Num(colourOf[part.segment]) + "]";
      }
      out += "]";
    }
    if (labels && r < labels->map.labels.size()) {
      // The readout's words for each label, from the window's own text,
      // cut where the distance goes: [offset, size, before, after].
      out += ", \"labels\": [";
      const char* separator = "";
      for (const TPlacedLabel& l : labels->map.labels[r]) {
        const std::string text = LabelByteText(l, std::string(1, '\x01'));
        const std::size_t cut = text.find('\x01');
        out += separator;
        separator = ", ";
        out += "[" + Num(l.offset) + ", " + Num(l.size) + ", ";
        JSONText(out, text.substr(0, cut) + l.name);
        out += ", ";
        JSONText(out, text.substr(cut + 1));
        out += "]";
      }
      out += "]";
    }
    out += "}";
  }
  out += "]";
  if (withSegments) {
    const TDebugInfo& info = *sources.debugInfo;
    const TOriginIndex& index = sources.segments->index;
    out += ",\n\"legend\": [";
    for (std::size_t k = 0; k < colours.size(); ++k) {
      out += k ? ", [" : "[";
      JSONText(out, colours[k].name);
      out += ", \"" + CSSColour(colours[k].colour) + "\"]";
    }
    // What a byte is in the linker's terms, as the window's readout says it.
    out += "],\n\"origin\": {\"ranges\": [";
    for (std::size_t i = 0; i < index.ranges.size(); ++i) {
      const TOriginIndex::TRange& range = index.ranges[i];
      out += i ? ", [" : "[";
      out += Num(range.fileStart) + ", " + Num(range.fileEnd) + ", ";
      JSONText(out, range.segment < info.segments.size() ? info.segments[range.segment].name : "");
      out += range.segment < info.segments.size() ? "]" : ", 0]";
    }
    out += "],\n\"labels\": [";
    bool first = true;
    for (const TOriginIndex::TLabel& label : index.labels) {
      if (label.symbol >= info.symbols.size()) continue;
      out += first ? "[" : ", [";
      first = false;
      out += Num(label.fileOffset) + ", ";
      JSONText(out, info.symbols[label.symbol].name);
      out += "]";
    }
    out += "],\n\"sources\": [";
    for (std::size_t i = 0; i < index.sources.size(); ++i) {
      const TOriginIndex::TSource& source = index.sources[i];
      out += i ? ", [" : "[";
      out += Num(source.fileStart) + ", ";
      if (source.line < info.lines.size() && info.lines[source.line].file < info.files.size())
        JSONText(out, info.files[info.lines[source.line].file].name + ":" +
                          std::to_string(info.lines[source.line].line));
      else
        out += "null";
      out += "]";
    }
    out += "]}";
  }
  if (sources.play) {
    // The words of the readout for each of the eight flag combinations.
    out += ",\n\"reachWords\": {";
    for (const TBankKind kind : {TBankKind::PRG, TBankKind::CHR}) {
      out += kind == TBankKind::PRG ? "\"PRG\": [" : ", \"CHR\": [";
      for (std::uint8_t f = 0; f < 8; ++f) {
        if (f) out += ", ";
        JSONText(out, ByteReachText(kind, f));
      }
      out += "]";
    }
    out += "}";
  }
  out += "}";
}

// Check boxes for the views the data allows.
std::string ViewControls(const TPageSources& sources, bool withSegments) {
  std::string out = "<div id=\"controls\">Zoom: ";
  for (int z = 1; z <= 4; ++z)
    out += "<label><input type=\"radio\" name=\"zoom\" value=\"" + std::to_string(z) + "\"" +
           (z == 1 ? " checked" : "") + "> " + std::to_string(z) + "x</label> ";
  if (withSegments)
    out += "<label><input type=\"checkbox\" id=\"view-segments\"> Segments</label> ";
  if (sources.play) out += "<label><input type=\"checkbox\" id=\"view-play\"> Play logs</label> ";
  if (sources.earlier) out += "<label><input type=\"checkbox\" id=\"view-changes\"> Changes</label> ";
  return out + "</div>\n<div id=\"legend\"></div>\n";
}

}  // namespace

std::string SummaryHTML(const TCartSummary& summary, const std::string& fileName,
                        const TSummaryAdditions& additions, const TPageSources& sources) {
  const bool withSegments = sources.segments && sources.debugInfo;
  const std::string title =
      TitleLine(fileName, summary.mapper, summary.prgCount, summary.chrCount, summary.emptyByte) +
      BankSizesTag(summary.sizes);  // as the window's title line says it
  std::string out;
  // The used bytes' values in base 64 are most of a large page.
  out.reserve(static_cast<std::size_t>(summary.prg.used + summary.chr.used) * 4 / 3 +
              summary.banks.size() * 4096 + 262144);
  out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         "<meta name=\"generator\" content=\"voidscope\">\n<title>" +
         Escaped(title) + "</title>\n<style>\n" + PageStyle + "</style>\n</head>\n<body>\n<h1 id=\"title\">" +
         Escaped(title) + "</h1>\n";
  out += ViewControls(sources, withSegments);
  out += "<div id=\"maps\">\n";
  for (std::size_t r = 0; r < summary.banks.size(); ++r) {
    const TBankSummary& row = summary.banks[r];
    const std::string label = BankLabel(row.kind, row.index);
    out += "<figure><figcaption>" + label + "</figcaption><canvas role=\"img\" aria-label=\"Map of " + label +
           ": " + Thousands(row.used) + " bytes used, " + Thousands(row.free) + " free\" data-bank=\"" +
           Num(r) + "\" width=\"" + std::to_string(MapColumns) + "\" height=\"" +
           Num(row.size / MapColumns) + "\"></canvas></figure>\n";
  }
  out += "</div>\n<div id=\"readout\" role=\"status\" hidden></div>\n";
  if (!summary.banks.empty()) out += BankTable(summary, sources);
  out += "<ul id=\"totals\">\n" +
         Totals("PRG", summary.prg, summary.prgCount, summary.compared) +
         Totals("CHR", summary.chr, summary.chrCount, summary.compared) + "</ul>\n";
  std::string notes;
  for (const TBankSummary& row : summary.banks)
    if (row.missing > 0)
      notes += "<li>" + BankLabel(row.kind, row.index) + ": " + Thousands(row.missing) + " of " +
               Thousands(row.size) + " bytes missing (the file ends early)</li>\n";
  if (!notes.empty()) out += "<ul id=\"missing\">\n" + notes + "</ul>\n";
  if (sources.failBelow) {
    const std::vector<std::string> below = BanksBelow(summary, *sources.failBelow);
    out += "<div id=\"fail-below\">";
    if (below.empty()) {
      out += "<p>No PRG bank has fewer than " + Thousands(*sources.failBelow) + " bytes free.</p>";
    } else {
      out += "<p class=\"below\">" + std::to_string(below.size()) +
             (below.size() == 1 ? " PRG bank" : " PRG banks") + " below " + Thousands(*sources.failBelow) +
             " bytes free:</p>\n<ul>\n";
      for (const std::string& line : below) out += "<li>" + Escaped(line) + "</li>\n";
      out += "</ul>";
    }
    out += "</div>\n";
  }
  if (additions.segments) out += SegmentTable(summary, *additions.segments, additions.play);
  if (additions.play) out += PlayTable(summary, *additions.play);
  if (additions.labels) out += LabelTable(summary, *additions.labels);
  // A script, not a JSON element: browsers read a large script's text faster.
  out += "<script>\nvar VOIDSCOPE_DATA = ";
  PageData(out, summary, fileName, sources, additions.labels);
  out += ";\n</script>\n<script>\n";
  out += PageScript;
  out += "</script>\n</body>\n</html>\n";
  return out;
}

bool WriteTextFile(const std::string& name, const std::string& text, std::string& error) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (!file) {
    error = std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int savedErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (written && closed) return true;
  error = std::strerror(written ? errno : savedErrno);
  return false;
}
