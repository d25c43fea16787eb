#include "colours.h"

#include <cmath>
#include <iterator>

namespace {

// A hue (degrees), saturation and value (0-255) as red, green and blue,
// rounded as Qt's QColor::fromHsv(...).rgb() does it, which drew these
// colours first: on 16-bit channels in single precision, then to 8 bits.
TRgb FromHsv(int hue, int saturation, int value) {
  const float h = hue == 360 ? 0.0f : static_cast<float>(hue * 100) / 6000.0f;
  const float s = static_cast<float>(saturation * 0x101) / 65535.0f;
  const float v = static_cast<float>(value * 0x101) / 65535.0f;
  const int i = static_cast<int>(h);
  const float f = h - static_cast<float>(i);
  const float p = v * (1.0f - s);
  const float q = v * (1.0f - s * f);
  const float t = v * (1.0f - s * (1.0f - f));
  float r = v, g = t, b = p;
  switch (i) {
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    case 5: r = v, g = p, b = q; break;
    default: break;
  }
  const auto to8 = [](float channel) {
    const int x = static_cast<int>(channel * 65535.0f + 0.5f);
    return (x - (x >> 8) + 0x80) >> 8;
  };
  return MakeRgb(to8(r), to8(g), to8(b));
}

}  // namespace

TRgb CodeColour() { return MakeRgb(23, 150, 26); }
TRgb DataColour() { return MakeRgb(150, 255, 153); }
TRgb NeverReachedColour() { return MakeRgb(0, 0, 0); }

TPalette BankPalette() {
  TPalette palette;
  palette.fill(MakeRgb(0, 0, 0));
  palette[CellFree] = MakeRgb(252, 252, 252);
  palette[CellUsed] = MakeRgb(46, 255, 51);
  palette[CellMissing] = MakeRgb(128, 128, 128);
  return palette;
}

// Colours far from the plain view's green, near-white and grey: a dozen
// that tell apart well, then hues a golden angle apart without the greens.
TRgb SegmentColour(unsigned k) {
  static constexpr TRgb first[] = {
      MakeRgb(31, 119, 180), MakeRgb(255, 127, 14), MakeRgb(214, 39, 40),  MakeRgb(148, 103, 189),
      MakeRgb(140, 86, 75),  MakeRgb(227, 119, 194), MakeRgb(23, 190, 207), MakeRgb(188, 189, 34),
      MakeRgb(0, 0, 128),    MakeRgb(128, 0, 0),    MakeRgb(255, 215, 0),  MakeRgb(0, 128, 128),
  };
  if (k < std::size(first)) return first[k];
  const double hue = std::fmod(k * 137.508, 285.0);
  const int h = static_cast<int>(hue < 75 ? hue : hue + 75);  // no 75-150
  return FromHsv(h, 200, k % 2 ? 170 : 235);
}

std::vector<TSegmentColour> SegmentColours(const TSegmentMap& map) {
  std::vector<TSegmentColour> colours;
  std::vector<bool> seen;
  for (const TSegmentPart& part : map.parts) {
    if (part.segment >= seen.size()) seen.resize(part.segment + 1, false);
    if (seen[part.segment]) continue;
    seen[part.segment] = true;
    colours.push_back({part.segment, part.name, SegmentColour(static_cast<unsigned>(colours.size()))});
  }
  return colours;
}
