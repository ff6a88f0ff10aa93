// CPalette, and the renderer's palette, on memory device contexts of the POSIX platform layer whose formats
// need a palette (3-3-2) or do not; no display here offers such formats.
#include "platform/surface_dc.h"
#include "render/copengl.h"
#include "render/cpalette.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

PIXELFORMATDESCRIPTOR withBits(BYTE colour, BYTE red, BYTE green, BYTE blue) {
    PIXELFORMATDESCRIPTOR pfd = Palette332Format();
    pfd.cColorBits = colour;
    pfd.cRedBits = red, pfd.cGreenBits = green, pfd.cBlueBits = blue;
    return pfd;
}

class PaletteDC : public ::testing::Test {
  protected:
    void TearDown() override { DeleteFormatDC(dc); }
    HPALETTE selected() const { return static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL)); }
    static HPALETTE someonesPalette() {
        const LOGPALETTE other{0x300, 1, {{9, 9, 9, 0}}};
        return CreatePalette(&other);
    }

    HDC dc = CreateFormatDC(Palette332Format());
    const HPALETTE system = selected();
};

} // namespace

TEST_F(PaletteDC, GetsTheThreeThreeTwoPaletteThenTheOldOneBackWithOursDeleted) {
    CPalette palette;
    palette.Create(dc);
    const HPALETTE ours = selected();
    ASSERT_NE(ours, system);
    EXPECT_EQ(RealizePalette(dc), 256u) << "the selected palette maps all its entries";
    std::vector<PALETTEENTRY> entries(GetPaletteEntries(ours, 0, 0, nullptr));
    ASSERT_EQ(entries.size(), 256u);
    GetPaletteEntries(ours, 0, 256, entries.data());
    const int redGreen[] = {0, 36, 72, 109, 145, 182, 218, 255}, blue[] = {0, 85, 170, 255};
    for (std::size_t i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = entries[i];
        EXPECT_EQ((std::array<int, 4>{e.peRed, e.peGreen, e.peBlue, e.peFlags}),
                  (std::array<int, 4>{redGreen[i & 7], redGreen[(i >> 3) & 7], blue[i >> 6], 0}))
            << "entry " << i;
    }
    const PIXELFORMATDESCRIPTOR format = Palette332Format();
    EXPECT_EQ(std::memcmp(&g_pfd, &format, sizeof(format)), 0) << "g_pfd describes the set format";
    palette.Delete(dc);
    EXPECT_EQ(selected(), system);
    EXPECT_EQ(GetObjectType(ours), 0u) << "ours is deleted";
}

TEST_F(PaletteDC, BuildsOnceDeletesOnceAndTakesAForeignPaletteFoundInItsPlace) {
    CPalette palette;
    palette.Create(dc);
    const HPALETTE ours = selected();
    palette.Create(dc);
    EXPECT_EQ(selected(), ours) << "a second Create builds nothing";
    const HPALETTE foreign = someonesPalette();
    SelectPalette(dc, foreign, FALSE);
    palette.Delete(dc);
    EXPECT_EQ(selected(), system);
    EXPECT_EQ(GetObjectType(foreign), 0u) << "found selected in place of ours, so deleted with it";
    EXPECT_EQ(GetObjectType(ours), 0u);

    const HPALETTE later = someonesPalette();
    SelectPalette(dc, later, FALSE);
    palette.Delete(dc);
    EXPECT_EQ(selected(), later) << "a second Delete touches nothing";
    SelectPalette(dc, system, FALSE);
    EXPECT_EQ(DeleteObject(later), TRUE);
}

TEST_F(PaletteDC, TheRendererSelectsItsPaletteAndDeletesItAtTheEnd) {
    struct : IDrawingHost {
        void SetScaleMode(int) override {}
        HDC hDC() override { return dc; }
        HDC dc = nullptr;
    } host;
    host.dc = dc;
    auto renderer = std::make_unique<COpenGL>();
    renderer->Initialize(host);
    const HPALETTE ours = selected();
    EXPECT_NE(ours, system);
    EXPECT_EQ(GetPaletteEntries(ours, 0, 0, nullptr), 256u);
    renderer.reset();
    EXPECT_EQ(selected(), system);
    EXPECT_EQ(GetObjectType(ours), 0u) << "the renderer deleted its palette";
    EXPECT_FALSE(SystemOpenGLLoaded()) << "and freed its library";
}

TEST(Palette, TrueColourFormatsGetNoneButTheDescriptionIsRefreshed) {
    PIXELFORMATDESCRIPTOR trueColour = withBits(24, 8, 8, 8);
    trueColour.dwFlags &= ~PFD_NEED_PALETTE;
    const HDC dc = CreateFormatDC(trueColour);
    const HGDIOBJ system = GetCurrentObject(dc, OBJ_PAL);
    std::memset(&g_pfd, 0xAB, sizeof(g_pfd));
    CPalette palette;
    palette.Create(dc);
    EXPECT_EQ(std::memcmp(&g_pfd, &trueColour, sizeof(trueColour)), 0);
    palette.Delete(dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), system);
    EXPECT_EQ(DeleteObject(system), TRUE);
    EXPECT_EQ(GetObjectType(system), OBJ_PAL) << "the system's palette is never deleted";
    const LOGPALETTE unversioned{0x301, 1, {{9, 9, 9, 0}}};
    EXPECT_EQ(CreatePalette(&unversioned), nullptr) << "a logical palette has version 0x300";
    DeleteFormatDC(dc);
}

TEST(Palette, FormatsThatDoNotFit256EntriesAreRefusedBeforeAnythingIsMade) {
    for (const PIXELFORMATDESCRIPTOR& format :
         {withBits(16, 5, 6, 5), withBits(8, 0, 4, 4), withBits(8, 8, 1, 1)}) {
        const HDC dc = CreateFormatDC(format);
        const HGDIOBJ system = GetCurrentObject(dc, OBJ_PAL);
        CPalette palette;
        EXPECT_THROW(palette.Create(dc), UnsupportedPaletteFormat) << int(format.cColorBits);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), system);
        DeleteFormatDC(dc);
    }
}
