// The repaint timer, written once: started and stopped by the handlers, ticking on TickPacer's grid through
// one one-shot timer of the toolkit's, which is armed again only once a tick has been handled.
#pragma once

#include "app/controls.h"
#include "app/tickpacer.h"

#include <chrono>
#include <functional>

class PacedTimer : public TimerControl {
  public:
    PacedTimer(int intervalMs, std::function<void()> onTick);

    void Start() override;
    void Stop() override;
    bool Enabled() const override { return m_running; }

  protected:
    ~PacedTimer() = default;

    // The toolkit's one-shot timer: Tick once, delayMs from now; Disarm cancels it.
    virtual void Arm(int delayMs) = 0;
    virtual void Disarm() = 0;
    // Called by the toolkit's timer when it fires.
    void Tick();

  private:
    double NowMs() const;

    TickPacer m_pacer;
    bool m_running = false;
    std::function<void()> m_onTick;
    std::chrono::steady_clock::time_point m_origin = std::chrono::steady_clock::now();
};
