#include "app/win32/textbox.h"

#include "app/formdesign.h"
#include "app/win32/dpi.h"
#include "platform/win32_text.h"

TextBox::TextBox(HWND parent, const PictureBox& container, UINT dpi)
    : m_container(container),
      m_hwnd(CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Utf16(FormDesign::kSignText).c_str(),
                             WS_CHILD | WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, 0, 0, 0, 0, parent,
                             nullptr, nullptr, nullptr)) {
    SetWindowPos(m_hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const RECT design = DesignRect(FormDesign::kTxtSign, dpi);
    const POINT origin = m_container.Origin();
    MoveWindow(m_hwnd, origin.x + design.left, origin.y + design.top, design.right - design.left,
               design.bottom - design.top, TRUE);
}

SIZE TextBox::Size() const {
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

double TextBox::Width() const {
    return m_container.ToScaleUnits(Size().cx);
}

double TextBox::Height() const {
    return m_container.ToScaleUnits(Size().cy);
}

void TextBox::Move(double left, double top) {
    const POINT origin = m_container.Origin();
    SetWindowPos(m_hwnd, nullptr, origin.x + m_container.ToPixels(left), origin.y + m_container.ToPixels(top),
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TextBox::ResizeFor(UINT dpi) {
    const RECT design = DesignRect(FormDesign::kTxtSign, dpi);
    SetWindowPos(m_hwnd, nullptr, 0, 0, design.right - design.left, design.bottom - design.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
