// On Windows a drawing surface's device context is the window's own, and GDI provides everything else.
#include "platform/surface_dc.h"

#include <QWindow>

HDC GetSurfaceDC(QWindow* surface) {
    return surface != nullptr ? GetDC(reinterpret_cast<HWND>(surface->winId())) : nullptr;
}
