// Viduzirivo: an animated three-dimensional analogue clock. Takes no command-line arguments.
#include "app/win32/formwindow.h"

#include <windows.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
    FormWindow form(instance);
    if (!form.Load()) {
        // OpenGL is unavailable and the user has been told: the program ends at once, the window never shown
        // and nothing released by hand. Unwinding would destroy the renderer, whose release calls would go
        // to the opengl32.dll that could not be loaded.
        ExitProcess(EXIT_FAILURE);
    }
    form.Show(showCommand);
    return form.Run();
}
