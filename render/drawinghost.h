// What the renderer needs from the surface it draws on: a way to make pixels its coordinate unit, and its
// device context, which stays valid for the renderer's life.
#pragma once

#include "platform/win32api.h"

class IDrawingHost {
  public:
    static constexpr int kScaleModePixels = 3;

    virtual void SetScaleMode(int mode) = 0;
    virtual HDC hDC() = 0;

  protected:
    ~IDrawingHost() = default;
};
