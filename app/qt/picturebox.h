// A picture box: a native OpenGL drawing surface inside the window, with a settable scale unit and the
// device context that the renderer draws through.
#pragma once

#include "app/controls.h"

#include <QWidget>

class QWindow;

class PictureBox : public QWidget, public PictureBoxControl {
  public:
    static constexpr int kScaleModeTwips = 1;

    explicit PictureBox(QWidget* parent);

    void SetScaleMode(int mode) override;
    int ScaleMode() const { return m_scaleMode; }
    HDC hDC() override;
    // Left edge and size in the window's unit (twips).
    double Left() const override;
    void SetSize(double width, double height) override;
    // Inner width and height in the current scale unit; in pixel mode these are device pixels.
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    // Conversions between the scale unit and logical (widget) pixels, for placing child controls.
    int toWidgetPixels(double scaleUnits) const;
    double toScaleUnits(int widgetPixels) const;

    QWindow* surface() const { return m_surface; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    double unitsPerWidgetPixel() const;

    QWindow* m_surface;
    QWidget* m_container;
    int m_scaleMode = kScaleModeTwips;
};
