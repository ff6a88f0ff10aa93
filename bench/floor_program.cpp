// The floor against which the clock's start-up and running costs are read: the clock's own window, with the
// same controls, their text and their fonts, and the same drawing surface with the same format, driven by the
// same repaint timer and presented by the same swap, that draws one lit, textured triangle a tick instead of
// the clock. The triangle's texture, a 64 × 64 checkerboard made in memory, is uploaded once into a texture
// object. What the clock costs above this program is the cost of its own work: the renderer's set-up, the
// globe image and the display lists, the clock's drawing, and its start-up checks.
#include "app/formdesign.h"
#include "app/qt/formwindow.h"
#include "app/qt/systemtimer.h"

#include <GL/gl.h>
#include <QApplication>
#include <QResizeEvent>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

void uploadCheckerboard() {
    constexpr int kSize = 64;
    constexpr int kSquare = 8;
    std::vector<GLubyte> texels;
    texels.reserve(kSize * kSize * 3);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const bool light = (x / kSquare + y / kSquare) % 2 == 0;
            texels.insert(texels.end(), {GLubyte(light ? 230 : 30), GLubyte(light ? 230 : 90), 255});
        }
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, kSize, kSize, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    // Sampled as the globe's texture is.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

// One directional light, a shiny grey material, depth test and smooth shading, as the clock's globe is drawn.
void setUpLighting() {
    constexpr GLfloat kLightPosition[] = {0.4f, 0.0f, 0.92f, 0.0f};
    constexpr GLfloat kGrey[] = {0.75f, 0.75f, 0.75f, 1.0f};
    constexpr GLfloat kWhite[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, kGrey);
    glMaterialfv(GL_FRONT, GL_SPECULAR, kWhite);
    glMaterialf(GL_FRONT, GL_SHININESS, 100.0f);
    glEnable(GL_TEXTURE_2D);
}

// The picture box's surface, given the clock's pixel format and a context of its own through the same calls
// as the clock's renderer.
class TriangleSurface {
  public:
    explicit TriangleSurface(HDC dc) : m_dc(dc) {
        PIXELFORMATDESCRIPTOR request{};
        request.nSize = sizeof(request);
        request.nVersion = 1;
        request.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        request.cColorBits = 24;
        request.cDepthBits = 32;
        SetPixelFormat(m_dc, ChoosePixelFormat(m_dc, &request), &request);
        m_rc = wglCreateContext(m_dc);
        if (wglMakeCurrent(m_dc, m_rc) == FALSE || m_rc == nullptr) {
            qFatal("floor_program: no OpenGL context");
        }
        setUpLighting();
        uploadCheckerboard();
    }

    // A projection and viewport for a surface of this many device pixels, and a frame at once.
    void Resize(int width, int height) {
        const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-0.4 * aspect, 0.4 * aspect, -0.4, 0.4, 1.0, 10.0);
        glMatrixMode(GL_MODELVIEW);
        glViewport(0, 0, width, height);
        Frame();
    }

    // One frame; like the clock, a surface that is not on screen is drawn but not presented.
    void Frame() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // About a fifth of the surface, as much as the clock's dial covers in its start pose; tilted away at
        // the top, so that depth and texture coordinates vary across it.
        glBegin(GL_TRIANGLES);
        glNormal3f(0.0f, 0.447f, 0.894f);
        glTexCoord2f(0.0f, 0.0f);
        glVertex3f(-0.42f, -0.42f, -1.7f);
        glTexCoord2f(2.0f, 0.0f);
        glVertex3f(0.42f, -0.42f, -1.7f);
        glTexCoord2f(1.0f, 2.0f);
        glVertex3f(0.0f, 0.42f, -2.12f);
        glEnd();
        glFinish();
        SwapBuffers(m_dc);
    }

  private:
    HDC m_dc;
    HGLRC m_rc = nullptr;
};

// The clock's window and controls without its renderer; it lays out the surface and the credit box as the
// clock does and draws the triangle where the clock would paint. The window keeps its controls to itself:
// they are found by their names, as outside tools find them.
class FloorWindow : public FormWindow {
  public:
    FloorWindow()
        : m_picMain(*findChild<PictureBox*>(QStringLiteral("picMain"))),
          m_txtSign(*findChild<TextBox*>(QStringLiteral("txtSign"))) {
        setWindowTitle(QStringLiteral("Viduzirivo floor"));
        m_timer = new SystemTimer(this, FormDesign::kTimerInterval, [this] { m_triangle->Frame(); });
        m_timer->PaceBy(*m_picMain.surface());
    }

    // As the clock's load: the surface set up and drawn, the timer started, all before the window is shown.
    void Start() {
        m_triangle = std::make_unique<TriangleSurface>(m_picMain.hDC());
        layOut();
        m_timer->Start();
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        FormWindow::resizeEvent(event);
        layOut();
    }

    // An uncovered surface is drawn at once, as the clock does.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && watched == m_picMain.surface() && m_triangle) {
            QMetaObject::invokeMethod(
                this, [this] { m_triangle->Frame(); }, Qt::QueuedConnection);
        }
        return FormWindow::eventFilter(watched, event);
    }

  private:
    void layOut() {
        if (!m_triangle || isMinimized()) {
            return;
        }
        m_picMain.resize(std::max(0, width() - m_picMain.x()), height());
        m_txtSign.move(m_picMain.width() - m_txtSign.width(), m_picMain.height() - m_txtSign.height());
        const qreal ratio = m_picMain.devicePixelRatioF();
        m_triangle->Resize(static_cast<int>(std::lround(m_picMain.width() * ratio)),
                           static_cast<int>(std::lround(m_picMain.height() * ratio)));
    }

    PictureBox& m_picMain;
    TextBox& m_txtSign;
    std::unique_ptr<TriangleSurface> m_triangle;
    SystemTimer* m_timer = nullptr;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("viduzirivo-floor"));
    QApplication::setApplicationDisplayName(QStringLiteral("Viduzirivo floor"));

    FloorWindow window;
    window.Start();
    window.show();
    return QApplication::exec();
}
