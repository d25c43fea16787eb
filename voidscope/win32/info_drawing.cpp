#include "info_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <span>
#include <utility>

#include "cart/summary_format.h"

namespace {

// Layout of the drawing area.
constexpr int BoxWidth = 66;     // 64 cells and the frame
constexpr int BoxPitch = 74;     // from one box to the next
constexpr int LabelGap = 20;     // label to box
constexpr int PRGRowStep = 296;  // 20 + 258 + 18
constexpr int CHRRowStep = 168;  // 20 + 130 + 18

int MapRows(TBankKind kind) { return kind == TBankKind::PRG ? PRGMapRows : CHRMapRows; }

constexpr int FirstSegmentCell = CellMissing + 1;
constexpr int CellCode = 253;
constexpr int CellData = 254;
constexpr int CellNever = 255;
constexpr int SegmentCells = CellCode - FirstSegmentCell;

constexpr int LegendTop = 32;
constexpr int LegendLine = 18;
constexpr int LegendLines = 4;
constexpr int Swatch = 11;

constexpr TColour CodeColour = RGBColour(23, 150, 26);
constexpr TColour DataColour = RGBColour(150, 255, 153);
constexpr TColour NeverReachedColour = RGBColour(0, 0, 0);

struct TSegmentColour {
  unsigned segment;
  std::string name;
  TColour colour;
};

struct TLegendItem {
  int x;
  int y;
  const TSegmentColour* colour;  // none: the count of those left out
  std::string text;
};

// The colour wheel as the Qt window turns it into red, green and blue.
TColour FromHSV(int h, int s, int v) {
  const double hue = h / 60.0;
  const double sat = s * 257 / 65535.0;
  const double val = v * 257 / 65535.0;
  const int i = static_cast<int>(hue);
  const double f = hue - i;
  const double p = val * (1 - sat);
  double r = 0, g = 0, b = 0;
  if (i & 1) {
    const double q = val * (1 - sat * f);
    if (i == 1) r = q, g = val, b = p;
    else if (i == 3) r = p, g = q, b = val;
    else r = val, g = p, b = q;
  } else {
    const double t = val * (1 - sat * (1 - f));
    if (i == 0) r = val, g = t, b = p;
    else if (i == 2) r = p, g = val, b = t;
    else r = t, g = p, b = val;
  }
  const auto eight = [](double x) {
    const int wide = static_cast<int>(std::lround(x * 65535));
    return (wide - (wide >> 8) + 0x80) >> 8;
  };
  return RGBColour(eight(r), eight(g), eight(b));
}

TColour SegmentColour(unsigned k) {
  static const TColour first[] = {
      RGBColour(31, 119, 180), RGBColour(255, 127, 14), RGBColour(214, 39, 40),  RGBColour(148, 103, 189),
      RGBColour(140, 86, 75),  RGBColour(227, 119, 194), RGBColour(23, 190, 207), RGBColour(188, 189, 34),
      RGBColour(0, 0, 128),    RGBColour(128, 0, 0),     RGBColour(255, 215, 0),  RGBColour(0, 128, 128),
  };
  if (k < std::size(first)) return first[k];
  const double hue = std::fmod(k * 137.508, 285.0);
  const int h = static_cast<int>(hue < 75 ? hue : hue + 75);
  return FromHSV(h, 200, k % 2 ? 170 : 235);
}

std::vector<TSegmentColour> SegmentColours(const TSegmentMap& map) {
  std::vector<TSegmentColour> colours;
  std::vector<bool> seen;
  for (const TSegmentPart& part : map.parts) {
    if (part.segment >= seen.size()) seen.resize(part.segment + 1, false);
    if (seen[part.segment]) continue;
    seen[part.segment] = true;
    colours.push_back({part.segment, ValidUTF8(part.name), SegmentColour(static_cast<unsigned>(colours.size()))});
  }
  return colours;
}

std::vector<TLegendItem> LegendLayout(const TCanvas& canvas, const std::vector<TSegmentColour>& colours, int W,
                                      int& lines) {
  std::vector<TLegendItem> items;
  int x = 10;
  int y = LegendTop;
  lines = colours.empty() ? 0 : 1;
  for (std::size_t k = 0; k < colours.size(); ++k) {
    const int width = Swatch + 4 + canvas.TextWidth(colours[k].name);
    const std::string more = "and " + std::to_string(colours.size() - k) + " more";
    const int reserve = lines == LegendLines && k + 1 < colours.size() ? 14 + canvas.TextWidth(more) : 0;
    if (x > 10 && x + width + reserve >= W - 10) {
      if (lines == LegendLines) {
        items.push_back({x, y, nullptr, more});
        break;
      }
      x = 10;
      y += LegendLine;
      ++lines;
    }
    items.push_back({x, y, &colours[k], colours[k].name});
    x += width + 14;
  }
  return items;
}

int MapsTop(int legendLines) { return legendLines == 0 ? 50 : 50 + LegendLine * legendLines; }

std::vector<std::pair<TColour, std::string>> PlayLegend(bool withSegments) {
  if (withSegments) return {{NeverReachedColour, "never reached by the play logs"}};
  return {{CodeColour, "code, drawn"}, {DataColour, "data, read"}, {NeverReachedColour, "never reached"}};
}

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

void PaintSegments(const TSegmentMap& map, const TBankBox& box, const std::vector<int>& cellOf,
                   std::size_t& nextPart, std::uint8_t* rows, int height) {
  const auto before = [&](const TSegmentPart& part) {
    return part.kind != box.kind ? part.kind == TBankKind::PRG : part.bank < box.index;
  };
  while (nextPart < map.parts.size() && before(map.parts[nextPart])) ++nextPart;
  const std::uint64_t cells = static_cast<std::uint64_t>(MapColumns) * height;
  for (std::size_t i = nextPart; i < map.parts.size(); ++i) {
    const TSegmentPart& part = map.parts[i];
    if (part.kind != box.kind || part.bank != box.index) break;
    const auto cell = static_cast<std::uint8_t>(cellOf[part.segment]);
    const std::uint64_t end = std::min(part.offset + part.size, cells);
    for (std::uint64_t o = part.offset; o < end; ++o)
      if (rows[o] == CellUsed) rows[o] = cell;
  }
}

void PaintPlay(const TPlayLog& play, const TBankBox& box, bool withSegments, std::uint8_t* rows, int height) {
  const std::span<const std::uint8_t> flags = play.BankFlags(box.kind, box.index);
  const std::uint64_t cells = static_cast<std::uint64_t>(MapColumns) * height;
  for (std::uint64_t o = 0; o < cells; ++o) {
    std::uint8_t& cell = rows[o];
    if (cell == CellFree || cell == CellMissing) continue;
    const std::uint8_t f = o < flags.size() ? flags[o] : 0;
    if (!(f & FlagReached)) cell = CellNever;
    else if (!withSegments) cell = f & FlagCode ? CellCode : CellData;
  }
}

void LegendItem(TCanvas& canvas, int x, int y, TColour colour, const std::string& text) {
  canvas.Rectangle(x, y + 2, x + Swatch, y + 2 + Swatch);
  canvas.Fill(x + 1, y + 3, Swatch - 2, Swatch - 2, colour);
  canvas.TextOut(x + Swatch + 4, y, text);
}

}  // namespace

std::vector<TBankBox> ViewBoxes(const TCanvas& canvas, const TNESImage& image, int W,
                                const TViewOptions& options) {
  int lines = 0;
  if (options.segments) LegendLayout(canvas, SegmentColours(*options.segments), W, lines);
  if (options.play) ++lines;
  return BankBoxes(W, image.PRGCount(), image.CHRCount(), MapsTop(lines));
}

std::optional<TBankCell> BankCellAt(const std::vector<TBankBox>& boxes, int x, int y) {
  for (const TBankBox& box : boxes) {
    const int column = x - (box.x + 1);
    const int row = y - (box.y + LabelGap + 1);
    if (column < 0 || column >= MapColumns || row < 0 || row >= MapRows(box.kind)) continue;
    return TBankCell{box.kind, box.index, static_cast<std::uint64_t>(row) * MapColumns + column};
  }
  return std::nullopt;
}

void DrawInfo(TCanvas& canvas, const TNESImage& image, const std::string& fileName,
              const TViewOptions& options) {
  const int W = canvas.Width();
  const int H = canvas.Height();
  canvas.Rectangle(0, 0, W, H);
  if (!image.Held()) {
    canvas.TextOut(10, 10, "No file loaded");
    return;
  }
  const std::uint8_t EmptyByte = image.FindEmptyByte();
  canvas.TextOut(10, 10,
                 ValidUTF8(TitleLine(fileName, image.Mapper(), image.PRGCount(), image.CHRCount(), EmptyByte)));

  std::array<TColour, 256> palette{};
  palette[CellFree] = RGBColour(252, 252, 252);
  palette[CellUsed] = RGBColour(46, 255, 51);
  palette[CellMissing] = RGBColour(128, 128, 128);
  // One picture per kind, refilled for every bank of its kind.
  std::vector<std::uint8_t> ImagePRG(static_cast<std::size_t>(MapColumns) * PRGMapRows, CellFree);
  std::vector<std::uint8_t> ImageCHR(static_cast<std::size_t>(MapColumns) * CHRMapRows, CellFree);

  int legendLines = 0;
  std::vector<TSegmentColour> colours;
  std::vector<int> cellOf;
  if (options.segments) {
    colours = SegmentColours(*options.segments);
    for (std::size_t k = 0; k < colours.size(); ++k) {
      const int cell = FirstSegmentCell + static_cast<int>(k % SegmentCells);
      if (colours[k].segment >= cellOf.size()) cellOf.resize(colours[k].segment + 1, CellUsed);
      cellOf[colours[k].segment] = cell;
      palette[static_cast<std::size_t>(cell)] = colours[k].colour;
    }
    for (const TLegendItem& item : LegendLayout(canvas, colours, W, legendLines)) {
      if (!item.colour) canvas.TextOut(item.x, item.y, item.text);
      else LegendItem(canvas, item.x, item.y, item.colour->colour, item.text);
    }
  }
  if (options.play) {
    palette[CellCode] = CodeColour;
    palette[CellData] = DataColour;
    palette[CellNever] = NeverReachedColour;
    int x = 10;
    const int y = LegendTop + LegendLine * legendLines++;
    for (const auto& [colour, text] : PlayLegend(options.segments != nullptr)) {
      LegendItem(canvas, x, y, colour, text);
      x += Swatch + 4 + canvas.TextWidth(text) + 14;
    }
  }
  std::size_t nextPart = 0;
  for (const TBankBox& box : BankBoxes(W, image.PRGCount(), image.CHRCount(), MapsTop(legendLines))) {
    const bool prg = box.kind == TBankKind::PRG;
    std::vector<std::uint8_t>& bank = prg ? ImagePRG : ImageCHR;
    const int rows = MapRows(box.kind);
    canvas.TextOut(box.x, box.y, BankLabel(box.kind, box.index));
    if (prg) image.PRGBankMap(box.index, EmptyByte, bank.data(), MapColumns);
    else image.CHRBankMap(box.index, bank.data(), MapColumns);
    if (options.segments) PaintSegments(*options.segments, box, cellOf, nextPart, bank.data(), rows);
    if (options.play) PaintPlay(*options.play, box, options.segments != nullptr, bank.data(), rows);
    canvas.Rectangle(box.x, box.y + LabelGap, box.x + BoxWidth, box.y + LabelGap + rows + 2);
    canvas.DrawCells(box.x + 1, box.y + LabelGap + 1, bank.data(), MapColumns, rows, palette);
  }
}
