// Device contexts over Qt's native surfaces: pixel-format choice, WGL rendering contexts and buffer swaps,
// carried out with QOpenGLContext (compatibility profile). Every entry point returns the Win32 failure value
// (0, FALSE or null) and sets the last error instead of throwing.
#include "platform/posix_devicecontext.h"
#include "platform/surface_dc.h"

#include <QGuiApplication>
#include <QObject>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWindow>

#include <algorithm>
#include <cstring>
#include <memory>

struct HGLRC__ {
    std::unique_ptr<QOpenGLContext> context;
};

namespace {

std::vector<HDC>& liveDCs() {
    static std::vector<HDC> dcs;
    return dcs;
}

// Never destroyed: a program that exits with a context still alive (Qt exits when the display connection
// breaks) must not destroy it after Qt's own statics are gone.
std::vector<std::unique_ptr<HGLRC__>>& liveContexts() {
    static auto* contexts = new std::vector<std::unique_ptr<HGLRC__>>;
    return *contexts;
}

thread_local HGLRC currentContext = nullptr;

std::vector<std::unique_ptr<HGLRC__>>::iterator findContext(HGLRC hglrc) {
    auto& contexts = liveContexts();
    return std::find_if(contexts.begin(), contexts.end(),
                        [hglrc](const auto& c) { return c.get() == hglrc; });
}

PIXELFORMATDESCRIPTOR windowFormat(bool doubleBuffered) {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | (doubleBuffered ? PFD_DOUBLEBUFFER : 0);
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cRedBits = 8;
    pfd.cRedShift = 16;
    pfd.cGreenBits = 8;
    pfd.cGreenShift = 8;
    pfd.cBlueBits = 8;
    pfd.cBlueShift = 0;
    pfd.cDepthBits = 32;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

QSurfaceFormat surfaceFormatOf(const PIXELFORMATDESCRIPTOR& pfd) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(pfd.cRedBits);
    format.setGreenBufferSize(pfd.cGreenBits);
    format.setBlueBufferSize(pfd.cBlueBits);
    format.setAlphaBufferSize(pfd.cAlphaBits);
    format.setDepthBufferSize(pfd.cDepthBits);
    format.setStencilBufferSize(pfd.cStencilBits);
    format.setSwapBehavior((pfd.dwFlags & PFD_DOUBLEBUFFER) != 0 ? QSurfaceFormat::DoubleBuffer
                                                                 : QSurfaceFormat::SingleBuffer);
    // Wait for the display's refresh where the platform can, so that X11 does not tear. A Wayland compositor
    // never tears, and a swap there would wait for its frame callback, which beats against the repaint timer
    // and loses frames: the clock would turn more slowly than elsewhere.
    format.setSwapInterval(SurfacesOnWayland() ? 0 : 1);
    return format;
}

// Describes a format that was obtained, with the channel layout of a 32-bit BGRA surface.
PIXELFORMATDESCRIPTOR describe(const QSurfaceFormat& format) {
    PIXELFORMATDESCRIPTOR pfd = windowFormat(format.swapBehavior() != QSurfaceFormat::SingleBuffer);
    auto bits = [](int size) { return static_cast<BYTE>(std::max(size, 0)); };
    pfd.cRedBits = bits(format.redBufferSize());
    pfd.cGreenBits = bits(format.greenBufferSize());
    pfd.cBlueBits = bits(format.blueBufferSize());
    pfd.cAlphaBits = bits(format.alphaBufferSize());
    pfd.cBlueShift = 0;
    pfd.cGreenShift = pfd.cBlueBits;
    pfd.cRedShift = static_cast<BYTE>(pfd.cBlueBits + pfd.cGreenBits);
    pfd.cAlphaShift = pfd.cAlphaBits != 0 ? static_cast<BYTE>(pfd.cRedShift + pfd.cRedBits) : 0;
    pfd.cColorBits = static_cast<BYTE>(pfd.cRedBits + pfd.cGreenBits + pfd.cBlueBits);
    pfd.cDepthBits = bits(format.depthBufferSize());
    pfd.cStencilBits = bits(format.stencilBufferSize());
    return pfd;
}

// How far a format is from a request; lower is closer. Hard mismatches rule a format out.
int distance(const PIXELFORMATDESCRIPTOR& offered, const PIXELFORMATDESCRIPTOR& wanted) {
    constexpr DWORD required = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DRAW_TO_BITMAP | PFD_SUPPORT_GDI;
    if (offered.iPixelType != wanted.iPixelType ||
        (offered.dwFlags & wanted.dwFlags & required) != (wanted.dwFlags & required)) {
        return -1;
    }
    int score = 0;
    if ((offered.dwFlags & PFD_DOUBLEBUFFER) != (wanted.dwFlags & PFD_DOUBLEBUFFER)) {
        score += 1000;
    }
    score += std::abs(offered.cColorBits - wanted.cColorBits);
    score += std::abs(offered.cDepthBits - wanted.cDepthBits);
    return score;
}

HDC newDC(QWindow* window, std::vector<PIXELFORMATDESCRIPTOR> formats, int pixelFormat) {
    HDC dc = new HDC__{window, std::move(formats), pixelFormat, StockDefaultPalette(), nullptr};
    RegisterDC(dc);
    return dc;
}

void releaseDC(HDC hdc) {
    UnregisterDC(hdc);
    delete hdc;
}

bool hasDrawableSurface(HDC hdc) {
    return IsLiveDC(hdc) && hdc->window != nullptr && hdc->pixelFormat != 0;
}

} // namespace

bool SurfacesOnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool IsLiveDC(HDC hdc) {
    const auto& dcs = liveDCs();
    return hdc != nullptr && std::find(dcs.begin(), dcs.end(), hdc) != dcs.end();
}

void RegisterDC(HDC hdc) {
    liveDCs().push_back(hdc);
}

void UnregisterDC(HDC hdc) {
    std::erase(liveDCs(), hdc);
}

const std::vector<HDC>& LiveDCs() {
    return liveDCs();
}

HDC GetSurfaceDC(QWindow* surface) {
    if (surface == nullptr) {
        return nullptr;
    }
    for (HDC dc : liveDCs()) {
        if (dc->window == surface) {
            return dc;
        }
    }
    HDC dc = newDC(surface, {windowFormat(true), windowFormat(false)}, 0);
    QObject::connect(surface, &QObject::destroyed, [dc] { releaseDC(dc); });
    return dc;
}

HDC CreateFormatDC(const PIXELFORMATDESCRIPTOR& format) {
    return newDC(nullptr, {format}, 1);
}

void DeleteFormatDC(HDC hdc) {
    if (IsLiveDC(hdc) && hdc->window == nullptr) {
        releaseDC(hdc);
    }
}

PIXELFORMATDESCRIPTOR Palette332Format() {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_NEED_PALETTE;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 8;
    pfd.cRedBits = 3;
    pfd.cRedShift = 0;
    pfd.cGreenBits = 3;
    pfd.cGreenShift = 3;
    pfd.cBlueBits = 2;
    pfd.cBlueShift = 6;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}

int ChoosePixelFormat(HDC hdc, const PIXELFORMATDESCRIPTOR* ppfd) {
    if (!IsLiveDC(hdc) || ppfd == nullptr || ppfd->nSize != sizeof(PIXELFORMATDESCRIPTOR) ||
        ppfd->nVersion != 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    int best = 0;
    int bestDistance = 0;
    for (std::size_t i = 0; i < hdc->formats.size(); ++i) {
        const int d = distance(hdc->formats[i], *ppfd);
        if (d >= 0 && (best == 0 || d < bestDistance)) {
            best = static_cast<int>(i) + 1;
            bestDistance = d;
        }
    }
    if (best == 0) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    }
    return best;
}

BOOL SetPixelFormat(HDC hdc, int format, const PIXELFORMATDESCRIPTOR* /*ppfd*/) {
    if (!IsLiveDC(hdc) || format < 1 || format > static_cast<int>(hdc->formats.size())) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return FALSE;
    }
    if (hdc->pixelFormat != 0) {
        // A window's pixel format can be set only once.
        return hdc->pixelFormat == format ? TRUE : FALSE;
    }
    if (hdc->window != nullptr) {
        const QSurfaceFormat requested = surfaceFormatOf(hdc->formats[format - 1]);
        if (hdc->window->handle() != nullptr) {
            hdc->window->destroy();
        }
        hdc->window->setSurfaceType(QSurface::OpenGLSurface);
        hdc->window->setFormat(requested);
        hdc->window->create();
        // Learn what the display actually gave by creating a context of that format. Creating a context is
        // costly, so this one is kept for the first rendering context asked for on this surface.
        auto probe = std::make_unique<QOpenGLContext>();
        probe->setFormat(requested);
        if (hdc->window->handle() == nullptr || !probe->create()) {
            SetLastError(ERROR_INVALID_PIXEL_FORMAT);
            return FALSE;
        }
        hdc->formats[format - 1] = describe(probe->format());
        hdc->spareContext = std::move(probe);
    }
    hdc->pixelFormat = format;
    return TRUE;
}

int GetPixelFormat(HDC hdc) {
    if (!IsLiveDC(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (hdc->pixelFormat == 0) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    }
    return hdc->pixelFormat;
}

int DescribePixelFormat(HDC hdc, int iPixelFormat, UINT nBytes, PIXELFORMATDESCRIPTOR* ppfd) {
    if (!IsLiveDC(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const int count = static_cast<int>(hdc->formats.size());
    if (ppfd == nullptr) {
        return count;
    }
    if (iPixelFormat < 1 || iPixelFormat > count) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return 0;
    }
    std::memcpy(ppfd, &hdc->formats[iPixelFormat - 1], std::min<std::size_t>(nBytes, sizeof(*ppfd)));
    return count;
}

HGLRC wglCreateContext(HDC hdc) {
    if (!hasDrawableSurface(hdc)) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    auto rc = std::make_unique<HGLRC__>();
    if (hdc->spareContext) {
        rc->context = std::move(hdc->spareContext);
    } else {
        rc->context = std::make_unique<QOpenGLContext>();
        rc->context->setFormat(hdc->window->requestedFormat());
    }
    if (!rc->context->isValid() && !rc->context->create()) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    liveContexts().push_back(std::move(rc));
    return liveContexts().back().get();
}

BOOL wglMakeCurrent(HDC hdc, HGLRC hglrc) {
    if (hglrc == nullptr) {
        // No context: whatever is current on this thread stops being current; the DC is not looked at.
        if (currentContext != nullptr) {
            currentContext->context->doneCurrent();
            currentContext = nullptr;
        }
        return TRUE;
    }
    if (findContext(hglrc) == liveContexts().end() || !hasDrawableSurface(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!hglrc->context->makeCurrent(hdc->window)) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        currentContext = nullptr;
        return FALSE;
    }
    currentContext = hglrc;
    return TRUE;
}

BOOL wglDeleteContext(HGLRC hglrc) {
    auto found = findContext(hglrc);
    if (found == liveContexts().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (currentContext == hglrc) {
        hglrc->context->doneCurrent();
        currentContext = nullptr;
    }
    liveContexts().erase(found);
    return TRUE;
}

HGLRC wglGetCurrentContext() {
    return currentContext;
}

BOOL SwapBuffers(HDC hdc) {
    if (!hasDrawableSurface(hdc) || currentContext == nullptr ||
        currentContext->context->surface() != hdc->window) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // A surface that is not on screen (still hidden at start-up, or minimised) has nothing to present.
    if (hdc->window->isExposed()) {
        currentContext->context->swapBuffers(hdc->window);
    }
    // The next frame draws into the surface as it is now. A WGL or GLX context stays bound to its window
    // whatever becomes of it; an EGL context on Wayland is bound to a buffer surface that Qt makes only
    // once the window has a size and remakes when the window is shown again, so binding once at start-up
    // (before the window is shown) would leave every later frame drawn into nothing.
    if (SurfacesOnWayland()) {
        currentContext->context->makeCurrent(hdc->window);
    }
    return TRUE;
}
