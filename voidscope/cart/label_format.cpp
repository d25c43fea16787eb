#include <algorithm>

#include "label_summary.h"
#include "summary_format.h"

namespace {

constexpr std::size_t LargestShown = 5;  // "the five" in the heading

std::string Hex4(std::uint64_t v) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), digits[v & 15]);
    v >>= 4;
  } while (v != 0 || text.size() < 4);
  return text;
}

std::string Pad(const std::string& text, std::size_t width, bool right) {
  if (text.size() >= width) return text;
  const std::string fill(width - text.size(), ' ');
  return right ? fill + text : text + fill;
}

// Bank, label, offsets in the bank, size, used: 54 columns with names of up
// to 20 characters; a longer name widens its own row only.
std::string LabelRow(const std::string& bank, const std::string& name, const std::string& offsets,
                     const std::string& size, const std::string& used) {
  return Pad(bank, 7, false) + "  " + Pad(name, 20, false) + " " + Pad(offsets, 9, false) + "  " +
         Pad(size, 5, true) + "  " + Pad(used, 5, true) + "\n";
}

std::string Plural(std::uint64_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::vector<const TPlacedLabel*> LargestLabels(const std::vector<TPlacedLabel>& bank, std::size_t count) {
  std::vector<const TPlacedLabel*> order;
  order.reserve(bank.size());
  for (const TPlacedLabel& label : bank) order.push_back(&label);
  const std::size_t shown = std::min(count, order.size());
  std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(shown), order.end(),
                    [](const TPlacedLabel* a, const TPlacedLabel* b) {
                      if (a->used != b->used) return a->used > b->used;
                      if (a->size != b->size) return a->size > b->size;
                      return a->offset < b->offset;
                    });
  return order;
}

std::string LabelText(const TCartSummary& summary, const TLabelSummary& labels) {
  std::string files;
  for (const std::string& file : labels.files) files += (files.empty() ? "" : ", ") + file;
  std::uint64_t placed = 0, banksWithLabels = 0;
  for (const std::vector<TPlacedLabel>& bank : labels.map.labels) {
    placed += bank.size();
    banksWithLabels += !bank.empty();
  }
  std::string out = "Labels from " + files + "\n" + Plural(placed, "label", "labels") + " in " +
                    Plural(banksWithLabels, "bank", "banks");
  std::string notes;
  if (labels.map.outside > 0)
    notes += Plural(labels.map.outside, "label lies", "labels lie") + " outside the banks\n";
  if (labels.map.shared > 0)
    notes += Plural(labels.map.shared, "label left out: its offset has", "labels left out: their offsets have") +
             " an earlier label\n";
  if (placed == 0) return out + "\n" + notes;
  out += "; in each, the five with the most used bytes\n";
  out += LabelRow("Bank", "Label", "In bank", "Size", "Used");
  for (std::size_t r = 0; r < summary.banks.size() && r < labels.map.labels.size(); ++r) {
    const std::vector<TPlacedLabel>& list = labels.map.labels[r];
    if (list.empty()) continue;
    const std::vector<const TPlacedLabel*> order = LargestLabels(list, LargestShown);
    const std::size_t shown = std::min(LargestShown, order.size());
    const std::string bank = BankLabel(summary.banks[r].kind, summary.banks[r].index);
    for (std::size_t k = 0; k < shown; ++k) {
      const TPlacedLabel& l = *order[k];
      out += LabelRow(bank, l.name, Hex4(l.offset) + "-" + Hex4(l.offset + l.size - 1),
                      std::to_string(l.size), std::to_string(l.used));
    }
    if (order.size() > shown) {
      std::uint64_t size = 0, used = 0;
      for (std::size_t k = shown; k < order.size(); ++k) {
        size += order[k]->size;
        used += order[k]->used;
      }
      out += Pad(bank, 7, false) + "  and " + Plural(order.size() - shown, "more label", "more labels") +
             ": " + Plural(size, "byte", "bytes") + ", " + std::to_string(used) + " used\n";
    }
  }
  return out + notes;
}

void AppendJSONLabels(std::string& out, const TLabelSummary& labels, std::size_t row) {
  out += ", \"labels\": [";
  if (row < labels.map.labels.size()) {
    const char* separator = "";
    for (const TPlacedLabel& l : labels.map.labels[row]) {
      out += separator;
      separator = ", ";
      out += "{\"name\": ";
      JSONString(out, l.name);
      out += ", \"offset\": " + std::to_string(l.offset) + ", \"size\": " + std::to_string(l.size) +
             ", \"used\": " + std::to_string(l.used) + "}";
    }
  }
  out += "]";
}

void AppendJSONLabelFiles(std::string& out, const TLabelSummary& labels) {
  out += ",\n \"label_files\": [";
  const char* separator = "";
  for (const std::string& file : labels.files) {
    out += separator;
    separator = ", ";
    JSONString(out, file);
  }
  out += "]";
}
