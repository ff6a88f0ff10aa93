// A repaint timer with the resolution of the classic desktop system timer: ticks fall on a grid of 1/64 s,
// so an interval of 1 ms ticks at most 64 times a second. A tick that falls due while the previous one is
// still being handled is not queued: the next tick is scheduled only after the handler returns.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class SystemTimer : public QObject {
  public:
    static constexpr double kResolutionMs = 1000.0 / 64.0;

    explicit SystemTimer(QObject* parent, std::function<void()> onTick);

    void setInterval(int milliseconds) { m_intervalMs = milliseconds; }
    int interval() const { return m_intervalMs; }
    void start();
    void stop();
    bool isActive() const { return m_running; }

  private:
    void scheduleNext();
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_lastTickMs = 0.0;
    int m_intervalMs = 0;
    bool m_running = false;
    std::function<void()> m_onTick;
};
