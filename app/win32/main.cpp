// Viduzirivo: an animated three-dimensional analogue clock. Takes no command-line arguments.
#include "app/win32/formwindow.h"

#include <windows.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
    FormWindow form(instance);
    if (!form.Load()) {
        // OpenGL is unavailable and the user has been told: end here, the window never shown.
        return EXIT_FAILURE;
    }
    form.Show(showCommand);
    return form.Run();
}
