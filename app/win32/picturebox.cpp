#include "app/win32/picturebox.h"

#include "app/win32/dpi.h"
#include "platform/win32_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const wchar_t* const kClassName = L"ViduzirivoPictureBox";

void RegisterPictureBoxClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    // Its own device context: the renderer keeps the handle for the window's whole life.
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Where the box has grown and no frame is drawn yet, the clear colour rather than the window's grey.
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass); // fails harmlessly when a second box registers it again
}

} // namespace

PictureBox::PictureBox(HWND parent, HINSTANCE instance, std::function<void()> onPaint)
    : m_onPaint(std::move(onPaint)) {
    RegisterPictureBoxClass(instance, &PictureBox::WindowProc);
    const RECT design = DesignRect(FormDesign::kPicMain, WindowDpi(parent));
    // Clipped by its siblings, so the credit box above it stays visible over the drawing.
    // Its text is what screen readers call it.
    m_hwnd = CreateWindowExW(0, kClassName, Utf16(FormDesign::kPicMainName).c_str(),
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                             design.left, design.top, design.right - design.left, design.bottom - design.top,
                             parent, nullptr, instance, this);
}

LRESULT CALLBACK PictureBox::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    const auto* box = reinterpret_cast<const PictureBox*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        // An uncovered part is drawn at once rather than left stale until the next tick.
        if (box != nullptr) {
            box->m_onPaint();
        }
        return 0;
    }
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
