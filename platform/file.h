// Reading a data file beside the program with the platform's own calls. Failures are described in the
// platform's words, in the user's language, as UTF-8; names are UTF-8 too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// A file opened for reading only. Only a regular file opens: a folder, a pipe or a device under the name is
// refused, and opening never waits on one.
class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const char* path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool IsOpen() const { return m_handle != kClosed; }
    // Reads up to `size` bytes from the current position: the count read, 0 at the end of the file, nothing
    // on a read error.
    std::optional<std::size_t> Read(void* buffer, std::size_t size);
    // Why opening or the last read failed, in the platform's words.
    const std::string& Error() const { return m_error; }

  private:
    static constexpr std::intptr_t kClosed = -1; // neither a file descriptor nor a Windows file handle

    std::intptr_t m_handle = kClosed;
    std::string m_error;
};

// Makes the folder that holds the running program's file the current directory, whatever its name and
// length. Nothing when it did; otherwise why not.
std::optional<std::string> EnterProgramFolder();
