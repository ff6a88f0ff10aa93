// GDI logical palettes as objects of the process: created, selected into device contexts, realised and
// deleted with the Win32 contracts and failure values.
#include "platform/posix_devicecontext.h"

#include <algorithm>
#include <memory>

struct HPALETTE__ {
    std::vector<PALETTEENTRY> entries;
};

namespace {

constexpr WORD kPaletteVersion = 0x300;

std::vector<std::unique_ptr<HPALETTE__>>& livePalettes() {
    static std::vector<std::unique_ptr<HPALETTE__>> palettes;
    return palettes;
}

std::vector<std::unique_ptr<HPALETTE__>>::iterator findPalette(const void* handle) {
    auto& palettes = livePalettes();
    return std::find_if(palettes.begin(), palettes.end(),
                        [handle](const auto& p) { return p.get() == handle; });
}

bool isPalette(const void* handle) {
    return handle == StockDefaultPalette() || findPalette(handle) != livePalettes().end();
}

bool isSelectedAnywhere(HPALETTE palette) {
    const auto& dcs = LiveDCs();
    return std::any_of(dcs.begin(), dcs.end(), [palette](HDC dc) { return dc->palette == palette; });
}

} // namespace

HPALETTE StockDefaultPalette() {
    // The system's default palette: the sixteen colours of the standard VGA set.
    static HPALETTE__ stock{{{0, 0, 0, 0},
                             {128, 0, 0, 0},
                             {0, 128, 0, 0},
                             {128, 128, 0, 0},
                             {0, 0, 128, 0},
                             {128, 0, 128, 0},
                             {0, 128, 128, 0},
                             {192, 192, 192, 0},
                             {128, 128, 128, 0},
                             {255, 0, 0, 0},
                             {0, 255, 0, 0},
                             {255, 255, 0, 0},
                             {0, 0, 255, 0},
                             {255, 0, 255, 0},
                             {0, 255, 255, 0},
                             {255, 255, 255, 0}}};
    return &stock;
}

HPALETTE CreatePalette(const LOGPALETTE* plpal) {
    if (plpal == nullptr || plpal->palVersion != kPaletteVersion || plpal->palNumEntries == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto palette = std::make_unique<HPALETTE__>();
    palette->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
    livePalettes().push_back(std::move(palette));
    return livePalettes().back().get();
}

HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL /*bForceBkgd*/) {
    if (!IsLiveDC(hdc) || !isPalette(hPal)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HPALETTE previous = hdc->palette;
    hdc->palette = hPal;
    return previous;
}

UINT RealizePalette(HDC hdc) {
    if (!IsLiveDC(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return GDI_ERROR;
    }
    // Realising the default palette maps nothing new; a logical palette maps all of its entries.
    if (hdc->palette == StockDefaultPalette()) {
        return 0;
    }
    return static_cast<UINT>(hdc->palette->entries.size());
}

UINT GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, PALETTEENTRY* pPalEntries) {
    if (!isPalette(hpal)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const auto& entries = hpal->entries;
    if (pPalEntries == nullptr) {
        return static_cast<UINT>(entries.size());
    }
    if (iStart >= entries.size()) {
        return 0;
    }
    const UINT count = std::min<UINT>(cEntries, static_cast<UINT>(entries.size()) - iStart);
    std::copy_n(entries.begin() + iStart, count, pPalEntries);
    return count;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    if (!IsLiveDC(hdc) || type != OBJ_PAL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return hdc->palette;
}

DWORD GetObjectType(HGDIOBJ h) {
    return isPalette(h) ? OBJ_PAL : 0;
}

BOOL DeleteObject(HGDIOBJ ho) {
    if (ho == StockDefaultPalette()) {
        return TRUE; // stock objects survive deletion, as on Windows
    }
    auto found = findPalette(ho);
    if (found == livePalettes().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (isSelectedAnywhere(found->get())) {
        SetLastError(ERROR_BUSY); // still selected into a device context: deleting it would leave it dangling
        return FALSE;
    }
    livePalettes().erase(found);
    return TRUE;
}
