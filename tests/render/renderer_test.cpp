// The renderer's context lifecycle, fixed state, projection and release, on real surfaces.
#include "platform/gl.h"
#include "platform/surface_dc.h"
#include "render/copengl.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

namespace {

// A host whose device context cannot carry a pixel format or a context.
struct NoSurfaceHost : IDrawingHost {
    void SetScaleMode(int mode) override { scaleMode = mode; }
    HDC hDC() override { return dc; }
    int scaleMode = 1;
    HDC dc = nullptr;
};

void expectVector(GLenum light, GLenum name, std::array<float, 4> expected) {
    std::array<float, 4> value{};
    glGetLightfv(light, name, value.data());
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(value[i], expected[i]) << "component " << i;
    }
}

} // namespace

TEST(Renderer, RequestsExactlyTheDocumentedPixelFormat) {
    // With no device context nothing overwrites the request with a description, so it can be read back.
    NoSurfaceHost host;
    COpenGL renderer;
    ASSERT_TRUE(renderer.OpenGLReady());
    renderer.Initialize(host);
    EXPECT_EQ(host.scaleMode, IDrawingHost::kScaleModePixels);
    EXPECT_TRUE(renderer.OpenGLReady()) << "a missing format or context does not change readiness";

    PIXELFORMATDESCRIPTOR expected{};
    expected.nSize = 40;
    expected.nVersion = 1;
    expected.dwFlags = 0x25;
    expected.iPixelType = PFD_TYPE_RGBA;
    expected.cColorBits = 24;
    expected.cDepthBits = 32;
    expected.iLayerType = PFD_MAIN_PLANE;
    EXPECT_EQ(std::memcmp(&g_pfd, &expected, sizeof(expected)), 0);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    renderer.Resize(100, 100); // without a context every step is a harmless no-op
    renderer.Paint();
}

TEST(Renderer, BindsAContextWithTheFixedLightingState) {
    BoundRenderer bound(64, 48);
    ASSERT_NE(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(bound.surface.scaleMode, IDrawingHost::kScaleModePixels);
    EXPECT_EQ(g_pfd.cColorBits, 24) << "g_pfd now describes the format that was set";

    expectVector(GL_LIGHT0, GL_AMBIENT, {0.1f, 0.1f, 0.1f, 1.0f});
    expectVector(GL_LIGHT0, GL_DIFFUSE, {1.0f, 1.0f, 1.0f, 1.0f});
    expectVector(GL_LIGHT0, GL_SPECULAR, {0.5f, 0.5f, 0.7f, 1.0f});
    expectVector(GL_LIGHT0, GL_POSITION, {0.4f, 0.0f, 0.92f, 0.0f}); // given with an identity model-view
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Renderer, ResizeSetsPerspectiveAndViewportThenPaintsOnce) {
    BoundRenderer bound(64, 48);
    bound.renderer->RotateY(0.0f);
    bound.renderer->Resize(640, 480);

    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 640, 480}));

    // gluPerspective(40, 4/3, 100, 2000), written out.
    const double f = 1.0 / std::tan(20.0 * M_PI / 180.0);
    const std::array<double, 16> expected = {f / (4.0 / 3.0),
                                             0,
                                             0,
                                             0,
                                             0,
                                             f,
                                             0,
                                             0,
                                             0,
                                             0,
                                             2100.0 / -1900.0,
                                             -1,
                                             0,
                                             0,
                                             2.0 * 2000 * 100 / -1900.0,
                                             0};
    const std::array<float, 16> projection = CurrentMatrix(GL_PROJECTION_MATRIX);
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_NEAR(projection[i], expected[i], 1e-5) << "element " << i;
    }
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW) << "the paint selects the model-view matrix again";

    // Exactly one frame was drawn: it used spin 0, so the next one uses 0.8.
    const std::array<float, 16> drawnByResize = CurrentMatrix(GL_MODELVIEW_MATRIX);
    EXPECT_FLOAT_EQ(drawnByResize[0], 1.0f);
    bound.renderer->Paint();
    EXPECT_NEAR(CurrentMatrix(GL_MODELVIEW_MATRIX)[8], std::sin(0.8 * M_PI / 180.0), 1e-6);
}

TEST(Renderer, ZeroHeightLeavesTheIdentityProjectionAndStillPaints) {
    BoundRenderer bound(64, 48);
    for (const auto& [width, height] : {std::pair{320, 0}, std::pair{0, 0}}) {
        bound.renderer->Resize(width, height);
        const std::array<float, 16> projection = CurrentMatrix(GL_PROJECTION_MATRIX);
        for (std::size_t i = 0; i < 16; ++i) {
            EXPECT_FLOAT_EQ(projection[i], (i % 5 == 0) ? 1.0f : 0.0f) << "element " << i;
        }
        std::array<GLint, 4> viewport{};
        glGetIntegerv(GL_VIEWPORT, viewport.data());
        EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, width, 0}));
        EXPECT_FLOAT_EQ(CurrentMatrix(GL_MODELVIEW_MATRIX)[14], -500.0f) << "the frame was still drawn";
    }
}

TEST(Renderer, ReleasesContextThenLibraryThenPalette) {
    // A 3-3-2 device context gets a palette but no context; a real surface gets a context.
    HDC paletteDC = CreateFormatDC(Palette332Format());
    const HGDIOBJ systemPalette = GetCurrentObject(paletteDC, OBJ_PAL);
    struct Host : IDrawingHost {
        void SetScaleMode(int) override {}
        HDC hDC() override { return dc; }
        HDC dc;
    } host{};
    host.dc = paletteDC;
    {
        COpenGL renderer;
        renderer.Initialize(host);
        EXPECT_NE(GetCurrentObject(paletteDC, OBJ_PAL), systemPalette) << "made before any context";
        EXPECT_EQ(RealizePalette(paletteDC), 256u);
        EXPECT_EQ(wglGetCurrentContext(), nullptr);
    }
    EXPECT_EQ(GetCurrentObject(paletteDC, OBJ_PAL), systemPalette) << "the palette is released at the end";
    DeleteFormatDC(paletteDC);

    HGLRC context = nullptr;
    {
        BoundRenderer bound(32, 32);
        context = wglGetCurrentContext();
        ASSERT_NE(context, nullptr);
    }
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(wglDeleteContext(context), FALSE) << "the renderer deleted its context";

    // A renderer that was never bound has only its library to free.
    COpenGL unbound;
    EXPECT_TRUE(unbound.OpenGLReady());
}
