// A picture box: a native OpenGL drawing surface inside the window, with a settable scale unit and the
// device context that the renderer draws through. Child controls placed over the surface are kept above it.
// Screen readers hear it as an animation; with the keyboard focus it shows a focus frame.
#pragma once

#include "app/controls.h"
#include "platform/qt_surface.h"

#include <QWidget>

#include <vector>

class PictureBox : public QWidget, public PictureBoxControl {
  public:
    static constexpr int kScaleModeTwips = 1;

    explicit PictureBox(QWidget* parent);

    void SetScaleMode(int mode) override;
    HDC hDC() override;
    // Left edge and size in the window's unit (twips).
    double Left() const override;
    void SetSize(double width, double height) override;
    // Inner width and height in the current scale unit; in pixel mode these are device pixels.
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    // Conversions between the scale unit and logical (widget) pixels, for placing child controls.
    int ToPixels(double scaleUnits) const;
    double ToScaleUnits(int pixels) const;

    DrawingSurface* surface() const;
    // Keeps a child control that lies over the drawing surface visible above it.
    void KeepAboveSurface(QWidget& control);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    double unitsPerWidgetPixel() const;
    void showSurface();
    void followFocus();

    DrawingSurface* m_surface;
    QWidget* m_container;
    QWidget* m_focusFrame = nullptr;       // none on Wayland
    std::vector<QWidget*> m_controlsAbove; // on Wayland, until the surface shows
    int m_scaleMode = kScaleModeTwips;
};
