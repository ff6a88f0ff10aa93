// The repaint timer's pacing, on simulated time: the 1/64-s grid, intervals rounded up to it, and no ticks
// queued up behind a slow handler.
#include "app/tickpacer.h"

#include <gtest/gtest.h>

// Ticks in a second of simulated time with a handler taking `handlerMs`; bounded, should a delay be zero.
static int TicksInASecond(int intervalMs, double handlerMs) {
    TickPacer pacer(intervalMs);
    pacer.Restart(0.0);
    int ticks = 0;
    for (double now = pacer.DelayUntilNextTick(0.0); now < 1000.0 && ticks < 1000; ++ticks) {
        pacer.TickedAt(now);
        now += handlerMs + pacer.DelayUntilNextTick(now + handlerMs);
    }
    return ticks;
}

TEST(TickPacer, TicksOnTheSixtyFourthOfASecondGridWithoutABacklog) {
    const struct {
        int intervalMs;
        bool restart;
        double nowMs;
        int delay;
    } cases[] = {{1, false, 0, 16},  {0, false, 0, 16},  {1, false, 10, 6},  {1, false, 15.625, 0},
                 {1, false, 50, 13}, {1, true, 1000, 0}, {1, true, 1001, 15}};
    for (const auto& c : cases) {
        TickPacer pacer(c.intervalMs);
        c.restart ? pacer.Restart(c.nowMs) : pacer.TickedAt(0.0);
        EXPECT_EQ(pacer.DelayUntilNextTick(c.nowMs), c.delay) << c.intervalMs << " ms, at " << c.nowMs;
    }
    EXPECT_EQ(TicksInASecond(1, 0.0), 64);
    EXPECT_EQ(TicksInASecond(100, 0.0), 9) << "rounded up to the grid: 109.4 ms";
    EXPECT_EQ(TicksInASecond(1, 40.0), 22) << "a tick due while a 40-ms frame runs is not queued";
}
