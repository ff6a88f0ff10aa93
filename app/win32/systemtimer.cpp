#include "app/win32/systemtimer.h"

#include <utility>

SystemTimer::SystemTimer(HWND owner, UINT_PTR id, int intervalMs, std::function<void()> onTick)
    : m_owner(owner), m_id(id), m_pacer(intervalMs), m_onTick(std::move(onTick)) {}

SystemTimer::~SystemTimer() {
    Stop();
}

double SystemTimer::NowMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_origin).count();
}

void SystemTimer::Start() {
    if (m_running) {
        return;
    }
    m_running = true;
    m_pacer.Restart(NowMs());
    ScheduleNext();
}

void SystemTimer::Stop() {
    m_running = false;
    KillTimer(m_owner, m_id);
}

void SystemTimer::ScheduleNext() {
    SetTimer(m_owner, m_id, static_cast<UINT>(m_pacer.DelayUntilNextTick(NowMs())), nullptr);
}

void SystemTimer::Tick() {
    if (!m_running) {
        return; // a WM_TIMER already posted when the timer was stopped
    }
    KillTimer(m_owner, m_id);
    m_pacer.TickedAt(NowMs());
    m_onTick();
    if (m_running) {
        ScheduleNext();
    }
}
