// The credit box: a read-only EDIT control over the drawing surface, measured and placed in the picture
// box's scale unit. It is the picture box's sibling, kept above it in the z-order, so that OpenGL, which
// draws into the box's clipped area, never covers it.
#pragma once

#include "app/controls.h"
#include "app/win32/picturebox.h"

#include <windows.h>

class TextBox : public TextBoxControl {
  public:
    TextBox(HWND parent, const PictureBox& container, UINT dpi);

    double Width() const override;
    double Height() const override;
    void Move(double left, double top) override;

    HWND hwnd() const { return m_hwnd; }
    // Takes the design size for a new DPI; Form_Resize places it again.
    void ResizeFor(UINT dpi);

  private:
    SIZE Size() const;

    const PictureBox& m_container;
    HWND m_hwnd;
};
