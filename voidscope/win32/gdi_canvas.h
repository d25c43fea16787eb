// The drawing area's canvas on Windows: a 32-bit DIB section that GDI draws
// the frames and texts into (Tahoma, 13 pixels) and the bank pictures are
// put on, shown on the window with one copy and written as the report from
// its own pixels. The layout and the pictures are the shared ones.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "picture/info_drawing.h"

class TCanvas : public TInfoCanvas {
 public:
  TCanvas(int W, int H);
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  bool Valid() const { return Bits != nullptr; }
  int Width() const { return W; }
  int Height() const { return H; }
  HDC DC() const { return MemoryDC; }
  // 0x00RRGGBB in the low bytes, row 0 at the top, once GDI has finished.
  const std::uint32_t* Pixels() const {
    GdiFlush();
    return Bits;
  }

  int TextWidth(const std::string& text) const override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Fill(int x, int y, int width, int height, TRgb colour) override;
  void Text(int x, int y, const std::string& text) override;
  void Bank(int x, int y, const TBankPicture& picture) override;

 private:
  int W;
  int H;
  HDC MemoryDC = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ OldBitmap = nullptr;
  HFONT Font = nullptr;
  HGDIOBJ OldFont = nullptr;
  std::uint32_t* Bits = nullptr;
};

// The window's font: Tahoma, 13 pixels high.
HFONT CreateWindowFont();
