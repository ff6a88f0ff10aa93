// The system OpenGL library is only half of "opengl32.dll" here: contexts come through the toolkit's GLX
// or EGL integration for the display. A display without one (an X server without GLX, a screen with no
// OpenGL visual) gives the renderer no context, however well the library loads.
#include "platform/qt_displayopengl.h"

#include <QGuiApplication>
#include <QOpenGLContext>

bool DisplayOffersOpenGL() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return true;
    }
    // The display does not change while the process runs: one trial context answers for all.
    static const bool offered = [] {
        QOpenGLContext trial;
        return trial.create();
    }();
    return offered;
}
