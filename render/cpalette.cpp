#include "render/cpalette.h"

namespace {

bool componentFits(BYTE bits) {
    return bits >= 1 && bits <= 7;
}

// One component's level for palette index i: its bit field scaled so that the levels run from 0 to 255.
BYTE level(int index, BYTE shift, BYTE bits) {
    const unsigned mask = (1u << bits) - 1u;
    // Indices are below 256, so a shift of 8 or more leaves nothing of the index.
    const unsigned field = shift >= 8 ? 0u : (static_cast<unsigned>(index) >> shift) & mask;
    return static_cast<BYTE>(field * 255u / mask);
}

} // namespace

std::optional<LogPalette256> PaletteFor(const PIXELFORMATDESCRIPTOR& pfd) {
    if (pfd.cColorBits > 8 || !componentFits(pfd.cRedBits) || !componentFits(pfd.cGreenBits) ||
        !componentFits(pfd.cBlueBits)) {
        return std::nullopt;
    }
    LogPalette256 record{};
    const int colours = 1 << pfd.cColorBits;
    record.palVersion = 0x300;
    record.palNumEntries = static_cast<WORD>(colours);
    for (int i = 0; i < colours; ++i) {
        record.palPalEntry[static_cast<std::size_t>(i)] = {level(i, pfd.cRedShift, pfd.cRedBits),
                                                           level(i, pfd.cGreenShift, pfd.cGreenBits),
                                                           level(i, pfd.cBlueShift, pfd.cBlueBits), 0};
    }
    return record;
}

bool CPalette::Create(HDC hDC) {
    const int format = GetPixelFormat(hDC);
    DescribePixelFormat(hDC, format, sizeof(PIXELFORMATDESCRIPTOR), &g_pfd);
    if ((g_pfd.dwFlags & PFD_NEED_PALETTE) == 0 || m_hPalette != nullptr) {
        return true;
    }
    const std::optional<LogPalette256> record = PaletteFor(g_pfd);
    if (!record) {
        return false;
    }
    m_hPalette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&*record));
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
