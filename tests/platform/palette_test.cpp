// CPalette on device contexts whose formats need a palette (3-3-2) and on true-colour ones.
#include "platform/surface_dc.h"
#include "platform/win32api.h"
#include "render/cpalette.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

class PaletteTest : public ::testing::Test {
  protected:
    void SetUp() override { dc = CreateFormatDC(Palette332Format()); }
    void TearDown() override { DeleteFormatDC(dc); }

    HPALETTE selected() const { return static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL)); }

    HDC dc = nullptr;
};

std::vector<PALETTEENTRY> entriesOf(HPALETTE palette) {
    std::vector<PALETTEENTRY> entries(GetPaletteEntries(palette, 0, 0, nullptr));
    GetPaletteEntries(palette, 0, static_cast<UINT>(entries.size()), entries.data());
    return entries;
}

bool operator==(const PALETTEENTRY& a, const std::array<int, 3>& rgb) {
    return a.peRed == rgb[0] && a.peGreen == rgb[1] && a.peBlue == rgb[2] && a.peFlags == 0;
}

} // namespace

TEST_F(PaletteTest, BuildsTheThreeThreeTwoPaletteAndRealisesIt) {
    const HPALETTE before = selected();
    CPalette palette;
    palette.Create(dc);

    const HPALETTE ours = selected();
    ASSERT_NE(ours, before);
    EXPECT_EQ(GetObjectType(ours), OBJ_PAL);
    EXPECT_EQ(RealizePalette(dc), 256u) << "the selected palette maps all its entries";
    const std::vector<PALETTEENTRY> entries = entriesOf(ours);
    ASSERT_EQ(entries.size(), 256u);

    const int redGreen[] = {0, 36, 72, 109, 145, 182, 218, 255};
    const int blue[] = {0, 85, 170, 255};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(entries[static_cast<std::size_t>(i)].peRed, redGreen[i]);
        EXPECT_EQ(entries[static_cast<std::size_t>(i) << 3].peGreen, redGreen[i]);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(entries[static_cast<std::size_t>(i) << 6].peBlue, blue[i]);
    }
    EXPECT_TRUE((entries[0] == std::array{0, 0, 0}));
    EXPECT_TRUE((entries[1] == std::array{36, 0, 0}));
    EXPECT_TRUE((entries[8] == std::array{0, 36, 0}));
    EXPECT_TRUE((entries[64] == std::array{0, 0, 85}));
    EXPECT_TRUE((entries[255] == std::array{255, 255, 255}));

    // g_pfd now describes the set format.
    const PIXELFORMATDESCRIPTOR format = Palette332Format();
    EXPECT_EQ(std::memcmp(&g_pfd, &format, sizeof(format)), 0);

    palette.Delete(dc);
    EXPECT_EQ(selected(), before) << "the previous palette is selected again";
    EXPECT_EQ(GetObjectType(ours), 0u) << "our palette is deleted";
}

TEST_F(PaletteTest, CreateTwiceBuildsOnceAndDeleteTwiceDeletesOnce) {
    CPalette palette;
    palette.Create(dc);
    const HPALETTE first = selected();
    palette.Create(dc);
    EXPECT_EQ(selected(), first);

    palette.Delete(dc);
    const HPALETTE restored = selected();
    EXPECT_EQ(GetObjectType(first), 0u);

    // Someone else's palette selected afterwards is not touched by a second Delete.
    LOGPALETTE other{0x300, 1, {{1, 2, 3, 0}}};
    HPALETTE foreign = CreatePalette(&other);
    SelectPalette(dc, foreign, FALSE);
    palette.Delete(dc);
    EXPECT_EQ(GetObjectType(foreign), OBJ_PAL);
    EXPECT_EQ(selected(), foreign);
    SelectPalette(dc, restored, FALSE);
    EXPECT_EQ(DeleteObject(foreign), TRUE);
}

TEST_F(PaletteTest, AForeignPaletteSelectedInBetweenIsDeletedToo) {
    CPalette palette;
    const HPALETTE original = selected();
    palette.Create(dc);
    const HPALETTE ours = selected();

    LOGPALETTE other{0x300, 1, {{9, 9, 9, 0}}};
    HPALETTE foreign = CreatePalette(&other);
    SelectPalette(dc, foreign, FALSE);

    palette.Delete(dc);
    EXPECT_EQ(selected(), original);
    EXPECT_EQ(GetObjectType(foreign), 0u);
    EXPECT_EQ(GetObjectType(ours), 0u);
}

TEST(Palette, TrueColourFormatCreatesNothingButRefreshesTheDescription) {
    PIXELFORMATDESCRIPTOR trueColour = Palette332Format();
    trueColour.dwFlags &= ~PFD_NEED_PALETTE;
    trueColour.cColorBits = 24;
    trueColour.cRedBits = trueColour.cGreenBits = trueColour.cBlueBits = 8;
    trueColour.cRedShift = 16;
    trueColour.cGreenShift = 8;
    trueColour.cBlueShift = 0;
    HDC dc = CreateFormatDC(trueColour);
    const HGDIOBJ before = GetCurrentObject(dc, OBJ_PAL);

    std::memset(&g_pfd, 0xAB, sizeof(g_pfd));
    CPalette palette;
    palette.Create(dc);
    EXPECT_EQ(std::memcmp(&g_pfd, &trueColour, sizeof(trueColour)), 0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), before);

    palette.Delete(dc);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), before);
    EXPECT_EQ(GetObjectType(before), OBJ_PAL) << "the system's palette is never deleted";
    DeleteFormatDC(dc);
}

TEST(Palette, FormatsOutsideTheRangeGiveAnErrorAndCreateNothing) {
    auto withBits = [](BYTE colour, BYTE red, BYTE green, BYTE blue) {
        PIXELFORMATDESCRIPTOR pfd = Palette332Format();
        pfd.cColorBits = colour;
        pfd.cRedBits = red;
        pfd.cGreenBits = green;
        pfd.cBlueBits = blue;
        return pfd;
    };
    for (const PIXELFORMATDESCRIPTOR& format :
         {withBits(16, 5, 6, 5), withBits(8, 8, 0, 0), withBits(8, 0, 4, 4), withBits(24, 8, 8, 8)}) {
        HDC dc = CreateFormatDC(format);
        const HGDIOBJ before = GetCurrentObject(dc, OBJ_PAL);
        CPalette palette;
        EXPECT_THROW(palette.Create(dc), UnsupportedPaletteFormat);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), before);
        palette.Delete(dc);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PAL), before);
        DeleteFormatDC(dc);
    }
}
