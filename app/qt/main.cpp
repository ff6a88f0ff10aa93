// Viduzirivo: an animated three-dimensional analogue clock. Takes no command-line arguments of its own.
#include "app/qt/displaycheck.h"
#include "app/qt/formwindow.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[]) {
    // The credit box is a native window over the drawing surface; its ancestors must be native too, but the
    // bars and labels beside them need not be: fewer windows to create make a faster start.
    QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    if (!ChooseDisplay()) {
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("viduzirivo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Viduzirivo"));
    // Names the installed viduzirivo.desktop entry, which desktops use to match the window to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("viduzirivo"));
    ScreenCheck screen;
    if (!screen.CanBePainted()) {
        return EXIT_FAILURE;
    }

    FormWindow form;
    if (!form.Load()) {
        return EXIT_FAILURE;
    }
    form.show();
    return QApplication::exec();
}
