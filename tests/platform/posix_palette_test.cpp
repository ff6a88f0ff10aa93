// CPalette, and the renderer's palette, on device contexts whose formats need a palette (3-3-2) or do not; no
// display here offers such formats.
#include "render/copengl.h"
#include "render/cpalette.h"
#include "support/formatdc.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

PIXELFORMATDESCRIPTOR withBits(BYTE colour, BYTE red, BYTE green, BYTE blue, DWORD flags = PFD_NEED_PALETTE) {
    PIXELFORMATDESCRIPTOR pfd = Palette332Format();
    pfd.cColorBits = colour, pfd.cRedBits = red, pfd.cGreenBits = green, pfd.cBlueBits = blue;
    pfd.dwFlags = (pfd.dwFlags & ~PFD_NEED_PALETTE) | flags;
    return pfd;
}

} // namespace

TEST(Palette, ThreeThreeTwoIsBuiltOnceInTheForegroundAndDeletedOnceWithAForeignOneFoundInItsPlace) {
    const HDC dc = CreateFormatDC(Palette332Format());
    const HPALETTE system = SelectedPalette(dc);
    CPalette palette;
    ASSERT_TRUE(palette.Create(dc));
    const HPALETTE ours = SelectedPalette(dc);
    ASSERT_TRUE(palette.Create(dc));
    ASSERT_NE(ours, system);
    EXPECT_EQ(SelectedPalette(dc), ours) << "a second Create builds nothing";
    EXPECT_EQ(RealizePalette(dc), 256u) << "selected in the foreground, it maps all its entries";
    const std::vector<PALETTEENTRY> entries = PaletteEntries(ours);
    ASSERT_EQ(entries.size(), 256u);
    const int redGreen[] = {0, 36, 72, 109, 145, 182, 218, 255}, blue[] = {0, 85, 170, 255};
    for (std::size_t i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = entries[i];
        EXPECT_EQ((std::array<int, 4>{e.peRed, e.peGreen, e.peBlue, e.peFlags}),
                  (std::array<int, 4>{redGreen[i & 7], redGreen[(i >> 3) & 7], blue[i >> 6], 0}))
            << "entry " << i;
    }
    const LOGPALETTE other{0x300, 1, {{9, 9, 9, 0}}}, unversioned{0x301, 1, {{9, 9, 9, 0}}};
    EXPECT_EQ(CreatePalette(&unversioned), nullptr) << "a logical palette has version 0x300";
    const HPALETTE foreign = CreatePalette(&other), later = CreatePalette(&other);
    SelectPalette(dc, foreign, FALSE);
    palette.Delete(dc);
    EXPECT_EQ(SelectedPalette(dc), system);
    EXPECT_TRUE(PaletteEntries(ours).empty() && PaletteEntries(foreign).empty())
        << "ours, and the one found in its place, are deleted";
    SelectPalette(dc, later, FALSE);
    palette.Delete(dc);
    EXPECT_EQ(SelectedPalette(dc), later) << "a second Delete touches nothing";
    DeleteFormatDC(dc);
}

TEST(Palette, TheRendererSelectsItsPaletteAndDeletesItAtTheEnd) {
    struct : IDrawingHost {
        void SetScaleMode(int) override {}
        HDC hDC() override { return dc; }
        HDC dc = CreateFormatDC(Palette332Format());
    } host;
    auto renderer = std::make_unique<COpenGL>();
    renderer->Initialize(host);
    const HPALETTE ours = SelectedPalette(host.dc);
    EXPECT_EQ(PaletteEntries(ours).size(), 256u);
    renderer.reset();
    EXPECT_TRUE(PaletteEntries(ours).empty()) << "the renderer deleted its palette";
    DeleteFormatDC(host.dc);
}

TEST(Palette, TrueColourGetsNoneAndFormatsBeyond256EntriesAreRefused) {
    for (const PIXELFORMATDESCRIPTOR& format :
         {withBits(24, 8, 8, 8, 0), withBits(16, 5, 6, 5), withBits(8, 0, 4, 4), withBits(8, 8, 1, 1)}) {
        const HDC dc = CreateFormatDC(format);
        const HPALETTE system = SelectedPalette(dc);
        std::memset(&g_pfd, 0xAB, sizeof(g_pfd));
        CPalette palette;
        SetLastError(0);
        EXPECT_EQ(palette.Create(dc), format.cColorBits == 24) << int(format.cColorBits);
        EXPECT_EQ(GetLastError(), format.cColorBits == 24 ? 0 : ERROR_INVALID_PIXEL_FORMAT);
        EXPECT_EQ(std::memcmp(&g_pfd, &format, sizeof(format)), 0) << "g_pfd describes the set format";
        palette.Delete(dc);
        EXPECT_EQ(SelectedPalette(dc), system);
        DeleteFormatDC(dc);
    }
}
