// What the scene records beyond the pixels of a frame (those are compared in the renderer's frame test): the
// material colour's bytes and the state the lists leave.
#include "platform/gl.h"
#include "scene/displaylists.h"
#include "scene/sshape.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Rgb = std::array<int, 3>;

Rgb bytes(const float* colour) {
    return {int(std::lround(colour[0] * 255)), int(std::lround(colour[1] * 255)),
            int(std::lround(colour[2] * 255))};
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

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

TEST(DisplayLists, LeaveTheirStateSet) {
    const BoundRenderer bound(16, 16);
    BuildDisplayLists();
    // Other values first, so that each list has to set each one.
    const auto unsetAndCall = [](GLuint list) {
        glShadeModel(list == DisplayList::kFace || list == DisplayList::kGlobe ? GL_FLAT : GL_SMOOTH);
        glEnable(GL_TEXTURE_2D);
        glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T}) {
            glTexParameteri(GL_TEXTURE_2D, wrap, GL_CLAMP);
        }
        glCallList(list);
    };
    for (GLuint hand : {DisplayList::kHourHand, DisplayList::kMinuteHand, DisplayList::kSecondHand}) {
        unsetAndCall(hand);
        EXPECT_EQ(integer(GL_SHADE_MODEL), GL_FLAT) << "list " << hand;
    }
    unsetAndCall(DisplayList::kFace);
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    unsetAndCall(DisplayList::kGlobe);
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
    std::array<float, 4> diffuse{};
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse.data());
    EXPECT_EQ(bytes(diffuse.data()), (Rgb{192, 192, 192}));
}
