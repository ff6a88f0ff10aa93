#include "app/win32/designfont.h"

#include "platform/win32_text.h"

#include <cmath>

DesignFont CreateDesignFont(const FormDesign::FontDesign& design, UINT dpi) {
    // A negative height asks for the character height (the em) rather than the cell height, as point sizes
    // are meant. The design's sizes are fractions of a point, so MulDiv's whole points would not do.
    const int height = -static_cast<int>(std::lround(design.points * dpi / 72.0));
    return DesignFont(CreateFontW(height, 0, 0, 0, design.weight, design.italic ? TRUE : FALSE, FALSE, FALSE,
                                  static_cast<DWORD>(design.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  Utf16(design.family).c_str()));
}
