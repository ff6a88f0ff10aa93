// Library loading, pixel formats and WGL contexts on real native surfaces.
#include "platform/gl.h"
#include "platform/surface_dc.h"
#include "platform/win32api.h"

#include <QWindow>

#include <gtest/gtest.h>

namespace {

PIXELFORMATDESCRIPTOR request() {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 32;
    return pfd;
}

struct Surface {
    Surface() {
        window.resize(64, 48);
        dc = GetSurfaceDC(&window);
    }
    QWindow window;
    HDC dc = nullptr;
};

} // namespace

TEST(LibraryLoading, MapsTheOpenGLLibraryAndReportsFailures) {
    HMODULE gl = LoadLibraryA("opengl32.dll");
    ASSERT_NE(gl, nullptr);
    EXPECT_EQ(FreeLibrary(gl), TRUE);

    EXPECT_EQ(LoadLibraryA("no-such-library.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
    EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
    EXPECT_EQ(FreeLibrary(nullptr), FALSE);
}

TEST(PixelFormat, SetFormatIsDescribedAsObtained) {
    Surface surface;
    EXPECT_EQ(surface.dc, GetSurfaceDC(&surface.window)) << "one surface, one device context";
    EXPECT_EQ(GetPixelFormat(surface.dc), 0);

    const PIXELFORMATDESCRIPTOR wanted = request();
    const int format = ChoosePixelFormat(surface.dc, &wanted);
    ASSERT_GT(format, 0);
    ASSERT_EQ(SetPixelFormat(surface.dc, format, &wanted), TRUE);
    EXPECT_EQ(GetPixelFormat(surface.dc), format);

    PIXELFORMATDESCRIPTOR obtained{};
    const int count = DescribePixelFormat(surface.dc, format, sizeof(obtained), &obtained);
    EXPECT_GE(count, format);
    EXPECT_EQ(obtained.nSize, 40);
    EXPECT_EQ(obtained.dwFlags & wanted.dwFlags, wanted.dwFlags);
    EXPECT_EQ(obtained.dwFlags & PFD_NEED_PALETTE, 0u);
    EXPECT_EQ(obtained.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(obtained.cRedBits, 8);
    EXPECT_EQ(obtained.cGreenBits, 8);
    EXPECT_EQ(obtained.cBlueBits, 8);
    EXPECT_EQ(obtained.cColorBits, 24);
    EXPECT_GE(obtained.cDepthBits, 16);

    // The format matches what a context made on the surface really has.
    HGLRC rc = wglCreateContext(surface.dc);
    ASSERT_NE(rc, nullptr);
    ASSERT_EQ(wglMakeCurrent(surface.dc, rc), TRUE);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_EQ(depthBits, obtained.cDepthBits);
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(rc);

    // A window's format is set once.
    EXPECT_EQ(SetPixelFormat(surface.dc, format, &wanted), TRUE);
    EXPECT_EQ(SetPixelFormat(surface.dc, format == 1 ? 2 : 1, &wanted), FALSE);
}

TEST(PixelFormat, BadArgumentsGiveTheWin32FailureValues) {
    Surface surface;
    PIXELFORMATDESCRIPTOR wanted = request();
    EXPECT_EQ(ChoosePixelFormat(nullptr, &wanted), 0);
    EXPECT_EQ(ChoosePixelFormat(surface.dc, nullptr), 0);
    wanted.nSize = 39;
    EXPECT_EQ(ChoosePixelFormat(surface.dc, &wanted), 0);
    wanted = request();
    wanted.iPixelType = PFD_TYPE_COLORINDEX;
    EXPECT_EQ(ChoosePixelFormat(surface.dc, &wanted), 0) << "no colour-index formats on this display";

    EXPECT_EQ(SetPixelFormat(surface.dc, 0, &wanted), FALSE);
    EXPECT_EQ(SetPixelFormat(surface.dc, 99, &wanted), FALSE);
    EXPECT_EQ(SetPixelFormat(nullptr, 1, &wanted), FALSE);
    EXPECT_EQ(GetPixelFormat(nullptr), 0);
    PIXELFORMATDESCRIPTOR out{};
    EXPECT_EQ(DescribePixelFormat(surface.dc, 0, sizeof(out), &out), 0);
    EXPECT_EQ(DescribePixelFormat(nullptr, 1, sizeof(out), &out), 0);
    EXPECT_GT(DescribePixelFormat(surface.dc, 1, 0, nullptr), 0) << "a null record asks for the count";
}

TEST(RenderingContext, LifecycleOnASurface) {
    Surface surface;
    EXPECT_EQ(wglCreateContext(surface.dc), nullptr) << "no context before a pixel format is set";
    EXPECT_EQ(wglCreateContext(nullptr), nullptr);

    const PIXELFORMATDESCRIPTOR wanted = request();
    ASSERT_EQ(SetPixelFormat(surface.dc, ChoosePixelFormat(surface.dc, &wanted), &wanted), TRUE);
    HGLRC rc = wglCreateContext(surface.dc);
    ASSERT_NE(rc, nullptr);

    ASSERT_EQ(wglMakeCurrent(surface.dc, rc), TRUE);
    EXPECT_EQ(wglGetCurrentContext(), rc);
    ASSERT_NE(glGetString(GL_VERSION), nullptr);
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    unsigned char pixel[4] = {};
    glReadPixels(1, 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[1], 255) << "the context draws into the surface";
    EXPECT_EQ(SwapBuffers(surface.dc), TRUE);
    EXPECT_EQ(SwapBuffers(nullptr), FALSE);

    EXPECT_EQ(wglMakeCurrent(nullptr, nullptr), TRUE);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(wglMakeCurrent(nullptr, nullptr), TRUE) << "nothing current is not an error";
    EXPECT_EQ(SwapBuffers(surface.dc), FALSE) << "no context current on the surface";

    EXPECT_EQ(wglMakeCurrent(surface.dc, rc), TRUE);
    EXPECT_EQ(wglDeleteContext(rc), TRUE);
    EXPECT_EQ(wglGetCurrentContext(), nullptr) << "deleting the current context leaves none current";
    EXPECT_EQ(wglDeleteContext(rc), FALSE);
    EXPECT_EQ(wglMakeCurrent(surface.dc, rc), FALSE);
}

TEST(RenderingContext, MemoryDeviceContextsCannotRender) {
    HDC dc = CreateFormatDC(Palette332Format());
    EXPECT_EQ(GetPixelFormat(dc), 1);
    EXPECT_EQ(wglCreateContext(dc), nullptr);
    DeleteFormatDC(dc);
    EXPECT_EQ(GetPixelFormat(dc), 0) << "a deleted device context is no longer accepted";
}
