#include "support/testsurface.h"

#include "platform/gl.h"
#include "platform/surface_dc.h"

#include <QOpenGLContext>
#include <QWindow>

#include <dlfcn.h>

struct TestSurface::Native {
    QWindow window;
};

TestSurface::TestSurface(int width, int height) : m_native(std::make_unique<Native>()) {
    m_native->window.setSurfaceType(QSurface::OpenGLSurface);
    m_native->window.resize(width, height);
}

TestSurface::~TestSurface() = default;

HDC TestSurface::hDC() {
    return GetSurfaceDC(&m_native->window);
}

BoundRenderer::BoundRenderer(int width, int height)
    : surface(width, height), renderer(std::make_unique<COpenGL>()) {
    renderer->Initialize(surface);
    renderer->Resize(width, height);
    glReadBuffer(GL_BACK);
}

std::array<int, 3> PixelAt(int x, int y) {
    unsigned char rgb[3] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    return {rgb[0], rgb[1], rgb[2]};
}

std::array<float, 16> CurrentMatrix(unsigned matrixName) {
    std::array<float, 16> m{};
    glGetFloatv(matrixName, m.data());
    return m;
}

void WhenCurrentContextIsDestroyed(std::function<void()> observer) {
    QObject::connect(QOpenGLContext::currentContext(), &QObject::destroyed, std::move(observer));
}

bool SystemOpenGLLoaded() {
    void* library = dlopen("libGL.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (library != nullptr) {
        dlclose(library); // RTLD_NOLOAD still counts a reference
    }
    return library != nullptr;
}
