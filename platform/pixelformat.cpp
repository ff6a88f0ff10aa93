#include "platform/win32api.h"

PIXELFORMATDESCRIPTOR g_pfd{};
