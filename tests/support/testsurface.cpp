// What the test surfaces of every platform share: a renderer bound to one, and read-backs of what it drew.
#include "support/testsurface.h"

#include "platform/gl.h"

#include <cmath>
#include <numbers>

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

std::array<int, 4> CurrentViewport() {
    std::array<int, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    return viewport;
}

Pose LastPose() {
    const auto m = CurrentMatrix(GL_MODELVIEW_MATRIX);
    return {std::atan2(m[6], m[5]) * 180 / std::numbers::pi,
            m[14] + 500.0}; // the renderer's eye sits 500 back
}
