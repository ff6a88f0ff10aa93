// The floor against which the clock's running costs are read: a window of the clock's size and make-up, with
// a native OpenGL surface over the same area as the clock's drawing surface, driven by the same repaint
// timer, that draws nothing. Each tick clears the surface, finishes and swaps: the bare frame of frame_bench.
// What the clock costs above this program is what its drawing costs.
#include "app/qt/systemtimer.h"

#include <GL/gl.h>
#include <QApplication>
#include <QOpenGLContext>
#include <QResizeEvent>
#include <QSurfaceFormat>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

namespace {

// The clock window's client area and the strip left of its drawing surface, in pixels.
constexpr int kClientWidth = 373;
constexpr int kClientHeight = 338;
constexpr int kSurfaceLeft = 24;

// The format the clock asks for: RGB 8-8-8, 32-bit depth, double-buffered, compatibility profile, swaps
// tied to the display's refresh where there is one.
QSurfaceFormat clockFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(0);
    format.setDepthBufferSize(32);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setSwapInterval(1);
    return format;
}

class ClearSurface : public QWindow {
  public:
    ClearSurface() {
        setSurfaceType(QSurface::OpenGLSurface);
        setFormat(clockFormat());
        create();
        m_context.setFormat(clockFormat());
        if (!m_context.create()) {
            qFatal("floor_program: no OpenGL context");
        }
    }

    // One frame; like the clock, a surface that is not on screen is drawn but not presented.
    void Frame() {
        if (!m_context.makeCurrent(this)) {
            return;
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFinish();
        if (isExposed()) {
            m_context.swapBuffers(this);
        }
    }

  private:
    QOpenGLContext m_context;
};

class FloorWindow : public QWidget {
  public:
    FloorWindow()
        : m_surface(new ClearSurface), m_container(QWidget::createWindowContainer(m_surface, this)) {
        setWindowTitle(QStringLiteral("Viduzirivo floor"));
        resize(kClientWidth, kClientHeight);
        m_container->setFocusPolicy(Qt::NoFocus);
        m_container->setGeometry(kSurfaceLeft, 0, kClientWidth - kSurfaceLeft, kClientHeight);
        m_timer = new SystemTimer(this, 1, [this] { m_surface->Frame(); });
    }

    void Start() {
        m_surface->Frame();
        m_timer->Start();
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        m_container->setGeometry(kSurfaceLeft, 0, std::max(0, event->size().width() - kSurfaceLeft),
                                 event->size().height());
    }

  private:
    ClearSurface* m_surface;
    QWidget* m_container;
    SystemTimer* m_timer = nullptr;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("viduzirivo-floor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Viduzirivo floor"));

    FloorWindow window;
    // As in the clock: the first frame and the timer start before the window is shown.
    window.Start();
    window.show();
    return QApplication::exec();
}
