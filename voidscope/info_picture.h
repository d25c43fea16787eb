// The drawing area on Qt: the window's font, and the toolkit-free drawing
// (picture/) replayed onto a QPainter. The window, the report and the views
// over the maps all draw through InfoPicture.
#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>
#include <optional>
#include <vector>

#include "cart/nes_image.h"
#include "picture/colours.h"
#include "picture/info_drawing.h"
#include "picture/layout.h"

// The window's font: Tahoma, or a free sans of like build where it is absent.
QFont WindowFont();

// Text widths in the window's font.
class TQtTextMeasure : public TTextMeasure {
 public:
  int TextWidth(const std::string& text) const override;
};

// A bank picture as a Qt image (8 bits a pixel, its palette).
QImage BankImage(const TBankPicture& picture);

// The boxes as InfoPicture draws them with `options`, in the window's font.
std::vector<TBankBox> ViewBoxes(const TNESImage& image, int W, const TViewOptions& options);
inline std::optional<TBankCell> BankCellAt(const std::vector<TBankBox>& boxes, QPoint pos) {
  return BankCellAt(boxes, pos.x(), pos.y());
}

// The whole drawing area, `W` x `H`, for `image` (held or not), the title
// line naming `fileName`. A null picture when that size cannot be had.
QImage InfoPicture(const TNESImage& image, const QString& fileName, int W, int H,
                   const TViewOptions& options = {});
