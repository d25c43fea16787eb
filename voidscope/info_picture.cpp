#include "info_picture.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace {

class TQtCanvas : public TInfoCanvas {
 public:
  explicit TQtCanvas(QPainter& canvas) : canvas_(canvas), metrics_(canvas.font()) {}

  int TextWidth(const std::string& text) const override {
    return metrics_.horizontalAdvance(QString::fromStdString(text));
  }
  void Rectangle(int x1, int y1, int x2, int y2) override {
    canvas_.fillRect(x1, y1, x2 - x1, y2 - y1, Qt::black);
    if (x2 - x1 > 2 && y2 - y1 > 2) canvas_.fillRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2, Qt::white);
  }
  void Fill(int x, int y, int width, int height, TRgb colour) override {
    canvas_.fillRect(x, y, width, height, QColor(colour));
  }
  void Text(int x, int y, const std::string& text) override {
    const QString shown = QString::fromStdString(text);
    canvas_.fillRect(x, y, metrics_.horizontalAdvance(shown), metrics_.height(), Qt::white);
    canvas_.setPen(QGuiApplication::palette().color(QPalette::WindowText));
    canvas_.drawText(x, y + metrics_.ascent(), shown);
  }
  void Bank(int x, int y, const TBankPicture& picture) override { canvas_.drawImage(x, y, BankImage(picture)); }

 private:
  QPainter& canvas_;
  const QFontMetrics metrics_;
};

}  // namespace

QFont WindowFont() {
  QFont font;
  font.setFamilies({"Tahoma", "Liberation Sans", "DejaVu Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(13);
  return font;
}

int TQtTextMeasure::TextWidth(const std::string& text) const {
  return QFontMetrics(WindowFont()).horizontalAdvance(QString::fromStdString(text));
}

QImage BankImage(const TBankPicture& picture) {
  QImage image(picture.cells.data(), picture.width, picture.height, picture.width, QImage::Format_Indexed8);
  image.setColorTable(QList<QRgb>(picture.palette.begin(), picture.palette.end()));
  return image;
}

std::vector<TBankBox> ViewBoxes(const TNESImage& image, int W, const TViewOptions& options) {
  return ViewBoxes(image, W, options, TQtTextMeasure());
}

QImage InfoPicture(const TNESImage& image, const QString& fileName, int W, int H,
                   const TViewOptions& options) {
  QImage picture(W, H, QImage::Format_RGB32);
  if (picture.isNull()) return picture;
  QPainter painter(&picture);
  painter.setFont(WindowFont());
  TQtCanvas canvas(painter);
  DrawInfo(canvas, image, fileName.toStdString(), W, H, options);
  return picture;
}
