// Viduzirivo: an animated three-dimensional analogue clock. Takes no command-line arguments of its own.
#include "app/qt/displaycheck.h"
#include "app/qt/formwindow.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[]) {
    StartupChecks checks(argc, argv);
    QApplication application(argc, argv);
    checks.DisplayOpened();
    QApplication::setApplicationName(QStringLiteral("viduzirivo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Viduzirivo"));
    // Names the installed viduzirivo.desktop entry, which desktops use to match the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("viduzirivo"));
    if (!checks.ScreenCanShowTheWindow()) {
        return EXIT_FAILURE;
    }

    FormWindow form;
    if (!form.Load()) {
        return EXIT_FAILURE;
    }
    form.show();
    checks.Release();
    return QApplication::exec();
}
