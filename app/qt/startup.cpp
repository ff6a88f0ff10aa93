#include "app/qt/startup.h"

#include "app/formdesign.h"
#include "platform/posix_text.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace {

// One lock for all of it: Qt may report from other threads while start-up ends the watch.
std::mutex watchLock;
QtMessageHandler qtHandler = nullptr; // Qt's own, which prints
bool watching = false;
QString platforms; // what Qt was given to try, as given

// Qt is in the middle of starting: nothing of it can be torn down safely. Qt names its platform once one
// has started; its fatal message before then only says that none could, and what Qt said on the way (where
// the logging rules let it) is already out and tells why.
[[noreturn]] void endWithExplanation(const QString& fatal) {
    const QString platform = QGuiApplication::platformName();
    const QString message =
        platform.isEmpty()
            ? QStringLiteral("no display could be opened: Qt could not start the "
                             "platform \"%1\" (QT_QPA_PLATFORM or -platform name "
                             "the platforms to try).")
                  .arg(platforms)
            : QStringLiteral("the window cannot be shown on the platform \"%1\".\n  %2").arg(platform, fatal);
    WriteToTerminal(QStringLiteral("viduzirivo: %1").arg(message).toStdString());
    _exit(EXIT_FAILURE);
}

void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const std::lock_guard guard(watchLock);
    if (type == QtFatalMsg && watching) {
        endWithExplanation(text);
    }
    qtHandler(type, context, text);
}

// The screen's scale factor leaves the window pixels to be shown in.
bool scaleUsable(const QScreen& screen) {
    const double ratio = screen.devicePixelRatio();
    return std::isfinite(ratio) && ratio > 0 && !screen.availableGeometry().isEmpty() &&
           FormDesign::Pixels(FormDesign::kMinClientWidth) * ratio >= 1 &&
           FormDesign::Pixels(FormDesign::kMinClientHeight) * ratio >= 1;
}

} // namespace

// A program started with no arguments at all has no name to put the platforms after: Qt skips the first.
StartupWatch::StartupWatch(int argc, char* argv[])
    : m_arguments(argc > 0 ? std::vector<std::string>(argv, argv + argc)
                           : std::vector<std::string>{"viduzirivo"}) {
    bool named = false;                  // an empty name too is the user's
    for (int i = 1; i + 1 < argc; ++i) { // Qt takes --platform as well
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            platforms = QString::fromLocal8Bit(argv[i + 1]);
            named = true;
        }
    }
    // Qt, like this, takes an empty QT_QPA_PLATFORM for none.
    if (!named && !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        platforms = qEnvironmentVariable("QT_QPA_PLATFORM");
        named = true;
    }
    if (!named) {
        // The platform Qt takes for the session first, the other desktop platform after it: a desktop may
        // offer only one of them (no DISPLAY, say, but a Wayland compositor).
        const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
                             qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("wayland");
        platforms = wayland ? QStringLiteral("wayland;xcb") : QStringLiteral("xcb;wayland");
        m_arguments.insert(m_arguments.begin() + 1, {"-platform", platforms.toStdString()});
    }
    for (std::string& argument : m_arguments) {
        m_argv.push_back(argument.data());
    }
    m_argc = static_cast<int>(m_arguments.size());
    m_argv.push_back(nullptr);
    watching = true;
    qtHandler = qInstallMessageHandler(onQtMessage);
}

bool StartupWatch::ScreenCanShowTheWindow() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return true;
    }
    QString why;
    // Qt paints the controls into images of 15 bits or more, and OpenGL's RGBA formats need as many.
    if (screen->depth() < 15) {
        why = QStringLiteral("%1: the %2-bit screen \"%3\" cannot show the window, which needs a screen of "
                             "15 bits or more")
                  .arg(QString::fromUtf8(FormDesign::kOpenGLUnavailable))
                  .arg(screen->depth())
                  .arg(screen->name());
    } else if (!scaleUsable(*screen)) {
        why = QStringLiteral("the scale factor %1 of the screen \"%2\" leaves the window no pixels to be "
                             "shown in (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS and QT_FONT_DPI set it)")
                  .arg(screen->devicePixelRatio())
                  .arg(screen->name());
    } else {
        return true;
    }
    WriteToTerminal(QStringLiteral("viduzirivo: %1").arg(why).toStdString());
    return false;
}

void StartupWatch::Release() {
    const std::lock_guard guard(watchLock);
    if (watching) {
        qInstallMessageHandler(qtHandler);
        watching = false;
    }
}
