// A control shown above the drawing surface on Wayland. There a widget over the surface cannot have a
// native window of its own, because Qt gives the sub-surface of a native child widget no content; the
// control stays an ordinary widget, hidden under the surface, and this window above the surface shows
// what the control paints, where the control is.
#pragma once

#include <QRasterWindow>

class QWidget;

class SurfaceOverlay : public QRasterWindow {
  public:
    SurfaceOverlay(QWidget& control, QWindow& surface);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& m_control;
    bool m_rendering = false;
};
