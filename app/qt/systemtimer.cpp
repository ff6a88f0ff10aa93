#include "app/qt/systemtimer.h"

SystemTimer::SystemTimer(QObject* parent, int intervalMs, std::function<void()> onTick)
    : QObject(parent), PacedTimer(intervalMs, std::move(onTick)) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
}
