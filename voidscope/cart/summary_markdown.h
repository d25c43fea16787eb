// The summary as GitHub-flavoured Markdown, for a CI job's summary page or a
// pull-request comment: a heading, one table of the banks, the totals, and
// whatever else the run read folded away in <details> blocks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "summary_format.h"

// `failBelow`, when given, adds the PRG banks under that margin after the
// table (or a line saying none is).
std::string SummaryMarkdown(const TCartSummary& summary, const std::string& fileName,
                            const TSummaryAdditions& additions = {},
                            std::optional<std::uint64_t> failBelow = std::nullopt);

// 16384 -> "16,384"; signed ones keep their sign: "+1,024", "-3", "0".
std::string Thousands(std::uint64_t v);
std::string SignedThousands(std::int64_t v);
// A kind's totals in words, as the reports print them: "131,072 bytes,
// 57,802 used (44.1%), 73,270 free (55.9%)", then what is missing and the
// change since the earlier build when there are any.
std::string TotalsFigures(const TKindTotals& t, bool compared);

// `text` safe inside a Markdown line or table cell: valid UTF-8, one line,
// every character Markdown could take for syntax escaped.
std::string MarkdownText(const std::string& text);
