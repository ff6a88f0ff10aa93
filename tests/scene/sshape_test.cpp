// What the scene records beyond the pixels of a frame (those are compared in the renderer's frame test): the
// material colour's bytes and the state the lists leave for the next.
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
    // The hour hand's value: flooring it would give green 192, a step that the lit frames do not show.
    const std::pair<std::int32_t, Rgb> cases[] = {{0xC0C0C0, {192, 192, 192}}, {-16352, {32, 193, 0}}};
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

// What a list leaves behind is what the next one starts from: the face leaves smooth shading and its hub's
// colour, the globe leaves texturing off (the hands drawn after it are not textured) and its grey.
TEST(DisplayLists, LeaveTheStateTheNextListStartsFrom) {
    const BoundRenderer bound(16, 16);
    BuildDisplayLists();
    const auto diffuseAfter = [](GLuint list) {
        glShadeModel(GL_FLAT);
        glEnable(GL_TEXTURE_2D);
        glCallList(list);
        std::array<float, 4> diffuse{};
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse.data());
        return bytes(diffuse.data());
    };
    EXPECT_EQ(diffuseAfter(DisplayList::kFace), (Rgb{160, 128, 32}));
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_EQ(diffuseAfter(DisplayList::kGlobe), (Rgb{192, 192, 192}));
    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}
