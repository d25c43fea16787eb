// The summary as text for a terminal or as JSON for a script, and the
// readout of one byte. `fileName` is the name as given, in whatever bytes.
#pragma once

#include <cstdint>
#include <string>

#include "label_summary.h"
#include "play_summary.h"
#include "segment_summary.h"
#include "summary.h"

// The title line of the window and the heading of the summary: file name,
// mapper, bank counts and the empty byte.
std::string TitleLine(const std::string& fileName, unsigned mapper, unsigned prgCount,
                      unsigned chrCount, std::uint8_t emptyByte);
// After the title line: the banks' sizes ("  Banks 8 KB PRG, 1 KB CHR"),
// nothing when they are 16 KB and 8 KB.
std::string BankSizesTag(const TBankSizes& sizes);
// A heading, one aligned row per bank (within 79 columns; a bar per row
// with `graph`), notes on missing bytes, and the totals per kind.
// Figures the summary carries beyond the banks' own, each when given.
struct TSummaryAdditions {
  const TSegmentSummary* segments = nullptr;  // from a debug file
  const TPlaySummary* play = nullptr;         // from play logs
  const TLabelSummary* labels = nullptr;      // from label files
};

std::string SummaryText(const TCartSummary& summary, const std::string& fileName, bool graph,
                        const TSummaryAdditions& additions = {});
// One JSON object, ending in a newline.
std::string SummaryJSON(const TCartSummary& summary, const std::string& fileName,
                        const TSummaryAdditions& additions = {});
// A few lines: bank, offsets, value and state, and a free byte's run.
std::string ByteInfoText(const TByteInfo& info);

// How the play logs reached a byte: one line to follow ByteInfoText.
std::string ByteReachText(TBankKind kind, std::uint8_t flags);

// What a byte is in the linker's terms, a few lines to follow ByteInfoText:
// its segment and offset there, the label before it, its source line.
std::string ByteOriginText(const TByteOrigin& origin);

// `text` with every byte sequence that is not UTF-8 replaced by U+FFFD.
std::string ValidUTF8(const std::string& text);

// `text` (made valid UTF-8) as a quoted JSON string, added to `out`. In a
// script, '<', '>' and '&' are escaped too, so that no "</script>" or "<!--"
// can stand in it.
void JSONString(std::string& out, const std::string& text, bool inScript = false);

// The figures' own forms, for the other writers of the summary: upper-case
// hexadecimal of at least `digits` digits, and a share such as "98.9%".
std::string HexText(std::uint64_t v, int digits);
std::string PercentText(std::uint64_t part, std::uint64_t whole);
