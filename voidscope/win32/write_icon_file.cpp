// Writes the window's icon as a Windows .ico file for the resource script:
// the 16-colour and the 256-colour 16 x 16 pictures, each with its
// transparency mask. Built for the build machine and run at build time.
//
// usage: write_icon_file OUT.ico
#include <cstdint>
#include <cstdio>
#include <vector>

#include "icon_art.h"

namespace {

constexpr int Side = 16;

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, unsigned value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// One image as the .ico holds it: a BITMAPINFOHEADER of twice the height
// (colours, then mask), the palette, the colour rows and the mask rows,
// bottom row first, each row padded to 4 bytes.
std::vector<std::uint8_t> IconImage(int bits) {
  const bool full = bits == 8;
  const int colours = 1 << bits;
  const int colourRow = (Side * bits / 8 + 3) / 4 * 4;
  const int maskRow = 4;
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, Side);
  Put32(out, Side * 2);
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(bits));
  Put32(out, 0);
  Put32(out, static_cast<unsigned>((colourRow + maskRow) * Side));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, 0);
  for (int i = 0; i < colours; ++i) {
    const TIconColour colour = i < IconColourCount ? IconColour(i, full) : TIconColour{0, 0, 0};
    out.insert(out.end(), {colour.blue, colour.green, colour.red, 0});
  }
  for (int r = Side - 1; r >= 0; --r) {
    std::vector<std::uint8_t> row(static_cast<std::size_t>(colourRow), 0);
    for (int c = 0; c < Side; ++c) {
      const int index = IconIndex(IconArt[r][c]);
      if (full) row[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(index);
      else row[static_cast<std::size_t>(c / 2)] |= static_cast<std::uint8_t>(c % 2 ? index : index << 4);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  for (int r = Side - 1; r >= 0; --r) {
    std::uint8_t row[maskRow] = {};
    for (int c = 0; c < Side; ++c)
      if (IconIndex(IconArt[r][c]) == 0) row[c / 8] |= static_cast<std::uint8_t>(0x80 >> (c % 8));
    out.insert(out.end(), row, row + maskRow);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_icon_file OUT.ico\n");
    return 2;
  }
  const std::vector<std::uint8_t> images[] = {IconImage(4), IconImage(8)};
  std::vector<std::uint8_t> out;
  Put16(out, 0);
  Put16(out, 1);  // an icon, not a cursor
  Put16(out, 2);
  unsigned offset = 6 + 16 * 2;
  for (const std::vector<std::uint8_t>& image : images) {
    const bool full = &image == &images[1];
    out.insert(out.end(), {Side, Side, static_cast<std::uint8_t>(full ? 0 : 16), 0});
    Put16(out, 1);
    Put16(out, full ? 8 : 4);
    Put32(out, static_cast<unsigned>(image.size()));
    Put32(out, offset);
    offset += static_cast<unsigned>(image.size());
  }
  for (const std::vector<std::uint8_t>& image : images) out.insert(out.end(), image.begin(), image.end());

  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file || std::fwrite(out.data(), 1, out.size(), file) != out.size() || std::fclose(file) != 0) {
    std::fprintf(stderr, "write_icon_file: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
