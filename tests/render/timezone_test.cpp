// The clock is the local time in whole seconds, and follows a change of time zone while it runs: through
// TZ, through the zone file TZ names, and through /etc/localtime.
#include "render/timeofday.h"
#include "support/session.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <unistd.h>

namespace {

// Whether the clock shows the zone `minutes` ahead of UTC within a few seconds (it looks once a second).
bool clockShowsOffset(int minutes) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        const TimeOfDay local = LocalTimeOfDay();
        const long utcMinute = std::time(nullptr) / 60 % (24 * 60);
        if ((local.hour * 60 + local.minute - utcMinute + 24 * 60) % (24 * 60) == minutes) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// Puts the system's zone `name` at `path` as a new file renamed over the old one, as zone tools save it.
bool replaceZone(const QString& path, const char* name) {
    QFile zone(QStringLiteral("/usr/share/zoneinfo/Etc/") + QLatin1String(name));
    QSaveFile file(path);
    return zone.open(QIODevice::ReadOnly) && file.open(QIODevice::WriteOnly) &&
           file.write(zone.readAll()) > 0 && file.commit();
}

} // namespace

TEST(TimeZone, TheHandsFollowTzAndTheZoneFileItNamesChangedWhileRunning) {
    for (const auto& [tz, minutes] : {std::pair{"IST-5:30", 330}, std::pair{"XST+3", 21 * 60}}) {
        setenv("TZ", tz, 1);
        EXPECT_TRUE(clockShowsOffset(minutes)) << "TZ=" << tz;
    }
    QTemporaryDir zones;
    ASSERT_TRUE(replaceZone(zones.filePath(QStringLiteral("Home")), "UTC"));
    setenv("TZDIR", qPrintable(zones.path()), 1);
    setenv("TZ", "Home", 1);
    EXPECT_TRUE(clockShowsOffset(0));
    ASSERT_TRUE(replaceZone(zones.filePath(QStringLiteral("Home")), "GMT+6"));
    EXPECT_TRUE(clockShowsOffset(18 * 60)) << "the zone file of TZ=Home became GMT-6";
    unsetenv("TZDIR");
    unsetenv("TZ"); // back to the system's zone, named by no TZ
    for (int look = 0; look < 12; ++look, std::this_thread::sleep_for(std::chrono::milliseconds(100))) {
        LocalTimeOfDay();
    }
}

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
    // As timedatectl does: the link is made anew, to another zone.
    ASSERT_TRUE(
        QFile::remove(QStringLiteral("/etc/localtime")) &&
        QFile::link(QStringLiteral("/usr/share/zoneinfo/Etc/GMT+6"), QStringLiteral("/etc/localtime")));
    EXPECT_TRUE(clockShowsOffset(18 * 60)) << "/etc/localtime became GMT-6";
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
