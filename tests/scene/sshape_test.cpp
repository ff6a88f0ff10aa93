// The scene's models as OpenGL records them: material colours, the display lists read back through feedback
// and state queries, and whole frames drawn from them.
#include "platform/gl.h"
#include "scene/displaylists.h"
#include "scene/sshape.h"
#include "scene/texture.h"
#include "support/feedback.h"
#include "support/session.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <set>

namespace {

constexpr float kTol = 1e-3f;
constexpr std::array<float, 3> kLight = {0.3f, 0.4f, 0.8660254f}; // towards the light; a unit vector
using Rgb = std::array<int, 3>;

Rgb bytes(const float* colour, double scale = 1.0) {
    const auto byte = [&](int i) { return int(std::lround(colour[i] / scale * 255)); };
    return {byte(0), byte(1), byte(2)};
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

Rgb diffuse() {
    std::array<float, 4> colour{};
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, colour.data());
    return bytes(colour.data());
}

double radius(const FeedbackVertex& v) {
    return std::hypot(v.position[0], v.position[1]);
}

double direction(const FeedbackVertex& v) { // in the XY plane, degrees counter-clockwise from +X, 0 to 360
    return std::fmod(std::atan2(v.position[1], v.position[0]) * 180 / std::numbers::pi + 360, 360);
}

bool normalIs(const FeedbackVertex& v, const std::array<float, 3>& n) {
    return std::fabs(v.texture[0] - n[0]) + std::fabs(v.texture[1] - n[1]) + std::fabs(v.texture[2] - n[2]) <
           kTol;
}

// A list drawn in feedback with its normals, lit by one white directional light and nothing else: a vertex
// shows its material colour times the cosine between its normal and kLight.
std::vector<FeedbackPolygon> capture(GLuint list) {
    const auto draw = [list] {
        const GLfloat none[] = {0, 0, 0, 1}, white[] = {1, 1, 1, 1},
                      towards[] = {kLight[0], kLight[1], kLight[2], 0};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
        glLightfv(GL_LIGHT0, GL_AMBIENT, none);
        glLightfv(GL_LIGHT0, GL_SPECULAR, none);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_POSITION, towards);
        glCallList(list);
    };
    return CaptureFeedback(draw, FeedbackTexture::Normals);
}

// The material colours that the well-lit ones of `vertices` show.
std::set<Rgb> materials(const std::vector<FeedbackVertex>& vertices) {
    std::set<Rgb> seen;
    for (const FeedbackVertex& v : vertices) {
        const double cosine = v.texture[0] * kLight[0] + v.texture[1] * kLight[1] + v.texture[2] * kLight[2];
        if (cosine > 0.25) {
            seen.insert(bytes(v.colour.data(), cosine));
        }
    }
    return seen;
}

class BuiltScene : public ::testing::Test {
  protected:
    void SetUp() override { BuildDisplayLists(); }
    BoundRenderer bound;
};

} // namespace

TEST(MaterialColour, PackedValueSplitsIntoBytesTruncatingTowardZero) {
    BoundRenderer bound(16, 16);
    const std::pair<std::int32_t, Rgb> cases[] = {
        {0, {0, 0, 0}},         {0xFFFFFF, {255, 255, 255}}, {0xC0C0C0, {192, 192, 192}},
        {-16352, {32, 193, 0}}, {-1, {255, 0, 0}},           {-256, {0, 255, 0}},
        {-65536, {0, 0, 255}},  {0x7F102030, {48, 32, 16}}};
    for (const auto& [packed, rgb] : cases) {
        const GLfloat unrelated[] = {0.5f, 0.5f, 0.5f, 0.5f};
        glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, unrelated);
        SetMaterialColor(packed);
        std::array<float, 8> both{};
        glGetMaterialfv(GL_FRONT, GL_AMBIENT, both.data());
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, both.data() + 4);
        EXPECT_EQ(bytes(both.data()), rgb) << packed;
        EXPECT_EQ(bytes(both.data() + 4), rgb) << packed;
        EXPECT_EQ(both[3] + both[7], 2.0f) << "alpha 1, " << packed;
    }
}

TEST_F(BuiltScene, HandListsAreFlatColouredOpenBoxesAndNoOtherListsExist) {
    for (GLuint list = 1; list <= 12; ++list) {
        EXPECT_EQ(glIsList(list) == GL_TRUE, list <= 4 || list == 10) << "list " << list;
    }
    const struct {
        GLuint list;
        Rgb rgb;
        float tip, tail, width;
    } hands[] = {{DisplayList::kHourHand, {32, 193, 0}, 55, -10, 8},
                 {DisplayList::kMinuteHand, {0, 64, 192}, 80, -10, 4},
                 {DisplayList::kSecondHand, {176, 48, 0}, 85, -20, 2}};
    for (const auto& hand : hands) {
        // Two triangles to each of the top, right, left, tip-end and tail-end faces, in that order, each in
        // its plane with its outward normal; nothing underneath; 2 high.
        const std::pair<std::size_t, float> planes[] = {
            {2, 2}, {0, hand.width / 2}, {0, -hand.width / 2}, {1, hand.tip}, {1, hand.tail}};
        const std::array<float, 3> normals[] = {{0, 0, 1}, {1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
        const auto bar = capture(hand.list);
        ASSERT_EQ(bar.size(), 10u) << "list " << hand.list;
        for (std::size_t i = 0; i < 10; ++i) {
            EXPECT_EQ(DistinctPositions({bar[i & ~1u], bar[i | 1u]}).size(), 4u) << "a whole face " << i / 2;
            for (const FeedbackVertex& v : bar[i]) {
                EXPECT_NEAR(v.position[planes[i / 2].first], planes[i / 2].second, kTol)
                    << hand.list << i / 2;
                EXPECT_TRUE(normalIs(v, normals[i / 2])) << "list " << hand.list << ", face " << i / 2;
            }
        }
        EXPECT_EQ(DistinctPositions(bar).size(), 8u) << "the corners of one box";
        EXPECT_EQ(materials(bar[0]), std::set<Rgb>{hand.rgb}) << "list " << hand.list;
        glShadeModel(GL_SMOOTH);
        glCallList(hand.list);
        EXPECT_EQ(integer(GL_SHADE_MODEL), GL_FLAT) << "list " << hand.list;
    }
}

TEST_F(BuiltScene, FaceListHasTwelveMarksADialARimAndAHub) {
    std::map<std::string, std::vector<FeedbackVertex>> parts; // the hub rises above z = 21
    std::map<std::string, std::size_t> triangles;
    std::map<long, std::vector<FeedbackVertex>> marks; // by direction, to the nearest 30 degrees
    for (const FeedbackPolygon& polygon : capture(DisplayList::kFace)) {
        const auto all = [&polygon](auto test) { return std::all_of(polygon.begin(), polygon.end(), test); };
        const bool low = all([](auto& v) { return v.position[2] < 21; });
        const bool onDial =
            all([](auto& v) { return std::fabs(v.position[2] - 6) < kTol && radius(v) < 100.1; });
        const bool onRim = all([](auto& v) { return std::fabs(radius(v) - 100) < kTol; });
        const std::string part = !low ? "hub" : onDial && !onRim ? "dial" : onRim ? "rim" : "mark";
        ++triangles[part];
        auto& vertices =
            part == "mark" ? marks[std::lround(direction(polygon[0]) / 30) * 30 % 360] : parts[part];
        vertices.insert(vertices.end(), polygon.begin(), polygon.end());
    }
    EXPECT_EQ(triangles,
              (std::map<std::string, std::size_t>{{"dial", 24}, {"hub", 4}, {"mark", 120}, {"rim", 48}}));
    EXPECT_EQ(materials(parts["dial"]), (std::set<Rgb>{{192, 192, 192}}));
    EXPECT_EQ(materials(parts["rim"]), (std::set<Rgb>{{160, 160, 160}}));
    EXPECT_EQ(materials(parts["hub"]), (std::set<Rgb>{{160, 128, 32}}));
    for (const auto& v : parts["dial"]) { // a fan about (0, 0, 6)
        EXPECT_TRUE(normalIs(v, {0, 0, 1}));
    }
    for (const auto& v : parts["rim"]) { // from z = 0 to 6, facing out
        EXPECT_TRUE(std::fabs(v.position[2]) < kTol || std::fabs(v.position[2] - 6) < kTol) << v.position[2];
        EXPECT_TRUE(normalIs(v, {v.position[0] / 100, v.position[1] / 100, 0}));
    }
    for (const auto& v : parts["hub"]) { // a pyramid from the corners (±8, 0, 6), (0, ±8, 6) to (0, 0, 22)
        EXPECT_TRUE(v.position[2] > 21
                        ? radius(v) < kTol && normalIs(v, {0, 0, 1})
                        : std::fabs(radius(v) - 8) < kTol && std::fabs(v.position[2] - 6) < kTol &&
                              normalIs(v, {v.position[0] / 8, v.position[1] / 8, 0}));
    }
    // Dark slabs on the axes, radius 77 to 90, 5 wide, 1 high; lighter blocks between, 82 to 85, 3 wide, 2
    // high; all standing on z = 7.
    ASSERT_EQ(marks.size(), 12u);
    for (const auto& [at, vertices] : marks) {
        const bool onAxis = at % 90 == 0;
        double nearest = 1e9, farthest = 0, across = 0, top = 0, bottom = 1e9;
        for (const FeedbackVertex& v : vertices) {
            const double angle = (direction(v) - static_cast<double>(at)) * std::numbers::pi / 180;
            nearest = std::min(nearest, radius(v) * std::cos(angle));
            farthest = std::max(farthest, radius(v) * std::cos(angle));
            across = std::max(across, std::fabs(radius(v) * std::sin(angle)));
            top = std::max<double>(top, v.position[2]), bottom = std::min<double>(bottom, v.position[2]);
        }
        const int grey = onAxis ? 48 : 112;
        EXPECT_EQ(vertices.size(), 30u) << at;
        EXPECT_EQ(materials(vertices), (std::set<Rgb>{{grey, grey, grey}})) << at;
        EXPECT_EQ((std::array<long, 5>{std::lround(nearest), std::lround(farthest), std::lround(across * 2),
                                       std::lround(bottom), std::lround(top)}),
                  (onAxis ? std::array<long, 5>{77, 90, 5, 7, 8} : std::array<long, 5>{82, 85, 3, 7, 9}))
            << at;
    }
    glShadeModel(GL_FLAT);
    glCallList(DisplayList::kFace);
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_EQ(diffuse(), (Rgb{160, 128, 32})) << "the hub's colour stays set";
}

TEST_F(BuiltScene, GlobeListIsTheTexturedBackHalfOfASphere) {
    const auto mapped = CaptureFeedback([] { glCallList(DisplayList::kGlobe); });
    const auto normals = CaptureFeedback([] { glCallList(DisplayList::kGlobe); }, FeedbackTexture::Normals);
    ASSERT_EQ(mapped.size(), normals.size());
    std::size_t triangles = 0;
    std::set<std::pair<long, long>> grid; // texture coordinates in twelfths
    for (std::size_t i = 0; i < mapped.size(); ++i) {
        const auto& vs = mapped[i];
        // Joined strips bring degenerate triangles that repeat a vertex; a pole triangle repeats only a
        // position.
        const auto same = [](auto& a, auto& b) { return a.position == b.position && a.texture == b.texture; };
        if (same(vs[0], vs[1]) || same(vs[1], vs[2]) || same(vs[0], vs[2])) {
            continue;
        }
        ++triangles;
        for (std::size_t j = 0; j < vs.size(); ++j) {
            const auto& p = vs[j].position;
            const float s = vs[j].texture[0], t = vs[j].texture[1];
            EXPECT_NEAR(std::hypot(p[0], p[1], p[2]), 100.0, kTol);
            EXPECT_LE(p[2], kTol) << "behind the dial";
            EXPECT_TRUE(normalIs(normals[i][j], {p[0] / 100, p[1] / 100, p[2] / 100}));
            // s runs from the top pole (0) to the bottom one (1); t from the +X edge (0) round the back to
            // -X.
            grid.insert({std::lround(s * 12), std::lround(t * 12)});
            EXPECT_NEAR(p[1], 100 * std::cos(std::numbers::pi * s), kTol);
            if (std::hypot(p[0], p[2]) > 0.01) {
                EXPECT_NEAR(
                    std::remainder(std::atan2(-p[2], p[0]) - std::numbers::pi * t, 2 * std::numbers::pi), 0.0,
                    kTol);
            }
        }
    }
    EXPECT_EQ(triangles, 12u * 24u);
    EXPECT_EQ(grid.size(), 13u * 13u);
}

TEST_F(BuiltScene, GlobeListUploadsTheEarthImageAndSetsItsState) {
    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 1) << "set for the upload, and left so";
    // Other values first, so that the list has to set each one.
    glShadeModel(GL_FLAT);
    glEnable(GL_TEXTURE_2D);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glCallList(DisplayList::kGlobe);
    std::vector<GLint> state(5);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &state[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &state[1]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &state[2]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &state[3]);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &state[4]);
    state.insert(state.end(), {glIsEnabled(GL_TEXTURE_2D), integer(GL_SHADE_MODEL),
                               integer(GL_PERSPECTIVE_CORRECTION_HINT)});
    EXPECT_EQ(state, (std::vector<GLint>{GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, GL_MODULATE, GL_FALSE,
                                         GL_SMOOTH, GL_NICEST}));
    EXPECT_EQ(diffuse(), (Rgb{192, 192, 192}));

    std::ifstream file(std::filesystem::path(TestProgramPath()).parent_path() / "Earth.RAS",
                       std::ios::binary);
    const std::vector<char> earth{std::istreambuf_iterator<char>(file), {}};
    std::vector<char> uploaded(kTextureBytes);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, uploaded.data());
    EXPECT_TRUE(uploaded == earth) << "the whole 512 x 512 image";
}

TEST_F(BuiltScene, FramesShowTheHandsOverAGreyDialEveryTime) {
    const int cx = 349 / 2, cy = 274 / 2; // about 0.68 pixels to a model unit at the start-up distance
    const auto dominant = [](const Rgb& rgb, std::size_t c) {
        return rgb[c] > 2 * rgb[(c + 1) % 3] && rgb[c] > 2 * rgb[(c + 2) % 3];
    };
    bound.renderer->SetTimeOfDaySource([] { return TimeOfDay{3, 0, 0}; });
    for (int frame = 0; frame < 2; ++frame) { // the same frame again: depth from the first must not hide it
        bound.renderer->RotateY(0);
        bound.renderer->TranslateZ(-62);
        bound.renderer->Paint();
        const Rgb dial = PixelAt(cx - 40, cy - 40);
        EXPECT_EQ(PixelAt(0, 0), (Rgb{0, 0, 0})) << frame;
        EXPECT_TRUE(dial[0] > 100 && std::abs(dial[0] - dial[1]) <= 8 && std::abs(dial[1] - dial[2]) <= 8)
            << frame;
        EXPECT_TRUE(dominant(PixelAt(cx + 27, cy), 1)) << "hour hand, green, towards 3; frame " << frame;
        EXPECT_TRUE(dominant(PixelAt(cx, cy + 40), 2)) << "minute hand, blue, towards 12; frame " << frame;
        EXPECT_TRUE(dominant(PixelAt(cx, cy + 56), 0)) << "second hand, red, past the minute hand; " << frame;
    }
}
