#include "summary_markdown.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

std::string Row(const std::vector<std::string>& cells) {
  std::string line = "|";
  for (const std::string& cell : cells) line += " " + cell + " |";
  return line + "\n";
}

// The header row and the separator row; `right` per column.
std::string Head(const std::vector<std::string>& headings, const std::vector<bool>& right) {
  std::string separator = "|";
  for (const bool r : right) separator += r ? " ---: |" : " :--- |";
  return Row(headings) + separator + "\n";
}

// In a code span: GitHub would take "$0100-$01FF" for mathematics.
std::string Range(std::uint64_t first, std::uint64_t size, int digits) {
  return "`$" + HexText(first, digits) + "-$" + HexText(first + size - 1, digits) + "`";
}

std::string Largest(const TFreeRun& run) {
  if (run.length == 0) return "-";
  return Thousands(run.length) + " at $" + HexText(run.offset, 4);
}

// Inside <summary>, which GitHub reads as HTML, not Markdown.
std::string HTMLText(const std::string& text) {
  std::string out;
  for (const char c : ValidUTF8(text)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\n': case '\r': case '\t': out += ' '; break;
      default: out += c;
    }
  }
  return out;
}

std::string Totals(const char* kind, const TKindTotals& t, unsigned banks, bool compared) {
  std::string line = std::string("- **") + kind + " total**: ";
  if (banks == 0) return line + "no banks\n";
  line += TotalsFigures(t, compared);
  return line + "\n";
}

std::string NeverReached(const char* kind, const TPlaySummary& play, TBankKind which,
                         const TKindTotals& totals) {
  std::uint64_t never = 0;
  for (const TBankPlay& bank : play.banks)
    if (bank.kind == which) never += bank.neverReached;
  return std::string("- **") + kind + "**: " + Thousands(never) + " of " + Thousands(totals.used) +
         " used bytes never reached (" + PercentText(never, totals.used) + ")\n";
}

std::string Segments(const TCartSummary& summary, const TSegmentSummary& segments,
                     const TPlaySummary* play) {
  std::string out = "<details><summary>Segments in each bank, from " +
                    HTMLText(segments.debugFile) + "</summary>\n\n";
  std::vector<std::string> headings = {"Bank", "Segment", "In bank", "File", "Size", "Free inside"};
  std::vector<bool> right = {false, false, false, false, true, true};
  if (play) {
    headings.push_back("Never reached");
    right.push_back(true);
  }
  out += Head(headings, right);
  for (const TOutsidePart& part : segments.outside) {
    std::vector<std::string> cells = {part.fileOffset < NESHeaderSize ? "header" : "beyond",
                                      MarkdownText(part.name), "-",
                                      Range(part.fileOffset, part.size, 6),
                                      Thousands(part.size), "-"};
    if (play) cells.push_back("-");
    out += Row(cells);
  }
  std::string outside;
  for (std::size_t r = 0; r < summary.banks.size() && r < segments.banks.size(); ++r) {
    const TBankSummary& bank = summary.banks[r];
    const std::string label = BankLabel(bank.kind, bank.index);
    const std::vector<TBankSegment>& list = segments.banks[r].segments;
    for (std::size_t k = 0; k < list.size(); ++k) {
      const TBankSegment& s = list[k];
      std::vector<std::string> cells = {
          label, MarkdownText(s.name), Range(s.offset, s.size, 4), Range(bank.offset + s.offset, s.size, 6),
          Thousands(s.size), Thousands(s.freeInside)};
      if (play)
        cells.push_back(r < play->segmentsNeverReached.size() && k < play->segmentsNeverReached[r].size()
                            ? Thousands(play->segmentsNeverReached[r][k])
                            : "-");
      out += Row(cells);
    }
    if (segments.banks[r].usedOutside > 0)
      outside += "- " + label + ": " + Thousands(segments.banks[r].usedOutside) +
                 " used bytes outside any segment\n";
  }
  if (!outside.empty()) out += "\n" + outside;
  return out + "\n</details>\n";
}

std::string PlayLogs(const TPlaySummary& play) {
  std::string logs;
  for (const TPlayLogFile& log : play.logs)
    logs += (logs.empty() ? "" : ", ") + HTMLText(log.file) + " (" + LayoutName(log.layout) + ")";
  std::string out = "<details><summary>Play logs: " + logs + "</summary>\n\n";
  out += Head({"Bank", "Reached", "Never reached", "Code", "Data", "Drawn", "Read"},
              {false, true, true, true, true, true, true});
  for (const TBankPlay& bank : play.banks) {
    const bool prg = bank.kind == TBankKind::PRG;
    out += Row({BankLabel(bank.kind, bank.index), Thousands(bank.reached), Thousands(bank.neverReached),
                prg ? Thousands(bank.code) : "-", prg ? Thousands(bank.data) : "-",
                prg ? "-" : Thousands(bank.drawn), prg ? "-" : Thousands(bank.read)});
  }
  return out + "\n</details>\n";
}

std::string Plural(std::uint64_t n, const char* one, const char* many) {
  return Thousands(n) + " " + (n == 1 ? one : many);
}

// The labels with the most used bytes in each bank, as the text summary
// lists them; the rest summed up below the table.
std::string Labels(const TCartSummary& summary, const TLabelSummary& labels) {
  constexpr std::size_t Shown = 5;
  std::string files;
  for (const std::string& file : labels.files) files += (files.empty() ? "" : ", ") + HTMLText(file);
  std::string out = "<details><summary>Largest labels in each bank, from " + files + "</summary>\n\n";
  std::string rows, more;
  for (std::size_t r = 0; r < summary.banks.size() && r < labels.map.labels.size(); ++r) {
    const std::vector<TPlacedLabel>& list = labels.map.labels[r];
    if (list.empty()) continue;
    const std::string bank = BankLabel(summary.banks[r].kind, summary.banks[r].index);
    const std::vector<const TPlacedLabel*> order = LargestLabels(list, Shown);
    const std::size_t shown = std::min(Shown, order.size());
    for (std::size_t k = 0; k < shown; ++k) {
      const TPlacedLabel& l = *order[k];
      rows += Row({bank, MarkdownText(l.name), Range(l.offset, l.size, 4), Thousands(l.size), Thousands(l.used)});
    }
    if (order.size() > shown) {
      std::uint64_t size = 0, used = 0;
      for (std::size_t k = shown; k < order.size(); ++k) {
        size += order[k]->size;
        used += order[k]->used;
      }
      more += "- " + bank + ": " + Plural(order.size() - shown, "more label", "more labels") + ", " +
              Plural(size, "byte", "bytes") + ", " + Thousands(used) + " used\n";
    }
  }
  if (rows.empty()) out += "No label lies in a bank.\n";
  else out += Head({"Bank", "Label", "In bank", "Size", "Used"}, {false, false, false, true, true}) + rows;
  if (!more.empty()) out += "\n" + more;
  std::string notes;
  if (labels.map.outside > 0)
    notes += "- " + Plural(labels.map.outside, "label lies", "labels lie") + " outside the banks\n";
  if (labels.map.shared > 0)
    notes += "- " + Plural(labels.map.shared, "label left out: its offset has", "labels left out: their offsets have") +
             " an earlier label\n";
  if (!notes.empty()) out += "\n" + notes;
  return out + "\n</details>\n";
}

}  // namespace

std::string Thousands(std::uint64_t v) {
  const std::string digits = std::to_string(v);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string SignedThousands(std::int64_t v) {
  if (v == 0) return "0";
  const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
  return std::string(v < 0 ? "-" : "+") + Thousands(magnitude);
}

std::string MarkdownText(const std::string& text) {
  // ASCII punctuation that starts or ends Markdown syntax, and the pipe
  // that ends a table cell; every ASCII punctuation may be escaped.
  static const char special[] = "\\`*_{}[]<>()#+-.!|~&$";
  std::string out;
  for (const char c : ValidUTF8(text)) {
    if (c == '\n' || c == '\r' || c == '\t') {
      out += ' ';
      continue;
    }
    if (c != '\0' && std::strchr(special, c)) out += '\\';
    out += c;
  }
  return out;
}

std::string SummaryMarkdown(const TCartSummary& summary, const std::string& fileName,
                            const TSummaryAdditions& additions, std::optional<std::uint64_t> failBelow) {
  std::string out = "### " + MarkdownText(fileName) + " · Mapper #" + std::to_string(summary.mapper) +
                    " · " + std::to_string(summary.prgCount) + "xPRG · " +
                    std::to_string(summary.chrCount) + "xCHR · Empty is $" +
                    HexText(summary.emptyByte, 2) + "\n\n";
  std::vector<std::string> headings = {"Bank", "Used", "Free", "Free %", "Largest free"};
  std::vector<bool> right = {false, true, true, true, true};
  if (summary.compared) {
    headings.push_back("Change");
    right.push_back(true);
  }
  std::string notes;
  if (!summary.banks.empty()) {
    out += Head(headings, right);
    for (const TBankSummary& row : summary.banks) {
      const std::string label = BankLabel(row.kind, row.index);
      std::vector<std::string> cells = {label, Thousands(row.used), Thousands(row.free),
                                        PercentText(row.free, row.size), Largest(row.largestFreeRun)};
      if (summary.compared) cells.push_back(SignedThousands(row.usedDelta));
      out += Row(cells);
      if (row.missing > 0)
        notes += "- " + label + ": " + Thousands(row.missing) + " of " + Thousands(row.size) +
                 " bytes missing (the file ends early)\n";
    }
    out += "\n";
  }
  out += Totals("PRG", summary.prg, summary.prgCount, summary.compared);
  out += Totals("CHR", summary.chr, summary.chrCount, summary.compared);
  if (!notes.empty()) out += "\n" + notes;
  if (failBelow) {
    const std::vector<std::string> below = BanksBelow(summary, *failBelow);
    if (below.empty()) {
      out += "\nNo PRG bank has fewer than " + Thousands(*failBelow) + " bytes free.\n";
    } else {
      out += "\n**" + std::to_string(below.size()) + (below.size() == 1 ? " PRG bank" : " PRG banks") +
             " below " + Thousands(*failBelow) + " bytes free:**\n\n";
      for (const std::string& line : below) out += "- :warning: " + line + "\n";
    }
  }
  if (additions.play) {
    out += "\n**Never reached by the play logs** (used bytes that no log reached):\n\n";
    if (summary.prgCount > 0) out += NeverReached("PRG", *additions.play, TBankKind::PRG, summary.prg);
    if (summary.chrCount > 0) out += NeverReached("CHR", *additions.play, TBankKind::CHR, summary.chr);
  }
  // Appended in two steps: GCC 12 warns of a false overlap in "\n" + string.
  if (additions.segments) (out += "\n") += Segments(summary, *additions.segments, additions.play);
  if (additions.play) (out += "\n") += PlayLogs(*additions.play);
  if (additions.labels) (out += "\n") += Labels(summary, *additions.labels);
  return out;
}

std::string TotalsFigures(const TKindTotals& t, bool compared) {
  std::string line = Thousands(t.size) + " bytes, " + Thousands(t.used) + " used (" + PercentText(t.used, t.size) +
                     "), " + Thousands(t.free) + " free (" + PercentText(t.free, t.size) + ")";
  if (t.missing > 0) line += ", " + Thousands(t.missing) + " missing";
  if (compared) line += "; used " + SignedThousands(t.usedDelta) + " since the earlier build";
  return line;
}
