#include "label_summary.h"

TLabelSummary SummariseLabels(const TNESImage& image, const TCartSummary& summary,
                              const std::vector<TLabelFile>& files) {
  TLabelSummary result;
  for (const TLabelFile& file : files) result.files.push_back(file.file);
  std::vector<TBankExtent> banks;
  banks.reserve(summary.banks.size());
  for (const TBankSummary& row : summary.banks) banks.push_back({row.kind, row.index, row.offset, row.size});
  result.map = PlaceLabels(files, banks, PRGROMStart(image.NESData()));
  CountLabelUse(result.map, image.NESData(), summary.emptyByte);
  return result;
}
