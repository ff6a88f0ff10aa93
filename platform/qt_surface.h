// The drawing surface on Linux desktops: a native OpenGL window that is what a device context is here. It has
// one pixel format to offer, makes the OpenGL context for it when it is set, presents frames, and knows once
// whether it is a Wayland surface. The Win32 names the renderer calls forward to it (qt_wgl.cpp).
#pragma once

#include "platform/win32api.h"

#include <QOpenGLContext>
#include <QWindow>

#include <memory>

class DrawingSurface : public QWindow {
  public:
    DrawingSurface();

    // Wayland surfaces draw through EGL, and a swap there must not wait for the compositor.
    bool OnWayland() const { return m_onWayland; }
    // The format set, described as its context has it; before then, the one format offered.
    const PIXELFORMATDESCRIPTOR& PixelFormat() const { return m_pixelFormat; }
    bool PixelFormatSet() const { return m_set; }
    // Makes the native window with the offered format and the OpenGL context for it. False when the
    // display cannot draw with OpenGL there; a surface's format is set once.
    bool SetPixelFormat();
    // The context made with the format; the caller owns it. Null when there is none (left).
    QOpenGLContext* TakeContext() { return m_context.release(); }
    // Presents the frame drawn with the current context, where the surface is on screen.
    bool Swap();

  private:
    bool m_onWayland;
    bool m_set = false;
    PIXELFORMATDESCRIPTOR m_pixelFormat;
    std::unique_ptr<QOpenGLContext> m_context;
};
