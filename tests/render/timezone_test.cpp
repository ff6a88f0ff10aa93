// The clock is the local time in whole seconds, and follows a change of time zone while it runs: through TZ,
// and through the zone file.
#include "render/timeofday.h"
#include "render/timezonewatch.h"
#include "support/session.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

int minutesAheadOfUtc(const TimeOfDay& local, std::time_t now) {
    std::tm utc{};
    gmtime_r(&now, &utc);
    const int difference = (local.hour * 60 + local.minute) - (utc.tm_hour * 60 + utc.tm_min);
    return (difference + 24 * 60) % (24 * 60);
}

// Whether the clock shows the zone `minutes` ahead of UTC within a few seconds (it looks once a second).
bool clockShowsOffset(int minutes) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        const TimeOfDay local = LocalTimeOfDay();
        if (minutesAheadOfUtc(local, std::time(nullptr)) == minutes) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

bool replaceFile(const QString& path, const char* content) {
    const QByteArray next = (path + QStringLiteral(".next")).toLocal8Bit();
    std::FILE* file = std::fopen(next.constData(), "w");
    if (file == nullptr) {
        return false;
    }
    std::fputs(content, file);
    std::fclose(file);
    return std::rename(next.constData(), path.toLocal8Bit().constData()) == 0;
}

} // namespace

TEST(TimeZone, TheHandsFollowTzChangedWhileRunning) {
    const char* saved = std::getenv("TZ");
    const std::string restore = saved != nullptr ? saved : "";
    for (const auto& [tz, minutes] :
         {std::pair{"UTC0", 0}, std::pair{"IST-5:30", 330}, std::pair{"XST+3", 21 * 60}}) {
        setenv("TZ", tz, 1);
        EXPECT_TRUE(clockShowsOffset(minutes)) << "TZ=" << tz;
    }
    if (saved != nullptr) {
        setenv("TZ", restore.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST(TimeZone, AReplacedZoneFileIsReadAgainAtMostOnceASecond) {
    QTemporaryDir folder;
    const QString zoneFile = folder.filePath(QStringLiteral("localtime"));
    ASSERT_TRUE(replaceFile(zoneFile, "first zone"));
    TimeZoneWatch watch(zoneFile.toStdString());
    const std::time_t t = 1767236400;

    EXPECT_TRUE(watch.Follow(t)) << "the first look reads the zone";
    EXPECT_FALSE(watch.Follow(t + 1)) << "nothing changed";
    ASSERT_TRUE(replaceFile(zoneFile, "second zone"));
    EXPECT_FALSE(watch.Follow(t + 1)) << "looked already in this second";
    EXPECT_TRUE(watch.Follow(t + 2)) << "the new file is seen in the next second";
    EXPECT_FALSE(watch.Follow(t + 3));
    ASSERT_TRUE(QFile::remove(zoneFile));
    EXPECT_TRUE(watch.Follow(t + 4)) << "a removed zone file is a change too";
}

TEST(LocalTime, IsTheClockInWholeSeconds) {
    if (!InRerun()) { // again, with the clock stopped at a known local time
        // faketime preloads itself, ahead of the address sanitizer's runtime in a sanitizer build.
        const char* frozen =
            "TZ=UTC FAKETIME_DONT_FAKE_MONOTONIC=1 ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0 "
            "faketime -f '2026-01-01 15:04:05'";
        EXPECT_EQ(RerunCurrentTest(TestProgramPath(), frozen), 0);
        return;
    }
    const TimeOfDay now = LocalTimeOfDay();
    EXPECT_EQ((std::array<int, 3>{now.hour, now.minute, now.second}), (std::array<int, 3>{15, 4, 5}));
}
