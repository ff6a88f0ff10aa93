// CPalette, and the renderer's palette, on memory device contexts of the POSIX platform layer whose formats
// need a palette (3-3-2) or do not; no display here offers such formats.
#include "platform/surface_dc.h"
#include "render/copengl.h"
#include "render/cpalette.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

PIXELFORMATDESCRIPTOR withBits(BYTE colour, BYTE red, BYTE green, BYTE blue, DWORD flags = PFD_NEED_PALETTE) {
    PIXELFORMATDESCRIPTOR pfd = Palette332Format();
    pfd.cColorBits = colour, pfd.cRedBits = red, pfd.cGreenBits = green, pfd.cBlueBits = blue;
    pfd.dwFlags = (pfd.dwFlags & ~PFD_NEED_PALETTE) | flags;
    return pfd;
}

HPALETTE selected(HDC dc) {
    return static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL));
}

} // namespace

TEST(Palette, ThreeThreeTwoIsBuiltOnceAndDeletedOnceWithAForeignOneFoundInItsPlace) {
    const HDC dc = CreateFormatDC(Palette332Format());
    const HPALETTE system = selected(dc);
    CPalette palette;
    palette.Create(dc);
    const HPALETTE ours = selected(dc);
    palette.Create(dc);
    ASSERT_NE(ours, system);
    EXPECT_EQ(selected(dc), ours) << "a second Create builds nothing";
    EXPECT_EQ(RealizePalette(dc), 256u) << "the selected palette maps all its entries";
    std::vector<PALETTEENTRY> entries(256);
    ASSERT_EQ(GetPaletteEntries(ours, 0, 256, entries.data()), 256u);
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
    EXPECT_EQ(selected(dc), system);
    EXPECT_EQ(GetObjectType(ours) + GetObjectType(foreign), 0u) << "ours, and the one found in its place";
    SelectPalette(dc, later, FALSE);
    palette.Delete(dc);
    EXPECT_EQ(selected(dc), later) << "a second Delete touches nothing";
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
    const HPALETTE ours = selected(host.dc);
    EXPECT_EQ(GetPaletteEntries(ours, 0, 0, nullptr), 256u);
    renderer.reset();
    EXPECT_EQ(GetObjectType(ours), 0u) << "the renderer deleted its palette";
    DeleteFormatDC(host.dc);
}

TEST(Palette, TrueColourGetsNoneAndFormatsBeyond256EntriesAreRefused) {
    for (const PIXELFORMATDESCRIPTOR& format :
         {withBits(24, 8, 8, 8, 0), withBits(16, 5, 6, 5), withBits(8, 0, 4, 4), withBits(8, 8, 1, 1)}) {
        const HDC dc = CreateFormatDC(format);
        const HPALETTE system = selected(dc);
        std::memset(&g_pfd, 0xAB, sizeof(g_pfd));
        CPalette palette;
        if (format.cColorBits == 24) {
            palette.Create(dc);
        } else {
            EXPECT_THROW(palette.Create(dc), UnsupportedPaletteFormat) << int(format.cColorBits);
        }
        EXPECT_EQ(std::memcmp(&g_pfd, &format, sizeof(format)), 0) << "g_pfd describes the set format";
        palette.Delete(dc);
        EXPECT_EQ(selected(dc), system);
        EXPECT_TRUE(DeleteObject(system) && GetObjectType(system) == OBJ_PAL)
            << "the system's is never deleted";
        DeleteFormatDC(dc);
    }
}
