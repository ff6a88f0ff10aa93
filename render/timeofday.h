// The local time of day in whole seconds, as the clock hands show it.
#pragma once

#include <functional>

struct TimeOfDay {
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
};

using TimeOfDaySource = std::function<TimeOfDay()>;

TimeOfDay LocalTimeOfDay();
