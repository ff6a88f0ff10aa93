// What a frame draws: the model placement, the spin from frame to frame, and the hands at the time of day.
#include "platform/gl.h"
#include "render/cmove.h"
#include "scene/sshape.h"
#include "support/feedback.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kDegrees = 180.0 / M_PI;

// The spin angle that the last frame was drawn with, read from its model-view matrix (X and Z angles 0).
double drawnSpin() {
    const std::array<float, 16> m = CurrentMatrix(GL_MODELVIEW_MATRIX);
    double angle = std::atan2(m[8], m[0]) * kDegrees;
    return angle < 0 ? angle + 360.0 : angle;
}

double angleDifference(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d > 180.0) {
        d -= 360.0;
    } else if (d < -180.0) {
        d += 360.0;
    }
    return d;
}

struct HandTip {
    double angle = 0.0;  // clockwise negative, 0 at 12 o'clock
    double length = 0.0; // distance of the tip's centre from the pivot
};

// Where a hand's top face points, found among the flat polygons at its height in a captured frame: the
// centre of its two far corners.
HandTip handTip(const std::vector<FeedbackPolygon>& frame, float topEyeZ) {
    std::vector<FeedbackPolygon> top;
    for (const auto& polygon : frame) {
        bool flat = true;
        for (const auto& v : polygon.vertices) {
            flat = flat && std::fabs(v.position[2] - topEyeZ) < 0.01f;
        }
        if (flat) {
            top.push_back(polygon);
        }
    }
    const auto corners = DistinctPositions(top);
    if (corners.size() != 4) {
        return {};
    }
    double farthest = 0.0;
    for (const auto& c : corners) {
        farthest = std::max(farthest, static_cast<double>(std::hypot(c[0], c[1])));
    }
    double x = 0.0;
    double y = 0.0;
    for (const auto& c : corners) {
        if (std::hypot(c[0], c[1]) > farthest - 0.01) {
            x += c[0] / 2.0;
            y += c[1] / 2.0;
        }
    }
    return {std::atan2(-x, y) * kDegrees, std::hypot(x, y)};
}

class FrameTest : public ::testing::Test {
  protected:
    BoundRenderer bound{64, 48};
    COpenGL& renderer = *bound.renderer;
};

} // namespace

TEST_F(FrameTest, PlacesTheModelWithThePoseAndTheBackwardOffset) {
    renderer.TranslateX(3.0f);
    renderer.TranslateY(-4.0f);
    renderer.TranslateZ(-62.0f);
    renderer.RotateX(20.0f);
    renderer.RotateY(0.0f);
    renderer.RotateZ(0.0f);
    const std::array<float, 16> before = CurrentMatrix(GL_MODELVIEW_MATRIX);
    EXPECT_EQ(CurrentMatrix(GL_MODELVIEW_MATRIX), before) << "setting the pose draws nothing by itself";

    renderer.Paint();
    const std::array<float, 16> m = CurrentMatrix(GL_MODELVIEW_MATRIX);
    EXPECT_FLOAT_EQ(m[12], 3.0f);
    EXPECT_FLOAT_EQ(m[13], -4.0f);
    EXPECT_FLOAT_EQ(m[14], -562.0f) << "the model's centre lies 562 units in front of the eye";
    EXPECT_NEAR(m[5], std::cos(20.0 / kDegrees), 1e-6);
    EXPECT_NEAR(m[6], std::sin(20.0 / kDegrees), 1e-6);

    // X is outermost, then the spin about Y, then Z: M = T · Rx · Ry · Rz.
    renderer.RotateX(90.0f);
    renderer.RotateY(90.0f);
    renderer.RotateZ(0.0f);
    renderer.TranslateX(0.0f);
    renderer.TranslateY(0.0f);
    renderer.TranslateZ(500.0f);
    renderer.Paint();
    const std::array<float, 16> r = CurrentMatrix(GL_MODELVIEW_MATRIX);
    // The model's +Z axis (its dial normal) ends up along the eye's +X.
    EXPECT_NEAR(r[8], 1.0f, 1e-6);
    EXPECT_NEAR(r[9], 0.0f, 1e-6);
    EXPECT_NEAR(r[10], 0.0f, 1e-6);
}

TEST_F(FrameTest, SpinAdvancesAfterEachFrameAndWrapsAfter451) {
    renderer.RotateY(0.0f);
    float expected = 0.0f;
    for (int frame = 0; frame < 452; ++frame) {
        renderer.Paint();
        if (frame < 3) {
            EXPECT_NEAR(drawnSpin(), expected, 1e-3) << "frame " << frame;
        }
        if (frame == 450) {
            EXPECT_GT(expected, 359.99f);
            EXPECT_LT(CurrentMatrix(GL_MODELVIEW_MATRIX)[8], -1e-5f) << "359.999 is still drawn";
        }
        if (frame == 451) {
            EXPECT_EQ(CurrentMatrix(GL_MODELVIEW_MATRIX)[8], 0.0f) << "one turn is 451 frames";
        }
        expected = expected + 0.8f > 360.0f ? 0.0f : expected + 0.8f;
    }
}

TEST_F(FrameTest, AnAngleAbove360IsDrawnOnceThenReset) {
    renderer.RotateY(400.0f);
    renderer.Paint();
    EXPECT_NEAR(drawnSpin(), 40.0, 1e-3);
    renderer.Paint();
    EXPECT_NEAR(drawnSpin(), 0.0, 1e-6);

    renderer.RotateY(-10.0f);
    renderer.Paint();
    renderer.Paint();
    EXPECT_NEAR(drawnSpin(), 350.8, 1e-3) << "a negative angle counts up";
}

TEST(Move, RotatesXThenYThenZAndTranslates) {
    BoundRenderer bound(16, 16);
    CMove move;
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    move.Rotatef(0.0f, 0.0f, 0.0f);
    const std::array<float, 16> identity = CurrentMatrix(GL_MODELVIEW_MATRIX);
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(identity[i], i % 5 == 0 ? 1.0f : 0.0f);
    }

    move.Rotatef(90.0f, 90.0f, 0.0f);
    const std::array<float, 16> m = CurrentMatrix(GL_MODELVIEW_MATRIX);
    // (0, 0, 1) lands on (1, 0, 0); the other order of X and Y would give (0, -1, 0).
    EXPECT_NEAR(m[8], 1.0f, 1e-6);
    EXPECT_NEAR(m[9], 0.0f, 1e-6);
    EXPECT_NEAR(m[10], 0.0f, 1e-6);

    glLoadIdentity();
    move.Translatef(0.0f, 0.0f, -500.0f);
    EXPECT_FLOAT_EQ(CurrentMatrix(GL_MODELVIEW_MATRIX)[14], -500.0f);
}

TEST_F(FrameTest, HandsPointAtTheTimeOfDay) {
    BuildDisplayLists();
    struct Case {
        TimeOfDay time;
        double hour, minute, second;
    };
    const Case cases[] = {{{0, 0, 0}, 0, 0, 0},
                          {{3, 0, 0}, -90, 0, 0},
                          {{15, 30, 45}, -105, -180, -270},
                          {{23, 59, 59}, -359.5, -354, -354}};
    for (const Case& c : cases) {
        renderer.SetTimeOfDaySource([&c] { return c.time; });
        renderer.RotateX(0.0f);
        renderer.RotateY(0.0f);
        renderer.RotateZ(0.0f);
        renderer.TranslateZ(0.0f);
        const auto frame = CaptureFeedback([this] { renderer.Paint(); });

        // The tops of the hands: hour at 14 + 2, minute at 12 + 2, second at 10 + 2, 500 in front of the eye.
        const HandTip hour = handTip(frame, 16.0f - 500.0f);
        const HandTip minute = handTip(frame, 14.0f - 500.0f);
        const HandTip second = handTip(frame, 12.0f - 500.0f);
        const std::string at = std::to_string(c.time.hour) + ":" + std::to_string(c.time.minute) + ":" +
                               std::to_string(c.time.second);
        // The tip corners average to the point on the hand's axis at its tip.
        EXPECT_NEAR(hour.length, 55.0, 0.01) << at;
        EXPECT_NEAR(minute.length, 80.0, 0.01) << at;
        EXPECT_NEAR(second.length, 85.0, 0.01) << at;
        EXPECT_NEAR(angleDifference(hour.angle, c.hour), 0.0, 0.01) << at;
        EXPECT_NEAR(angleDifference(minute.angle, c.minute), 0.0, 0.01) << at;
        EXPECT_NEAR(angleDifference(second.angle, c.second), 0.0, 0.01) << at;
    }
}
