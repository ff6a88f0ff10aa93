#include "app/qt/startup.h"

#include "app/formdesign.h"
#include "platform/posix_text.h"

#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// One lock for all of it: Qt may report from other threads while start-up ends the watch.
std::mutex watchLock;
QtMessageHandler passOn = nullptr;
bool displayOpened = false;
QString platforms; // what Qt was given to try
std::vector<HeldMessage> held;

// Qt is in the middle of starting: nothing of it can be torn down safely. Qt names its platform once one
// has started; its fatal message before then only says that none could, and what Qt said on the way (where
// the logging rules let it) tells why.
[[noreturn]] void endWithExplanation(const QString& fatal) {
    const QString platform = QGuiApplication::platformName();
    QString message =
        platform.isEmpty()
            ? QStringLiteral("no display could be opened: Qt could not start the "
                             "platform \"%1\" (QT_QPA_PLATFORM or -platform name "
                             "the platforms to try).")
                  .arg(platforms)
            : QStringLiteral("the window cannot be shown on the platform \"%1\".").arg(platform);
    for (const HeldMessage& reason : held) {
        message += QStringLiteral("\n  ") + reason.text;
    }
    if (!platform.isEmpty()) {
        message += QStringLiteral("\n  ") + fatal;
    }
    WriteToTerminal(QStringLiteral("viduzirivo: %1").arg(message).toStdString());
    _exit(EXIT_FAILURE);
}

void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const std::lock_guard guard(watchLock);
    if (type == QtFatalMsg) {
        endWithExplanation(text);
    }
    if (displayOpened) {
        passOn(type, context, text);
    } else {
        held.push_back({type, context.category, text});
    }
}

} // namespace

// A program started with no arguments at all has no name to put the platforms after: Qt skips the first.
StartupWatch::StartupWatch(int argc, char* argv[])
    : m_arguments(argc > 0 ? std::vector<std::string>(argv, argv + argc)
                           : std::vector<std::string>{"viduzirivo"}) {
    for (int i = 1; i + 1 < argc; ++i) { // Qt takes --platform as well
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            platforms = QString::fromLocal8Bit(argv[i + 1]);
        }
    }
    platforms = platforms.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM") : platforms;
    if (platforms.isEmpty()) {
        // The platform Qt takes for the session first, the other desktop platform after it: a desktop may
        // offer only one of them (no DISPLAY, say, but a Wayland compositor).
        platforms = qEnvironmentVariable("XDG_SESSION_TYPE") == QStringLiteral("wayland")
                        ? QStringLiteral("wayland;xcb")
                        : QStringLiteral("xcb;wayland");
        m_arguments.insert(m_arguments.begin() + 1, {"-platform", platforms.toStdString()});
    }
    for (std::string& argument : m_arguments) {
        m_argv.push_back(argument.data());
    }
    m_argc = static_cast<int>(m_arguments.size());
    m_argv.push_back(nullptr);
    passOn = qInstallMessageHandler(onQtMessage);
}

void StartupWatch::DisplayOpened() {
    const std::lock_guard guard(watchLock);
    displayOpened = true;
    for (const HeldMessage& message : held) {
        passOn(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
               message.text);
    }
    held.clear();
}

bool StartupWatch::ScreenCanShowTheWindow() const {
    // Qt paints the controls into images of 15 bits or more, and OpenGL's RGBA formats need as many.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr || screen->depth() >= 15) {
        return true;
    }
    WriteToTerminal(
        QStringLiteral("viduzirivo: %1: the %2-bit screen \"%3\" cannot show the window, which needs "
                       "a screen of 15 bits or more")
            .arg(QString::fromUtf8(FormDesign::kOpenGLUnavailable))
            .arg(screen->depth())
            .arg(screen->name())
            .toStdString());
    return false;
}

void StartupWatch::Release() {
    const std::lock_guard guard(watchLock);
    if (passOn != nullptr) {
        qInstallMessageHandler(passOn);
        passOn = nullptr;
    }
}
