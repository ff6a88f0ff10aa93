#include "support/feedback.h"

#include "platform/gl.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kExtent = 1000.0f;
constexpr GLenum kNormalMap = 0x8511; // GL_NORMAL_MAP, OpenGL 1.3

} // namespace

std::vector<FeedbackPolygon> CaptureFeedback(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(4u << 20);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glViewport(0, 0, 2 * static_cast<GLint>(kExtent), 2 * static_cast<GLint>(kExtent));
    for (GLenum stack : {GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(stack);
        glPushMatrix();
        glLoadIdentity();
    }
    glMatrixMode(GL_PROJECTION);
    glOrtho(-kExtent, kExtent, -kExtent, kExtent, -kExtent, kExtent);
    glMatrixMode(GL_MODELVIEW);
    // Texture coordinates reach the feedback buffer only through a complete, enabled texture.
    GLuint probe = 0;
    const unsigned char white[3] = {255, 255, 255};
    glGenTextures(1, &probe);
    glBindTexture(GL_TEXTURE_2D, probe);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, white);
    for (GLenum coordinate : {GL_S, GL_T, GL_R}) {
        glTexGeni(coordinate, GL_TEXTURE_GEN_MODE, static_cast<GLint>(kNormalMap));
        glEnable(GL_TEXTURE_GEN_S + coordinate - GL_S);
    }
    glEnable(GL_TEXTURE_2D);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_4D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = std::max(glRenderMode(GL_RENDER), 0);
    for (GLenum stack : {GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(stack);
        glPopMatrix();
    }
    glPopAttrib(); // viewport, enables, texture binding and generation as they were
    glDeleteTextures(1, &probe);

    // Our scenes emit polygons only: each is its token, a count, and per vertex x, y, z, w, RGBA, STRQ.
    std::vector<FeedbackPolygon> polygons;
    for (const float* p = buffer.data(); p < buffer.data() + used && *p == GL_POLYGON_TOKEN; p += 2) {
        FeedbackPolygon& polygon = polygons.emplace_back(static_cast<std::size_t>(p[1]));
        for (FeedbackVertex& v : polygon) {
            v = {{p[2] - kExtent, p[3] - kExtent, kExtent * (1.0f - 2.0f * p[4])},
                 {p[6], p[7], p[8], p[9]},
                 {p[10], p[11], p[12], p[13]}};
            p += 12;
        }
    }
    return polygons;
}
