// The program's own file and the current directory, for the texture loader that reads beside the program.
#include "platform/win32api.h"

#include <cerrno>
#include <cstring>
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
