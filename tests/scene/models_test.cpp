// The scene's models as OpenGL really records them: material colours and display lists 1 to 4 and 10, read
// back through feedback mode and state queries, and whole frames drawn from them.
#include "platform/gl.h"
#include "scene/displaylists.h"
#include "scene/sshape.h"
#include "scene/texture.h"
#include "support/feedback.h"
#include "support/testsurface.h"

#include <QCoreApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <set>

namespace {

constexpr float kTol = 1e-3f;
constexpr double kPi = 3.14159265358979323846;

using Rgb = std::array<int, 3>;

// One white light straight down -Z, nothing ambient or specular: a face whose normal is +Z is lit to exactly
// its diffuse material colour. Call it inside a feedback capture, which restores the lights afterwards.
void LightStraightOn() {
    const GLfloat none[] = {0, 0, 0, 1}, white[] = {1, 1, 1, 1}, fromFront[] = {0, 0, 1, 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_SPECULAR, none);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_POSITION, fromFront);
}

Rgb Bytes(const std::array<float, 4>& colour) {
    return {static_cast<int>(colour[0] * 255 + 0.5f), static_cast<int>(colour[1] * 255 + 0.5f),
            static_cast<int>(colour[2] * 255 + 0.5f)};
}

Rgb material(GLenum which) {
    std::array<float, 4> value{};
    glGetMaterialfv(GL_FRONT, which, value.data());
    return Bytes(value);
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

double radius(const FeedbackVertex& v) {
    return std::hypot(v.position[0], v.position[1]);
}

bool near(const std::array<float, 4>& a, const std::array<float, 3>& b) {
    return std::fabs(a[0] - b[0]) <= kTol && std::fabs(a[1] - b[1]) <= kTol && std::fabs(a[2] - b[2]) <= kTol;
}

long degrees(const FeedbackVertex& v) { // direction in the XY plane, from +X
    return (std::lround(std::atan2(v.position[1], v.position[0]) * 180 / kPi) + 360) % 360;
}

// A bar along +Y captured with normals: two triangles to each of the top, right, left, tip-end and tail-end
// rectangles, in that order, each in its plane with its outward normal; nothing underneath.
void expectBar(const std::vector<FeedbackPolygon>& triangles, float tip, float tail, float width) {
    const struct {
        std::size_t axis;
        float plane;
        std::array<float, 3> normal;
    } faces[] = {{2, 2, {0, 0, 1}},
                 {0, width / 2, {1, 0, 0}},
                 {0, -width / 2, {-1, 0, 0}},
                 {1, tip, {0, 1, 0}},
                 {1, tail, {0, -1, 0}}};
    ASSERT_EQ(triangles.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        for (const FeedbackVertex& v : triangles[i].vertices) {
            EXPECT_NEAR(v.position[faces[i / 2].axis], faces[i / 2].plane, kTol) << "face " << i / 2;
            EXPECT_TRUE(near(v.texture, faces[i / 2].normal)) << "normal of face " << i / 2;
        }
    }
    for (std::size_t i = 0; i < 10; i += 2) {
        EXPECT_EQ(DistinctPositions({triangles[i], triangles[i + 1]}).size(), 4u) << "a whole face " << i / 2;
    }
    EXPECT_EQ(DistinctPositions(triangles).size(), 8u) << "the corners of one box";
}

// Face on and a little nearer than the renderer's own distance; every frame advances the spin about Y.
void faceOn(COpenGL& renderer) {
    renderer.RotateY(0);
    renderer.TranslateZ(-62);
}

bool dominant(const Rgb& rgb, std::size_t channel) {
    return rgb[channel] > 2 * rgb[(channel + 1) % 3] && rgb[channel] > 2 * rgb[(channel + 2) % 3];
}

// A renderer's fresh context holding the scene's display lists.
class BuiltScene : public ::testing::Test {
  protected:
    void SetUp() override { BuildDisplayLists(); }
    BoundRenderer bound;
};

} // namespace

TEST(MaterialColour, PackedValueSplitsIntoBytesTruncatingTowardZero) {
    BoundRenderer bound;
    const std::pair<std::int32_t, Rgb> cases[] = {
        {0, {0, 0, 0}},         {0xFFFFFF, {255, 255, 255}}, {0xC0C0C0, {192, 192, 192}},
        {-16352, {32, 193, 0}}, {-1, {255, 0, 0}},           {-256, {0, 255, 0}},
        {-65536, {0, 0, 255}},  {0x7F102030, {48, 32, 16}}};
    const GLfloat unrelated[] = {0.5f, 0.5f, 0.5f, 0.5f};
    for (const auto& [packed, rgb] : cases) {
        glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, unrelated);
        SetMaterialColor(packed);
        for (GLenum which : {GL_AMBIENT, GL_DIFFUSE}) {
            std::array<float, 4> m{};
            glGetMaterialfv(GL_FRONT, which, m.data());
            for (std::size_t i = 0; i < 3; ++i) {
                EXPECT_NEAR(m[i], static_cast<float>(rgb[i]) / 255.0f, 1e-6f) << packed;
            }
            EXPECT_EQ(m[3], 1.0f) << packed;
        }
    }
}

TEST_F(BuiltScene, HandListsAreFlatColouredBarsAndNoOtherListsExist) {
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
        SCOPED_TRACE(hand.list);
        expectBar(CaptureFeedback([&] { glCallList(hand.list); }, FeedbackTexture::Normals), hand.tip,
                  hand.tail, hand.width);
        glShadeModel(GL_SMOOTH);
        glCallList(hand.list);
        EXPECT_EQ(integer(GL_SHADE_MODEL), GL_FLAT);
        EXPECT_EQ(material(GL_DIFFUSE), hand.rgb);
    }
}

TEST_F(BuiltScene, FaceListHasMarksDialRimAndHub) {
    const auto lit = CaptureFeedback([] {
        LightStraightOn();
        glCallList(DisplayList::kFace);
    });
    const auto normals = CaptureFeedback([] { glCallList(DisplayList::kFace); }, FeedbackTexture::Normals);
    ASSERT_EQ(lit.size(), normals.size());
    std::size_t hub = 0, dial = 0, rim = 0;
    std::set<long> dialAngles, rimAngles, every15;
    std::map<long, std::vector<FeedbackVertex>> marks; // by direction, to the nearest 30 degrees
    for (std::size_t i = 0; i < lit.size(); ++i) {
        const auto& vs = lit[i].vertices;
        const auto all = [&](auto test) { return std::all_of(vs.begin(), vs.end(), test); };
        if (!all([](const FeedbackVertex& v) { return v.position[2] < 21; })) {
            ++hub; // the hub's triangles meet at its apex, lit straight on in the hub's colour
            for (const auto& v : vs) {
                EXPECT_TRUE(v.position[2] > 21 ? Bytes(v.colour) == (Rgb{160, 128, 32})
                                               : std::fabs(radius(v) - 8) <= kTol);
            }
        } else if (all([](const FeedbackVertex& v) { return std::fabs(v.position[2] - 6) <= kTol; })) {
            ++dial; // a fan about the centre
            for (const auto& v : vs) {
                EXPECT_EQ(Bytes(v.colour), (Rgb{192, 192, 192}));
                EXPECT_TRUE(radius(v) <= kTol || std::fabs(radius(v) - 100) <= kTol) << radius(v);
                if (radius(v) > kTol) {
                    dialAngles.insert(degrees(v));
                }
            }
        } else if (all([](const FeedbackVertex& v) { return std::fabs(radius(v) - 100) <= kTol; })) {
            ++rim;
            for (std::size_t j = 0; j < vs.size(); ++j) {
                const auto& p = vs[j].position;
                const auto& n = normals[i].vertices[j].texture;
                EXPECT_TRUE(std::fabs(p[2]) <= kTol || std::fabs(p[2] - 6) <= kTol) << p[2];
                EXPECT_TRUE(near(n, {p[0] / 100, p[1] / 100, 0}));
                rimAngles.insert(degrees(vs[j]));
            }
        } else {
            auto& mark = marks[(degrees(vs[0]) + 15) / 30 * 30 % 360];
            mark.insert(mark.end(), vs.begin(), vs.end());
        }
    }
    EXPECT_EQ(hub, 4u);
    EXPECT_EQ(dial, 24u);
    EXPECT_EQ(rim, 48u);
    for (long a = 0; a < 360; a += 15) {
        every15.insert(a);
    }
    EXPECT_EQ(dialAngles, every15);
    EXPECT_EQ(rimAngles, every15);

    // Twelve marks 30 degrees apart: dark slabs on the axes, lighter, shorter and taller blocks between.
    ASSERT_EQ(marks.size(), 12u);
    for (const auto& [direction, vertices] : marks) {
        const bool onAxis = direction % 90 == 0;
        EXPECT_EQ(vertices.size(), 30u) << direction;
        double nearest = 1e9, farthest = 0, top = 0;
        std::set<Rgb> colours; // grey tops, unlit sides
        for (const auto& v : vertices) {
            const double along = radius(v) * std::cos(std::atan2(v.position[1], v.position[0]) -
                                                      static_cast<double>(direction) * kPi / 180);
            nearest = std::min(nearest, along), farthest = std::max(farthest, along);
            top = std::max<double>(top, v.position[2]);
            colours.insert(Bytes(v.colour));
        }
        const int grey = onAxis ? 48 : 112;
        EXPECT_EQ(colours, (std::set<Rgb>{{0, 0, 0}, {grey, grey, grey}})) << direction;
        EXPECT_NEAR(nearest, onAxis ? 77 : 82, kTol) << direction;
        EXPECT_NEAR(farthest, onAxis ? 90 : 85, kTol) << direction;
        EXPECT_NEAR(top, onAxis ? 8 : 9, kTol) << direction;
    }

    glShadeModel(GL_FLAT);
    glCallList(DisplayList::kFace);
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_EQ(material(GL_DIFFUSE), (Rgb{160, 128, 32}));
}

TEST_F(BuiltScene, GlobeListIsTheTexturedBackHalfOfASphere) {
    const auto mapped = CaptureFeedback([] { glCallList(DisplayList::kGlobe); });
    const auto normals = CaptureFeedback([] { glCallList(DisplayList::kGlobe); }, FeedbackTexture::Normals);
    ASSERT_EQ(mapped.size(), normals.size());
    // Joined strips bring degenerate triangles that repeat a vertex; a pole triangle repeats only a position.
    const auto same = [](const FeedbackVertex& a, const FeedbackVertex& b) {
        return a.position == b.position && a.texture == b.texture;
    };
    std::size_t real = 0;
    std::set<std::pair<long, long>> grid;
    for (std::size_t i = 0; i < mapped.size(); ++i) {
        const auto& vs = mapped[i].vertices;
        if (same(vs[0], vs[1]) || same(vs[1], vs[2]) || same(vs[0], vs[2])) {
            continue;
        }
        ++real;
        for (std::size_t j = 0; j < vs.size(); ++j) {
            const auto& p = vs[j].position;
            const auto& n = normals[i].vertices[j].texture;
            const float s = vs[j].texture[0], t = vs[j].texture[1];
            EXPECT_NEAR(std::hypot(p[0], p[1], p[2]), 100.0, kTol);
            EXPECT_LE(p[2], kTol);
            EXPECT_TRUE(near(n, {p[0] / 100, p[1] / 100, p[2] / 100}));
            // s runs from the top pole (0) to the bottom one (1); t from the +X edge (0) round the back to -X
            // (1).
            grid.insert({std::lround(s * 12), std::lround(t * 12)});
            EXPECT_NEAR(p[1], 100 * std::cos(kPi * s), kTol);
            if (std::hypot(p[0], p[2]) > 0.01) {
                EXPECT_NEAR(std::remainder(std::atan2(-p[2], p[0]) - kPi * t, 2 * kPi), 0.0, kTol);
            }
            if (t == 0.0f ||
                t == 1.0f) { // in z = 0; feedback depth is too coarse to show it, the normal is not
                EXPECT_NEAR(100 * n[2], 0.0f, 1e-4f);
            }
        }
    }
    EXPECT_EQ(real, 12u * 24u);
    EXPECT_EQ(grid.size(), 13u * 13u);
}

TEST_F(BuiltScene, GlobeListUploadsTheEarthImageAndSetsItsState) {
    EXPECT_EQ(integer(GL_UNPACK_ALIGNMENT), 1) << "set while recording, for the upload";
    // Other values first, so that the list has to set each one.
    glShadeModel(GL_FLAT);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glCallList(DisplayList::kGlobe);

    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_EQ(integer(GL_PERSPECTIVE_CORRECTION_HINT), GL_NICEST);
    EXPECT_EQ(material(GL_DIFFUSE), (Rgb{192, 192, 192}));
    GLint values[5] = {};
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &values[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &values[1]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &values[2]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &values[3]);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &values[4]);
    EXPECT_EQ(std::vector<GLint>(values, values + 5),
              (std::vector<GLint>{GL_REPEAT, GL_REPEAT, GL_NEAREST, GL_NEAREST, GL_MODULATE}));

    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/Earth.RAS"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray earth = file.readAll();
    ASSERT_EQ(static_cast<std::size_t>(earth.size()), kTextureBytes);
    std::vector<std::uint8_t> uploaded(kTextureBytes);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, uploaded.data());
    EXPECT_EQ(std::memcmp(uploaded.data(), earth.constData(), kTextureBytes), 0)
        << "the whole 512 x 512 image";
}

TEST(Frame, BlackUntilTheListsAreBuiltThenTheHandsLieOverAGreyDial) {
    BoundRenderer bound;
    bound.renderer->SetTimeOfDaySource([] { return TimeOfDay{3, 0, 0}; });
    faceOn(*bound.renderer);
    bound.renderer->Paint();
    std::vector<unsigned char> pixels(3u * static_cast<std::size_t>(bound.width * bound.height), 255);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, bound.width, bound.height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_EQ(*std::max_element(pixels.begin(), pixels.end()), 0);

    BuildDisplayLists();
    faceOn(*bound.renderer);
    bound.renderer->Paint();
    EXPECT_EQ(PixelAt(0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(bound.width - 1, bound.height - 1), (Rgb{0, 0, 0}));
    // About 0.68 pixels to a model unit at this distance.
    const int cx = bound.width / 2, cy = bound.height / 2;
    const auto dial = PixelAt(cx - 40, cy - 40);
    EXPECT_TRUE(dial[0] > 100 && std::abs(dial[0] - dial[1]) <= 8 && std::abs(dial[1] - dial[2]) <= 8);
    EXPECT_TRUE(dominant(PixelAt(cx + 27, cy), 1)) << "hour hand, green, towards 3";
    EXPECT_TRUE(dominant(PixelAt(cx, cy + 40), 2)) << "minute hand, blue, towards 12";
    EXPECT_TRUE(dominant(PixelAt(cx, cy + 56), 0)) << "second hand, red, reaching past the minute hand";
}
