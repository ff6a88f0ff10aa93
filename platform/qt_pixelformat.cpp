// Device contexts over Qt's native surfaces and their pixel formats: a format is set by making the surface's
// native window with the matching QSurfaceFormat (compatibility profile), and described as a context of that
// format actually has it. Every entry point returns the Win32 failure value (0 or FALSE) and sets the last
// error instead of throwing.
#include "platform/qt_devicecontext.h"
#include "platform/qt_surface.h"

#include <QGuiApplication>
#include <QObject>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWindow>

#include <algorithm>
#include <cstring>

namespace {

std::vector<HDC>& liveDCs() {
    static std::vector<HDC> dcs;
    return dcs;
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

// How far a format is from a request; lower is closer. A format of another pixel type, or without a flag the
// request needs, is ruled out.
int distance(const PIXELFORMATDESCRIPTOR& offered, const PIXELFORMATDESCRIPTOR& wanted) {
    constexpr DWORD required = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
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
    // Double-buffered first, as a window's formats come on Windows.
    HDC dc =
        new HDC__{surface, {windowFormat(true), windowFormat(false)}, 0, StockDefaultPalette(), false, {}};
    RegisterDC(dc);
    QObject::connect(surface, &QObject::destroyed, [dc] {
        UnregisterDC(dc);
        delete dc;
    });
    return dc;
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
