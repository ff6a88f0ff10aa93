// Test surfaces on Qt: hidden native windows, the kind that the picture box draws on.
#include "support/testsurface.h"

#include "platform/qt_surface.h"

#include <QWindow>

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
