// The clock is the local time in whole seconds, and follows a change of time
// zone while it runs: through TZ, and through the zone file.
#include "render/timeofday.h"
#include "render/timezonewatch.h"
#include "support/session.h"

#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

// Whether the clock shows the zone `minutes` ahead of UTC within a few seconds (it looks once a second).
static bool clockShowsOffset(int minutes) {
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

TEST(TimeZone, TheHandsFollowTzChangedWhileRunning) {
    for (const auto& [tz, minutes] : {std::pair{"IST-5:30", 330}, std::pair{"XST+3", 21 * 60}}) {
        setenv("TZ", tz, 1);
        EXPECT_TRUE(clockShowsOffset(minutes)) << "TZ=" << tz;
    }
}

TEST(TimeZone, AReplacedZoneFileIsReadAgainAtMostOnceASecond) {
    QTemporaryDir folder;
    const QString zoneFile = folder.filePath(QStringLiteral("localtime"));
    const auto replace = [&](const char* content) { // by a new file, renamed over the old one
        QSaveFile file(zoneFile);
        return file.open(QIODevice::WriteOnly) && file.write(content) > 0 && file.commit();
    };
    ASSERT_TRUE(replace("first zone"));
    TimeZoneWatch watch(zoneFile.toStdString());
    const std::time_t t = 1767236400;
    EXPECT_EQ((std::array<bool, 2>{watch.Follow(t), watch.Follow(t + 1)}),
              (std::array<bool, 2>{true, false}));
    ASSERT_TRUE(replace("second zone"));
    EXPECT_EQ((std::array<bool, 3>{watch.Follow(t + 1), watch.Follow(t + 2), watch.Follow(t + 3)}),
              (std::array<bool, 3>{false, true, false}))
        << "looked already in the first second; seen in the next, once";
    ASSERT_TRUE(QFile::remove(zoneFile));
    EXPECT_TRUE(watch.Follow(t + 4)) << "a removed zone file is a change too";
}

// At a leap second, in a zone ahead of UTC by 5:30; faketime may preload before
// the sanitizer's runtime.
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
