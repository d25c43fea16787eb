#include "layout.h"

#include <algorithm>

int MapRows(TBankKind kind) { return kind == TBankKind::PRG ? PRGMapRows : CHRMapRows; }

std::vector<TBankBox> BankBoxes(int W, unsigned prgCount, unsigned chrCount, int top) {
  std::vector<TBankBox> boxes;
  boxes.reserve(prgCount + chrCount);
  int x = 10;
  int y = top;
  int step = PRGRowStep;
  for (unsigned j = 0; j < prgCount; ++j) {
    boxes.push_back({TBankKind::PRG, j, x, y});
    x += BoxPitch;
    if (x + BoxPitch >= W) {
      x = 10;
      y += step;
      if (j == prgCount - 1) step = CHRRowStep;
    }
  }
  for (unsigned j = 0; j < chrCount; ++j) {
    boxes.push_back({TBankKind::CHR, j, x, y});
    x += BoxPitch;
    if (x + BoxPitch >= W) {
      x = 10;
      y += step;
      step = CHRRowStep;
    }
  }
  return boxes;
}

int BoxRows(const TBankBox& box) { return box.rows > 0 ? box.rows : MapRows(box.kind); }

std::vector<TBankBox> BankBoxes(int W, const TBankLayout& layout, int top) {
  if (layout.Sizes() == TBankSizes{})
    return BankBoxes(W, layout.Count(TBankKind::PRG), layout.Count(TBankKind::CHR), top);
  std::vector<TBankBox> boxes;
  boxes.reserve(layout.Banks().size());
  int x = 10;
  int y = top;
  int tallest = 0;
  for (const TBankSpan& bank : layout.Banks()) {
    const int rows = BankMapRows(bank);
    boxes.push_back({bank.kind, bank.index, x, y, rows});
    tallest = std::max(tallest, rows);
    x += BoxPitch;
    if (x + BoxPitch >= W) {
      x = 10;
      y += LabelGap + tallest + 2 + RowGap;
      tallest = 0;
    }
  }
  return boxes;
}

std::optional<TBankCell> BankCellAt(const std::vector<TBankBox>& boxes, int x, int y) {
  for (const TBankBox& box : boxes) {
    // The cells only: the frame around them is not a byte.
    const int column = x - (box.x + 1);
    const int row = y - (box.y + LabelGap + 1);
    if (column < 0 || column >= MapColumns || row < 0 || row >= BoxRows(box)) continue;
    return TBankCell{box.kind, box.index, static_cast<std::uint64_t>(row) * MapColumns + column};
  }
  return std::nullopt;
}

std::vector<TLegendItem> SegmentLegend(const std::vector<TSegmentColour>& colours, int W,
                                       const TTextMeasure& measure, int& lines) {
  std::vector<TLegendItem> items;
  int x = 10;
  int y = LegendTop;
  lines = colours.empty() ? 0 : 1;
  for (std::size_t k = 0; k < colours.size(); ++k) {
    const int width = Swatch + 4 + measure.TextWidth(colours[k].name);
    // On the last line, room for the count is kept unless this is the last.
    const std::string more = "and " + std::to_string(colours.size() - k) + " more";
    const int reserve =
        lines == LegendLines && k + 1 < colours.size() ? 14 + measure.TextWidth(more) : 0;
    if (x > 10 && x + width + reserve >= W - 10) {
      if (lines == LegendLines) {
        items.push_back({x, y, false, 0, more});
        break;
      }
      x = 10;
      y += LegendLine;
      ++lines;
    }
    items.push_back({x, y, true, colours[k].colour, colours[k].name});
    x += width + 14;
  }
  return items;
}

std::vector<TLegendItem> PlayLegend(bool withSegments, int line, const TTextMeasure& measure) {
  const std::vector<std::pair<TRgb, std::string>> entries =
      withSegments ? std::vector<std::pair<TRgb, std::string>>{{NeverReachedColour(), "never reached by the play logs"}}
                   : std::vector<std::pair<TRgb, std::string>>{
                         {CodeColour(), "code, drawn"}, {DataColour(), "data, read"}, {NeverReachedColour(), "never reached"}};
  std::vector<TLegendItem> items;
  int x = 10;
  const int y = LegendTop + LegendLine * line;
  for (const auto& [colour, text] : entries) {
    items.push_back({x, y, true, colour, text});
    x += Swatch + 4 + measure.TextWidth(text) + 14;
  }
  return items;
}

int MapsTop(int legendLines) { return legendLines == 0 ? 50 : 50 + LegendLine * legendLines; }

std::vector<TBankBox> ViewBoxes(const TNESImage& image, int W, const TViewOptions& options,
                                const TTextMeasure& measure) {
  int lines = 0;
  if (options.segments) SegmentLegend(SegmentColours(*options.segments), W, measure, lines);
  if (options.play) ++lines;
  return BankBoxes(W, TBankLayout(image, options.sizes), MapsTop(lines));
}
