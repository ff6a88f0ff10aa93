// What a device context and a palette are on this platform: a native Qt surface, the pixel formats it
// offers, the one that is set, and the palette selected into it. Shared by the pixel-format, WGL and palette
// implementations of this folder.
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
    bool paletteInBackground = false;
    std::unique_ptr<QOpenGLContext> spareContext; // made when the format was set, not yet handed out
};

struct HPALETTE__ {
    std::vector<PALETTEENTRY> entries;
};

bool IsLiveDC(HDC hdc);
void RegisterDC(HDC hdc);
void UnregisterDC(HDC hdc);
const std::vector<HDC>& LiveDCs();

// The system's default palette, selected into every new device context and never deleted.
HPALETTE StockDefaultPalette();
bool IsPalette(const void* handle);
