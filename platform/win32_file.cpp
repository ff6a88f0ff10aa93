// ReadOnlyFile over Win32 file handles; errors are described by the system's own message table.
#include "platform/file.h"

namespace {

HANDLE handleOf(std::intptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

} // namespace

ReadOnlyFile::ReadOnlyFile(const char* path) {
    // A folder cannot be opened this way (that takes FILE_FLAG_BACKUP_SEMANTICS), and opening a pipe or a
    // console device does not wait; both are then turned away by type.
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        m_error = SystemErrorMessage(GetLastError());
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
        m_error = SystemErrorMessage(GetLastError());
        return std::nullopt;
    }
    return count;
}

std::string SystemErrorMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length != 0 ? std::string(text, length) : "Error " + std::to_string(code) + ".";
    LocalFree(text);
    // The system's texts end with a line break, which a message box would show as an empty line.
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}
