#include "app/win32/scrollbar.h"

#include "app/win32/dpi.h"

#include <algorithm>

ScrollBar::ScrollBar(HWND parent, const FormDesign::ScrollBarDesign& design, UINT dpi)
    : m_design(design),
      m_hwnd(CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | SBS_VERT, 0, 0, 0,
                             0, parent, nullptr, nullptr, nullptr)) {
    // No page size: the large step must not shrink the range the thumb can reach.
    SCROLLINFO info{sizeof(info), SIF_RANGE | SIF_POS, design.minimum, design.maximum, 0, design.value, 0};
    SetScrollInfo(m_hwnd, SB_CTL, &info, FALSE);
    PlaceFor(dpi);
}

short ScrollBar::Value() const {
    return static_cast<short>(GetScrollPos(m_hwnd, SB_CTL));
}

void ScrollBar::PlaceFor(UINT dpi) {
    MoveToRect(m_hwnd, DesignRect(m_design.place, dpi));
}

int ScrollBar::TargetOf(int request, short thumb) const {
    const int value = Value();
    switch (request) {
    case SB_LINEUP:
        return value - m_design.smallChange;
    case SB_LINEDOWN:
        return value + m_design.smallChange;
    case SB_PAGEUP:
        return value - m_design.largeChange;
    case SB_PAGEDOWN:
        return value + m_design.largeChange;
    case SB_TOP:
        return m_design.minimum;
    case SB_BOTTOM:
        return m_design.maximum;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return thumb;
    default: // SB_ENDSCROLL
        return value;
    }
}

bool ScrollBar::Scroll(int request, short thumb) {
    const int before = Value();
    const int target = std::clamp(TargetOf(request, thumb), static_cast<int>(m_design.minimum),
                                  static_cast<int>(m_design.maximum));
    if (target == before) {
        return false;
    }
    SetScrollPos(m_hwnd, SB_CTL, target, TRUE);
    return true;
}

int ScrollBar::WheelSteps(int delta) {
    const int page = std::max(1, m_design.largeChange / m_design.smallChange);
    UINT lines = 3; // what Windows and Qt have by default
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int perNotch = lines == WHEEL_PAGESCROLL ? page : static_cast<int>(std::min<UINT>(lines, page));
    if ((m_wheelRest < 0) != (delta < 0)) {
        m_wheelRest = 0;
    }
    m_wheelRest += delta * perNotch;
    const int steps = m_wheelRest / WHEEL_DELTA;
    m_wheelRest -= steps * WHEEL_DELTA;
    return std::clamp(steps, -page, page);
}
