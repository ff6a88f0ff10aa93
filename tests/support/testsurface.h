// A real native OpenGL surface offered to the renderer the way the window's picture box offers itself, and a
// renderer bound to it. Nothing here stands in for OpenGL: contexts, formats and frames are Mesa's.
#pragma once

#include "render/copengl.h"
#include "render/drawinghost.h"

#include <QWindow>

#include <array>
#include <cstdint>
#include <memory>

class TestSurface : public IDrawingHost {
  public:
    // The surface stays hidden, so a frame's pixels remain readable in the back buffer after Paint.
    explicit TestSurface(int width = 349, int height = 274);

    void SetScaleMode(int mode) override { scaleMode = mode; }
    HDC hDC() override;

    QWindow window;
    int scaleMode = 1;
};

// A renderer initialised on its own hidden surface and sized to it, with its context current.
struct BoundRenderer {
    explicit BoundRenderer(int width = 349, int height = 274);
    ~BoundRenderer();

    TestSurface surface;
    std::unique_ptr<COpenGL> renderer;
    int width;
    int height;
};

// The RGB colour of one pixel of the frame just drawn, with (0, 0) at the lower left.
std::array<int, 3> PixelAt(int x, int y);

// The current model-view or projection matrix, column-major as OpenGL keeps it.
std::array<float, 16> CurrentMatrix(unsigned matrixName);
