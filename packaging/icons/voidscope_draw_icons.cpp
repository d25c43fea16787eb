// Writes voidscope's window icon as the desktop's PNG icons: the 16 x 16
// picture the window carries, enlarged by whole factors pixel for pixel.
//
// usage: voidscope_draw_icons OUT_DIR SIZE... (writes OUT_DIR/SIZExSIZE/voidscope.png)
#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

#include "window_icon.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: voidscope_draw_icons OUT_DIR SIZE...\n");
    return 2;
  }
  // 32-bit with alpha: the desktop wants transparency, not a palette.
  const QImage art = WindowIconPicture(256).convertToFormat(QImage::Format_ARGB32);
  for (int i = 2; i < argc; ++i) {
    const int size = std::atoi(argv[i]);
    if (size < art.width() || size % art.width() != 0) {
      std::fprintf(stderr, "voidscope_draw_icons: %s is not a whole multiple of %d\n", argv[i],
                   art.width());
      return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]) + QString("/%1x%1").arg(size);
    const QString file = dir + "/voidscope.png";
    if (!QDir().mkpath(dir) ||
        !art.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(file, "PNG")) {
      std::fprintf(stderr, "voidscope_draw_icons: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
