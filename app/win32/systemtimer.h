// The repaint timer on Win32: a one-shot SetTimer, re-armed after each tick with TickPacer's delay. Windows'
// own timer already ticks on the 1/64-s grid; the pacer keeps finer timers (Wine's) to the same rate, and
// WM_TIMER is never queued up, so ticks that fall due during a frame collapse into one.
#pragma once

#include "app/controls.h"
#include "app/tickpacer.h"

#include <windows.h>

#include <chrono>
#include <functional>

class SystemTimer : public TimerControl {
  public:
    SystemTimer(HWND owner, UINT_PTR id, int intervalMs, std::function<void()> onTick);
    ~SystemTimer();
    SystemTimer(const SystemTimer&) = delete;
    SystemTimer& operator=(const SystemTimer&) = delete;

    void Start() override;
    void Stop() override;
    bool Enabled() const override { return m_running; }

    // The owner's WM_TIMER with this timer's id.
    void Tick();
    UINT_PTR id() const { return m_id; }

  private:
    double NowMs() const;
    void ScheduleNext();

    HWND m_owner;
    UINT_PTR m_id;
    TickPacer m_pacer;
    bool m_running = false;
    std::function<void()> m_onTick;
    std::chrono::steady_clock::time_point m_origin = std::chrono::steady_clock::now();
};
