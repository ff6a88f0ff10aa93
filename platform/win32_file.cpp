// ReadOnlyFile over Win32 file handles, opened by its UTF-16 name. Errors are the system's own texts.
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
