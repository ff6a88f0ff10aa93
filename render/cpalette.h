// A logical palette laid out to match the bit fields of a palette-based RGB pixel format, selected into the
// drawing surface's device context and realised. Formats that need no palette get none.
#pragma once

#include "platform/win32api.h"

class CPalette {
  public:
    // Describes the format set on hDC into g_pfd; when it needs a palette and none is held yet, builds,
    // selects and realises one. False, with ERROR_INVALID_PIXEL_FORMAT as the last error and nothing
    // created, when the format needs a palette that 256 entries cannot hold (more than 8 colour bits, or a
    // component outside 1..7 bits).
    bool Create(HDC hDC);
    // Restores the palette that was selected before ours and deletes ours (and a foreign palette found
    // selected in its place). Safe to call any number of times.
    void Delete(HDC hDC);

  private:
    HPALETTE m_hPalette = nullptr;
    HPALETTE m_hOldPalette = nullptr;
};
