// What a device context is on this platform: a native surface (or none, for memory DCs), the pixel formats it
// offers, the one that is set, and the palette selected into it. Shared by the pixel-format, WGL and palette
// implementations of this folder only.
#pragma once

#include "platform/win32api.h"

#include <memory>
#include <vector>

class QOpenGLContext;
class QWindow;

struct HDC__ {
    QWindow* window = nullptr;
    std::vector<PIXELFORMATDESCRIPTOR> formats; // format n is formats[n - 1]
    int pixelFormat = 0;
    HPALETTE palette = nullptr;
    std::unique_ptr<QOpenGLContext> spareContext; // made when the format was set, not yet handed out
};

bool IsLiveDC(HDC hdc);
void RegisterDC(HDC hdc);
void UnregisterDC(HDC hdc);
const std::vector<HDC>& LiveDCs();
HPALETTE StockDefaultPalette();
