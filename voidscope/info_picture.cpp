#include "info_picture.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <span>
#include <utility>

namespace {

// Layout of the drawing area.
constexpr int BoxWidth = 66;      // 64 cells and the frame
constexpr int BoxPitch = 74;      // from one box to the next
constexpr int LabelGap = 20;      // label to box
constexpr int PRGRowStep = 296;   // 20 + 258 + 18
constexpr int CHRRowStep = 168;   // 20 + 130 + 18

int MapRows(TBankKind kind) { return kind == TBankKind::PRG ? PRGMapRows : CHRMapRows; }

// The segment view: palette entries from here on are the segments' colours,
// repeating when there are more segments than entries.
constexpr int FirstSegmentCell = CellMissing + 1;
// The play-log view's entries come last.
constexpr int CellCode = 253;
constexpr int CellData = 254;
constexpr int CellNever = 255;
constexpr int SegmentCells = CellCode - FirstSegmentCell;

// Legend of the segment view: one line of swatches and names after another,
// below the title line; the boxes start below it. At most four lines, so
// that a debug file of many segments never pushes the maps out of sight:
// what does not fit is counted at the end ("and 12 more").
constexpr int LegendTop = 32;
constexpr int LegendLine = 18;
constexpr int LegendLines = 4;
constexpr int Swatch = 11;

struct TLegendItem {
  int x;
  int y;
  const TSegmentColour* colour;  // none: the count of those left out
  QString text;
};

std::vector<TLegendItem> LegendLayout(const std::vector<TSegmentColour>& colours, int W, int& lines) {
  const QFontMetrics metrics(WindowFont());
  std::vector<TLegendItem> items;
  int x = 10;
  int y = LegendTop;
  lines = colours.empty() ? 0 : 1;
  for (std::size_t k = 0; k < colours.size(); ++k) {
    const int width = Swatch + 4 + metrics.horizontalAdvance(colours[k].name);
    // On the last line, room for the count is kept unless this is the last.
    const QString more = QString("and %1 more").arg(colours.size() - k);
    const int reserve = lines == LegendLines && k + 1 < colours.size() ? 14 + metrics.horizontalAdvance(more) : 0;
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

// The play-log view's legend: one line below the segments' legend, if any.
// Beside segments only the never reached colour is new.
std::vector<std::pair<QRgb, QString>> PlayLegend(bool withSegments) {
  if (withSegments) return {{NeverReachedColour(), "never reached by the play logs"}};
  return {{CodeColour(), "code, drawn"}, {DataColour(), "data, read"}, {NeverReachedColour(), "never reached"}};
}

// Colours far from the plain view's green, near-white and grey: a dozen
// that tell apart well, then hues a golden angle apart without the greens.
QRgb SegmentColour(unsigned k) {
  static const QRgb first[] = {
      qRgb(31, 119, 180), qRgb(255, 127, 14), qRgb(214, 39, 40),  qRgb(148, 103, 189),
      qRgb(140, 86, 75),  qRgb(227, 119, 194), qRgb(23, 190, 207), qRgb(188, 189, 34),
      qRgb(0, 0, 128),    qRgb(128, 0, 0),    qRgb(255, 215, 0),  qRgb(0, 128, 128),
  };
  if (k < std::size(first)) return first[k];
  const double hue = std::fmod(k * 137.508, 285.0);
  const int h = static_cast<int>(hue < 75 ? hue : hue + 75);  // no 75-150
  return QColor::fromHsv(h, 200, k % 2 ? 170 : 235).rgb();
}

// The platform's rectangle rule: the outline on x1, x2 - 1, y1 and y2 - 1,
// the inside in the brush colour.
void Rectangle(QPainter& canvas, int x1, int y1, int x2, int y2) {
  canvas.fillRect(x1, y1, x2 - x1, y2 - y1, Qt::black);
  if (x2 - x1 > 2 && y2 - y1 > 2) canvas.fillRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2, Qt::white);
}

// Top-left at (x, y), opaque on white, in the window-text colour.
void TextOut(QPainter& canvas, int x, int y, const QString& text) {
  const QFontMetrics metrics(canvas.font());
  canvas.fillRect(x, y, metrics.horizontalAdvance(text), metrics.height(), Qt::white);
  canvas.setPen(QGuiApplication::palette().color(QPalette::WindowText));
  canvas.drawText(x, y + metrics.ascent(), text);
}

// Used cells of the box's bank take their segment's colour; free and missing
// cells stay as they are.
void PaintSegments(const TSegmentMap& map, const TBankBox& box, const std::vector<int>& cellOf,
                   std::size_t& nextPart, QImage& bank) {
  const auto before = [&](const TSegmentPart& part) {
    return part.kind != box.kind ? part.kind == TBankKind::PRG : part.bank < box.index;
  };
  while (nextPart < map.parts.size() && before(map.parts[nextPart])) ++nextPart;
  const std::uint64_t cells = static_cast<std::uint64_t>(MapColumns) * bank.height();
  std::uint8_t* rows = bank.bits();
  const auto stride = static_cast<std::uint64_t>(bank.bytesPerLine());
  for (std::size_t i = nextPart; i < map.parts.size(); ++i) {
    const TSegmentPart& part = map.parts[i];
    if (part.kind != box.kind || part.bank != box.index) break;
    const auto cell = static_cast<std::uint8_t>(cellOf[part.segment]);
    const std::uint64_t end = std::min(part.offset + part.size, cells);
    for (std::uint64_t o = part.offset; o < end; ++o) {
      std::uint8_t& c = rows[o / MapColumns * stride + o % MapColumns];
      if (c == CellUsed) c = cell;
    }
  }
}

// Used cells of the box's bank that no log reached take the never reached
// colour; reached ones the code or data shade, or, with segments, keep theirs.
void PaintPlay(const TPlayLog& play, const TBankBox& box, bool withSegments, QImage& bank) {
  const std::span<const std::uint8_t> flags = play.BankFlags(box.kind, box.index);
  const std::uint64_t cells = std::min<std::uint64_t>(
      static_cast<std::uint64_t>(MapColumns) * bank.height(), flags.size());
  std::uint8_t* rows = bank.bits();
  const auto stride = static_cast<std::uint64_t>(bank.bytesPerLine());
  for (int r = 0; r < bank.height(); ++r) {
    for (int c = 0; c < MapColumns; ++c) {
      std::uint8_t& cell = rows[r * stride + c];
      if (cell == CellFree || cell == CellMissing) continue;
      const std::uint64_t o = static_cast<std::uint64_t>(r) * MapColumns + c;
      // No flags for the byte (a merge of no logs): nothing reached it.
      const std::uint8_t f = o < cells ? flags[o] : 0;
      if (!(f & FlagReached)) cell = CellNever;
      else if (!withSegments) cell = f & FlagCode ? CellCode : CellData;
    }
  }
}

// A swatch in a black frame and its name.
void LegendItem(QPainter& canvas, int x, int y, QRgb colour, const QString& text) {
  Rectangle(canvas, x, y + 2, x + Swatch, y + 2 + Swatch);
  canvas.fillRect(x + 1, y + 3, Swatch - 2, Swatch - 2, QColor(colour));
  TextOut(canvas, x + Swatch + 4, y, text);
}

}  // namespace

QRgb CodeColour() { return qRgb(23, 150, 26); }
QRgb DataColour() { return qRgb(150, 255, 153); }
QRgb NeverReachedColour() { return qRgb(0, 0, 0); }

QList<QRgb> BankPalette() {
  QList<QRgb> palette(256, qRgb(0, 0, 0));
  palette[CellFree] = qRgb(252, 252, 252);
  palette[CellUsed] = qRgb(46, 255, 51);
  palette[CellMissing] = qRgb(128, 128, 128);
  return palette;
}

QImage BankPicture(TBankKind kind) {
  QImage picture(MapColumns, MapRows(kind), QImage::Format_Indexed8);
  picture.setColorTable(BankPalette());
  picture.fill(CellFree);
  return picture;
}

QFont WindowFont() {
  QFont font;
  font.setFamilies({"Tahoma", "Liberation Sans", "DejaVu Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(13);
  return font;
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

std::optional<TBankCell> BankCellAt(const std::vector<TBankBox>& boxes, QPoint pos) {
  for (const TBankBox& box : boxes) {
    // The cells only: the frame around them is not a byte.
    const int column = pos.x() - (box.x + 1);
    const int row = pos.y() - (box.y + LabelGap + 1);
    if (column < 0 || column >= MapColumns || row < 0 || row >= MapRows(box.kind)) continue;
    return TBankCell{box.kind, box.index, static_cast<std::uint64_t>(row) * MapColumns + column};
  }
  return std::nullopt;
}

std::vector<TSegmentColour> SegmentColours(const TSegmentMap& map) {
  std::vector<TSegmentColour> colours;
  std::vector<bool> seen;
  for (const TSegmentPart& part : map.parts) {
    if (part.segment >= seen.size()) seen.resize(part.segment + 1, false);
    if (seen[part.segment]) continue;
    seen[part.segment] = true;
    colours.push_back({part.segment, QString::fromStdString(part.name),
                       SegmentColour(static_cast<unsigned>(colours.size()))});
  }
  return colours;
}

std::vector<TBankBox> ViewBoxes(const TNESImage& image, int W, const TViewOptions& options) {
  int lines = 0;
  if (options.segments) LegendLayout(SegmentColours(*options.segments), W, lines);
  if (options.play) ++lines;
  return BankBoxes(W, image.PRGCount(), image.CHRCount(), MapsTop(lines));
}

QImage InfoPicture(const TNESImage& image, const QString& fileName, int W, int H,
                   const TViewOptions& options) {
  QImage picture(W, H, QImage::Format_RGB32);
  if (picture.isNull()) return picture;
  QPainter canvas(&picture);
  canvas.setFont(WindowFont());
  Rectangle(canvas, 0, 0, W, H);
  if (!image.Held()) {
    TextOut(canvas, 10, 10, "No file loaded");
    return picture;
  }
  const std::uint8_t EmptyByte = image.FindEmptyByte();
  TextOut(canvas, 10, 10,
          QString::fromStdString(TitleLine(fileName.toStdString(), image.Mapper(), image.PRGCount(),
                                           image.CHRCount(), EmptyByte)));

  // One picture per kind, refilled for every bank of its kind.
  QImage ImagePRG = BankPicture(TBankKind::PRG);
  QImage ImageCHR = BankPicture(TBankKind::CHR);
  int legendLines = 0;
  std::vector<TSegmentColour> colours;
  std::vector<int> cellOf;  // by segment id: its palette entry
  if (options.segments) {
    colours = SegmentColours(*options.segments);
    for (std::size_t k = 0; k < colours.size(); ++k) {
      const int cell = FirstSegmentCell + static_cast<int>(k % SegmentCells);
      if (colours[k].segment >= cellOf.size()) cellOf.resize(colours[k].segment + 1, CellUsed);
      cellOf[colours[k].segment] = cell;
      ImagePRG.setColor(cell, colours[k].colour);
      ImageCHR.setColor(cell, colours[k].colour);
    }
    for (const TLegendItem& item : LegendLayout(colours, W, legendLines)) {
      if (!item.colour) {
        TextOut(canvas, item.x, item.y, item.text);
        continue;
      }
      LegendItem(canvas, item.x, item.y, item.colour->colour, item.text);
    }
  }
  if (options.play) {
    ImagePRG.setColor(CellCode, CodeColour());
    ImagePRG.setColor(CellData, DataColour());
    ImagePRG.setColor(CellNever, NeverReachedColour());
    ImageCHR.setColorTable(ImagePRG.colorTable());
    int x = 10;
    const int y = LegendTop + LegendLine * legendLines++;
    const QFontMetrics metrics(canvas.font());
    for (const auto& [colour, text] : PlayLegend(options.segments != nullptr)) {
      LegendItem(canvas, x, y, colour, text);
      x += Swatch + 4 + metrics.horizontalAdvance(text) + 14;
    }
  }
  std::size_t nextPart = 0;  // parts come in bank order, as the boxes do
  for (const TBankBox& box : BankBoxes(W, image.PRGCount(), image.CHRCount(), MapsTop(legendLines))) {
    const bool prg = box.kind == TBankKind::PRG;
    QImage& bank = prg ? ImagePRG : ImageCHR;
    TextOut(canvas, box.x, box.y, QString::fromStdString(BankLabel(box.kind, box.index)));
    if (prg)
      image.PRGBankMap(box.index, EmptyByte, bank.bits(), bank.bytesPerLine());
    else
      image.CHRBankMap(box.index, bank.bits(), bank.bytesPerLine());
    if (options.segments) PaintSegments(*options.segments, box, cellOf, nextPart, bank);
    if (options.play) PaintPlay(*options.play, box, options.segments != nullptr, bank);
    Rectangle(canvas, box.x, box.y + LabelGap, box.x + BoxWidth, box.y + LabelGap + bank.height() + 2);
    canvas.drawImage(box.x + 1, box.y + LabelGap + 1, bank);
  }
  return picture;
}
