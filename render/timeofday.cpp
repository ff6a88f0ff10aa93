#include "render/timeofday.h"

#include "render/timezonewatch.h"

#include <ctime>

TimeOfDay LocalTimeOfDay() {
    static TimeZoneWatch zoneWatch;
    const std::time_t now = std::time(nullptr);
    zoneWatch.Follow(now);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    // A leap second (tm_sec 60) is shown as the last second of its minute.
    return {local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec};
}
