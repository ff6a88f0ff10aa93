#include "app/systemtimer.h"

#include <algorithm>
#include <cmath>

SystemTimer::SystemTimer(QObject* parent, std::function<void()> onTick)
    : QObject(parent), m_onTick(std::move(onTick)) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
}

void SystemTimer::start() {
    m_running = true;
    m_clock.start();
    m_lastTickMs = 0.0;
    scheduleNext();
}

void SystemTimer::stop() {
    m_running = false;
    m_timer.stop();
}

void SystemTimer::scheduleNext() {
    // The earliest moment the interval allows, rounded up to the next step of the system timer's grid.
    const double now = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
    const double earliest = std::max(now, m_lastTickMs + std::max(m_intervalMs, 1));
    const double due = std::ceil(earliest / kResolutionMs) * kResolutionMs;
    m_timer.start(static_cast<int>(std::ceil(due - now)));
}

void SystemTimer::tick() {
    m_lastTickMs = static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
    m_onTick();
    if (m_running) {
        scheduleNext();
    }
}
