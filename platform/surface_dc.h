// Device contexts for the program's Qt drawing surfaces, and the memory device contexts that tests use to
// exercise formats that no real display here offers. POSIX/Qt side only: on Windows a surface is a window of
// the Win32 front end, whose device context comes from GetDC.
#pragma once

#include "platform/win32api.h"

class QWindow;

// True when the surfaces are Wayland ones, drawn through EGL; false on X11, drawn through GLX.
bool SurfacesOnWayland();

// The device context of a native drawing surface. The same surface always gives the same handle; the handle
// stays valid until the surface is destroyed and is never released by its users.
HDC GetSurfaceDC(QWindow* surface);

// A device context with no surface whose pixel format is already set to `format` (index 1). Rendering
// contexts cannot be created on it; pixel-format and palette calls work as on a window.
HDC CreateFormatDC(const PIXELFORMATDESCRIPTOR& format);
void DeleteFormatDC(HDC hdc);

// The 8-bit RGBA format of palette-based displays: red 3 bits at shift 0, green 3 at shift 3, blue 2 at 6.
PIXELFORMATDESCRIPTOR Palette332Format();
