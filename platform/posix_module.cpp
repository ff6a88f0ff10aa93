// LoadLibraryA / FreeLibrary over dlopen. The Windows names of the system's OpenGL and GLU libraries are
// mapped to their Linux sonames; any other name is passed to dlopen as it is.
#include "platform/win32api.h"

#include <algorithm>
#include <cctype>
#include <dlfcn.h>
#include <string>

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string platformLibraryName(const std::string& windowsName) {
    const std::string lower = lowerCase(windowsName);
    if (lower == "opengl32.dll" || lower == "opengl32") {
        return "libGL.so.1";
    }
    if (lower == "glu32.dll" || lower == "glu32") {
        return "libGLU.so.1";
    }
    return windowsName;
}

} // namespace

HMODULE LoadLibraryA(LPCSTR lpLibFileName) {
    if (lpLibFileName == nullptr || *lpLibFileName == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    void* handle = dlopen(platformLibraryName(lpLibFileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        SetLastError(ERROR_MOD_NOT_FOUND);
    }
    return static_cast<HMODULE>(handle);
}

BOOL FreeLibrary(HMODULE hLibModule) {
    if (hLibModule == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return dlclose(hLibModule) == 0 ? TRUE : FALSE;
}
