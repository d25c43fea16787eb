// What the drawing area shows, drawn apart from the window: the title line
// and a map of every bank, one pixel per byte. The window, the report and
// the views over the maps all draw through InfoPicture.
#pragma once

#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "cart/nes_image.h"
#include "cart/play_log.h"
#include "cart/segment_map.h"
#include "cart/summary_format.h"

// Where a bank is drawn: its label's top-left corner; the frame runs from
// (x, y + 20) to (x + 66, y + 20 + rows + 2), the cells inside it.
struct TBankBox {
  TBankKind kind;
  unsigned index;
  int x;
  int y;
};
// Every bank's box, PRG first, flowed into rows for a drawing area W wide,
// the first row's labels at `top`.
std::vector<TBankBox> BankBoxes(int W, unsigned prgCount, unsigned chrCount, int top = 50);

// A byte's cell in the drawing: which bank and the offset within it.
struct TBankCell {
  TBankKind kind;
  unsigned bank;
  std::uint64_t offset;
};
// The cell under `pos`; none over frames, labels and gaps.
std::optional<TBankCell> BankCellAt(const std::vector<TBankBox>& boxes, QPoint pos);

// Palette of the bank pictures: free, used, missing, then black.
QList<QRgb> BankPalette();
// A bank picture, 64 cells wide, every cell free.
QImage BankPicture(TBankKind kind);
// The window's font: Tahoma, or a free sans of like build where it is absent.
QFont WindowFont();

// What is drawn over the plain maps; nothing by default.
struct TViewOptions {
  // Used bytes in one colour per segment, with a legend.
  const TSegmentMap* segments = nullptr;
  // Used bytes no log reached in a colour of their own, code and data in
  // two shades of the used green, with a legend. With the segment view the
  // reached bytes keep their segment's colour and only the never reached
  // ones change.
  const TPlayLog* play = nullptr;
};

// The play-log view's colours.
QRgb CodeColour();          // PRG run as code, CHR drawn
QRgb DataColour();          // PRG read as data, CHR read, and any other reach
QRgb NeverReachedColour();  // used, reached by no log

// A segment's colour in the segment view, in the order the segments' first
// bytes come in the file.
struct TSegmentColour {
  unsigned segment;  // id in the debug file
  QString name;
  QRgb colour;
};
std::vector<TSegmentColour> SegmentColours(const TSegmentMap& map);

// The boxes as InfoPicture draws them with `options` (the segment view's
// legend moves them down).
std::vector<TBankBox> ViewBoxes(const TNESImage& image, int W, const TViewOptions& options);

// The whole drawing area, `W` x `H`, for `image` (held or not), the title
// line naming `fileName`. A null picture when that size cannot be had.
QImage InfoPicture(const TNESImage& image, const QString& fileName, int W, int H,
                   const TViewOptions& options = {});
