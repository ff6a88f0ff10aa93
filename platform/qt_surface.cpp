#include "platform/qt_surface.h"

#include "platform/gl.h"

#include <QGuiApplication>

#include <GL/glx.h>
#include <algorithm>

namespace {

// The one format offered: RGB 8-8-8, a 32-bit depth buffer, double-buffered, compatibility profile. Swaps
// wait for the display's refresh where the platform can, so that X11 does not tear. A Wayland compositor
// never tears; there Qt would make a swap block until the compositor's frame callback, on a sub-surface
// inside the event loop, so the swap does not wait and the repaint timer waits for the callback instead
// (ReadyForFrame).
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
    // Where no stand-in can be had, the context is bound to the surface whatever its size, as a window's is.
    m_standIn.setFormat(context->format());
    m_standIn.create();
    m_standInBinds = context->makeCurrent(&m_standIn);
    if (m_standInBinds) {
        GLint dimensions[2] = {};
        glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dimensions);
        m_maximumPixels = QSize(dimensions[0], dimensions[1]);
        context->doneCurrent();
    }
    m_pixelFormat = describe(context->format());
    m_context = std::move(context);
    m_set = true;
    return true;
}

QSize DrawingSurface::MaximumDrawnSize() const {
    const double ratio = devicePixelRatio();
    return {static_cast<int>(std::min(m_maximumPixels.width() / ratio, double{INT_MAX})),
            static_cast<int>(std::min(m_maximumPixels.height() / ratio, double{INT_MAX}))};
}

bool DrawingSurface::Drawable() const {
    const double width = this->width() * devicePixelRatio(), height = this->height() * devicePixelRatio();
    return width >= 1 && height >= 1 && width <= m_maximumPixels.width() &&
           height <= m_maximumPixels.height();
}

bool DrawingSurface::MakeCurrent(QOpenGLContext& context) {
    QSurface* target = Drawable() || !m_standInBinds ? static_cast<QSurface*>(this) : &m_standIn;
    const bool rebinding = QOpenGLContext::currentContext() == &context;
    // A GLX context stays bound to its window whatever becomes of it. An EGL context on Wayland is bound to
    // a buffer surface that Qt makes only once the window has a size and remakes when it is shown again, so
    // it is bound again for every frame.
    if (rebinding && context.surface() == target && !m_onWayland) {
        return true;
    }
    GLint viewport[4] = {};
    if (rebinding) {
        glGetIntegerv(GL_VIEWPORT, viewport);
    }
    if (!context.makeCurrent(target)) {
        return false;
    }
    // The first binding to a drawable sets the viewport to the drawable's size; the viewport is the
    // renderer's, set for the size it was last given.
    if (rebinding) {
        glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    }
    return true;
}

bool DrawingSurface::Swap() {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (context == nullptr || (context->surface() != this && context->surface() != &m_standIn)) {
        return false;
    }
    // A surface that is not on screen (still hidden at start-up, or minimised) has nothing to present.
    if (context->surface() == this && isExposed()) {
        context->swapBuffers(this);
        if (m_onWayland) {
            // Qt asked the compositor for a frame callback with the commit; the update request comes with it.
            m_awaitingCompositor = true;
            requestUpdate();
        }
    }
    return MakeCurrent(*context);
}

// Shown again after the compositor stopped sending frame callbacks for it (hidden, or on another output):
// whatever was awaited then will not come.
void DrawingSurface::exposeEvent(QExposeEvent* event) {
    if (isExposed()) {
        m_awaitingCompositor = false;
    }
    QWindow::exposeEvent(event);
}

bool DrawingSurface::event(QEvent* event) {
    if (event->type() == QEvent::UpdateRequest) {
        m_awaitingCompositor = false;
        if (m_ready) {
            m_ready();
        }
        return true;
    }
    return QWindow::event(event);
}
