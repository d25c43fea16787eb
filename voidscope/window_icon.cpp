#include "window_icon.h"

namespace {

// A cartridge whose label is a little free-space map.
// k outline, # shell, g used, w free, y contacts, . transparent.
constexpr const char* Art[16] = {
    "................",
    ".kkkkkkkkkkkkkk.",
    ".k############k.",
    ".k#kkkkkkkkkk#k.",
    ".k#kggggggwwk#k.",
    ".k#kgggwggwwk#k.",
    ".k#kggggwwwwk#k.",
    ".k#kgggwwwwwk#k.",
    ".k#kggwwwwwwk#k.",
    ".k#kkkkkkkkkk#k.",
    ".k############k.",
    ".k############k.",
    ".kk##########kk.",
    "..k#y#y#y#y#yk..",
    "..kkkkkkkkkkkk..",
    "................",
};

}  // namespace

QImage WindowIconPicture(int colours) {
  const bool full = colours > 16;
  // The 16-colour picture keeps to the classic 16-colour palette.
  const QRgb shell = full ? qRgb(96, 96, 104) : qRgb(128, 128, 128);
  const QRgb used = full ? qRgb(46, 255, 51) : qRgb(0, 255, 0);
  const QRgb free = full ? qRgb(252, 252, 252) : qRgb(255, 255, 255);
  const QRgb contact = full ? qRgb(214, 170, 40) : qRgb(128, 128, 0);
  QList<QRgb> palette(full ? 256 : 16, qRgb(0, 0, 0));
  palette[0] = qRgba(0, 0, 0, 0);
  palette[1] = qRgb(0, 0, 0);
  palette[2] = shell;
  palette[3] = used;
  palette[4] = free;
  palette[5] = contact;

  QImage picture(16, 16, QImage::Format_Indexed8);
  picture.setColorTable(palette);
  for (int r = 0; r < 16; ++r) {
    uchar* row = picture.scanLine(r);
    for (int c = 0; c < 16; ++c) {
      switch (Art[r][c]) {
        case 'k': row[c] = 1; break;
        case '#': row[c] = 2; break;
        case 'g': row[c] = 3; break;
        case 'w': row[c] = 4; break;
        case 'y': row[c] = 5; break;
        default: row[c] = 0; break;
      }
    }
  }
  return picture;
}

QIcon WindowIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(WindowIconPicture(256)));
  icon.addPixmap(QPixmap::fromImage(WindowIconPicture(16)));
  return icon;
}
