#include "render/timezonewatch.h"

#include <cstdlib>
#include <sys/stat.h>

#ifndef _WIN32
namespace {

// What tells one version of the zone file that TZ names (":Europe/Berlin", "Europe/Berlin" under TZDIR, or
// a path) from another: a file written anew or put in its place has a new time, size or inode. Empty where TZ
// is unset, or a rule such as "IST-5:30".
std::string namedZone() {
    const char* tz = std::getenv("TZ");
    if (tz == nullptr || *tz == '\0') {
        return {};
    }
    std::string name = tz[0] == ':' ? tz + 1 : tz;
    if (name[0] != '/') {
        const char* folder = std::getenv("TZDIR");
        name =
            std::string(folder != nullptr && *folder != '\0' ? folder : "/usr/share/zoneinfo") + "/" + name;
    }
    struct stat file {};
    if (stat(name.c_str(), &file) != 0) {
        return name;
    }
    return name + ' ' + std::to_string(file.st_dev) + ' ' + std::to_string(file.st_ino) + ' ' +
           std::to_string(file.st_mtim.tv_sec) + '.' + std::to_string(file.st_mtim.tv_nsec) + ' ' +
           std::to_string(file.st_size);
}

} // namespace
#endif

void TimeZoneWatch::Follow(std::time_t now) {
    if (m_looked && now == m_lastLook) {
        return;
    }
    m_lastLook = now;
#ifdef _WIN32
    _tzset(); // Windows keeps the zone in the registry, where _tzset reads it on every call
#else
    // tzset reads /etc/localtime again when it changed, and TZ when it changed, but keeps a zone file named
    // by an unchanged TZ: that zone is named anew once, so that tzset cannot take it for the same.
    std::string zone = namedZone();
    if (m_looked && !zone.empty() && zone != m_namedZone) {
        const std::string tz = std::getenv("TZ");
        setenv("TZ", "UTC0", 1);
        tzset();
        setenv("TZ", tz.c_str(), 1);
    }
    m_namedZone = std::move(zone);
    tzset();
#endif
    m_looked = true;
}
