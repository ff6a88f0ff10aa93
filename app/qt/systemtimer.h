// The repaint timer on Qt: paced by TickPacer to the 1/64-s grid of the classic desktop system timer.
#pragma once

#include "app/controls.h"
#include "app/tickpacer.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

class SystemTimer : public QObject, public TimerControl {
  public:
    SystemTimer(QObject* parent, int intervalMs, std::function<void()> onTick);

    void Start() override;
    void Stop() override;
    bool Enabled() const override { return m_running; }

  private:
    double nowMs() const;
    void scheduleNext();
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    TickPacer m_pacer;
    bool m_running = false;
    std::function<void()> m_onTick;
};
