#include "scene/sshape.h"

#include "platform/file.h"
#include "platform/gl.h"
#include "platform/messagebox.h"
#include "platform/win32api.h"
#include "scene/displaylists.h"
#include "scene/texture.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr float kDegreesToRadians = 0.017453289f; // a little below pi/180, as the scene has always used
constexpr char kTextureFileName[] = "Earth.RAS";
// The caption of the loader's message box. Windows shows "Error" for a box without one.
constexpr char kApplicationTitle[] = "Viduzirivo";

struct HandDesign {
    unsigned list;
    std::int32_t colour;
    float tip;
    float tail;
    float width;
    float height;
};

constexpr HandDesign kHands[] = {
    {DisplayList::kHourHand, -16352, 55.0f, -10.0f, 8.0f, 2.0f},
    {DisplayList::kMinuteHand, 0xC04000, 80.0f, -10.0f, 4.0f, 2.0f},
    {DisplayList::kSecondHand, 0x0030B0, 85.0f, -20.0f, 2.0f, 2.0f},
};

float radians(float degrees) {
    return degrees * kDegreesToRadians;
}

void vertexOnCircle(float radius, float degrees, float z) {
    const double angle = radians(degrees);
    glVertex3f(static_cast<float>(radius * std::cos(angle)), static_cast<float>(radius * std::sin(angle)), z);
}

// An open five-faced box along +Y from tail to tip, width across X, standing on z = 0, height up Z: the solid
// of the hands and the hour marks.
void DrawBar(float tip, float tail, float width, float height) {
    const float h = height;
    glBegin(GL_QUADS);
    // top
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3f(width / 2, tip, h);
    glVertex3f(-width / 2, tip, h);
    glVertex3f(-width / 2, tail, h);
    glVertex3f(width / 2, tail, h);
    // right side
    glNormal3f(1.0f, 0.0f, 0.0f);
    glVertex3f(width / 2, tip, 0.0f);
    glVertex3f(width / 2, tip, h);
    glVertex3f(width / 2, tail, h);
    glVertex3f(width / 2, tail, 0.0f);
    // left side
    glNormal3f(-1.0f, 0.0f, 0.0f);
    glVertex3f(-width / 2, tip, h);
    glVertex3f(-width / 2, tip, 0.0f);
    glVertex3f(-width / 2, tail, 0.0f);
    glVertex3f(-width / 2, tail, h);
    // tip end
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(width / 2, tip, h);
    glVertex3f(width / 2, tip, 0.0f);
    glVertex3f(-width / 2, tip, 0.0f);
    glVertex3f(-width / 2, tip, h);
    // tail end
    glNormal3f(0.0f, -1.0f, 0.0f);
    glVertex3f(-width / 2, tail, h);
    glVertex3f(-width / 2, tail, 0.0f);
    glVertex3f(width / 2, tail, 0.0f);
    glVertex3f(width / 2, tail, h);
    glEnd();
}

void drawHourMarks() {
    for (int n = 360; n >= 30; n -= 30) {
        glPushMatrix();
        glRotatef(static_cast<float>(n), 0.0f, 0.0f, 1.0f);
        glTranslatef(0.0f, 75.0f, 7.0f);
        if (n % 90 == 0) {
            SetMaterialColor(0x303030);
            DrawBar(15.0f, 2.0f, 5.0f, 1.0f);
        } else {
            SetMaterialColor(0x707070);
            DrawBar(10.0f, 7.0f, 3.0f, 2.0f);
        }
        glPopMatrix();
    }
}

void drawDial() {
    SetMaterialColor(0xC0C0C0);
    glShadeModel(GL_FLAT);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(0.0f, 0.0f, 6.0f);
    for (int a = 0; a <= 360; a += 15) {
        vertexOnCircle(100.0f, static_cast<float>(a), 6.0f);
    }
    glEnd();
}

void drawRim() {
    SetMaterialColor(0xA0A0A0);
    glShadeModel(GL_SMOOTH);
    glBegin(GL_QUAD_STRIP);
    for (int a = 360; a >= 0; a -= 15) {
        const double angle = radians(static_cast<float>(a));
        glNormal3f(static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle)), 0.0f);
        vertexOnCircle(100.0f, static_cast<float>(a), 0.0f);
        vertexOnCircle(100.0f, static_cast<float>(a), 6.0f);
    }
    glEnd();
}

void drawHub() {
    SetMaterialColor(0x2080A0);
    glShadeModel(GL_SMOOTH);
    glBegin(GL_TRIANGLE_FAN);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, 22.0f);
    glNormal3f(-1.0f, 0.0f, 0.0f);
    glVertex3f(-8.0f, 0.0f, 6.0f);
    glNormal3f(0.0f, -1.0f, 0.0f);
    glVertex3f(0.0f, -8.0f, 6.0f);
    glNormal3f(1.0f, 0.0f, 0.0f);
    glVertex3f(8.0f, 0.0f, 6.0f);
    glNormal3f(0.0f, 1.0f, 0.0f);
    glVertex3f(0.0f, 8.0f, 6.0f);
    glNormal3f(-1.0f, 0.0f, 0.0f);
    glVertex3f(-8.0f, 0.0f, 6.0f);
    glEnd();
}

// One vertex of the globe shell at polar angle a (from +Y) and azimuth b (from +X towards -Z), with its
// outward normal and its texture coordinates (a / 180, b / 180).
void globeVertex(float a, float b) {
    const double polar = radians(a);
    const double azimuth = radians(b);
    const double x = std::sin(polar) * std::cos(azimuth);
    const double y = std::cos(polar);
    const double z = -std::sin(polar) * std::sin(azimuth);
    glNormal3f(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    glTexCoord2f(a / 180.0f, b / 180.0f);
    glVertex3f(static_cast<float>(100.0 * x), static_cast<float>(100.0 * y), static_cast<float>(100.0 * z));
}

void BuildClockFace() {
    glNewList(DisplayList::kFace, GL_COMPILE);
    glShadeModel(GL_FLAT);
    drawHourMarks();
    drawDial();
    drawRim();
    drawHub();
    glEndList();
}

void BuildGlobe() {
    LoadTexture();
    glNewList(DisplayList::kGlobe, GL_COMPILE);
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // executed at once, not recorded: it governs the upload below
    glTexImage2D(GL_TEXTURE_2D, 0, 3, kTextureSize, kTextureSize, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 &TextureImage[0][0][0]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    SetMaterialColor(0xC0C0C0);
    for (int a = 0; a <= 165; a += 15) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int b = 0; b <= 180; b += 15) {
            globeVertex(static_cast<float>(a), static_cast<float>(b));
            globeVertex(static_cast<float>(a + 15), static_cast<float>(b));
        }
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
    glEndList();
}

} // namespace

void SetMaterialColor(std::int32_t value) {
    // Integer division truncates toward zero, which is what gives negative values their documented bytes.
    const int red = value & 255;
    const int green = (value / 256) & 255;
    const int blue = (value / 65536) & 255;
    const GLfloat record[] = {static_cast<float>(red / 255.0), static_cast<float>(green / 255.0),
                              static_cast<float>(blue / 255.0), 1.0f};
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, record);
}

void BuildDisplayLists() {
    BuildGlobe();
    BuildClockFace();
    for (const HandDesign& hand : kHands) {
        glNewList(hand.list, GL_COMPILE);
        glShadeModel(GL_FLAT);
        SetMaterialColor(hand.colour);
        DrawBar(hand.tip, hand.tail, hand.width, hand.height);
        glEndList();
    }
}

std::optional<std::string> ReadTextureFile(const char* path, std::uint8_t* buffer) {
    ReadOnlyFile file(path);
    std::optional<std::string> error;
    if (!file.IsOpen()) {
        error = file.Error();
    }
    std::size_t total = 0;
    while (!error && total < kTextureBytes) {
        const std::optional<std::size_t> count = file.Read(buffer + total, kTextureBytes - total);
        if (!count) {
            error = file.Error(); // keep what came
        } else if (*count == 0) {
            error = std::string(path) + " holds " + std::to_string(total) + " of the " +
                    std::to_string(kTextureBytes) +
                    " bytes of the globe image; the rest of the globe is drawn black.";
        }
        total += count.value_or(0);
    }
    // What the file did not give is black rather than left as it was.
    std::memset(buffer + total, 0, kTextureBytes - total);
    return error;
}

void LoadTexture() {
    std::optional<std::string> error = EnterProgramFolder();
    if (!error) {
        error = ReadTextureFile(kTextureFileName, &TextureImage[0][0][0]);
    }
    if (error) {
        MsgBox(*error, kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
    }
}
