#include "info_picture.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace {

// Layout of the drawing area.
constexpr int BoxWidth = 66;      // 64 cells and the frame
constexpr int BoxPitch = 74;      // from one box to the next
constexpr int LabelGap = 20;      // label to box
constexpr int PRGRowStep = 296;   // 20 + 258 + 18
constexpr int CHRRowStep = 168;   // 20 + 130 + 18

int MapRows(TBankKind kind) { return kind == TBankKind::PRG ? PRGMapRows : CHRMapRows; }

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

}  // namespace

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

std::vector<TBankBox> BankBoxes(int W, unsigned prgCount, unsigned chrCount) {
  std::vector<TBankBox> boxes;
  boxes.reserve(prgCount + chrCount);
  int x = 10;
  int y = 50;
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

QImage InfoPicture(const TNESImage& image, const QString& fileName, int W, int H,
                   const TViewOptions&) {
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
  for (const TBankBox& box : BankBoxes(W, image.PRGCount(), image.CHRCount())) {
    const bool prg = box.kind == TBankKind::PRG;
    QImage& bank = prg ? ImagePRG : ImageCHR;
    TextOut(canvas, box.x, box.y, QString::fromStdString(BankLabel(box.kind, box.index)));
    if (prg)
      image.PRGBankMap(box.index, EmptyByte, bank.bits(), bank.bytesPerLine());
    else
      image.CHRBankMap(box.index, bank.bits(), bank.bytesPerLine());
    Rectangle(canvas, box.x, box.y + LabelGap, box.x + BoxWidth, box.y + LabelGap + bank.height() + 2);
    canvas.drawImage(box.x + 1, box.y + LabelGap + 1, bank);
  }
  return picture;
}
