// A logical palette laid out to match the bit fields of a palette-based RGB pixel format, selected into the
// drawing surface's device context and realised. Formats that need no palette get none.
#pragma once

#include "platform/win32api.h"

#include <array>
#include <optional>

// The LOGPALETTE of an 8-bit format: room for its 256 entries.
struct LogPalette256 {
    WORD palVersion;
    WORD palNumEntries;
    std::array<PALETTEENTRY, 256> palPalEntry;
};

// The palette of a palette-based format: 2^cColorBits entries, each component's bit field scaled to run from
// 0 to 255. Nothing for a format that 256 entries cannot hold (more than 8 colour bits, or a component
// outside 1..7 bits).
std::optional<LogPalette256> PaletteFor(const PIXELFORMATDESCRIPTOR& pfd);

class CPalette {
  public:
    // Describes the format set on hDC into g_pfd; when it needs a palette and none is held yet, builds,
    // selects and realises one. False, with nothing created, when the format needs a palette that
    // PaletteFor cannot make.
    bool Create(HDC hDC);
    // Restores the palette that was selected before ours and deletes ours (and a foreign palette found
    // selected in its place). Safe to call any number of times.
    void Delete(HDC hDC);

  private:
    HPALETTE m_hPalette = nullptr;
    HPALETTE m_hOldPalette = nullptr;
};
