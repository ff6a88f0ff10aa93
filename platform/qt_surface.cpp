#include "platform/qt_surface.h"

#include <QGuiApplication>

#include <GL/glx.h>
#include <algorithm>

namespace {

// The one format offered: RGB 8-8-8, a 32-bit depth buffer, double-buffered, compatibility profile. Swaps
// wait for the display's refresh where the platform can, so that X11 does not tear. A Wayland compositor
// never tears, and a swap there would wait for its frame callback, which beats against the repaint timer and
// loses frames: the clock would turn more slowly than elsewhere.
QSurfaceFormat clockFormat(bool onWayland) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(0);
    format.setDepthBufferSize(32);
    format.setStencilBufferSize(0);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(onWayland ? 0 : 1);
    return format;
}

// A format as a pixel-format record, with the channel layout of a 32-bit BGRA window.
PIXELFORMATDESCRIPTOR describe(const QSurfaceFormat& format) {
    auto bits = [](int size) { return static_cast<BYTE>(std::max(size, 0)); };
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL |
                  (format.swapBehavior() == QSurfaceFormat::SingleBuffer ? 0 : PFD_DOUBLEBUFFER);
    pfd.cRedBits = bits(format.redBufferSize());
    pfd.cGreenBits = bits(format.greenBufferSize());
    pfd.cBlueBits = bits(format.blueBufferSize());
    pfd.cGreenShift = pfd.cBlueBits;
    pfd.cRedShift = static_cast<BYTE>(pfd.cBlueBits + pfd.cGreenBits);
    pfd.cColorBits = static_cast<BYTE>(pfd.cRedBits + pfd.cGreenBits + pfd.cBlueBits);
    pfd.cDepthBits = bits(format.depthBufferSize());
    return pfd;
}

// Qt aborts inside the creation of an OpenGL window or context on an X display whose GLX has nothing to draw
// with (its vendor library missing or broken, say), so the display's own GLX is asked first. Other
// platforms fail softly: their answer is whether the context can be made.
bool displayOffersOpenGL() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) {
        return true;
    }
    const int attributes[] = {GLX_RENDER_TYPE, GLX_RGBA_BIT, GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attributes, &count);
    if (configs != nullptr) {
        XFree(configs);
    }
    return count > 0;
}

} // namespace

DrawingSurface::DrawingSurface()
    : m_onWayland(QGuiApplication::platformName().startsWith(QLatin1String("wayland"))),
      m_pixelFormat(describe(clockFormat(m_onWayland))) {
    setSurfaceType(QSurface::OpenGLSurface);
}

bool DrawingSurface::SetPixelFormat() {
    if (m_set || !displayOffersOpenGL()) {
        return m_set;
    }
    const QSurfaceFormat format = clockFormat(m_onWayland);
    destroy();
    setFormat(format);
    create();
    auto context = std::make_unique<QOpenGLContext>();
    context->setFormat(format);
    if (handle() == nullptr || !context->create()) {
        return false;
    }
    m_pixelFormat = describe(context->format());
    m_context = std::move(context);
    m_set = true;
    return true;
}

bool DrawingSurface::Swap() {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (context == nullptr || context->surface() != this) {
        return false;
    }
    // A surface that is not on screen (still hidden at start-up, or minimised) has nothing to present.
    if (isExposed()) {
        context->swapBuffers(this);
    }
    // The next frame draws into the surface as it is now. A GLX context stays bound to its window whatever
    // becomes of it; an EGL context on Wayland is bound to a buffer surface that Qt makes only once the
    // window has a size and remakes when the window is shown again, so binding once at start-up (before the
    // window is shown) would leave every later frame drawn into nothing.
    if (m_onWayland) {
        context->makeCurrent(this);
    }
    return true;
}
