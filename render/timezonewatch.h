// Follows the system's time zone while the program runs, as desktop clocks do: a travelling laptop gets a
// new /etc/localtime, a session may change TZ, and the C library reads the zone only once unless tzset()
// is called again.
#pragma once

#include <ctime>
#include <string>

class TimeZoneWatch {
  public:
    explicit TimeZoneWatch(std::string zoneFile = "/etc/localtime");

    // Reads the zone again (tzset) when TZ or the zone file changed since the last look; true when it did.
    // Looks at most once a second of `now`: the clock asks on every frame, many times a second.
    bool Follow(std::time_t now);

  private:
    // What identifies the zone in force: the TZ variable, and the zone file that is used when TZ is unset.
    struct ZoneIdentity {
        bool tzSet = false;
        std::string tz;
        bool fileFound = false;
        unsigned long long device = 0;
        unsigned long long inode = 0;
        long long modified = 0;
        bool operator==(const ZoneIdentity&) const = default;
    };
    ZoneIdentity CurrentZone() const;

    std::string m_zoneFile;
    bool m_looked = false;
    std::time_t m_lastLook = 0;
    ZoneIdentity m_zone;
};
