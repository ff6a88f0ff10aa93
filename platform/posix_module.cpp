// LoadLibraryA / FreeLibrary over dlopen. The Windows names of the system's OpenGL and GLU libraries are
// mapped to the libraries that play their part here; any other name is passed to dlopen as it is. The
// system OpenGL library counts as loaded only where the display offers OpenGL, as the renderer can draw
// nowhere else.
#include "platform/surface_dc.h"
#include "platform/win32api.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <dlfcn.h>
#include <string>
#include <vector>

namespace {

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isSystemOpenGL(const std::string& lowerName) {
    return lowerName == "opengl32.dll" || lowerName == "opengl32";
}

QStringList splitPaths(const char* variable) {
    return QString::fromLocal8Bit(qgetenv(variable)).split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

// The vendor files that GLVND's libEGL.so.1 reads, in its order: the listed files, or else the *.json files
// of the listed folders (or of its own two folders), each folder sorted by name.
QStringList eglVendorFiles() {
    QStringList files = splitPaths("__EGL_VENDOR_LIBRARY_FILENAMES");
    if (!files.isEmpty()) {
        return files;
    }
    QStringList folders = splitPaths("__EGL_VENDOR_LIBRARY_DIRS");
    if (folders.isEmpty()) {
        folders = {QStringLiteral("/etc/glvnd/egl_vendor.d"),
                   QStringLiteral("/usr/share/glvnd/egl_vendor.d")};
    }
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
            files << dir.filePath(name);
        }
    }
    return files;
}

std::vector<std::string> eglVendorLibraries() {
    std::vector<std::string> libraries;
    for (const QString& path : eglVendorFiles()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QJsonObject icd =
                QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("ICD")).toObject();
            const QString library = icd.value(QLatin1String("library_path")).toString();
            if (!library.isEmpty()) {
                libraries.push_back(library.toStdString());
            }
        }
    }
    return libraries;
}

// The libraries that may stand for a Windows library name, in the order to try them. On X11 the system's
// OpenGL is libGL.so.1 (OpenGL with GLX). On Wayland it is the EGL implementation: libEGL.so.1 and
// libOpenGL.so.0 only dispatch (Qt cannot start without them), and GLVND's libEGL.so.1 hands every call
// to a vendor's library.
std::vector<std::string> platformLibraryNames(const std::string& windowsName) {
    const std::string lower = lowerCase(windowsName);
    if (isSystemOpenGL(lower)) {
        return SurfacesOnWayland() ? eglVendorLibraries() : std::vector<std::string>{"libGL.so.1"};
    }
    if (lower == "glu32.dll" || lower == "glu32") {
        return {"libGLU.so.1"};
    }
    return {windowsName};
}

} // namespace

HMODULE LoadLibraryA(LPCSTR lpLibFileName) {
    if (lpLibFileName == nullptr || *lpLibFileName == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    for (const std::string& name : platformLibraryNames(lpLibFileName)) {
        if (void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL)) {
            if (isSystemOpenGL(lowerCase(lpLibFileName)) && !DisplayOffersOpenGL()) {
                dlclose(handle);
                SetLastError(ERROR_DLL_INIT_FAILED);
                return nullptr;
            }
            return static_cast<HMODULE>(handle);
        }
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE hLibModule) {
    if (hLibModule == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return dlclose(hLibModule) == 0 ? TRUE : FALSE;
}
