// OpenGL 1.1 and GLU as the renderer and the scene models call them, by their own names.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
