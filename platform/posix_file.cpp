// ReadOnlyFile and the program's folder over POSIX calls; errors are described by the C library's strerror
// texts, converted from the locale's encoding.
#include "platform/file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <iconv.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The C library's description of an error, in the locale's language, as UTF-8.
std::string describe(int error) {
    std::string text = std::strerror(error);
    iconv_t toUtf8 = iconv_open("UTF-8", nl_langinfo(CODESET));
    if (toUtf8 == reinterpret_cast<iconv_t>(-1)) {
        return text;
    }
    std::string converted(4 * text.size(), '\0');
    char* in = text.data();
    char* out = converted.data();
    std::size_t inLeft = text.size();
    std::size_t outLeft = converted.size();
    const bool done = iconv(toUtf8, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(toUtf8);
    converted.resize(converted.size() - outLeft);
    return done ? converted : text;
}

} // namespace

ReadOnlyFile::ReadOnlyFile(const char* path) {
    // Non-blocking, so that a FIFO or a device under the name cannot hold up start-up.
    const int file = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) {
        m_error = describe(errno);
        return;
    }
    struct stat status {};
    if (fstat(file, &status) == 0 && !S_ISREG(status.st_mode)) {
        close(file);
        m_error = S_ISDIR(status.st_mode) ? describe(EISDIR) : std::string(path) + " is not a regular file.";
        return;
    }
    m_handle = file;
}

ReadOnlyFile::~ReadOnlyFile() {
    if (IsOpen()) {
        close(static_cast<int>(m_handle));
    }
}

std::optional<std::size_t> ReadOnlyFile::Read(void* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = read(static_cast<int>(m_handle), buffer, size);
        if (count >= 0) {
            return static_cast<std::size_t>(count);
        }
        if (errno != EINTR) {
            m_error = describe(errno);
            return std::nullopt;
        }
    }
}

std::optional<std::string> EnterProgramFolder() {
    // The kernel's link to the running executable names its real file, with symbolic links resolved.
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0 || static_cast<std::size_t>(length) >= path.size()) {
        return describe(length < 0 ? errno : ENAMETOOLONG);
    }
    path.resize(static_cast<std::size_t>(length));
    path.erase(path.find_last_of('/') + 1);
    if (chdir(path.c_str()) != 0) {
        return describe(errno);
    }
    return std::nullopt;
}
