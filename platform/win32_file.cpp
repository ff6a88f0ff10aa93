// ReadOnlyFile and the program's folder over the wide-character Win32 calls: the ANSI ones turn every
// character outside the code page into '?', and a folder named in another script would not be found. Errors
// are the system's own texts.
#include "platform/file.h"

#include "platform/win32_text.h"

namespace {

HANDLE handleOf(std::intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

} // namespace

ReadOnlyFile::ReadOnlyFile(const char* path) {
    // A folder cannot be opened this way (that takes FILE_FLAG_BACKUP_SEMANTICS), and opening a pipe or a
    // console device does not wait; both are then turned away by type.
    HANDLE file = CreateFileW(Utf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        m_error = SystemMessage(GetLastError());
        return;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        m_error = std::string(path) + " is not a regular file.";
        return;
    }
    m_handle = reinterpret_cast<std::intptr_t>(file);
}

ReadOnlyFile::~ReadOnlyFile() {
    if (IsOpen()) {
        CloseHandle(handleOf(m_handle));
    }
}

std::optional<std::size_t> ReadOnlyFile::Read(void* buffer, std::size_t size) {
    DWORD count = 0;
    if (!ReadFile(handleOf(m_handle), buffer, static_cast<DWORD>(size), &count, nullptr)) {
        m_error = SystemMessage(GetLastError());
        return std::nullopt;
    }
    return count;
}

std::optional<std::string> EnterProgramFolder() {
    // The buffer grows until the name fits: a name longer than MAX_PATH is cut short and reported with
    // ERROR_INSUFFICIENT_BUFFER (on Windows XP only by filling the buffer).
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return SystemMessage(GetLastError());
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.erase(path.find_last_of(L"\\/") + 1);
    // A folder longer than MAX_PATH: Wine takes it as it is. Windows keeps the current directory within
    // MAX_PATH unless long paths are enabled (the manifest opts in, the system setting LongPathsEnabled
    // decides); where it refuses, its ERROR_FILENAME_EXCED_RANGE tells the user that the name is too long.
    if (!SetCurrentDirectoryW(path.c_str())) {
        return SystemMessage(GetLastError());
    }
    return std::nullopt;
}
