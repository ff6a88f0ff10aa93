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

TEST(Palette, ThreeThreeTwoRunsEachComponentFromBlackToFullInTruncatedStepsAndNoneOutgrowItsEntries) {
    const std::optional<LogPalette256> palette = PaletteFor(withBits(8, 3, 3, 2));
    ASSERT_TRUE(palette.has_value());
    ASSERT_EQ((std::array<int, 2>{palette->palVersion, palette->palNumEntries}),
              (std::array<int, 2>{0x300, 256}));
    const int redGreen[] = {0, 36, 72, 109, 145, 182, 218, 255}, blue[] = {0, 85, 170, 255};
    for (std::size_t i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = palette->palPalEntry[i];
        EXPECT_EQ((std::array<int, 4>{e.peRed, e.peGreen, e.peBlue, e.peFlags}),
                  (std::array<int, 4>{redGreen[i & 7], redGreen[(i >> 3) & 7], blue[i >> 6], 0}))
            << "entry " << i;
    }
    for (const PIXELFORMATDESCRIPTOR& format :
         {withBits(16, 5, 6, 5), withBits(8, 8, 0, 0), withBits(8, 0, 4, 4)}) {
        EXPECT_FALSE(PaletteFor(format).has_value()) << int(format.cRedBits) << " red bits";
    }
}
