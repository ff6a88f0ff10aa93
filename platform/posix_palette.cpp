// GDI logical palettes as objects of the process: created, selected into device contexts (in the foreground
// or the background), realised and deleted with the Win32 contracts and failure values. No surface here has
// a palette-based format, so the renderer never needs one; the calls keep their meaning all the same.
#include "platform/qt_devicecontext.h"

#include <algorithm>
#include <memory>

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

bool isSelectedAnywhere(HPALETTE palette) {
    const auto& dcs = LiveDCs();
    return std::any_of(dcs.begin(), dcs.end(), [palette](HDC dc) { return dc->palette == palette; });
}

} // namespace

HPALETTE StockDefaultPalette() {
    static HPALETTE__ stock;
    return &stock;
}

bool IsPalette(const void* handle) {
    return handle == StockDefaultPalette() || findPalette(handle) != livePalettes().end();
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

HPALETTE SelectPalette(HDC hdc, HPALETTE hPal, BOOL bForceBkgd) {
    if (!IsLiveDC(hdc) || !IsPalette(hPal)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HPALETTE previous = hdc->palette;
    hdc->palette = hPal;
    hdc->paletteInBackground = bForceBkgd != FALSE;
    return previous;
}

UINT RealizePalette(HDC hdc) {
    if (!IsLiveDC(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return GDI_ERROR;
    }
    // A foreground palette takes the device's colours over with all its entries; a background one, and the
    // default palette, map into the colours already there.
    return hdc->paletteInBackground ? 0 : static_cast<UINT>(hdc->palette->entries.size());
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
