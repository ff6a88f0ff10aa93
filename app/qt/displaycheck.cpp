#include "app/qt/displaycheck.h"

#include "app/formdesign.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <unistd.h>
#include <vector>
#include <wayland-client.h>
#include <xcb/xcb.h>

namespace {

// What the earlier attempts of this start found, handed to the next one with the environment.
constexpr char kTriedVariable[] = "VIDUZIRIVO_DISPLAYS_TRIED";

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

struct Watch {
    std::mutex lock;
    QtMessageHandler passOn = nullptr;
    bool displayOpened = false;
    std::vector<HeldMessage> held;
    QString chosenPlatform;             // QT_QPA_PLATFORM as the user gave it
    QStringList earlierReasons;         // from the attempts before this one
    std::vector<std::string> arguments; // to start again with
};

Watch& watch() {
    static Watch instance;
    return instance;
}

// Messages go to stderr in the locale's encoding, as the terminal shows it; in UTF-8 where the locale has
// no characters for them (the C locale, before Qt has applied the user's).
void tellUser(const QString& message) {
    const QString line = QStringLiteral("viduzirivo: ") + message;
    const std::wstring wide = line.toStdWString();
    std::string text(wide.size() * MB_CUR_MAX + 1, '\0');
    const std::size_t length = std::wcstombs(text.data(), wide.c_str(), text.size());
    if (length == static_cast<std::size_t>(-1)) {
        text = line.toStdString();
    } else {
        text.resize(length);
    }
    std::fprintf(stderr, "%s\n", text.c_str());
}

QString x11Problem() {
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        return QStringLiteral("X11: DISPLAY is not set");
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool opened = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return opened ? QStringLiteral("X11: display \"%1\" opened, but Qt's X11 plug-in could not start")
                        .arg(display)
                  : QStringLiteral("X11: display \"%1\" cannot be opened").arg(display);
}

QString waylandProblem() {
    // wayland-0 is the name libwayland connects to when WAYLAND_DISPLAY gives none.
    const QString name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    errno = 0;
    wl_display* display = wl_display_connect(nullptr);
    const int error = errno;
    if (display != nullptr) {
        wl_display_disconnect(display);
        return QStringLiteral("Wayland: display \"%1\" opened, but Qt's Wayland plug-in could not start")
            .arg(name);
    }
    return QStringLiteral("Wayland: display \"%1\" cannot be opened: %2")
        .arg(name, QString::fromLocal8Bit(std::strerror(error)));
}

QString platformProblem(const QString& platform) {
    if (platform == QStringLiteral("xcb")) {
        return x11Problem();
    }
    if (platform.startsWith(QStringLiteral("wayland"))) {
        return waylandProblem();
    }
    return QStringLiteral("the Qt platform plug-in \"%1\" could not start").arg(platform);
}

// The platforms Qt reported as tried and failed, each with the reason learnt from its display library; where
// Qt named none (a plug-in that failed after loading), what Qt said.
QStringList reasonsOf(const std::vector<HeldMessage>& held, const QString& fatal, QStringList& tried) {
    static const QRegularExpression pluginFailure(
        QStringLiteral("^Could not (find|load) the Qt platform plugin \"([^\"]*)\""));
    QStringList reasons;
    for (const HeldMessage& message : held) {
        const QRegularExpressionMatch match = pluginFailure.match(message.text);
        if (message.category != "qt.qpa.plugin" || !match.hasMatch()) {
            continue;
        }
        const QString platform = match.captured(2);
        tried << platform;
        reasons << (match.captured(1) == QStringLiteral("find")
                        ? QStringLiteral("the Qt platform plug-in \"%1\" is not installed").arg(platform)
                        : platformProblem(platform));
    }
    if (tried.isEmpty()) {
        for (const HeldMessage& message : held) {
            reasons << message.text;
        }
        reasons << fatal;
    }
    return reasons;
}

// X11 and Wayland, where Qt chose the platform and tried only one of them.
QStringList untriedDesktopPlatforms(const QStringList& tried) {
    QStringList untried;
    if (!tried.contains(QStringLiteral("xcb"))) {
        untried << QStringLiteral("xcb");
    }
    if (std::none_of(tried.begin(), tried.end(),
                     [](const QString& p) { return p.startsWith(QStringLiteral("wayland")); })) {
        untried << QStringLiteral("wayland");
    }
    return untried;
}

void startAgainOn(const QStringList& platforms, const QStringList& reasons) {
    std::vector<char*> arguments;
    for (std::string& argument : watch().arguments) {
        arguments.push_back(argument.data());
    }
    arguments.push_back(nullptr);
    setenv(kTriedVariable, reasons.join(u'\n').toLocal8Bit().constData(), 1);
    setenv("QT_QPA_PLATFORM", platforms.join(u';').toLocal8Bit().constData(), 1);
    execv("/proc/self/exe", arguments.data());
    unsetenv(kTriedVariable); // could not start again: explain what was found so far
}

[[noreturn]] void endWithExplanation(const QString& fatal) {
    Watch& w = watch();
    QStringList tried;
    const QStringList reasons = w.earlierReasons + reasonsOf(w.held, fatal, tried);
    if (!w.displayOpened && w.chosenPlatform.isEmpty() && w.earlierReasons.isEmpty() && !tried.isEmpty()) {
        if (const QStringList untried = untriedDesktopPlatforms(tried); !untried.isEmpty()) {
            startAgainOn(untried, reasons);
        }
    }
    QString message = w.displayOpened ? QStringLiteral("the window cannot be shown.")
                                      : QStringLiteral("no display could be opened.");
    for (const QString& reason : reasons) {
        message += QStringLiteral("\n  ") + reason;
    }
    if (!w.chosenPlatform.isEmpty()) {
        message +=
            QStringLiteral("\n  (QT_QPA_PLATFORM=%1 names the platforms to try)").arg(w.chosenPlatform);
    }
    tellUser(message);
    std::fflush(stderr);
    // Qt is in the middle of starting: nothing of it can be torn down safely.
    _exit(EXIT_FAILURE);
}

void onQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    Watch& w = watch();
    std::unique_lock guard(w.lock);
    if (type == QtFatalMsg) {
        endWithExplanation(text);
    }
    if (!w.displayOpened) {
        w.held.push_back({type, context.category, text});
        return;
    }
    guard.unlock();
    w.passOn(type, context, text);
}

QString visualClassName(std::uint8_t visualClass) {
    static const char* const names[] = {"StaticGray",  "GrayScale", "StaticColor",
                                        "PseudoColor", "TrueColor", "DirectColor"};
    return visualClass < std::size(names) ? QString::fromLatin1(names[visualClass])
                                          : QStringLiteral("unknown");
}

const xcb_visualtype_t* rootVisual(const xcb_screen_t& screen) {
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem != 0;
         xcb_depth_next(&depths)) {
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem != 0;
             xcb_visualtype_next(&visuals)) {
            if (visuals.data->visual_id == screen.root_visual) {
                return visuals.data;
            }
        }
    }
    return nullptr;
}

// The screen of DISPLAY on Qt's own connection to the X server.
const xcb_screen_t* x11Screen(xcb_connection_t* connection) {
    char* host = nullptr;
    int display = 0;
    int number = 0;
    const bool parsed = xcb_parse_display(nullptr, &host, &display, &number) != 0;
    std::free(host);
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; parsed && i < number && screens.rem != 0; ++i) {
        xcb_screen_next(&screens);
    }
    return screens.rem != 0 ? screens.data : nullptr;
}

} // namespace

StartupChecks::StartupChecks(int argc, char* argv[]) {
    Watch& w = watch();
    w.arguments.assign(argv, argv + argc);
    if (qEnvironmentVariableIsSet(kTriedVariable)) {
        w.earlierReasons = qEnvironmentVariable(kTriedVariable).split(u'\n', Qt::SkipEmptyParts);
    } else {
        w.chosenPlatform = qEnvironmentVariable("QT_QPA_PLATFORM");
    }
    w.passOn = qInstallMessageHandler(onQtMessage);
}

StartupChecks::~StartupChecks() {
    Release();
}

void StartupChecks::DisplayOpened() {
    Watch& w = watch();
    std::vector<HeldMessage> held;
    {
        const std::lock_guard guard(w.lock);
        w.displayOpened = true;
        held.swap(w.held);
    }
    unsetenv(kTriedVariable);
    for (const HeldMessage& message : held) {
        w.passOn(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                 message.text);
    }
}

bool StartupChecks::ScreenCanShowTheWindow() const {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return true; // Wayland buffers, and those of Qt's other platforms, are always true colour
    }
    const xcb_screen_t* screen = x11Screen(x11->connection());
    const xcb_visualtype_t* visual = screen != nullptr ? rootVisual(*screen) : nullptr;
    if (visual == nullptr) {
        return true; // nothing known to object to
    }
    // Qt draws the controls into images of 15 bits or more, and OpenGL's RGBA formats need true colour.
    const bool trueColour =
        visual->_class == XCB_VISUAL_CLASS_TRUE_COLOR || visual->_class == XCB_VISUAL_CLASS_DIRECT_COLOR;
    if (trueColour && screen->root_depth >= 15) {
        return true;
    }
    tellUser(
        QString::fromUtf8(FormDesign::kOpenGLUnavailable) +
        QStringLiteral(": the %1-bit %2 screen of X11 display \"%3\" cannot show the window, which needs a "
                       "true-colour screen of 15 bits or more")
            .arg(screen->root_depth)
            .arg(visualClassName(visual->_class), qEnvironmentVariable("DISPLAY")));
    return false;
}

void StartupChecks::Release() {
    Watch& w = watch();
    if (w.passOn != nullptr) {
        DisplayOpened();
        qInstallMessageHandler(w.passOn);
        w.passOn = nullptr;
    }
}
