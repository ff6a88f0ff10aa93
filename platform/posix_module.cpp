// LoadLibraryA / FreeLibrary over dlopen. The Windows names of the system's OpenGL and GLU libraries are
// mapped to their Linux sonames; any other name is passed to dlopen as it is. The system OpenGL library
// counts as loaded only where the display offers OpenGL, as the renderer can draw nowhere else.
#include "platform/qt_displayopengl.h"
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

bool isSystemOpenGL(const std::string& windowsName) {
    const std::string lower = lowerCase(windowsName);
    return lower == "opengl32.dll" || lower == "opengl32";
}

std::string platformLibraryName(const std::string& windowsName) {
    const std::string lower = lowerCase(windowsName);
    if (isSystemOpenGL(windowsName)) {
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
        return nullptr;
    }
    if (isSystemOpenGL(lpLibFileName) && !DisplayOffersOpenGL()) {
        dlclose(handle);
        SetLastError(ERROR_DLL_INIT_FAILED);
        return nullptr;
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
