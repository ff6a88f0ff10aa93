// The platform layer on Linux: the Win32 names of library loading, pixel formats and WGL contexts on a real
// drawing surface; the descriptions of file errors.
#include "platform/file.h"
#include "platform/gl.h"
#include "support/testsurface.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

TEST(Platform, TheWindowsLibraryNamesLoadTheSystemsOpenGLAndGLU) {
    for (const char* name : {"opengl32.dll", "GLU32.DLL"}) {
        const HMODULE library = LoadLibraryA(name);
        EXPECT_NE(library, nullptr) << name;
        EXPECT_EQ(FreeLibrary(library), TRUE) << name;
    }
    EXPECT_EQ(LoadLibraryA("no-such-library.dll"), nullptr);
}

TEST(Platform, AContextOnTheSurfacesFormatDrawsIntoItUntilNoneIsCurrent) {
    TestSurface surface(64, 48);
    const HDC dc = surface.hDC();
    PIXELFORMATDESCRIPTOR wanted{};
    wanted.nSize = 40, wanted.nVersion = 1, wanted.cColorBits = 24, wanted.cDepthBits = 32;
    wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    const int format = ChoosePixelFormat(dc, &wanted);
    ASSERT_EQ(SetPixelFormat(dc, format, &wanted), TRUE);
    EXPECT_EQ(GetPixelFormat(dc), format);
    PIXELFORMATDESCRIPTOR got{};
    EXPECT_GE(DescribePixelFormat(dc, format, sizeof(got), &got), format);
    const HGLRC rc = wglCreateContext(dc);
    ASSERT_EQ(wglMakeCurrent(dc, rc), TRUE);
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
    EXPECT_EQ(wglMakeCurrent(nullptr, nullptr), TRUE);
    EXPECT_EQ(glGetString(GL_VERSION), nullptr) << "no context is current";
    EXPECT_EQ(SwapBuffers(dc), FALSE) << "no frame to present without a context";
    EXPECT_EQ(wglDeleteContext(rc), TRUE);
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
