// The summary's figures from label files: per bank the labels in offset
// order with their spans and used bytes, as text for a build log and as
// JSON for a script.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "label_map.h"
#include "summary.h"

struct TLabelSummary {
  std::vector<std::string> files;  // as given
  TLabelMap map;                   // its banks are TCartSummary::banks, in that order
};

// `summary` must be SummariseNES(image): its banks are where labels go.
TLabelSummary SummariseLabels(const TNESImage& image, const TCartSummary& summary,
                              const std::vector<TLabelFile>& files);

// After the bank table: per bank the five labels with the most used bytes
// and how many more there are.
std::string LabelText(const TCartSummary& summary, const TLabelSummary& labels);
// `, "labels": [...]` for the bank in row `row`.
void AppendJSONLabels(std::string& out, const TLabelSummary& labels, std::size_t row);
// `,\n "label_files": [...]`.
void AppendJSONLabelFiles(std::string& out, const TLabelSummary& labels);
