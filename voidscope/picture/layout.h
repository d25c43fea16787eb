// Where everything of the drawing area stands: the boxes of the banks, the
// legends of the views, and the byte under a point. Text widths come from
// the front end, whose font draws the texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cart/bank_layout.h"
#include "cart/nes_image.h"
#include "cart/play_log.h"
#include "cart/segment_map.h"
#include "cart/view_options.h"
#include "picture/colours.h"

// Layout of the drawing area.
inline constexpr int BoxWidth = 66;     // 64 cells and the frame
inline constexpr int BoxPitch = 74;     // from one box to the next
inline constexpr int LabelGap = 20;     // label to box
inline constexpr int PRGRowStep = 296;  // 20 + 258 + 18
inline constexpr int CHRRowStep = 168;  // 20 + 130 + 18
inline constexpr int RowGap = 18;       // below a row's tallest box

// Legends, one line of swatches and names after another below the title
// line; the boxes start below them.
inline constexpr int LegendTop = 32;
inline constexpr int LegendLine = 18;
inline constexpr int LegendLines = 4;  // at most, for the segments
inline constexpr int Swatch = 11;

int MapRows(TBankKind kind);

// The width of a text in the front end's font (texts are UTF-8).
class TTextMeasure {
 public:
  virtual ~TTextMeasure() = default;
  virtual int TextWidth(const std::string& text) const = 0;
};

// Where a bank is drawn: its label's top-left corner; the frame runs from
// (x, y + 20) to (x + 66, y + 20 + rows + 2), the cells inside it.
struct TBankBox {
  TBankKind kind;
  unsigned index;
  int x;
  int y;
  int rows = 0;  // of 64 cells; 0: as the kind's 16 KB or 8 KB bank
};
int BoxRows(const TBankBox& box);
// Every 16 KB PRG and 8 KB CHR bank's box, PRG first, flowed into rows for
// a drawing area W wide, the first row's labels at `top`.
std::vector<TBankBox> BankBoxes(int W, unsigned prgCount, unsigned chrCount, int top = 50);
// The same for the banks of `layout`, each box as tall as its bank needs;
// a row of boxes is as high as its tallest box, its label and the gap. In
// 16 KB and 8 KB banks, exactly the boxes above.
std::vector<TBankBox> BankBoxes(int W, const TBankLayout& layout, int top = 50);

// A byte's cell in the drawing: which bank and the offset within it.
struct TBankCell {
  TBankKind kind;
  unsigned bank;
  std::uint64_t offset;
};
// The cell under (x, y); none over frames, labels and gaps.
std::optional<TBankCell> BankCellAt(const std::vector<TBankBox>& boxes, int x, int y);

// One item of a legend: a swatch and its name, or (no swatch) the count of
// the segments left out.
struct TLegendItem {
  int x;
  int y;
  bool swatch;
  TRgb colour;
  std::string text;
};
// The segment view's legend for a drawing area W wide, at most four lines
// (what does not fit is counted at the end: "and 12 more"); `lines` is how
// many it takes.
std::vector<TLegendItem> SegmentLegend(const std::vector<TSegmentColour>& colours, int W,
                                       const TTextMeasure& measure, int& lines);
// The play-log view's legend: one line, on legend line `line`. Beside
// segments only the never reached colour is new.
std::vector<TLegendItem> PlayLegend(bool withSegments, int line, const TTextMeasure& measure);
// The labels of the first row of boxes, below `legendLines` lines of legend.
int MapsTop(int legendLines);

// The boxes as the drawing stands with `options` (legends move them down).
std::vector<TBankBox> ViewBoxes(const TNESImage& image, int W, const TViewOptions& options,
                                const TTextMeasure& measure);
