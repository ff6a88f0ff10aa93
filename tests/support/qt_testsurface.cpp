// Test surfaces on Qt: hidden drawing surfaces, the kind that the picture box draws on.
#include "support/testsurface.h"

#include "platform/qt_surface.h"

struct TestSurface::Native {
    DrawingSurface window;
};

TestSurface::TestSurface(int width, int height) : m_native(std::make_unique<Native>()) {
    m_native->window.resize(width, height);
}

TestSurface::~TestSurface() = default;

HDC TestSurface::hDC() {
    return &m_native->window;
}
