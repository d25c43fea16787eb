// What the drawing area shows, without a toolkit: the title line, the
// legends and a map of every bank, one pixel per byte. DrawInfo lays it all
// out and fills the bank pictures; a front end (the Qt window, the report,
// a Windows window) supplies a TInfoCanvas that draws texts in its own font
// and puts the pictures on its surface. The calls come in drawing order,
// each over what came before, and the front end does nothing else.
//
//   class TMyCanvas : public TInfoCanvas { ... };  // five small functions
//   TMyCanvas canvas(surface);
//   DrawInfo(canvas, image, fileName, W, H, options);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cart/nes_image.h"
#include "picture/colours.h"
#include "picture/layout.h"

// An 8-bit bank picture: 64 cells wide, one byte per cell, row 0 at the
// top, rows packed (a row is 64 bytes), and its palette.
struct TBankPicture {
  int width = MapColumns;
  int height = 0;
  std::vector<std::uint8_t> cells;
  TPalette palette{};
};
// A bank picture of its kind, every cell free, with the plain palette.
TBankPicture BankPicture(TBankKind kind);

class TInfoCanvas : public TTextMeasure {
 public:
  // The platform's rectangle rule: a 1-pixel black outline on columns x1
  // and x2 - 1 and rows y1 and y2 - 1, the inside white.
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // A plain rectangle of `colour`, width x height from (x, y).
  virtual void Fill(int x, int y, int width, int height, TRgb colour) = 0;
  // A UTF-8 text with its top-left corner at (x, y), in the front end's
  // font and the window-text colour, opaque on white (TextWidth wide).
  virtual void Text(int x, int y, const std::string& text) = 0;
  // The picture unscaled, its top-left corner at (x, y).
  virtual void Bank(int x, int y, const TBankPicture& picture) = 0;
};

// The whole drawing area, W x H, for `image` (held or not), the title line
// naming `fileName` (UTF-8, as it is to be shown).
void DrawInfo(TInfoCanvas& canvas, const TNESImage& image, const std::string& fileName, int W, int H,
              const TViewOptions& options = {});
