// The drawing surface on Linux desktops: a native OpenGL window that is what a device context is here. It has
// one pixel format to offer, makes the OpenGL context for it when it is set, presents frames, and knows once
// whether it is a Wayland surface. The Win32 names the renderer calls forward to it (qt_wgl.cpp).
#pragma once

#include "platform/win32api.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QWindow>

#include <climits>
#include <functional>
#include <memory>

class DrawingSurface : public QWindow {
  public:
    DrawingSurface();

    // Wayland surfaces draw through EGL, and a swap there must not block on the compositor.
    bool OnWayland() const { return m_onWayland; }
    // The format set, described as its context has it; before then, the one format offered.
    const PIXELFORMATDESCRIPTOR& PixelFormat() const { return m_pixelFormat; }
    bool PixelFormatSet() const { return m_set; }
    // Makes the native window with the offered format and the OpenGL context for it. False when the
    // display cannot draw with OpenGL there; a surface's format is set once.
    bool SetPixelFormat();
    // The context made with the format; the caller owns it. Null when there is none (left).
    QOpenGLContext* TakeContext() { return m_context.release(); }
    // Makes `context` current for drawing here. A surface with no device pixels, or with more than the
    // driver draws, is never drawn on: the context is then made current on a stand-in, so that state and
    // display lists still go into it, until the surface can be drawn on again.
    bool MakeCurrent(QOpenGLContext& context);
    // The largest size, in the surface's own pixels, that the driver draws; unbounded until the format is
    // set.
    QSize MaximumDrawnSize() const;
    // Presents the frame drawn with the current context, where the surface is on screen, and binds the
    // context for the next frame to the surface as it is now.
    bool Swap();
    // False from a frame presented on Wayland until the compositor is ready for the next one (its frame
    // callback, which Qt delivers as an update request); a frame committed before then would never be
    // shown. Always true on X11, where the swap itself waits for the display's refresh.
    bool ReadyForFrame() const { return !m_awaitingCompositor; }
    // Called each time the compositor becomes ready for a new frame.
    void OnReadyForFrame(std::function<void()> ready) { m_ready = std::move(ready); }

  protected:
    bool event(QEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;

  private:
    bool Drawable() const;

    bool m_onWayland;
    bool m_set = false;
    bool m_awaitingCompositor = false;
    std::function<void()> m_ready;
    PIXELFORMATDESCRIPTOR m_pixelFormat;
    std::unique_ptr<QOpenGLContext> m_context;
    QOffscreenSurface m_standIn;
    bool m_standInBinds = false;
    QSize m_maximumPixels{INT_MAX, INT_MAX}; // GL_MAX_VIEWPORT_DIMS, in device pixels
};
