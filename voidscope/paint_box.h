// The drawing area: a plain widget that draws nothing by itself and hands
// its canvas, and the mouse over it, to whoever listens, like the form
// library's paint box.
#pragma once

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

class TPaintBox : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

 signals:
  void Paint(QPainter& canvas);
  void MouseMove(const QPoint& pos);
  void MouseLeave();

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter canvas(this);
    emit Paint(canvas);
  }
  void mouseMoveEvent(QMouseEvent* event) override { emit MouseMove(event->position().toPoint()); }
  void leaveEvent(QEvent*) override { emit MouseLeave(); }
};
