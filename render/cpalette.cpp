#include "render/cpalette.h"

namespace {

constexpr int kMaxEntries = 256;

// A LOGPALETTE with room for the 256 entries of an 8-bit format.
struct LogPalette256 {
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[kMaxEntries];
};

bool componentFits(BYTE bits) {
    return bits >= 1 && bits <= 7;
}

bool fitsPalette(const PIXELFORMATDESCRIPTOR& pfd) {
    return pfd.cColorBits <= 8 && componentFits(pfd.cRedBits) && componentFits(pfd.cGreenBits) &&
           componentFits(pfd.cBlueBits);
}

// One component's level for palette index i: its bit field scaled so that the levels run from 0 to 255.
BYTE level(int index, BYTE shift, BYTE bits) {
    const unsigned mask = (1u << bits) - 1u;
    // Indices are below 256, so a shift of 8 or more leaves nothing of the index.
    const unsigned field = shift >= 8 ? 0u : (static_cast<unsigned>(index) >> shift) & mask;
    return static_cast<BYTE>(field * 255u / mask);
}

} // namespace

bool CPalette::Create(HDC hDC) {
    const int format = GetPixelFormat(hDC);
    DescribePixelFormat(hDC, format, sizeof(PIXELFORMATDESCRIPTOR), &g_pfd);
    if ((g_pfd.dwFlags & PFD_NEED_PALETTE) == 0 || m_hPalette != nullptr) {
        return true;
    }
    if (!fitsPalette(g_pfd)) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return false;
    }

    LogPalette256 record{};
    const int colours = 1 << g_pfd.cColorBits;
    record.palVersion = 0x300;
    record.palNumEntries = static_cast<WORD>(colours);
    for (int i = 0; i < colours; ++i) {
        record.palPalEntry[i] = {level(i, g_pfd.cRedShift, g_pfd.cRedBits),
                                 level(i, g_pfd.cGreenShift, g_pfd.cGreenBits),
                                 level(i, g_pfd.cBlueShift, g_pfd.cBlueBits), 0};
    }

    m_hPalette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&record));
    if (m_hPalette != nullptr) {
        m_hOldPalette = SelectPalette(hDC, m_hPalette, FALSE);
        RealizePalette(hDC);
    }
    return true;
}

void CPalette::Delete(HDC hDC) {
    if (m_hPalette != nullptr) {
        HPALETTE replaced = m_hOldPalette != nullptr ? SelectPalette(hDC, m_hOldPalette, FALSE) : nullptr;
        if (replaced != nullptr && replaced != m_hPalette) {
            DeleteObject(replaced);
        }
        DeleteObject(m_hPalette);
    }
    m_hPalette = nullptr;
    m_hOldPalette = nullptr;
}
