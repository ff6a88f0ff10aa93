// A vertical SCROLLBAR control with the design's range, initial value and steps. The control only reports
// what the user asked for; moving the thumb by the small or large step is done here.
#pragma once

#include "app/controls.h"
#include "app/formdesign.h"

#include <windows.h>

class ScrollBar : public ScrollBarControl {
  public:
    ScrollBar(HWND parent, const FormDesign::ScrollBarDesign& design, UINT dpi);

    short Value() const override;
    HWND hwnd() const { return m_hwnd; }

    // Moves the thumb as scroll request `request` (SB_LINEUP, SB_THUMBTRACK, ...) asks; `thumb` is the
    // position that a thumb request carries. True when the value changed.
    bool Scroll(int request, short thumb);
    // How many arrow steps a turn of the wheel by `delta` (WHEEL_DELTA a notch, positive away from the user)
    // asks for, as Qt's scroll bar counts them: the system's lines per notch, at most a page; positive
    // towards the top (SB_LINEUP). Parts of a notch add up until they make a step; turning back drops them.
    int WheelSteps(int delta);
    void PlaceFor(UINT dpi);

  private:
    int TargetOf(int request, short thumb) const;

    const FormDesign::ScrollBarDesign& m_design;
    HWND m_hwnd;
    int m_wheelRest = 0; // what was turned and not yet taken as a step, WHEEL_DELTA to a step
};
