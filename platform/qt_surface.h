// The device contexts of the program's Qt drawing surfaces. On Windows a surface is a window of the Win32
// front end, whose device context comes from GetDC.
#pragma once

#include "platform/win32api.h"

class QWindow;

// True when the surfaces are Wayland ones, drawn through EGL; false on X11, drawn through GLX.
bool SurfacesOnWayland();

// The device context of a native drawing surface. The same surface always gives the same handle; the handle
// stays valid until the surface is destroyed and is never released by its users.
HDC GetSurfaceDC(QWindow* surface);
