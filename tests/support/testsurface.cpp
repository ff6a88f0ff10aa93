#include "support/testsurface.h"

#include "platform/gl.h"
#include "platform/surface_dc.h"

TestSurface::TestSurface(int width, int height) {
    window.setSurfaceType(QSurface::OpenGLSurface);
    window.resize(width, height);
}

HDC TestSurface::hDC() {
    return GetSurfaceDC(&window);
}

BoundRenderer::BoundRenderer(int w, int h)
    : surface(w, h), renderer(std::make_unique<COpenGL>()), width(w), height(h) {
    renderer->Initialize(surface);
    renderer->Resize(width, height);
    glReadBuffer(GL_BACK);
}

BoundRenderer::~BoundRenderer() {
    renderer.reset();
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
