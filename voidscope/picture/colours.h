// The colours of the drawing area, as plain 32-bit values 0xFFRRGGBB: the
// byte order (blue, green, red, alpha) of a 32-bit pixel in memory on the
// machines we build for, so that Qt (QRgb) and a Windows DIB (RGBQUAD)
// take them as they are.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "cart/segment_map.h"

using TRgb = std::uint32_t;

constexpr TRgb MakeRgb(int red, int green, int blue) {
  return 0xFF000000u | (static_cast<TRgb>(red & 0xFF) << 16) | (static_cast<TRgb>(green & 0xFF) << 8) |
         static_cast<TRgb>(blue & 0xFF);
}
constexpr int RedOf(TRgb rgb) { return (rgb >> 16) & 0xFF; }
constexpr int GreenOf(TRgb rgb) { return (rgb >> 8) & 0xFF; }
constexpr int BlueOf(TRgb rgb) { return rgb & 0xFF; }

// Palette of the bank pictures: free, used, missing, then black.
using TPalette = std::array<TRgb, 256>;
TPalette BankPalette();

// The play-log view's colours.
TRgb CodeColour();          // PRG run as code, CHR drawn
TRgb DataColour();          // PRG read as data, CHR read, and any other reach
TRgb NeverReachedColour();  // used, reached by no log

// The k-th segment's colour in the segment view.
TRgb SegmentColour(unsigned k);

// A segment's colour in the segment view, in the order the segments' first
// bytes come in the file.
struct TSegmentColour {
  unsigned segment;  // id in the debug file
  std::string name;  // UTF-8
  TRgb colour;
};
std::vector<TSegmentColour> SegmentColours(const TSegmentMap& map);
