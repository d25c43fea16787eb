// Writes the game's hero as the desktop's PNG icons: the first frame of
// player.png, enlarged by whole factors pixel for pixel.
//
// usage: arcade_draw_icons PLAYER.png OUT_DIR SIZE... (writes OUT_DIR/SIZExSIZE/arcade.png)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "resgen/png_io.h"

namespace {

constexpr int kFrame = 16;  // the hero's frame size in player.png

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: arcade_draw_icons PLAYER.png OUT_DIR SIZE...\n");
    return 2;
  }
  const auto bytes = resgen::read_file(argv[1]);
  const auto sheet = bytes ? resgen::decode_png(*bytes) : std::nullopt;
  if (!sheet || sheet->width() < kFrame || sheet->height() < kFrame) {
    std::fprintf(stderr, "arcade_draw_icons: %s is not a readable sprite sheet\n", argv[1]);
    return 1;
  }
  const resgen::Image hero = sheet->cropped(0, 0, kFrame, kFrame);
  for (int i = 3; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size < kFrame || size % kFrame != 0) {
      std::fprintf(stderr, "arcade_draw_icons: %s is not a whole multiple of %d\n", argv[i], kFrame);
      return 2;
    }
    const std::filesystem::path dir =
        std::filesystem::path(argv[2]) / (std::to_string(size) + "x" + std::to_string(size));
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    const std::string file = (dir / "arcade.png").string();
    if (error || !resgen::write_file(file, resgen::encode_png(hero.scaled(size / kFrame)))) {
      std::fprintf(stderr, "arcade_draw_icons: cannot write %s\n", file.c_str());
      return 1;
    }
  }
  return 0;
}
