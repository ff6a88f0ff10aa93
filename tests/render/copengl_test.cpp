// The renderer on real surfaces: the format it draws on, projection and viewport, and the spin. Whole frames
// are compared in frames_test.cpp.
#include "platform/gl.h"
#include "scene/sshape.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using Matrix = std::array<float, 16>;

// The projection that GLU itself makes of the given steps.
template <typename Steps> Matrix projectionOf(Steps steps) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    steps();
    const Matrix m = CurrentMatrix(GL_PROJECTION_MATRIX);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    return m;
}

// The spin a frame was drawn with, in degrees in (-180, 180], when the X and Z angles are 0.
double drawnSpin() {
    const Matrix m = CurrentMatrix(GL_MODELVIEW_MATRIX);
    return std::atan2(m[8], m[0]) * 180 / std::numbers::pi;
}

} // namespace

TEST(Renderer, WithoutASurfaceStaysReadyAndSaysItCannotDraw) {
    struct : IDrawingHost {
        void SetScaleMode(int mode) override { scaleMode = mode; }
        HDC hDC() override { return nullptr; } // no format or context can be had
        int scaleMode = 1;
    } host;
    COpenGL renderer;
    EXPECT_FALSE(renderer.Initialize(host)) << "nothing to draw on";
    EXPECT_EQ(host.scaleMode, IDrawingHost::kScaleModePixels);
    EXPECT_TRUE(renderer.OpenGLReady());
    EXPECT_EQ(glGetString(GL_VERSION), nullptr) << "no context current";
    renderer.Resize(100, 100); // harmless without a context
}

TEST(Renderer, DrawsOnADoubleBufferedTrueColourFormatWithADeepDepthBuffer) {
    const BoundRenderer bound(16, 16);
    // g_pfd now describes the format that was set on the surface.
    const DWORD flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    EXPECT_EQ(g_pfd.dwFlags & (flags | PFD_NEED_PALETTE), flags);
    EXPECT_EQ(g_pfd.iPixelType, PFD_TYPE_RGBA);
    EXPECT_GE(g_pfd.cColorBits, 24);
    EXPECT_GE(g_pfd.cDepthBits, 24);
}

TEST(Renderer, ResizeSetsProjectionAndViewportThenDrawsOneFrame) {
    BoundRenderer bound(64, 48);
    for (const auto& [width, height] : {std::pair{640, 480}, {320, 1}, {320, 0}, {0, 0}}) {
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        bound.renderer->RotateY(0.0f);
        bound.renderer->Resize(width, height);
        const Matrix projection = projectionOf([&] { // a height of 0 has no aspect: identity
            height == 0 ? void() : gluPerspective(40, double(width) / height, 100, 2000);
        });
        EXPECT_EQ(CurrentMatrix(GL_PROJECTION_MATRIX), projection) << size;
        std::array<GLint, 5> viewportAndMode{};
        glGetIntegerv(GL_VIEWPORT, viewportAndMode.data());
        glGetIntegerv(GL_MATRIX_MODE, &viewportAndMode[4]);
        EXPECT_EQ(viewportAndMode, (std::array<GLint, 5>{0, 0, width, height, GL_MODELVIEW})) << size;
        EXPECT_NEAR(drawnSpin(), 0.0, 1e-4) << size;
        bound.renderer->Paint();
        EXPECT_NEAR(drawnSpin(), 0.8, 1e-4) << "Resize drew exactly one frame, " << size;
    }
}

TEST(Renderer, SpinsBy0Point8PerFrameAndStartsAgainAtZeroAbove360) {
    BoundRenderer bound(16, 16);
    const struct {
        float start;
        std::vector<std::pair<int, double>> drawn; // frame, angle drawn (modulo 360)
    } cases[] = {{0, {{0, 0}, {1, 0.8}, {2, 1.6}, {450, -0.001}, {451, 0}}}, // 359.999 is still drawn
                 {359.2f, {{0, -0.8}, {1, 0}, {2, 0}}},                      // exactly 360 survives a frame
                 {400, {{0, 40}, {1, 0}}},
                 {-10, {{0, -10}, {1, -9.2}}}};
    for (const auto& c : cases) {
        bound.renderer->RotateY(c.start);
        for (int frame = 0, next = 0; frame <= c.drawn.back().first; ++frame) {
            bound.renderer->Paint();
            if (c.drawn[next].first == frame) {
                EXPECT_NEAR(drawnSpin(), c.drawn[next++].second, 1e-4)
                    << "from " << c.start << ", frame " << frame;
            }
        }
    }
}
