#include "render/copengl.h"

#include "platform/gl.h"
#include "scene/displaylists.h"

PIXELFORMATDESCRIPTOR g_pfd{};

namespace {

constexpr GLfloat kFrameAmbientDiffuse[] = {0.0f, 0.5f, 0.9f, 1.0f};
constexpr GLfloat kFrameShininess = 100.0f;
constexpr GLfloat kFrameSpecular[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr float kBackwardOffset = 500.0f;
constexpr float kSpinStep = 0.8f;
constexpr float kSpinLimit = 360.0f;

constexpr GLfloat kLightAmbient[] = {0.1f, 0.1f, 0.1f, 1.0f};
constexpr GLfloat kLightDiffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat kLightSpecular[] = {0.5f, 0.5f, 0.7f, 1.0f};
constexpr GLfloat kLightPosition[] = {0.4f, 0.0f, 0.92f, 0.0f}; // w = 0: a directional light

constexpr double kFieldOfView = 40.0;
constexpr double kNearPlane = 100.0;
constexpr double kFarPlane = 2000.0;

struct HandPlacement {
    unsigned list;
    float height;
    float angle;
};

} // namespace

COpenGL::COpenGL() {
    m_hLib = LoadLibraryA("opengl32.dll");
}

COpenGL::~COpenGL() {
    wglMakeCurrent(nullptr, nullptr);
    if (m_hRC != nullptr) {
        wglDeleteContext(m_hRC);
    }
    if (m_hLib != nullptr) {
        FreeLibrary(m_hLib);
    }
    if (m_oPalette) {
        m_oPalette->Delete(m_hDC);
        m_oPalette.reset();
    }
}

bool COpenGL::OpenGLReady() const {
    return m_hLib != nullptr;
}

bool COpenGL::Initialize(IDrawingHost& oFrame) {
    oFrame.SetScaleMode(IDrawingHost::kScaleModePixels);
    m_hDC = oFrame.hDC();
    SetupPixelFormat();
    m_hRC = wglCreateContext(m_hDC);
    // Making no context current succeeds too: only a context of our own counts.
    const bool bound = wglMakeCurrent(m_hDC, m_hRC) != FALSE && m_hRC != nullptr;
    SetupLighting();
    return bound;
}

void COpenGL::SetupPixelFormat() {
    g_pfd = PIXELFORMATDESCRIPTOR{};
    g_pfd.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    g_pfd.nVersion = 1;
    g_pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    g_pfd.iPixelType = PFD_TYPE_RGBA;
    g_pfd.cColorBits = 24;
    g_pfd.cDepthBits = 32;
    g_pfd.iLayerType = PFD_MAIN_PLANE;

    const int format = ChoosePixelFormat(m_hDC, &g_pfd);
    SetPixelFormat(m_hDC, format, &g_pfd);

    // Like every other set-up step, a palette that cannot be built does not stop the renderer; the colours
    // are then off on such a display, but the clock still shows.
    m_oPalette = std::make_unique<CPalette>();
    m_oPalette->Create(m_hDC);
}

void COpenGL::SetupLighting() {
    glLightfv(GL_LIGHT0, GL_AMBIENT, kLightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kLightSpecular);
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

void COpenGL::Resize(int width, int height) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A height of 0 has no aspect ratio: the projection then stays the identity.
    if (height != 0) {
        gluPerspective(kFieldOfView, static_cast<double>(width) / static_cast<double>(height), kNearPlane,
                       kFarPlane);
    }
    glViewport(0, 0, width, height);
    Paint();
}

void COpenGL::Paint() {
    if (!m_oMove) {
        m_oMove = std::make_unique<CMove>();
    }
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, kFrameAmbientDiffuse);
    glMaterialfv(GL_FRONT, GL_SHININESS, &kFrameShininess);
    glMaterialfv(GL_FRONT, GL_SPECULAR, kFrameSpecular);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    m_oMove->Translatef(m_sTranslateX, m_sTranslateY, m_sTranslateZ - kBackwardOffset);
    m_oMove->Rotatef(m_sRotateX, m_sRotateY, m_sRotateZ);

    // The frame is drawn with the angle before this step; the advanced angle shows in the next frame.
    m_sRotateY += kSpinStep;
    if (m_sRotateY > kSpinLimit) {
        m_sRotateY = 0.0f;
    }

    DrawFaceAndGlobe();
    DrawHands();
    glFinish();
    SwapBuffers(m_hDC);
}

void COpenGL::DrawFaceAndGlobe() {
    glCallList(DisplayList::kFace);
    glCallList(DisplayList::kGlobe);
}

void COpenGL::DrawHands() {
    const TimeOfDay now = m_timeOfDay();
    const float minuteAngle = -6.0f * static_cast<float>(now.minute);
    const float secondAngle = -6.0f * static_cast<float>(now.second);
    const float hourAngle = -30.0f * static_cast<float>(now.hour % 12) + minuteAngle / 12.0f;

    const HandPlacement hands[] = {{DisplayList::kHourHand, 14.0f, hourAngle},
                                   {DisplayList::kMinuteHand, 12.0f, minuteAngle},
                                   {DisplayList::kSecondHand, 10.0f, secondAngle}};
    for (const HandPlacement& hand : hands) {
        glPushMatrix();
        m_oMove->Translatef(0.0f, 0.0f, hand.height);
        m_oMove->Rotatef(0.0f, 0.0f, hand.angle);
        glCallList(hand.list);
        glPopMatrix();
    }
}
