#include "app/win32/picturebox.h"

#include "app/win32/dpi.h"

#include <algorithm>
#include <cmath>

namespace {

const wchar_t* const kClassName = L"ViduzirivoPictureBox";

LRESULT CALLBACK PictureBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // OpenGL covers every pixel; erasing would only flicker
    case WM_PAINT:
        // The repaint timer draws the next frame within 1/64 s; there is nothing to draw here.
        ValidateRect(hwnd, nullptr);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd);
        return 0;
    case WM_GETDLGCODE:
        // Arrow keys stay with the box instead of moving the focus round the window.
        return DLGC_WANTARROWS;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void RegisterPictureBoxClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // Its own device context: the renderer keeps the handle for the window's whole life.
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = PictureBoxProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass); // fails harmlessly when a second box registers it again
}

} // namespace

PictureBox::PictureBox(HWND parent, HINSTANCE instance) {
    RegisterPictureBoxClass(instance);
    const RECT design = DesignRect(FormDesign::kPicMain, WindowDpi(parent));
    // Clipped by its siblings, so the credit box above it stays visible over the drawing.
    m_hwnd = CreateWindowExW(0, kClassName, L"picMain",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                             design.left, design.top, design.right - design.left, design.bottom - design.top,
                             parent, nullptr, instance, nullptr);
}

void PictureBox::PlaceFor(UINT dpi) {
    const RECT design = DesignRect(FormDesign::kPicMain, dpi);
    SetWindowPos(m_hwnd, nullptr, design.left, design.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT PictureBox::Origin() const {
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(m_hwnd), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top};
}

double PictureBox::Left() const {
    return Origin().x * TwipsPerPixel(WindowDpi(m_hwnd));
}

void PictureBox::SetSize(double width, double height) {
    const UINT dpi = WindowDpi(m_hwnd);
    SetWindowPos(m_hwnd, nullptr, 0, 0, std::max(0, TwipsToPixels(width, dpi)),
                 std::max(0, TwipsToPixels(height, dpi)), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT PictureBox::Client() const {
    RECT r{};
    GetClientRect(m_hwnd, &r);
    return r;
}

double PictureBox::ScaleWidth() const {
    return ToScaleUnits(Client().right);
}

double PictureBox::ScaleHeight() const {
    return ToScaleUnits(Client().bottom);
}

double PictureBox::UnitsPerPixel() const {
    return m_scaleMode == kScaleModePixels ? 1.0 : TwipsPerPixel(WindowDpi(m_hwnd));
}

int PictureBox::ToPixels(double scaleUnits) const {
    return static_cast<int>(std::lround(scaleUnits / UnitsPerPixel()));
}
