// Whether the display of this process offers OpenGL contexts at all. Shared by the library loading of this
// folder only.
#pragma once

// True as well in a process without a display, where there is nothing to ask yet.
bool DisplayOffersOpenGL();
