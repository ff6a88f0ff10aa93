#include "support/feedback.h"

#include "platform/gl.h"

#include <cmath>

namespace {

constexpr float kExtent = 1000.0f;
constexpr GLint kViewport = 2000;
constexpr GLenum kNormalMap = 0x8511; // GL_NORMAL_MAP, OpenGL 1.3

FeedbackVertex readVertex(const float*& p) {
    FeedbackVertex v{};
    v.position = {p[0] - kExtent, p[1] - kExtent, kExtent * (1.0f - 2.0f * p[2])};
    // p[3] is w, always 1 with an orthographic projection.
    v.colour = {p[4], p[5], p[6], p[7]};
    v.texture = {p[8], p[9], p[10], p[11]};
    p += 12;
    return v;
}

void enableNormalTexGen(bool enable) {
    for (GLenum coordinate : {GL_S, GL_T, GL_R}) {
        glTexGeni(coordinate, GL_TEXTURE_GEN_MODE, static_cast<GLint>(kNormalMap));
    }
    // Feedback reports texture coordinates only while texturing is on.
    for (GLenum cap : {GLenum{GL_TEXTURE_GEN_S}, GLenum{GL_TEXTURE_GEN_T}, GLenum{GL_TEXTURE_GEN_R},
                       GLenum{GL_TEXTURE_2D}}) {
        enable ? glEnable(cap) : glDisable(cap);
    }
}

} // namespace

std::vector<FeedbackPolygon> CaptureFeedback(const std::function<void()>& draw, FeedbackTexture texture) {
    std::vector<GLfloat> buffer(4u << 20);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glViewport(0, 0, kViewport, kViewport);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-kExtent, kExtent, -kExtent, kExtent, -kExtent, kExtent);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // Texture coordinates reach the feedback buffer only through a complete, enabled texture.
    GLuint probeTexture = 0;
    if (texture == FeedbackTexture::Normals) {
        const unsigned char white[3] = {255, 255, 255};
        glGenTextures(1, &probeTexture);
        glBindTexture(GL_TEXTURE_2D, probeTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, white);
    }
    enableNormalTexGen(texture == FeedbackTexture::Normals);

    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_4D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);

    enableNormalTexGen(false);
    if (probeTexture != 0) {
        glBindTexture(GL_TEXTURE_2D, 0);
        glDeleteTextures(1, &probeTexture);
    }
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();

    std::vector<FeedbackPolygon> polygons;
    const float* p = buffer.data();
    const float* end = buffer.data() + (used > 0 ? used : 0);
    while (p < end) {
        const auto token = static_cast<GLenum>(*p++);
        if (token == GL_POLYGON_TOKEN) {
            const auto count = static_cast<int>(*p++);
            FeedbackPolygon polygon;
            for (int i = 0; i < count; ++i) {
                polygon.vertices.push_back(readVertex(p));
            }
            polygons.push_back(std::move(polygon));
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
                   token == GL_COPY_PIXEL_TOKEN) {
            p += 12;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            p += 24;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            p += 1;
        } else {
            break;
        }
    }
    return polygons;
}

std::vector<std::array<float, 3>> DistinctPositions(const std::vector<FeedbackPolygon>& polygons,
                                                    float tolerance) {
    std::vector<std::array<float, 3>> distinct;
    for (const auto& polygon : polygons) {
        for (const auto& v : polygon.vertices) {
            bool seen = false;
            for (const auto& d : distinct) {
                if (std::fabs(d[0] - v.position[0]) <= tolerance &&
                    std::fabs(d[1] - v.position[1]) <= tolerance &&
                    std::fabs(d[2] - v.position[2]) <= tolerance) {
                    seen = true;
                    break;
                }
            }
            if (!seen) {
                distinct.push_back(v.position);
            }
        }
    }
    return distinct;
}
