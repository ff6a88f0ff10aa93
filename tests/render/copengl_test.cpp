// The renderer on real surfaces: the format it draws on, where the model lands on areas of any shape, and the
// spin. Whole frames are compared in frames_test.cpp.
#include "platform/gl.h"
#include "scene/sshape.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <tuple>

namespace {

// The spin a frame was drawn with, in degrees in (-180, 180], when the X and Z angles are 0.
double drawnSpin() {
    const auto m = CurrentMatrix(GL_MODELVIEW_MATRIX);
    return std::atan2(m[8], m[0]) * 180 / std::numbers::pi;
}

// How far the drawing reaches from the centre of a width × height frame along the middle row and column,
// towards the left, right, bottom and top: to the last pixel that is not the black background.
std::array<int, 4> drawnReach(int width, int height) {
    std::array<int, 4> reach{};
    for (int edge = 0; edge < 4; ++edge) {
        const int dx = edge < 2 ? edge * 2 - 1 : 0, dy = edge < 2 ? 0 : edge * 2 - 5;
        for (int x = width / 2 + dx, y = height / 2 + dy, r = 1; x >= 0 && x < width && y >= 0 && y < height;
             x += dx, y += dy, ++r) {
            reach[edge] = PixelAt(x, y) != std::array<int, 3>{} ? r : reach[edge];
        }
    }
    return reach;
}

} // namespace

TEST(Renderer, DrawsOnADoubleBufferedTrueColourFormatWithADeepDepthBuffer) {
    const BoundRenderer bound(16, 16);
    // g_pfd now describes the format that was set on the surface.
    const DWORD flags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    EXPECT_EQ(g_pfd.dwFlags & (flags | PFD_NEED_PALETTE), flags);
    EXPECT_EQ(g_pfd.iPixelType, PFD_TYPE_RGBA);
    EXPECT_GE(g_pfd.cColorBits, 24);
    EXPECT_GE(g_pfd.cDepthBits, 24);
}

// Seen from the front, the round dial stays round and centred whatever the shape of the drawing area, and
// its size follows the height alone. (The field of view and the clipping planes show in the kept frames.)
TEST(Renderer, ResizeDrawsOneFrameWithTheDialRoundCentredAndSizedByTheHeight) {
    BoundRenderer bound(320, 320);
    BuildDisplayLists();
    bound.renderer->TranslateZ(-150);
    std::array<int, 4> square{};
    for (const auto& [width, height, scale] : {std::tuple{320, 320, 1.0}, {320, 160, 0.5}, {160, 320, 1.0}}) {
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        bound.renderer->RotateY(0.0f);
        bound.renderer->Resize(width, height);
        const std::array<int, 4> reach = drawnReach(width, height);
        square = width == height ? reach : square;
        EXPECT_GT(reach[3], height / 8) << size << ": no dial drawn";
        for (int edge = 0; edge < 4; ++edge) { // left, right, bottom, top
            EXPECT_NEAR(reach[edge], scale * square[3], 1) << size << ", edge " << edge;
        }
        EXPECT_NEAR(drawnSpin(), 0.0, 1e-4) << "Resize drew more than one frame, " << size;
    }
    // A surface one pixel high still has its frame: the middle row, through the hub.
    BoundRenderer row(321, 1);
    BuildDisplayLists();
    row.renderer->TranslateZ(-150);
    row.renderer->Paint();
    EXPECT_NE(PixelAt(160, 0), (std::array<int, 3>{})) << "nothing drawn on a surface one pixel high";
}

TEST(Renderer, SpinsBy0Point8PerFrameAndStartsAgainAtZeroAbove360) {
    BoundRenderer bound(16, 16);
    const struct {
        float start;
        std::vector<std::pair<int, double>> drawn; // frame, angle drawn (modulo 360)
    } cases[] = {{0, {{0, 0}, {1, 0.8}, {2, 1.6}, {450, -0.001}, {451, 0}}}, // 359.999 is still drawn
                 {359.2f, {{0, -0.8}, {1, 0}, {2, 0}}}};                     // exactly 360 survives a frame
    for (const auto& c : cases) {
        bound.renderer->RotateY(c.start);
        for (int frame = 0, next = 0; frame <= c.drawn.back().first; ++frame) {
            bound.renderer->Paint();
            if (c.drawn[next].first == frame) {
                EXPECT_NEAR(drawnSpin(), c.drawn[next++].second, 1e-4)
                    << "from " << c.start << ", frame " << frame;
            }
        }
    }
}
