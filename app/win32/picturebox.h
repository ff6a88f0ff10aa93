// The picture box: a child window whose own device context (CS_OWNDC) is the renderer's drawing surface,
// placed in the window's unit (twips) and measured inside in its settable scale unit.
#pragma once

#include "app/controls.h"

#include <windows.h>

class PictureBox : public PictureBoxControl {
  public:
    static constexpr int kScaleModeTwips = 1;

    PictureBox(HWND parent, HINSTANCE instance);

    void SetScaleMode(int mode) override { m_scaleMode = mode; }
    int ScaleMode() const { return m_scaleMode; }
    HDC hDC() override { return GetDC(m_hwnd); }
    double Left() const override;
    void SetSize(double width, double height) override;
    double ScaleWidth() const override;
    double ScaleHeight() const override;

    HWND hwnd() const { return m_hwnd; }
    // Conversions between the scale unit and device pixels, for the controls placed inside the box.
    double ToScaleUnits(int pixels) const { return pixels * UnitsPerPixel(); }
    int ToPixels(double scaleUnits) const;
    // The box's top left corner in its parent's client area, in pixels.
    POINT Origin() const;
    void PlaceFor(UINT dpi);

  private:
    double UnitsPerPixel() const;
    RECT Client() const;

    HWND m_hwnd;
    int m_scaleMode = kScaleModeTwips;
};
