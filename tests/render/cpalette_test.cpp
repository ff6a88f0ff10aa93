// The palette of a palette-based format, laid out to its bit fields: the 3-3-2 format of 8-bit displays, and
// the formats that 256 entries cannot hold.
#include "render/cpalette.h"

#include <gtest/gtest.h>

namespace {

PIXELFORMATDESCRIPTOR withBits(BYTE colour, BYTE red, BYTE green, BYTE blue) {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.dwFlags = PFD_NEED_PALETTE;
    pfd.cColorBits = colour, pfd.cRedBits = red, pfd.cGreenBits = green, pfd.cBlueBits = blue;
    pfd.cGreenShift = red, pfd.cBlueShift = static_cast<BYTE>(red + green);
    return pfd;
}

} // namespace

TEST(Palette, ThreeThreeTwoRunsEachComponentFromBlackToFullInTruncatedSteps) {
    const std::optional<LogPalette256> palette = PaletteFor(withBits(8, 3, 3, 2));
    ASSERT_TRUE(palette.has_value());
    EXPECT_EQ(palette->palVersion, 0x300);
    ASSERT_EQ(palette->palNumEntries, 256);
    const int redGreen[] = {0, 36, 72, 109, 145, 182, 218, 255}, blue[] = {0, 85, 170, 255};
    for (std::size_t i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = palette->palPalEntry[i];
        EXPECT_EQ((std::array<int, 4>{e.peRed, e.peGreen, e.peBlue, e.peFlags}),
                  (std::array<int, 4>{redGreen[i & 7], redGreen[(i >> 3) & 7], blue[i >> 6], 0}))
            << "entry " << i;
    }
}

TEST(Palette, NoneForFormatsThatItsEntriesCannotHold) {
    for (const PIXELFORMATDESCRIPTOR& format :
         {withBits(16, 5, 6, 5), withBits(8, 8, 0, 0), withBits(8, 0, 4, 4), withBits(24, 8, 8, 8)}) {
        EXPECT_FALSE(PaletteFor(format).has_value())
            << int(format.cColorBits) << " bits, red " << int(format.cRedBits);
    }
    EXPECT_EQ(PaletteFor(withBits(4, 1, 2, 1))->palNumEntries, 16) << "a 4-bit format has 16 entries";
}
