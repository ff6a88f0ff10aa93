// Real native OpenGL surfaces offered to the renderer the way the window's picture box offers itself, a
// renderer bound to one, and read-backs of what it drew. Nothing here stands in for OpenGL: contexts, formats
// and frames are the system's. Test bodies see no toolkit type; each platform's support supplies these.
#pragma once

#include "render/copengl.h"
#include "render/drawinghost.h"

#include <array>
#include <memory>

class TestSurface : public IDrawingHost {
  public:
    // The surface stays hidden, so a frame's pixels remain readable in the back buffer after Paint.
    explicit TestSurface(int width = 349, int height = 274);
    ~TestSurface();
    void SetScaleMode(int) override {}
    HDC hDC() override;

  private:
    struct Native;
    std::unique_ptr<Native> m_native;
};

// A renderer initialised on its own hidden surface and sized to it, with its context current.
struct BoundRenderer {
    explicit BoundRenderer(int width = 349, int height = 274);
    TestSurface surface;
    std::unique_ptr<COpenGL> renderer;
};

// The RGB colour of one pixel of the frame just drawn, with (0, 0) at the lower left.
std::array<int, 3> PixelAt(int x, int y);
// A matrix of the current context (GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX), column-major.
std::array<float, 16> CurrentMatrix(unsigned matrixName);
std::array<int, 4> CurrentViewport();
// The pose of the latest frame, when it has no spin or roll: the tilt (RotateX) in degrees, read from where
// the model's Y axis points, and the distance (TranslateZ).
struct Pose {
    double tilt, zoom;
};
Pose LastPose();
