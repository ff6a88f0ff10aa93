#include "render/timeofday.h"

#include <ctime>

TimeOfDay LocalTimeOfDay() {
    // The zone is read again at most once a second, as desktop clocks follow a change of zone while they
    // run: tzset reads /etc/localtime again when it has changed (Windows: the registry), while a zone that
    // TZ names is read once, as by any program. localtime_r alone would keep the zone it first read.
    static std::time_t lastLook = -1;
    const std::time_t now = std::time(nullptr);
    if (now != lastLook) {
        lastLook = now;
#ifdef _WIN32
        _tzset();
#else
        tzset();
#endif
    }
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    // A leap second (tm_sec 60) is shown as the last second of its minute.
    return {local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec};
}
