// The repaint timer on Win32: SetTimer, killed at each tick so that it fires once. Windows' own timer already
// ticks on the 1/64-s grid; the pacer keeps finer timers (Wine's) to the same rate, and WM_TIMER is never
// queued up, so ticks that fall due during a frame collapse into one.
#pragma once

#include "app/pacedtimer.h"

#include <windows.h>

#include <utility>

class SystemTimer : public PacedTimer {
  public:
    SystemTimer(HWND owner, UINT_PTR id, int intervalMs, std::function<void()> onTick)
        : PacedTimer(intervalMs, std::move(onTick)), m_owner(owner), m_id(id) {}
    ~SystemTimer() { Stop(); }
    SystemTimer(const SystemTimer&) = delete;
    SystemTimer& operator=(const SystemTimer&) = delete;

    // The owner's WM_TIMER with this timer's id.
    using PacedTimer::Tick;
    UINT_PTR id() const { return m_id; }

  private:
    void Arm(int delayMs) override { SetTimer(m_owner, m_id, static_cast<UINT>(delayMs), nullptr); }
    void Disarm() override { KillTimer(m_owner, m_id); }

    HWND m_owner;
    UINT_PTR m_id;
};
