// Test surfaces on Windows: hidden pop-up windows, whose client area is the whole window, of a class with its
// own device context (CS_OWNDC) as the program's picture box has: the pixel format set on it and the handle
// the renderer holds stay valid. Contexts, formats and frames are those of the system's opengl32.
#include "support/testsurface.h"

struct TestSurface::Native {
    HWND window = nullptr;
};

TestSurface::TestSurface(int width, int height) : m_native(std::make_unique<Native>()) {
    static const ATOM registered = [] {
        WNDCLASSA surface{};
        surface.style = CS_OWNDC;
        surface.lpfnWndProc = DefWindowProcA;
        surface.hInstance = GetModuleHandleA(nullptr);
        surface.lpszClassName = "ViduzirivoTestSurface";
        return RegisterClassA(&surface);
    }();
    static_cast<void>(registered);
    m_native->window = CreateWindowExA(0, "ViduzirivoTestSurface", "", WS_POPUP, 0, 0, width, height, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestSurface::~TestSurface() {
    DestroyWindow(m_native->window);
}

HDC TestSurface::hDC() {
    return GetDC(m_native->window);
}
