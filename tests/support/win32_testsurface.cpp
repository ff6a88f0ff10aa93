// Test surfaces on Windows: hidden windows of a class with its own device context, as the program's picture
// box is. Contexts, formats and frames are those of the system's opengl32.
#include "support/testsurface.h"

#include <gtest/gtest.h>

namespace {

constexpr char kClassName[] = "ViduzirivoTestSurface";

// CS_OWNDC: the window keeps one device context for its life, so the pixel format set on it and the handle
// the renderer holds stay valid, as they do for the program's picture box.
void registerSurfaceClass() {
    static const ATOM registered = [] {
        WNDCLASSA surfaceClass{};
        surfaceClass.style = CS_OWNDC;
        surfaceClass.lpfnWndProc = DefWindowProcA;
        surfaceClass.hInstance = GetModuleHandleA(nullptr);
        surfaceClass.lpszClassName = kClassName;
        return RegisterClassA(&surfaceClass);
    }();
    static_cast<void>(registered);
}

} // namespace

struct TestSurface::Native {
    HWND window = nullptr;
};

TestSurface::TestSurface(int width, int height) : m_native(std::make_unique<Native>()) {
    registerSurfaceClass();
    // A pop-up window has no frame: its client area is exactly width × height. It is never shown.
    m_native->window = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
}

TestSurface::~TestSurface() {
    DestroyWindow(m_native->window);
}

HDC TestSurface::hDC() {
    return GetDC(m_native->window);
}

void WhenCurrentContextIsDestroyed(std::function<void()> /*observer*/) {
    // opengl32 tells nobody when a context goes; the tests that watch for it run on the other platforms.
    ADD_FAILURE() << "the deletion of a rendering context cannot be observed on Windows";
}

bool SystemOpenGLLoaded() {
    return GetModuleHandleA("opengl32.dll") != nullptr;
}
