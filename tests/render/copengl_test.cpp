// The renderer on real surfaces: the format it asks for, the state it sets, projection and viewport, the
// spin, and what it releases in which order. Whole frames are compared in frames_test.cpp.
#include "platform/gl.h"
#include "scene/sshape.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
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

TEST(Renderer, WithoutAFormatOrContextAsksForTheDocumentedFormatAndStaysReady) {
    struct : IDrawingHost {
        void SetScaleMode(int mode) override { scaleMode = mode; }
        HDC hDC() override { return nullptr; } // no format or context can be had
        int scaleMode = 1;
    } host;
    COpenGL renderer;
    EXPECT_FALSE(renderer.Initialize(host)) << "nothing to draw on";
    EXPECT_EQ(host.scaleMode, IDrawingHost::kScaleModePixels);
    EXPECT_TRUE(renderer.OpenGLReady());
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    // Nothing replaced the request with a description, so it can be read back whole.
    // Every field: size, version, flags, RGBA, 24 colour bits, no channel layout, no accumulation, 32 depth
    // bits, no stencil or auxiliary buffers, the main plane, no masks.
    const PIXELFORMATDESCRIPTOR expected{
        40, 1, 0x25, PFD_TYPE_RGBA,  24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        32, 0, 0,    PFD_MAIN_PLANE, 0,  0, 0, 0};
    EXPECT_EQ(std::memcmp(&g_pfd, &expected, sizeof(expected)), 0);
    renderer.Resize(100, 100); // harmless without a context
}

TEST(Renderer, SetsTheLightTheFixedStateAndTheFrameMaterial) {
    BoundRenderer bound(64, 48); // Resize has drawn a frame, and no display list has set a material since
    EXPECT_EQ(bound.surface.scaleMode, IDrawingHost::kScaleModePixels);
    const struct {
        GLenum source, name;
        std::array<float, 4> value;
    } state[] = {
        {GL_LIGHT0, GL_AMBIENT, {0.1f, 0.1f, 0.1f, 1}},  {GL_LIGHT0, GL_DIFFUSE, {1, 1, 1, 1}},
        {GL_LIGHT0, GL_SPECULAR, {0.5f, 0.5f, 0.7f, 1}}, {GL_LIGHT0, GL_POSITION, {0.4f, 0, 0.92f, 0}},
        {GL_FRONT, GL_AMBIENT, {0, 0.5f, 0.9f, 1}},      {GL_FRONT, GL_DIFFUSE, {0, 0.5f, 0.9f, 1}},
        {GL_FRONT, GL_SPECULAR, {1, 1, 1, 1}},           {GL_FRONT, GL_SHININESS, {100, 0, 0, 0}}};
    for (const auto& [source, name, value] : state) {
        std::array<float, 4> actual{};
        source == GL_FRONT ? glGetMaterialfv(source, name, actual.data())
                           : glGetLightfv(source, name, actual.data());
        EXPECT_EQ(actual, value) << std::hex << source << " " << name;
    }
    for (const auto& [cap, on] :
         {std::pair{GL_LIGHTING, true}, {GL_LIGHT0, true}, {GL_DEPTH_TEST, true}, {GL_CULL_FACE, false}}) {
        EXPECT_EQ(glIsEnabled(cap), on ? GL_TRUE : GL_FALSE) << std::hex << cap;
    }
}

TEST(Renderer, ResizeSetsProjectionAndViewportThenDrawsOneFrame) {
    BoundRenderer bound(64, 48);
    for (const auto& [width, height] : {std::pair{640, 480}, {320, 0}, {0, 0}}) {
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
