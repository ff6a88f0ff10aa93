// The repaint timer on Qt: a single-shot precise QTimer. Where the drawing surface must wait for the
// compositor (Wayland), a tick that falls due before the compositor is ready for a new frame waits for it
// and paints then; further ticks meanwhile are dropped, never queued.
#pragma once

#include "app/pacedtimer.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <utility>

class DrawingSurface;

class SystemTimer : public QObject, public PacedTimer {
  public:
    SystemTimer(QObject* parent, int intervalMs, std::function<void()> onTick);

    // Ticks paint only when `surface` is ready for a new frame.
    void PaceBy(DrawingSurface& surface);

  private:
    void Arm(int delayMs) override { m_timer.start(delayMs); }
    void Disarm() override;
    void Due();
    void SurfaceReady();

    QTimer m_timer;
    QPointer<DrawingSurface> m_surface;
    bool m_waiting = false; // a tick fell due before the surface was ready
};
