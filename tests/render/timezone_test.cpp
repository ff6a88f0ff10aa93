// The clock is the local time in whole seconds, and follows a change of the system's time zone while it
// runs.
#include "render/timeofday.h"
#include "support/session.h"

#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <unistd.h>

// /etc/localtime replaced while running: in a mount namespace of its own, over a copy of /etc in memory.
TEST(TimeZone, TheHandsFollowTheSystemsZoneFile) {
    if (!InRerun()) {
        if (geteuid() != 0) {
            GTEST_SKIP() << "replacing /etc/localtime in a mount namespace of its own needs root";
        }
        EXPECT_EQ(RerunCurrentTest(TestProgramPath(),
                                   "env -u TZ unshare -m sh -c 'mount -t tmpfs none /mnt && "
                                   "cp -a /etc/. /mnt && mount --bind /mnt /etc && "
                                   "exec \"$0\" \"$@\"'"),
                  0);
        return;
    }
    LocalTimeOfDay(); // the zone read as it was
    // As timedatectl does: the link is made anew, to another zone. The clock looks once a second.
    ASSERT_TRUE(
        QFile::remove(QStringLiteral("/etc/localtime")) &&
        QFile::link(QStringLiteral("/usr/share/zoneinfo/Etc/GMT+6"), QStringLiteral("/etc/localtime")));
    long aheadOfUtc = 0; // minutes
    for (int attempt = 0; attempt < 50 && aheadOfUtc != 18 * 60; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const TimeOfDay local = LocalTimeOfDay();
        aheadOfUtc =
            (local.hour * 60 + local.minute - std::time(nullptr) / 60 % (24 * 60) + 24 * 60) % (24 * 60);
    }
    EXPECT_EQ(aheadOfUtc, 18 * 60) << "/etc/localtime became GMT-6";
}

// At a leap second, in a zone ahead of UTC by 5:30; faketime may preload before the sanitizer's runtime.
TEST(LocalTime, IsTheClockInWholeSecondsWithALeapSecondShownAs59) {
    if (!InRerun()) {
        EXPECT_EQ(RerunCurrentTest(TestProgramPath(), "TZ=right/Asia/Kolkata FAKETIME_DONT_FAKE_MONOTONIC=1 "
                                                      "ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0 "
                                                      "faketime -f '2017-01-01 05:29:60'"),
                  0);
        return;
    }
    const TimeOfDay now = LocalTimeOfDay();
    EXPECT_EQ((std::array<int, 3>{now.hour, now.minute, now.second}), (std::array<int, 3>{5, 29, 59}));
}
