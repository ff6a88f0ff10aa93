#include "support/formatdc.h"

#include "platform/qt_devicecontext.h"

#include <QOpenGLContext>

HDC CreateFormatDC(const PIXELFORMATDESCRIPTOR& format) {
    HDC dc = new HDC__{nullptr, {format}, 1, StockDefaultPalette(), false, {}};
    RegisterDC(dc);
    return dc;
}

void DeleteFormatDC(HDC hdc) {
    UnregisterDC(hdc);
    delete hdc;
}

PIXELFORMATDESCRIPTOR Palette332Format() {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_NEED_PALETTE;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 8;
    pfd.cRedBits = 3, pfd.cGreenBits = 3, pfd.cGreenShift = 3, pfd.cBlueBits = 2, pfd.cBlueShift = 6;
    pfd.cDepthBits = 16;
    return pfd;
}

HPALETTE SelectedPalette(HDC hdc) {
    return hdc->palette;
}

std::vector<PALETTEENTRY> PaletteEntries(HPALETTE palette) {
    return IsPalette(palette) ? palette->entries : std::vector<PALETTEENTRY>{};
}
