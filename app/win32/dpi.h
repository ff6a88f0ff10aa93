// Design units and device pixels. The form design is in twips (1/1440 inch); a window's pixel is
// 1440 / its DPI twips, 15 at 96 DPI.
#pragma once

#include "app/formdesign.h"

#include <windows.h>

#include <cmath>

// The DPI of the window's monitor on Windows 10 and later, the system's DPI before.
UINT WindowDpi(HWND window);
// The window rectangle around `client` for a window of these styles at `dpi`.
RECT FrameAround(RECT client, DWORD style, DWORD exStyle, UINT dpi);

inline double TwipsPerPixel(UINT dpi) {
    return static_cast<double>(FormDesign::kTwipsPerInch) / dpi;
}

inline int TwipsToPixels(double twips, UINT dpi) {
    return static_cast<int>(std::lround(twips / TwipsPerPixel(dpi)));
}

inline RECT DesignRect(const FormDesign::TwipRect& r, UINT dpi) {
    const int left = TwipsToPixels(r.left, dpi);
    const int top = TwipsToPixels(r.top, dpi);
    return {left, top, left + TwipsToPixels(r.width, dpi), top + TwipsToPixels(r.height, dpi)};
}

inline void MoveToRect(HWND window, const RECT& r) {
    MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}
