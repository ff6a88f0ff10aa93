// Viduzirivo: an animated three-dimensional analogue clock. Takes no command-line arguments of its own.
#include "app/qt/formwindow.h"
#include "app/qt/startup.h"

#include <QApplication>

#include <clocale>
#include <cstdlib>

int main(int argc, char* argv[]) {
    // The user's locale from the start, so that a message at start-up reaches the terminal in its encoding.
    std::setlocale(LC_ALL, "");
    StartupWatch startup(argc, argv);
    QApplication application(startup.Argc(), startup.Argv());
    QApplication::setApplicationName(QStringLiteral("viduzirivo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Viduzirivo"));
    // Names the installed viduzirivo.desktop entry, which desktops use to match the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("viduzirivo"));
    if (!startup.ScreenCanShowTheWindow()) {
        return EXIT_FAILURE;
    }

    FormWindow form;
    if (!form.Load()) {
        return EXIT_FAILURE;
    }
    form.show();
    startup.Release();
    return QApplication::exec();
}
