// The pacing of the repaint timer: ticks fall on the 1/64-s grid of the classic desktop system timer, so an
// interval of 1 ms ticks at most 64 times a second on every platform, however fine its own timers are. The
// next tick is planned only after the previous one has been handled, so ticks that fall due meanwhile are
// not queued up.
#pragma once

class TickPacer {
  public:
    static constexpr double kResolutionMs = 1000.0 / 64.0;

    explicit TickPacer(int intervalMs) : m_intervalMs(intervalMs) {}

    // Milliseconds from nowMs until the next tick, given when the last tick was handled.
    int DelayUntilNextTick(double nowMs) const;
    void TickedAt(double nowMs) { m_lastTickMs = nowMs; }
    void Restart(double nowMs) { m_lastTickMs = nowMs - kResolutionMs; }

  private:
    int m_intervalMs;
    double m_lastTickMs = 0.0;
};
