#include "app/tickpacer.h"

#include <algorithm>
#include <cmath>

int TickPacer::DelayUntilNextTick(double nowMs) const {
    // The earliest moment the interval allows, rounded up to the next step of the system timer's grid.
    const double earliest = std::max(nowMs, m_lastTickMs + std::max(m_intervalMs, 1));
    const double due = std::ceil(earliest / kResolutionMs) * kResolutionMs;
    return static_cast<int>(std::ceil(due - nowMs));
}
