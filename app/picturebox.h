// A picture box: a native OpenGL drawing surface inside the window, with a settable scale unit and the
// device context that the renderer draws through.
#pragma once

#include "render/drawinghost.h"

#include <QWidget>

class QWindow;

class PictureBox : public QWidget, public IDrawingHost {
  public:
    static constexpr int kScaleModeTwips = 1;
    static constexpr double kTwipsPerPixel = 15.0;

    explicit PictureBox(QWidget* parent);

    void SetScaleMode(int mode) override;
    int ScaleMode() const { return m_scaleMode; }
    HDC hDC() override;
    // Inner width and height in the current scale unit; in pixel mode these are device pixels.
    double ScaleWidth() const;
    double ScaleHeight() const;
    // Converts a length in the scale unit to logical (widget) pixels, for placing child controls.
    int toWidgetPixels(double scaleUnits) const;

    QWindow* surface() const { return m_surface; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    double unitsPerWidgetPixel() const;

    QWindow* m_surface;
    QWidget* m_container;
    int m_scaleMode = kScaleModeTwips;
};
