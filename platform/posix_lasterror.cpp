// The calling thread's last-error code, as the Win32 entry points of this folder report it.
#include "platform/win32api.h"

namespace {
thread_local DWORD lastError = 0;
}

DWORD GetLastError() {
    return lastError;
}

void SetLastError(DWORD dwErrCode) {
    lastError = dwErrCode;
}
