// The repaint timer on Qt: a single-shot precise QTimer.
#pragma once

#include "app/pacedtimer.h"

#include <QObject>
#include <QTimer>

#include <utility>

class SystemTimer : public QObject, public PacedTimer {
  public:
    SystemTimer(QObject* parent, int intervalMs, std::function<void()> onTick);

  private:
    void Arm(int delayMs) override { m_timer.start(delayMs); }
    void Disarm() override { m_timer.stop(); }

    QTimer m_timer;
};
