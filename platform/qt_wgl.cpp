// WGL rendering contexts over QOpenGLContext: made current on a surface's native window, swapped, deleted.
// Every entry point returns the Win32 failure value (null or FALSE) and sets the last error instead of
// throwing.
#include "platform/qt_devicecontext.h"
#include "platform/qt_surface.h"

#include <QOpenGLContext>
#include <QWindow>

#include <algorithm>
#include <memory>

struct HGLRC__ {
    std::unique_ptr<QOpenGLContext> context;
};

namespace {

// Never destroyed: a program that exits with a context still alive (Qt exits when the display connection
// breaks) must not destroy it after Qt's own statics are gone.
std::vector<std::unique_ptr<HGLRC__>>& liveContexts() {
    static auto* contexts = new std::vector<std::unique_ptr<HGLRC__>>;
    return *contexts;
}

thread_local HGLRC currentContext = nullptr;

std::vector<std::unique_ptr<HGLRC__>>::iterator findContext(HGLRC hglrc) {
    auto& contexts = liveContexts();
    return std::find_if(contexts.begin(), contexts.end(),
                        [hglrc](const auto& c) { return c.get() == hglrc; });
}

bool hasDrawableSurface(HDC hdc) {
    return IsLiveDC(hdc) && hdc->window != nullptr && hdc->pixelFormat != 0;
}

} // namespace

HGLRC wglCreateContext(HDC hdc) {
    if (!hasDrawableSurface(hdc)) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    auto rc = std::make_unique<HGLRC__>();
    if (hdc->spareContext) {
        rc->context = std::move(hdc->spareContext);
    } else {
        rc->context = std::make_unique<QOpenGLContext>();
        rc->context->setFormat(hdc->window->requestedFormat());
    }
    if (!rc->context->isValid() && !rc->context->create()) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        return nullptr;
    }
    liveContexts().push_back(std::move(rc));
    return liveContexts().back().get();
}

BOOL wglMakeCurrent(HDC hdc, HGLRC hglrc) {
    if (hglrc == nullptr) {
        // No context: whatever is current on this thread stops being current; the DC is not looked at.
        if (currentContext != nullptr) {
            currentContext->context->doneCurrent();
            currentContext = nullptr;
        }
        return TRUE;
    }
    if (findContext(hglrc) == liveContexts().end() || !hasDrawableSurface(hdc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!hglrc->context->makeCurrent(hdc->window)) {
        SetLastError(ERROR_INVALID_PIXEL_FORMAT);
        currentContext = nullptr;
        return FALSE;
    }
    currentContext = hglrc;
    return TRUE;
}

BOOL wglDeleteContext(HGLRC hglrc) {
    auto found = findContext(hglrc);
    if (found == liveContexts().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (currentContext == hglrc) {
        hglrc->context->doneCurrent();
        currentContext = nullptr;
    }
    liveContexts().erase(found);
    return TRUE;
}

HGLRC wglGetCurrentContext() {
    return currentContext;
}

BOOL SwapBuffers(HDC hdc) {
    if (!hasDrawableSurface(hdc) || currentContext == nullptr ||
        currentContext->context->surface() != hdc->window) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // A surface that is not on screen (still hidden at start-up, or minimised) has nothing to present.
    if (hdc->window->isExposed()) {
        currentContext->context->swapBuffers(hdc->window);
    }
    // The next frame draws into the surface as it is now. A WGL or GLX context stays bound to its window
    // whatever becomes of it; an EGL context on Wayland is bound to a buffer surface that Qt makes only
    // once the window has a size and remakes when the window is shown again, so binding once at start-up
    // (before the window is shown) would leave every later frame drawn into nothing.
    if (SurfacesOnWayland()) {
        currentContext->context->makeCurrent(hdc->window);
    }
    return TRUE;
}
