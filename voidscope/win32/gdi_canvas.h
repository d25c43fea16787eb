// The drawing area's canvas: a 32-bit DIB section that GDI draws the frames
// and texts into and the bank pictures are copied onto, shown on the window
// with one copy and written as the report from its own pixels.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

// 0x00RRGGBB, as the DIB section and the BMP writer hold pixels.
using TColour = std::uint32_t;
constexpr TColour RGBColour(int r, int g, int b) {
  return static_cast<TColour>((r << 16) | (g << 8) | b);
}

class TCanvas {
 public:
  TCanvas(int W, int H);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  bool Valid() const { return Bits != nullptr; }
  int Width() const { return W; }
  int Height() const { return H; }
  HDC DC() const { return MemoryDC; }
  // After GDI has finished every drawing call.
  const std::uint32_t* Pixels() const {
    GdiFlush();
    return Bits;
  }

  // The platform's rule: outline on x1, x2 - 1, y1 and y2 - 1, white inside.
  void Rectangle(int x1, int y1, int x2, int y2);
  void Fill(int x, int y, int w, int h, TColour colour);
  // Top-left at (x, y), opaque on white, in the window-text colour.
  void TextOut(int x, int y, const std::string& utf8);
  int TextWidth(const std::string& utf8) const;
  // An 8-bit picture of `columns` x `rows` cells, drawn unscaled.
  void DrawCells(int x, int y, const std::uint8_t* cells, int columns, int rows,
                 const std::array<TColour, 256>& palette);

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
