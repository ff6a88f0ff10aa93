// Follows the system's time zone while the program runs, as desktop clocks do: a travelling laptop gets a
// new /etc/localtime, a session may change TZ or the zone file TZ names, and the C library reads the zone
// only when asked to (tzset).
#pragma once

#include <ctime>
#include <string>

class TimeZoneWatch {
  public:
    // Has the zone read again, at most once a second of `now`: the clock asks on every frame.
    void Follow(std::time_t now);

  private:
    bool m_looked = false;
    std::time_t m_lastLook = 0;
    std::string m_namedZone; // the zone file TZ names, as it was at the last look
};
