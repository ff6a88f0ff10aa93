// LoadLibraryA / FreeLibrary over dlopen. The Windows names of the OpenGL and GLU libraries are mapped to the
// libraries the program draws through here; any other name is passed to dlopen as it is. Whether the display
// offers OpenGL at all shows when the renderer makes its context current on its surface.
#include "platform/win32api.h"

#include <dlfcn.h>
#include <strings.h>

namespace {

// GL comes through GLVND's libOpenGL.so.0, which the program links, as Qt does; GLVND hands each call on to
// the vendor library of the display's context (GLX on X11, EGL on Wayland).
const char* platformLibraryName(const char* windowsName) {
    if (strcasecmp(windowsName, "opengl32.dll") == 0 || strcasecmp(windowsName, "opengl32") == 0) {
        return "libOpenGL.so.0";
    }
    if (strcasecmp(windowsName, "glu32.dll") == 0 || strcasecmp(windowsName, "glu32") == 0) {
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
    void* handle = dlopen(platformLibraryName(lpLibFileName), RTLD_NOW | RTLD_LOCAL);
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
