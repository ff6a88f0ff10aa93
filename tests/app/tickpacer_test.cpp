// The repaint timer's pacing, on simulated time: the 1/64-s grid, intervals rounded up to it, and no ticks
// queued up behind a slow handler.
#include "app/tickpacer.h"

#include <gtest/gtest.h>

namespace {

// Runs a pacer for `spanMs` of simulated time with a handler taking `handlerMs`; returns the ticks.
int TicksIn(double spanMs, int intervalMs, double handlerMs) {
    TickPacer pacer(intervalMs);
    pacer.Restart(0.0);
    int ticks = 0;
    for (double now = pacer.DelayUntilNextTick(0.0); now < spanMs; now += pacer.DelayUntilNextTick(now)) {
        ++ticks;
        pacer.TickedAt(now);
        now += handlerMs;
    }
    return ticks;
}

TEST(TickPacer, TicksOnTheSixtyFourthOfASecondGrid) {
    TickPacer pacer(1);
    pacer.TickedAt(0.0);
    EXPECT_EQ(pacer.DelayUntilNextTick(0.0), 16); // 15.625 ms, rounded up to whole milliseconds
    EXPECT_EQ(pacer.DelayUntilNextTick(10.0), 6);
    EXPECT_EQ(pacer.DelayUntilNextTick(15.625), 0);

    EXPECT_EQ(TicksIn(1000.0, 1, 0.0), 64);
    EXPECT_EQ(TicksIn(1000.0, 100, 0.0), 9) << "a longer interval is rounded up to the grid: 109.4 ms";
}

TEST(TickPacer, ASlowHandlerGetsOneTickNotABacklog) {
    // Each frame takes 40 ms: the next tick is the first grid step after it, so 22 frames in a second.
    EXPECT_EQ(TicksIn(1000.0, 1, 40.0), 22);
    TickPacer pacer(1);
    pacer.TickedAt(0.0);
    EXPECT_EQ(pacer.DelayUntilNextTick(50.0), 13) << "three steps passed during the frame; one tick follows";
}

TEST(TickPacer, RestartTicksAtTheNextGridStep) {
    TickPacer pacer(1);
    pacer.TickedAt(0.0);
    pacer.Restart(1000.0);
    EXPECT_EQ(pacer.DelayUntilNextTick(1000.0), 0); // 1000 ms is step 64 of the grid
    pacer.Restart(1001.0);
    EXPECT_EQ(pacer.DelayUntilNextTick(1001.0), 15);
}

} // namespace
