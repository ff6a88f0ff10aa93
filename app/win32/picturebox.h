// The picture box: a child window whose own device context (CS_OWNDC) is the renderer's drawing surface,
// placed in the window's unit (twips) and measured inside in its settable scale unit.
#pragma once

#include "app/controls.h"

#include <windows.h>

#include <functional>

class PictureBox : public PictureBoxControl {
  public:
    static constexpr int kScaleModeTwips = 1;

    // onPaint runs when the system asks for part of the box to be drawn again.
    PictureBox(HWND parent, HINSTANCE instance, std::function<void()> onPaint);

    void SetScaleMode(int mode) override { m_scaleMode = mode; }
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
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    double UnitsPerPixel() const;
    RECT Client() const;

    std::function<void()> m_onPaint;
    HWND m_hwnd = nullptr;
    int m_scaleMode = kScaleModeTwips;
};
