// The renderer: owns the OpenGL library handle, the rendering context on the drawing surface, the palette
// and the transform helper, and draws the clock frame by frame.
#pragma once

#include "platform/win32api.h"
#include "render/cmove.h"
#include "render/cpalette.h"
#include "render/drawinghost.h"
#include "render/timeofday.h"

#include <memory>

class COpenGL {
  public:
    COpenGL();  // loads the OpenGL library, nothing else
    ~COpenGL(); // no context current, delete the context, free the library, delete the palette
    COpenGL(const COpenGL&) = delete;
    COpenGL& operator=(const COpenGL&) = delete;

    // Binds the renderer to oFrame: pixels as its unit, pixel format, palette, context made current,
    // lighting. Every step runs whatever the one before gave; false when no context could be made current,
    // so that nothing can be drawn.
    bool Initialize(IDrawingHost& oFrame);
    // True when the OpenGL library could be loaded at construction; settled once.
    bool OpenGLReady() const;
    // Projection and viewport for a drawing area of width × height pixels, then one frame.
    void Resize(int width, int height);
    // Draws and shows one frame and advances the spin.
    void Paint();

    // The model pose: write-only, each only stores its value for the next frame.
    void RotateX(float sNewRotateX) { m_sRotateX = sNewRotateX; }
    void RotateY(float sNewRotateY) { m_sRotateY = sNewRotateY; }
    void RotateZ(float sNewRotateZ) { m_sRotateZ = sNewRotateZ; }
    void TranslateX(float sNewTranslateX) { m_sTranslateX = sNewTranslateX; }
    void TranslateY(float sNewTranslateY) { m_sTranslateY = sNewTranslateY; }
    void TranslateZ(float sNewTranslateZ) { m_sTranslateZ = sNewTranslateZ; }

    // Where the hands take the time of day from; the local clock unless a caller (a test) sets another.
    void SetTimeOfDaySource(TimeOfDaySource source) { m_timeOfDay = std::move(source); }

  private:
    void DrawHands();
    void DrawFaceAndGlobe();
    void SetupPixelFormat();
    void SetupLighting();

    HMODULE m_hLib = nullptr;
    HGLRC m_hRC = nullptr;
    HDC m_hDC = nullptr;
    std::unique_ptr<CPalette> m_oPalette;
    float m_sRotateX = 0.0f;
    float m_sRotateY = 0.0f;
    float m_sRotateZ = 0.0f;
    float m_sTranslateX = 0.0f;
    float m_sTranslateY = 0.0f;
    float m_sTranslateZ = 0.0f;
    std::unique_ptr<CMove> m_oMove;
    TimeOfDaySource m_timeOfDay = LocalTimeOfDay;
};
