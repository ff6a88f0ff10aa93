#include "render/timezonewatch.h"

#include <cstdlib>
#include <sys/stat.h>
#include <utility>

#ifdef _WIN32
#define statFile _stat64
using FileStatus = struct _stat64;
#define readZone _tzset
// Windows keeps the zone in the registry, where no file shows a change: every look reads it again.
constexpr bool kZoneChangesShowInFiles = false;
#else
#define statFile stat
using FileStatus = struct stat;
#define readZone tzset
constexpr bool kZoneChangesShowInFiles = true;
#endif

TimeZoneWatch::TimeZoneWatch(std::string zoneFile) : m_zoneFile(std::move(zoneFile)) {}

bool TimeZoneWatch::Follow(std::time_t now) {
    if (m_looked && now == m_lastLook) {
        return false;
    }
    const bool firstLook = !m_looked;
    m_looked = true;
    m_lastLook = now;
    ZoneIdentity zone = CurrentZone();
    if (!firstLook && kZoneChangesShowInFiles && zone == m_zone) {
        return false;
    }
    m_zone = std::move(zone);
    readZone();
    return true;
}

TimeZoneWatch::ZoneIdentity TimeZoneWatch::CurrentZone() const {
    ZoneIdentity zone;
    if (const char* tz = std::getenv("TZ"); tz != nullptr) {
        zone.tzSet = true;
        zone.tz = tz;
    }
    // A replaced zone file (a new link target, or a copy written over it) has a new inode or time; stat
    // follows the link, so retargeting /etc/localtime counts as well.
    FileStatus status{};
    if (!m_zoneFile.empty() && statFile(m_zoneFile.c_str(), &status) == 0) {
        zone.fileFound = true;
        zone.device = static_cast<unsigned long long>(status.st_dev);
        zone.inode = static_cast<unsigned long long>(status.st_ino);
        zone.modified = static_cast<long long>(status.st_mtime);
    }
    return zone;
}
