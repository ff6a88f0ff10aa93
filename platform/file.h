// Reading a data file beside the program with the platform's own calls; failures are described in the
// platform's words and shown in its message box. Names and descriptions are text in the platform's encoding:
// UTF-8 on Windows (the system's UTF-16 converted without a code page, so that no character is lost), the
// locale's encoding elsewhere (as the C library's descriptions and the file system's names come).
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

// Shows `text`, a description as the functions above give it, in a modal box with the exclamation icon, an OK
// button and `caption`; returns when the user has answered it.
void ShowWarning(const std::string& text, const char* caption);
