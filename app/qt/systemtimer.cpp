#include "app/qt/systemtimer.h"

SystemTimer::SystemTimer(QObject* parent, int intervalMs, std::function<void()> onTick)
    : QObject(parent), m_pacer(intervalMs), m_onTick(std::move(onTick)) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_clock.start();
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
}

double SystemTimer::nowMs() const {
    return static_cast<double>(m_clock.nsecsElapsed()) / 1e6;
}

void SystemTimer::Start() {
    if (m_running) {
        return;
    }
    m_running = true;
    m_pacer.Restart(nowMs());
    scheduleNext();
}

void SystemTimer::Stop() {
    m_running = false;
    m_timer.stop();
}

void SystemTimer::scheduleNext() {
    m_timer.start(m_pacer.DelayUntilNextTick(nowMs()));
}

void SystemTimer::tick() {
    m_pacer.TickedAt(nowMs());
    m_onTick();
    if (m_running) {
        scheduleNext();
    }
}
