#include "info_drawing.h"

#include <algorithm>
#include <span>

#include "cart/summary_format.h"

namespace {

// The segment view: palette entries from here on are the segments' colours,
// repeating when there are more segments than entries.
constexpr int FirstSegmentCell = CellMissing + 1;
// The play-log view's entries come last.
constexpr int CellCode = 253;
constexpr int CellData = 254;
constexpr int CellNever = 255;
constexpr int SegmentCells = CellCode - FirstSegmentCell;

// Used cells of the box's bank take their segment's colour; free and missing
// cells stay as they are. The parts are cut in the boxes' bank sizes.
void PaintSegments(const TSegmentMap& map, const TBankBox& box, const std::vector<int>& cellOf,
                   std::size_t& nextPart, TBankPicture& bank) {
  const auto before = [&](const TSegmentPart& part) {
    return part.kind != box.kind ? part.kind == TBankKind::PRG : part.bank < box.index;
  };
  while (nextPart < map.parts.size() && before(map.parts[nextPart])) ++nextPart;
  const std::uint64_t cells = bank.cells.size();
  for (std::size_t i = nextPart; i < map.parts.size(); ++i) {
    const TSegmentPart& part = map.parts[i];
    if (part.kind != box.kind || part.bank != box.index) break;
    const auto cell = static_cast<std::uint8_t>(cellOf[part.segment]);
    const std::uint64_t end = std::min(part.offset + part.size, cells);
    for (std::uint64_t o = part.offset; o < end; ++o) {
      std::uint8_t& c = bank.cells[o];
      if (c == CellUsed) c = cell;
    }
  }
}

// Used cells of the bank that no log reached take the never reached
// colour; reached ones the code or data shade, or, with segments, keep theirs.
void PaintPlay(const TPlayLog& play, const TBankSpan& span, bool withSegments, TBankPicture& bank) {
  const std::span<const std::uint8_t> flags = play.FileFlags(span.offset, span.size);
  const std::uint64_t cells = std::min<std::uint64_t>(bank.cells.size(), flags.size());
  for (std::uint64_t o = 0; o < bank.cells.size(); ++o) {
    std::uint8_t& cell = bank.cells[o];
    if (cell == CellFree || cell == CellMissing) continue;
    // No flags for the byte (a merge of no logs): nothing reached it.
    const std::uint8_t f = o < cells ? flags[o] : 0;
    if (!(f & FlagReached)) cell = CellNever;
    else if (!withSegments) cell = f & FlagCode ? CellCode : CellData;
  }
}

// A swatch in a black frame and its name; or the name alone.
void Legend(TInfoCanvas& canvas, const TLegendItem& item) {
  if (item.swatch) {
    canvas.Rectangle(item.x, item.y + 2, item.x + Swatch, item.y + 2 + Swatch);
    canvas.Fill(item.x + 1, item.y + 3, Swatch - 2, Swatch - 2, item.colour);
    canvas.Text(item.x + Swatch + 4, item.y, item.text);
  } else {
    canvas.Text(item.x, item.y, item.text);
  }
}

}  // namespace

TBankPicture BankPicture(TBankKind kind) {
  TBankPicture picture;
  picture.height = MapRows(kind);
  picture.cells.assign(static_cast<std::size_t>(picture.width) * picture.height, CellFree);
  picture.palette = BankPalette();
  return picture;
}

void DrawInfo(TInfoCanvas& canvas, const TNESImage& image, const std::string& fileName, int W, int H,
              const TViewOptions& options) {
  canvas.Rectangle(0, 0, W, H);
  if (!image.Held()) {
    canvas.Text(10, 10, "No file loaded");
    return;
  }
  const std::uint8_t EmptyByte = image.FindEmptyByte();
  canvas.Text(10, 10, TitleLine(fileName, image.Mapper(), image.PRGCount(), image.CHRCount(), EmptyByte) +
                          BankSizesTag(options.sizes));

  // One picture per kind, refilled for every bank of its kind.
  TBankPicture ImagePRG = BankPicture(TBankKind::PRG);
  TBankPicture ImageCHR = BankPicture(TBankKind::CHR);
  int legendLines = 0;
  std::vector<int> cellOf;  // by segment id: its palette entry
  if (options.segments) {
    const std::vector<TSegmentColour> colours = SegmentColours(*options.segments);
    for (std::size_t k = 0; k < colours.size(); ++k) {
      const int cell = FirstSegmentCell + static_cast<int>(k % SegmentCells);
      if (colours[k].segment >= cellOf.size()) cellOf.resize(colours[k].segment + 1, CellUsed);
      cellOf[colours[k].segment] = cell;
      ImagePRG.palette[cell] = colours[k].colour;
    }
    for (const TLegendItem& item : SegmentLegend(colours, W, canvas, legendLines)) Legend(canvas, item);
  }
  if (options.play) {
    ImagePRG.palette[CellCode] = CodeColour();
    ImagePRG.palette[CellData] = DataColour();
    ImagePRG.palette[CellNever] = NeverReachedColour();
    for (const TLegendItem& item : PlayLegend(options.segments != nullptr, legendLines++, canvas))
      Legend(canvas, item);
  }
  ImageCHR.palette = ImagePRG.palette;
  const TBankLayout layout(image, options.sizes);
  std::size_t nextPart = 0;  // parts come in bank order, as the boxes do
  for (const TBankBox& box : BankBoxes(W, layout, MapsTop(legendLines))) {
    const bool prg = box.kind == TBankKind::PRG;
    TBankPicture& bank = prg ? ImagePRG : ImageCHR;
    const TBankSpan& span = *layout.Find(box.kind, box.index);
    // As tall as this bank: in 16 KB and 8 KB banks never changes.
    bank.height = BoxRows(box);
    bank.cells.resize(static_cast<std::size_t>(bank.width) * bank.height);
    canvas.Text(box.x, box.y, BankLabel(box.kind, box.index));
    BankMap(image, span, EmptyByte, bank.cells.data(), MapColumns);
    if (options.segments) PaintSegments(*options.segments, box, cellOf, nextPart, bank);
    if (options.play) PaintPlay(*options.play, span, options.segments != nullptr, bank);
    canvas.Rectangle(box.x, box.y + LabelGap, box.x + BoxWidth, box.y + LabelGap + bank.height + 2);
    canvas.Bank(box.x + 1, box.y + LabelGap + 1, bank);
  }
}
