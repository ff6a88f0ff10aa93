// The Win32 pixel-format, WGL and palette calls of the renderer, forwarded to the drawing surface that a
// device context is here. They return the Win32 failure values (0, null or FALSE) where the surface says no.
#include "platform/qt_surface.h"

#include <algorithm>
#include <cstring>

int ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* ppfd) {
    // One format on offer, RGBA, taken for every RGBA request that asks for OpenGL in a window.
    constexpr DWORD kWindowWithOpenGL = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    const bool offered = hdc != nullptr && ppfd != nullptr && ppfd->iPixelType == PFD_TYPE_RGBA &&
                         (ppfd->dwFlags & kWindowWithOpenGL) == kWindowWithOpenGL;
    return offered ? 1 : 0;
}

BOOL SetPixelFormat(HDC hdc, int format, const PIXELFORMATDESCRIPTOR* /*ppfd*/) {
    return hdc != nullptr && format == 1 && hdc->SetPixelFormat() ? TRUE : FALSE;
}

int GetPixelFormat(HDC hdc) {
    return hdc != nullptr && hdc->PixelFormatSet() ? 1 : 0;
}

int DescribePixelFormat(HDC hdc, int iPixelFormat, UINT nBytes, PIXELFORMATDESCRIPTOR* ppfd) {
    if (hdc != nullptr && iPixelFormat == 1 && ppfd != nullptr) {
        std::memcpy(ppfd, &hdc->PixelFormat(), std::min<std::size_t>(nBytes, sizeof(*ppfd)));
    }
    return hdc != nullptr && iPixelFormat == 1 ? 1 : 0;
}

HGLRC wglCreateContext(HDC hdc) {
    return hdc != nullptr ? hdc->TakeContext() : nullptr;
}

BOOL wglMakeCurrent(HDC hdc, HGLRC hglrc) {
    if (hglrc == nullptr) {
        // No context: whatever is current on this thread stops being current; the DC is not looked at.
        if (QOpenGLContext* current = QOpenGLContext::currentContext(); current != nullptr) {
            current->doneCurrent();
        }
        return TRUE;
    }
    return hdc != nullptr && hdc->MakeCurrent(*hglrc) ? TRUE : FALSE;
}

BOOL wglDeleteContext(HGLRC hglrc) {
    delete hglrc; // a current context stops being current as it goes
    return hglrc != nullptr ? TRUE : FALSE;
}

BOOL SwapBuffers(HDC hdc) {
    return hdc != nullptr && hdc->Swap() ? TRUE : FALSE;
}

// No screen the program accepts here has a palette-based format (start-up refuses screens of fewer than 15
// bits), so no format set on a surface needs a palette and none is ever made.
HPALETTE CreatePalette(const LOGPALETTE* /*plpal*/) {
    return nullptr;
}

HPALETTE SelectPalette(HDC /*hdc*/, HPALETTE /*hPal*/, BOOL /*bForceBkgd*/) {
    return nullptr;
}

UINT RealizePalette(HDC /*hdc*/) {
    return 0;
}

BOOL DeleteObject(HGDIOBJ /*ho*/) {
    return FALSE;
}
