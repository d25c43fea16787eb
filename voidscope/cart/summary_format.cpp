#include "summary_format.h"

#include <algorithm>

namespace {

// Upper case, at least `digits` digits. By hand rather than snprintf: the
// segment table of a large debug file writes a hundred thousand of them.
std::string Hex(std::uint64_t v, int digits) {
  static const char hexDigits[] = "0123456789ABCDEF";
  char text[16];
  int n = 0;
  do {
    text[15 - n++] = hexDigits[v & 15];
    v >>= 4;
  } while ((v != 0 || n < digits) && n < 16);
  return std::string(text + 16 - n, static_cast<std::size_t>(n));
}

std::string Pad(const std::string& text, std::size_t width, bool right) {
  if (text.size() >= width) return text;
  const std::string fill(width - text.size(), ' ');
  return right ? fill + text : text + fill;
}

// One decimal, rounded half up: "98.9%". A few bytes never round away: 5
// bytes used of 16384 read "<0.1%", not "0.0%" beside a free "100.0%".
std::string Percent(std::uint64_t part, std::uint64_t whole) {
  if (whole == 0) return "-";
  const std::uint64_t tenths = (part * 1000 + whole / 2) / whole;
  if (part > 0 && tenths == 0) return "<0.1%";
  if (part < whole && tenths == 1000) return ">99.9%";
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "%";
}

std::string Signed(std::int64_t v) { return (v > 0 ? "+" : "") + std::to_string(v); }

// A bar of `width` cells, each part in proportion, a part that is there
// at all given at least one cell so that a nearly full bank never looks full.
std::string Bar(const TBankSummary& row, std::size_t width) {
  auto cells = [&](std::uint64_t part) {
    std::size_t n = static_cast<std::size_t>((part * width + row.size / 2) / row.size);
    return part > 0 && n == 0 ? std::size_t{1} : n;
  };
  std::size_t used = cells(row.used);
  std::size_t missing = cells(row.missing);
  const std::size_t freeCells = row.free > 0 ? std::size_t{1} : 0;
  // Give back what the minimums took, from the larger part.
  while (used + missing + freeCells > width) (used >= missing ? used : missing) -= 1;
  const std::size_t freeWidth = width - used - missing;
  return "[" + std::string(used, '#') + std::string(freeWidth, '.') + std::string(missing, '-') +
         "]";
}

// Columns: label, offsets, size, used, used %, free, free %, largest free
// run, and the change when compared. 72 columns, 79 with the change.
struct Column {
  const char* heading;
  std::size_t width;
  bool right;
  std::size_t gap;  // spaces before it
};
constexpr Column Columns[] = {
    {"Bank", 7, false, 0}, {"Offsets (hex)", 13, false, 1}, {"Size", 5, true, 2},
    {"Used", 5, true, 2},  {"Used%", 6, true, 1},           {"Free", 5, true, 2},
    {"Free%", 6, true, 1}, {"Largest free", 14, true, 2},   {"Change", 6, true, 1},
};

std::string Row(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i)
    line += std::string(Columns[i].gap, ' ') + Pad(cells[i], Columns[i].width, Columns[i].right);
  return line;
}

// Within 79 columns even for the largest image: what is missing and the
// change go on a line of their own.
std::string TotalLines(const char* kind, const TKindTotals& t, unsigned banks, bool compared) {
  std::string line = std::string(kind) + " total: ";
  if (banks == 0) return line + "no banks\n";
  line += std::to_string(t.size) + " bytes, " + std::to_string(t.used) + " used (" +
          Percent(t.used, t.size) + "), " + std::to_string(t.free) + " free (" +
          Percent(t.free, t.size) + ")\n";
  std::string more;
  if (t.missing > 0) more = std::to_string(t.missing) + " bytes missing";
  if (compared) more += (more.empty() ? "used " : ", used ") + Signed(t.usedDelta) + " since the earlier build";
  if (!more.empty()) line += "  " + more + "\n";
  return line;
}

std::string JSONCounts(const TKindTotals& t, bool compared) {
  std::string out = "{\"size\": " + std::to_string(t.size) + ", \"used\": " +
                    std::to_string(t.used) + ", \"free\": " + std::to_string(t.free) +
                    ", \"missing\": " + std::to_string(t.missing);
  if (compared) out += ", \"used_delta\": " + std::to_string(t.usedDelta);
  return out + "}";
}

// A bank label, or the heading above the labels, as wide as the widest
// label: small banks of a large image number past $FF and take a third
// digit, and every row moves with them.
std::string Label(const TCartSummary& summary, const std::string& text) {
  std::size_t width = 7;
  // Each kind's last bank has its highest number.
  for (std::size_t r = 0; r < summary.banks.size(); ++r)
    if (r + 1 == summary.banks.size() || summary.banks[r + 1].kind != summary.banks[r].kind)
      width = std::max(width, BankLabel(summary.banks[r].kind, summary.banks[r].index).size());
  return Pad(text, width, false);
}

// "512 bytes", "8 KB", "1 MB": RAM sizes are powers of two from 128 bytes.
std::string Bytes(std::uint64_t n) {
  if (n >= 1024 * 1024 && n % (1024 * 1024) == 0) return std::to_string(n / (1024 * 1024)) + " MB";
  if (n >= 1024 && n % 1024 == 0) return std::to_string(n / 1024) + " KB";
  return std::to_string(n) + " bytes";
}

// Words joined into lines of at most 79 columns, each line after the
// first indented by `indent` spaces.
std::string Wrapped(const std::string& text, std::size_t indent) {
  std::string out, line;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    if (!line.empty() && line.size() + 1 + word.size() > 79) {
      out += line + "\n";
      line = std::string(indent, ' ') + word;
    } else {
      line += (line.empty() ? "" : " ") + word;
    }
    start = end + 1;
  }
  return out + line + "\n";
}

// The header in one line (wrapped when long): what an emulator reads.
std::string HeaderLine(const TNESHeader& h) {
  std::string text = std::string("Header: ") + FormatName(h) + ", mapper " + std::to_string(h.mapper);
  if (h.nes20) {
    text += "." + std::to_string(h.submapper);
    const std::pair<const char*, std::uint64_t> rams[] = {
        {"PRG RAM", h.prgRAM}, {"PRG NVRAM", h.prgNVRAM}, {"CHR RAM", h.chrRAM}, {"CHR NVRAM", h.chrNVRAM}};
    bool any = false;
    for (const auto& [name, size] : rams)
      if (size > 0) {
        text += std::string(", ") + name + " " + Bytes(size);
        any = true;
      }
    if (!any) text += ", no RAM";
  }
  text += h.battery ? ", battery" : ", no battery";
  text += h.trainer ? ", trainer" : ", no trainer";
  if (h.nes20) text += std::string(", ") + TimingName(h.timing);
  text += std::string(", ") + MirroringName(h.mirroring) + " mirroring";
  return Wrapped(text, 8);
}

// Where the header says more than the banks and figures read, and where
// the bank sizes come from.
std::string HeaderNotes(const TCartSummary& summary) {
  const TNESHeader& h = summary.header;
  std::string notes;
  auto note = [&notes](const std::string& text) { notes += Wrapped("Note: " + text, 6); };
  if (h.trainer)
    note("the header says a 512-byte trainer comes before the PRG banks, which moves every bank "
         "512 bytes further into the file; the banks and figures here do not skip it.");
  const std::uint64_t prgBytes = PRGBankSize * summary.prgCount, chrBytes = CHRBankSize * summary.chrCount;
  if (h.nes20 && h.prgROM.Decimal() != std::to_string(prgBytes))
    note("the NES 2.0 header names " + h.prgROM.Decimal() +
         " bytes of PRG ROM; the banks and figures here read byte 4 alone: " +
         std::to_string(prgBytes) + " bytes.");
  if (h.nes20 && h.chrROM.Decimal() != std::to_string(chrBytes))
    note("the NES 2.0 header names " + h.chrROM.Decimal() +
         " bytes of CHR ROM; the banks and figures here read byte 5 alone: " +
         std::to_string(chrBytes) + " bytes.");
  if (summary.trailingBytes > 0)
    note(std::to_string(summary.trailingBytes) + (summary.trailingBytes == 1 ? " byte follows" : " bytes follow") +
         " the last bank; the figures leave " + (summary.trailingBytes == 1 ? "it" : "them") + " out.");
  if (summary.sizesFromMapper) {
    if (const TMapperBanks* row = summary.mapperBanks)
      note("mapper " + std::to_string(row->mapper) + " (" + row->board + ") switches PRG in " +
           Bytes(row->sizes.prg) + " and CHR in " + Bytes(row->sizes.chr) + " banks.");
    else
      note("mapper " + std::to_string(h.mapper) +
           " is not in the table of bank sizes: PRG in 16 KB and CHR in 8 KB banks.");
  }
  return notes;
}

void JSONHeader(std::string& out, const TNESHeader& h) {
  auto flag = [](bool v) { return v ? "true" : "false"; };
  out += std::string(",\n \"header\": {\"format\": \"") + FormatName(h) +
         "\", \"mapper\": " + std::to_string(h.mapper) +
         ", \"submapper\": " + (h.nes20 ? std::to_string(h.submapper) : "null") +
         ", \"prg_rom\": " + h.prgROM.Decimal() + ", \"chr_rom\": " + h.chrROM.Decimal() +
         ", \"trainer\": " + flag(h.trainer) + ", \"battery\": " + flag(h.battery) +
         ", \"mirroring\": \"" + MirroringName(h.mirroring) + "\"";
  if (h.nes20)
    out += ", \"prg_ram\": " + std::to_string(h.prgRAM) + ", \"prg_nvram\": " + std::to_string(h.prgNVRAM) +
           ", \"chr_ram\": " + std::to_string(h.chrRAM) + ", \"chr_nvram\": " + std::to_string(h.chrNVRAM) +
           ", \"timing\": \"" + TimingName(h.timing) + "\", \"misc_roms\": " + std::to_string(h.miscROMs);
  out += "}";
}

// The segment table: one row per segment in a bank, those outside the banks
// first, then what each bank uses beyond its segments. 70 columns wide with
// names of up to 16 characters; a longer name widens its own row only.
constexpr Column SegmentColumns[] = {
    {"Bank", 7, false, 0},      {"Segment", 16, false, 1}, {"In bank", 9, false, 1},
    {"File (hex)", 13, false, 1}, {"Size", 5, true, 2},    {"Free inside", 11, true, 2},
};

std::string SegmentRow(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i)
    line += std::string(SegmentColumns[i].gap, ' ') +
            Pad(cells[i], SegmentColumns[i].width, SegmentColumns[i].right);
  return line + "\n";
}

std::string FileRange(std::uint64_t first, std::uint64_t size) {
  return Hex(first, 6) + "-" + Hex(first + size - 1, 6);
}

std::string SegmentTable(const TCartSummary& summary, const TSegmentSummary& segments) {
  std::string out = "Segments from " + segments.debugFile + "\n";
  std::vector<std::string> headings;
  for (const Column& column : SegmentColumns) headings.push_back(column.heading);
  headings[0] = Label(summary, headings[0]);
  out += SegmentRow(headings);
  for (const TOutsidePart& part : segments.outside)
    out += SegmentRow({part.fileOffset < NESHeaderSize ? "header" : "beyond", part.name, "-",
                       FileRange(part.fileOffset, part.size), std::to_string(part.size), "-"});
  std::string outside;
  for (std::size_t r = 0; r < summary.banks.size() && r < segments.banks.size(); ++r) {
    const TBankSummary& bank = summary.banks[r];
    const std::string label = Label(summary, BankLabel(bank.kind, bank.index));
    for (const TBankSegment& s : segments.banks[r].segments)
      out += SegmentRow({label, s.name, Hex(s.offset, 4) + "-" + Hex(s.offset + s.size - 1, 4),
                         FileRange(bank.offset + s.offset, s.size), std::to_string(s.size),
                         std::to_string(s.freeInside)});
    if (segments.banks[r].usedOutside > 0)
      outside += label + ": " + std::to_string(segments.banks[r].usedOutside) +
                 " used bytes outside any segment\n";
  }
  return out + outside;
}

// `neverReached`, when given, beside the segments: the play logs' figure.
void JSONSegments(std::string& out, const TBankSegments& bank,
                  const std::vector<std::uint64_t>* neverReached) {
  out += ", \"segments\": [";
  const char* separator = "";
  for (std::size_t k = 0; k < bank.segments.size(); ++k) {
    const TBankSegment& s = bank.segments[k];
    out += separator;
    separator = ", ";
    out += "{\"name\": ";
    JSONString(out, s.name);
    out += ", \"offset\": " + std::to_string(s.offset) + ", \"size\": " + std::to_string(s.size) +
           ", \"free_inside\": " + std::to_string(s.freeInside);
    if (neverReached && k < neverReached->size())
      out += ", \"never_reached\": " + std::to_string((*neverReached)[k]);
    out += "}";
  }
  out += "], \"used_outside_segments\": " + std::to_string(bank.usedOutside);
}

// A top-level list: `"key": [item, item]`, each item written by `write`.
template <typename Items, typename Write>
void JSONList(std::string& out, const char* key, const Items& items, Write write) {
  out += std::string(",\n \"") + key + "\": [";
  const char* separator = "";
  for (const auto& item : items) {
    out += separator;
    separator = ", ";
    write(item);
  }
  out += "]";
}

void JSONOutside(std::string& out, const TSegmentSummary& segments) {
  out += ",\n \"debug_file\": ";
  JSONString(out, segments.debugFile);
  JSONList(out, "outside_banks", segments.outside, [&out](const TOutsidePart& part) {
    out += "{\"name\": ";
    JSONString(out, part.name);
    out += ", \"file_offset\": " + std::to_string(part.fileOffset) +
           ", \"size\": " + std::to_string(part.size) + "}";
  });
}

std::string LogList(const std::vector<TPlayLogFile>& logs) {
  std::string out;
  for (const TPlayLogFile& log : logs)
    out += (out.empty() ? "" : ", ") + log.file + " (" + LayoutName(log.layout) + ")";
  return out;
}

// The play-log section: what the logs reached per bank, then the used bytes
// they never reached per kind and per segment. 66 columns wide.
constexpr Column PlayColumns[] = {
    {"Bank", 7, false, 0}, {"Reached", 7, true, 2}, {"Never reached", 13, true, 2},
    {"Code", 6, true, 2},  {"Data", 6, true, 2},    {"Drawn", 6, true, 2},
    {"Read", 6, true, 2},
};

std::string PlayRow(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i)
    line += std::string(PlayColumns[i].gap, ' ') + Pad(cells[i], PlayColumns[i].width, PlayColumns[i].right);
  return line + "\n";
}

std::string NeverReachedLine(const char* kind, const TPlaySummary& play, TBankKind which,
                             const TKindTotals& totals) {
  std::uint64_t never = 0;
  for (const TBankPlay& bank : play.banks)
    if (bank.kind == which) never += bank.neverReached;
  return std::string(kind) + ": " + std::to_string(never) + " of " + std::to_string(totals.used) +
         " used bytes never reached (" + Percent(never, totals.used) + ")\n";
}

std::string PlayTable(const TCartSummary& summary, const TPlaySummary& play,
                      const TSegmentSummary* segments) {
  std::string out = "Play logs: " + LogList(play.logs) + "\n";
  std::vector<std::string> headings;
  for (const Column& column : PlayColumns) headings.push_back(column.heading);
  headings[0] = Label(summary, headings[0]);
  out += PlayRow(headings);
  for (const TBankPlay& bank : play.banks) {
    const bool prg = bank.kind == TBankKind::PRG;
    out += PlayRow({Label(summary, BankLabel(bank.kind, bank.index)), std::to_string(bank.reached),
                    std::to_string(bank.neverReached), prg ? std::to_string(bank.code) : "-",
                    prg ? std::to_string(bank.data) : "-", prg ? "-" : std::to_string(bank.drawn),
                    prg ? "-" : std::to_string(bank.read)});
  }
  out += "Never reached: used bytes that no log reached\n";
  if (summary.prgCount > 0) out += NeverReachedLine("PRG", play, TBankKind::PRG, summary.prg);
  if (summary.chrCount > 0) out += NeverReachedLine("CHR", play, TBankKind::CHR, summary.chr);
  if (!segments) return out;
  std::string rows;
  for (std::size_t r = 0; r < segments->banks.size() && r < play.segmentsNeverReached.size(); ++r) {
    const TBankSummary& bank = summary.banks[r];
    const std::vector<TBankSegment>& list = segments->banks[r].segments;
    for (std::size_t k = 0; k < list.size() && k < play.segmentsNeverReached[r].size(); ++k) {
      const std::uint64_t never = play.segmentsNeverReached[r][k];
      if (never == 0) continue;
      rows += "  " + Pad(Label(summary, BankLabel(bank.kind, bank.index)), 7, false) + "  " + Pad(list[k].name, 16, false) +
              Pad(std::to_string(never), 7, true) + " of " +
              Pad(std::to_string(list[k].size - list[k].freeInside), 5, true) + " used\n";
    }
  }
  return out + "Segments with used bytes never reached:" + (rows.empty() ? " none\n" : "\n" + rows);
}

void JSONPlay(std::string& out, const TBankPlay& bank) {
  const bool prg = bank.kind == TBankKind::PRG;
  out += ", \"reached\": " + std::to_string(bank.reached) +
         ", \"never_reached\": " + std::to_string(bank.neverReached) +
         (prg ? ", \"code\": " + std::to_string(bank.code) + ", \"data\": " + std::to_string(bank.data)
              : ", \"drawn\": " + std::to_string(bank.drawn) + ", \"read\": " + std::to_string(bank.read));
}

void JSONLogs(std::string& out, const TPlaySummary& play) {
  JSONList(out, "play_logs", play.logs, [&out](const TPlayLogFile& log) {
    out += "{\"file\": ";
    JSONString(out, log.file);
    out += std::string(", \"layout\": \"") + LayoutName(log.layout) + "\"}";
  });
}

}  // namespace

std::string TitleLine(const std::string& fileName, unsigned mapper, unsigned prgCount,
                      unsigned chrCount, std::uint8_t emptyByte) {
  return fileName + "  Mapper #" + std::to_string(mapper) + "  " + std::to_string(prgCount) +
         "xPRG  " + std::to_string(chrCount) + "xCHR  Empty is $" + Hex(emptyByte, 2);
}

std::string BankSizesTag(const TBankSizes& sizes) {
  if (sizes == TBankSizes{}) return "";
  return "  Banks " + Bytes(sizes.prg) + " PRG, " + Bytes(sizes.chr) + " CHR";
}

std::string ValidUTF8(const std::string& text) {
  static const std::string replacement = "\xEF\xBF\xBD";
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    std::uint32_t point = 0;
    if (c < 0x80) {
      length = 1;
      point = c;
    } else if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
      point = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      point = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      point = c & 0x07;
    }
    bool valid = length > 0 && i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto d = static_cast<unsigned char>(text[i + k]);
      valid = (d & 0xC0) == 0x80;
      point = (point << 6) | (d & 0x3F);
    }
    // No overlong forms, no surrogates, nothing past U+10FFFF.
    if (valid && length == 3) valid = point >= 0x800 && (point < 0xD800 || point > 0xDFFF);
    if (valid && length == 4) valid = point >= 0x10000 && point <= 0x10FFFF;
    if (valid) {
      out.append(text, i, length);
      i += length;
    } else {
      out += replacement;
      ++i;
    }
  }
  return out;
}

std::string SummaryText(const TCartSummary& summary, const std::string& fileName, bool graph,
                        const TSummaryAdditions& additions) {
  const std::size_t columns = summary.compared ? 9 : 8;
  std::string out = TitleLine(fileName, summary.mapper, summary.prgCount, summary.chrCount,
                              summary.emptyByte) +
                    BankSizesTag(summary.sizes) + "\n" + HeaderLine(summary.header) +
                    HeaderNotes(summary) + "\n";
  std::vector<std::string> headings;
  for (std::size_t i = 0; i < columns; ++i) headings.push_back(Columns[i].heading);
  headings[0] = Label(summary, headings[0]);
  out += Row(headings) + "\n";
  std::string notes;
  for (const TBankSummary& row : summary.banks) {
    const std::string label = Label(summary, BankLabel(row.kind, row.index));
    const std::string run =
        row.largestFreeRun.length == 0
            ? "-"
            : std::to_string(row.largestFreeRun.length) + " at $" + Hex(row.largestFreeRun.offset, 4);
    std::vector<std::string> cells = {label,
                                      Hex(row.offset, 6) + "-" + Hex(row.offset + row.size - 1, 6),
                                      std::to_string(row.size),
                                      std::to_string(row.used),
                                      Percent(row.used, row.size),
                                      std::to_string(row.free),
                                      Percent(row.free, row.size),
                                      run};
    if (summary.compared) cells.push_back(Signed(row.usedDelta));
    out += Row(cells);
    if (graph) out += "  " + Bar(row, 16);
    out += "\n";
    if (row.missing > 0)
      notes += BankLabel(row.kind, row.index) + ": " + std::to_string(row.missing) + " of " + std::to_string(row.size) +
               " bytes missing (the file ends early)\n";
  }
  if (graph && !summary.banks.empty()) out += "Bars: # used, . free, - missing\n";
  if (additions.labels) out += "\n" + LabelText(summary, *additions.labels);
  if (additions.segments) out += "\n" + SegmentTable(summary, *additions.segments);
  if (additions.play) out += "\n" + PlayTable(summary, *additions.play, additions.segments);
  out += "\n" + notes;
  out += TotalLines("PRG", summary.prg, summary.prgCount, summary.compared);
  out += TotalLines("CHR", summary.chr, summary.chrCount, summary.compared);
  return out;
}

std::string SummaryJSON(const TCartSummary& summary, const std::string& fileName,
                        const TSummaryAdditions& additions) {
  std::string out = "{\"file\": ";
  JSONString(out, fileName);
  out += ", \"mapper\": " + std::to_string(summary.mapper) +
         ", \"prg_banks\": " + std::to_string(summary.prgCount) +
         ", \"chr_banks\": " + std::to_string(summary.chrCount) +
         ", \"empty_byte\": " + std::to_string(summary.emptyByte) +
         ", \"prg_bank_size\": " + std::to_string(summary.sizes.prg) +
         ", \"chr_bank_size\": " + std::to_string(summary.sizes.chr) +
         ", \"trailing_bytes\": " + std::to_string(summary.trailingBytes);
  JSONHeader(out, summary.header);
  out += ",\n \"banks\": [";
  const char* separator = "\n  ";
  for (const TBankSummary& row : summary.banks) {
    out += separator;
    separator = ",\n  ";
    out += std::string("{\"kind\": \"") + (row.kind == TBankKind::PRG ? "PRG" : "CHR") +
           "\", \"index\": " + std::to_string(row.index) +
           ", \"offset\": " + std::to_string(row.offset) +
           ", \"size\": " + std::to_string(row.size) + ", \"used\": " + std::to_string(row.used) +
           ", \"free\": " + std::to_string(row.free) +
           ", \"missing\": " + std::to_string(row.missing) +
           ", \"largest_free_run\": {\"offset\": " + std::to_string(row.largestFreeRun.offset) +
           ", \"length\": " + std::to_string(row.largestFreeRun.length) + "}";
    if (summary.compared) out += ", \"used_delta\": " + std::to_string(row.usedDelta);
    const std::size_t r = static_cast<std::size_t>(&row - summary.banks.data());
    if (additions.play && r < additions.play->banks.size()) JSONPlay(out, additions.play->banks[r]);
    if (additions.segments && r < additions.segments->banks.size())
      JSONSegments(out, additions.segments->banks[r],
                   additions.play && r < additions.play->segmentsNeverReached.size()
                       ? &additions.play->segmentsNeverReached[r]
                       : nullptr);
    if (additions.labels) AppendJSONLabels(out, *additions.labels, r);
    out += "}";
  }
  out += summary.banks.empty() ? "],\n" : "\n ],\n";
  out += " \"totals\": {\"PRG\": " + JSONCounts(summary.prg, summary.compared) +
         ", \"CHR\": " + JSONCounts(summary.chr, summary.compared) + "}";
  if (additions.segments) JSONOutside(out, *additions.segments);
  if (additions.play) JSONLogs(out, *additions.play);
  if (additions.labels) AppendJSONLabelFiles(out, *additions.labels);
  out += "}\n";
  return out;
}

std::string ByteInfoText(const TByteInfo& info) {
  std::string text = BankLabel(info.kind, info.bank) + "\nOffset $" + Hex(info.offset, 4) +
                     " (file $" + Hex(info.fileOffset, 6) + ")\n";
  switch (info.state) {
    case TByteState::Missing:
      return text + "Missing: the file ends before this byte";
    case TByteState::Used:
      return text + "Value $" + Hex(info.value, 2) + ", used";
    case TByteState::Free:
      break;
  }
  return text + "Value $" + Hex(info.value, 2) + ", free\nFree run $" + Hex(info.run.offset, 4) +
         "-$" + Hex(info.run.offset + info.run.length - 1, 4) + ", " +
         std::to_string(info.run.length) + (info.run.length == 1 ? " byte" : " bytes");
}

std::string ByteReachText(TBankKind kind, std::uint8_t flags) {
  return "Play logs: " + ReachWords(kind, flags);
}

std::string ByteOriginText(const TByteOrigin& origin) {
  if (!origin.inSegment) return "In no segment";
  std::string text = "Segment " + origin.segment + ", offset $" + Hex(origin.segmentOffset, 4);
  if (origin.hasLabel)
    text += "\nLabel " + origin.label +
            (origin.labelDistance ? "+" + std::to_string(origin.labelDistance) : std::string());
  if (origin.hasSource) text += "\nSource " + origin.sourceFile + ":" + std::to_string(origin.sourceLine);
  return text;
}

std::string HexText(std::uint64_t v, int digits) { return Hex(v, digits); }

std::string PercentText(std::uint64_t part, std::uint64_t whole) { return Percent(part, whole); }

void JSONString(std::string& out, const std::string& text, bool inScript) {
  out += '"';
  for (const char ch : ValidUTF8(text)) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || (inScript && (c == '<' || c == '>' || c == '&'))) {
      out += "\\u";
      out += Hex(c, 4);
    } else {
      out += ch;
    }
  }
  out += '"';
}
