#include "app/pacedtimer.h"

#include <utility>

PacedTimer::PacedTimer(int intervalMs, std::function<void()> onTick)
    : m_pacer(intervalMs), m_onTick(std::move(onTick)) {}

double PacedTimer::NowMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_origin).count();
}

void PacedTimer::Start() {
    if (m_running) {
        return;
    }
    m_running = true;
    m_pacer.Restart(NowMs());
    Arm(m_pacer.DelayUntilNextTick(NowMs()));
}

void PacedTimer::Stop() {
    m_running = false;
    Disarm();
}

void PacedTimer::Tick() {
    if (!m_running) {
        return; // a tick already on its way when the timer was stopped
    }
    Disarm();
    m_pacer.TickedAt(NowMs());
    m_onTick();
    if (m_running) {
        Arm(m_pacer.DelayUntilNextTick(NowMs()));
    }
}
