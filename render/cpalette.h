// A logical palette laid out to match the bit fields of a palette-based RGB pixel format, selected into the
// drawing surface's device context and realised. Formats that need no palette get none.
#pragma once

#include "platform/win32api.h"

#include <stdexcept>

// Raised by CPalette::Create for a palette-needing format whose colours do not fit a 256-entry palette.
class UnsupportedPaletteFormat : public std::range_error {
  public:
    using std::range_error::range_error;
};

class CPalette {
  public:
    // Describes the format set on hDC into g_pfd; when it needs a palette and none is held yet, builds,
    // selects and realises one. Throws UnsupportedPaletteFormat before creating anything when the format
    // has more than 8 colour bits or a component outside 1..7 bits.
    void Create(HDC hDC);
    // Restores the palette that was selected before ours and deletes ours (and a foreign palette found
    // selected in its place). Safe to call any number of times.
    void Delete(HDC hDC);

  private:
    HPALETTE m_hPalette = nullptr;
    HPALETTE m_hOldPalette = nullptr;
};
