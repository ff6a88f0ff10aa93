#include "app/qt/systemtimer.h"

#include "platform/qt_surface.h"

SystemTimer::SystemTimer(QObject* parent, int intervalMs, std::function<void()> onTick)
    : QObject(parent), PacedTimer(intervalMs, std::move(onTick)) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { Due(); });
}

void SystemTimer::PaceBy(DrawingSurface& surface) {
    m_surface = &surface;
    surface.OnReadyForFrame([this] { SurfaceReady(); });
}

void SystemTimer::Disarm() {
    m_timer.stop();
    m_waiting = false;
}

// The timer is not armed again while a tick waits: it wakes nobody until the compositor has taken the frame.
void SystemTimer::Due() {
    if (m_surface != nullptr && !m_surface->ReadyForFrame()) {
        m_waiting = true;
        return;
    }
    Tick();
}

void SystemTimer::SurfaceReady() {
    if (m_waiting) {
        Tick();
    }
}
