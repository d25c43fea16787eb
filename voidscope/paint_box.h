// The drawing area: a plain widget that draws nothing by itself and hands
// its canvas to whoever listens, like the form library's paint box.
#pragma once

#include <QPainter>
#include <QWidget>

class TPaintBox : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

 signals:
  void Paint(QPainter& canvas);

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter canvas(this);
    emit Paint(canvas);
  }
};
