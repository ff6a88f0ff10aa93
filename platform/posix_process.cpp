// The program's own file and the current directory, for the texture loader that reads beside the program.
#include "platform/file.h"
#include "platform/win32api.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <unistd.h>

DWORD GetModuleFileNameA(HMODULE hModule, char* lpFilename, DWORD nSize) {
    if (hModule != nullptr || lpFilename == nullptr || nSize == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // The kernel's link to the running executable names its real file, with symbolic links resolved.
    const ssize_t length = readlink("/proc/self/exe", lpFilename, nSize);
    if (length < 0) {
        SetLastError(static_cast<DWORD>(errno));
        return 0;
    }
    if (static_cast<DWORD>(length) >= nSize) {
        lpFilename[nSize - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    lpFilename[length] = '\0';
    return static_cast<DWORD>(length);
}

BOOL SetCurrentDirectoryA(LPCSTR lpPathName) {
    if (lpPathName == nullptr || chdir(lpPathName) != 0) {
        SetLastError(lpPathName == nullptr ? ERROR_INVALID_PARAMETER : static_cast<DWORD>(errno));
        return FALSE;
    }
    return TRUE;
}

std::optional<std::string> EnterProgramFolder() {
    char programPath[4096];
    const DWORD length = GetModuleFileNameA(nullptr, programPath, sizeof(programPath));
    if (length == 0 || length >= sizeof(programPath)) {
        return std::system_category().message(static_cast<int>(GetLastError()));
    }
    std::string folder(programPath, length);
    folder.erase(folder.find_last_of("/\\") + 1);
    if (!SetCurrentDirectoryA(folder.c_str())) {
        return std::system_category().message(static_cast<int>(GetLastError()));
    }
    return std::nullopt;
}
