#include "window_icon.h"

#include "icon_art.h"

QImage WindowIconPicture(int colours) {
  const bool full = colours > 16;
  QList<QRgb> palette(full ? 256 : 16, qRgb(0, 0, 0));
  for (int i = 1; i < IconColourCount; ++i) {
    const TIconColour colour = IconColour(i, full);
    palette[i] = qRgb(colour.red, colour.green, colour.blue);
  }
  palette[0] = qRgba(0, 0, 0, 0);

  QImage picture(16, 16, QImage::Format_Indexed8);
  picture.setColorTable(palette);
  for (int r = 0; r < 16; ++r) {
    uchar* row = picture.scanLine(r);
    for (int c = 0; c < 16; ++c) row[c] = static_cast<uchar>(IconIndex(IconArt[r][c]));
  }
  return picture;
}

QIcon WindowIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(WindowIconPicture(256)));
  icon.addPixmap(QPixmap::fromImage(WindowIconPicture(16)));
  return icon;
}
