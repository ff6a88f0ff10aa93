// LoadLibraryA / FreeLibrary over dlopen. The Windows name of the OpenGL library is mapped to the
// library the program draws through here; any other name is passed to dlopen as it is.
#include "platform/win32api.h"

#include <dlfcn.h>
#include <strings.h>

namespace {

// GL comes through GLVND's libOpenGL.so.0, as Qt draws, which hands each call on to the vendor library of the
// display's context (GLX on X11, EGL on Wayland).
const char* platformLibraryName(const char* windowsName) {
    if (strcasecmp(windowsName, "opengl32.dll") == 0 || strcasecmp(windowsName, "opengl32") == 0) {
        return "libOpenGL.so.0";
    }
    return windowsName;
}

} // namespace

HMODULE LoadLibraryA(LPCSTR lpLibFileName) {
    if (lpLibFileName == nullptr || *lpLibFileName == '\0') {
        return nullptr;
    }
    return static_cast<HMODULE>(dlopen(platformLibraryName(lpLibFileName), RTLD_NOW | RTLD_LOCAL));
}

BOOL FreeLibrary(HMODULE hLibModule) {
    return hLibModule != nullptr && dlclose(hLibModule) == 0 ? TRUE : FALSE;
}
