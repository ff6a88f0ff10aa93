// The POSIX implementation of the platform layer: library loading, pixel formats and WGL rendering contexts
// on real native surfaces and on device contexts without one, with the Win32 failure values; the
// descriptions of file errors.
#include "platform/file.h"
#include "platform/gl.h"
#include "support/formatdc.h"
#include "support/testsurface.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

static PIXELFORMATDESCRIPTOR request(BYTE pixelType = PFD_TYPE_RGBA, WORD size = 40) {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = size, pfd.nVersion = 1, pfd.iPixelType = pixelType, pfd.cColorBits = 24, pfd.cDepthBits = 32;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    return pfd;
}

TEST(Platform, BadArgumentsGiveTheWin32FailureValues) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA("no-such-library.dll"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

    TestSurface surface(64, 48);
    const HDC dc = surface.hDC(), memory = CreateFormatDC(Palette332Format());
    const PIXELFORMATDESCRIPTOR wanted = request(), small = request(PFD_TYPE_RGBA, 39);
    const PIXELFORMATDESCRIPTOR indexed = request(1); // PFD_TYPE_COLORINDEX: no such formats on this display
    PIXELFORMATDESCRIPTOR out{};
    EXPECT_EQ(GetPixelFormat(memory), 1) << "a memory device context has a format but cannot render";
    const std::pair<const char*, long> results[] = {
        {"LoadLibraryA(nullptr)", long(LoadLibraryA(nullptr) != nullptr)},
        {"FreeLibrary(nullptr)", FreeLibrary(nullptr)},
        {"ChoosePixelFormat(no DC)", ChoosePixelFormat(nullptr, &wanted)},
        {"ChoosePixelFormat(no request)", ChoosePixelFormat(dc, nullptr)},
        {"ChoosePixelFormat(39 bytes)", ChoosePixelFormat(dc, &small)},
        {"ChoosePixelFormat(colour index)", ChoosePixelFormat(dc, &indexed)},
        {"wglCreateContext(no format yet)", long(wglCreateContext(dc) != nullptr)},
        {"wglCreateContext(no DC)", long(wglCreateContext(nullptr) != nullptr)},
        {"wglCreateContext(memory DC)", long(wglCreateContext(memory) != nullptr)},
        {"SetPixelFormat(0)", SetPixelFormat(dc, 0, &wanted)},
        {"SetPixelFormat(99)", SetPixelFormat(dc, 99, &wanted)},
        {"SetPixelFormat(no DC)", SetPixelFormat(nullptr, 1, &wanted)},
        {"GetPixelFormat(no DC)", GetPixelFormat(nullptr)},
        {"DescribePixelFormat(0)", DescribePixelFormat(dc, 0, sizeof(out), &out)},
        {"DescribePixelFormat(no DC)", DescribePixelFormat(nullptr, 1, sizeof(out), &out)},
        {"SwapBuffers(no DC)", SwapBuffers(nullptr)},
        {"GetPixelFormat(deleted DC)", (DeleteFormatDC(memory), GetPixelFormat(memory))}};
    for (const auto& [call, result] : results) {
        EXPECT_EQ(result, 0) << call;
    }
}

TEST(Platform, AContextOnAFormatSetOnceDrawsIntoItsSurfaceUntilDeleted) {
    TestSurface surface(64, 48);
    const HDC dc = surface.hDC();
    EXPECT_EQ(dc, surface.hDC()) << "one surface, one device context";
    const PIXELFORMATDESCRIPTOR wanted = request();
    const int format = ChoosePixelFormat(dc, &wanted);
    ASSERT_EQ(SetPixelFormat(dc, format, &wanted), TRUE);
    EXPECT_EQ(GetPixelFormat(dc), format);
    EXPECT_EQ(SetPixelFormat(dc, format, &wanted), TRUE);
    EXPECT_EQ(SetPixelFormat(dc, format == 1 ? 2 : 1, &wanted), FALSE) << "a window's format is set once";
    PIXELFORMATDESCRIPTOR got{};
    const int count = DescribePixelFormat(dc, format, sizeof(got), &got);
    EXPECT_GE(count, format);
    EXPECT_EQ(DescribePixelFormat(dc, 1, 0, nullptr), count) << "a null record asks for the count";
    const HGLRC rc = wglCreateContext(dc);
    ASSERT_EQ(wglMakeCurrent(dc, rc), TRUE);
    EXPECT_EQ(wglGetCurrentContext(), rc);
    GLint depth = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depth);
    EXPECT_EQ(
        (std::array<int, 8>{got.nSize, int(got.dwFlags & (0x25 | PFD_NEED_PALETTE)), got.iPixelType,
                            got.cColorBits, got.cRedBits, got.cGreenBits, got.cBlueBits, got.cDepthBits}),
        (std::array<int, 8>{40, 0x25, PFD_TYPE_RGBA, 24, 8, 8, 8, depth}))
        << "described as the context has it";
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(PixelAt(1, 1), (std::array<int, 3>{0, 255, 0})) << "the context draws into the surface";
    EXPECT_EQ(SwapBuffers(dc), TRUE);
    EXPECT_EQ(wglMakeCurrent(nullptr, nullptr) + wglMakeCurrent(nullptr, nullptr), 2)
        << "none current is no error";
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_EQ(SwapBuffers(dc), FALSE) << "no context current on the surface";
    EXPECT_EQ(wglMakeCurrent(nullptr, rc), FALSE) << "a context is made current on a surface";
    EXPECT_EQ(wglMakeCurrent(dc, rc), TRUE);
    EXPECT_EQ(wglDeleteContext(rc), TRUE);
    EXPECT_EQ(wglGetCurrentContext(), nullptr) << "deleting the current context leaves none current";
    EXPECT_EQ(wglDeleteContext(rc) + wglMakeCurrent(dc, rc), FALSE);
}

// The C library describes errors in the locale's language and encoding; the program shows them as UTF-8.
TEST(ReadOnlyFile, DescribesFailuresInTheLocalesLanguageAsUtf8) {
    QTemporaryDir locales;
    if (QProcess::execute("localedef", {"-i", "ja_JP", "-f", "EUC-JP", locales.filePath("ja_JP.eucJP")}) !=
        0) {
        GTEST_SKIP() << "localedef cannot make a ja_JP.eucJP locale here";
    }
    setenv("LOCPATH", qPrintable(locales.path()), 1);
    for (const auto& [locale, text] :
         {std::pair{"ja_JP.eucJP", "そのようなファイルやディレクトリはありません"},
          std::pair{"C", "No such file or directory"}}) {
        ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale;
        EXPECT_EQ(ReadOnlyFile("/nonexistent/Earth.RAS").Error(), text) << locale;
    }
    std::setlocale(LC_ALL, "");
    unsetenv("LOCPATH");
}
