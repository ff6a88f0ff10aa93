#include "app/qt/displaycheck.h"

#include "app/formdesign.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLibraryInfo>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPluginLoader>
#include <QScreen>
#include <QStringList>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

// Messages go to stderr in the locale's encoding, as the terminal shows it; in UTF-8 where the locale has
// no characters for them (the C locale, before Qt has applied the user's).
void tellUser(const QString& message) {
    const std::wstring wide = (QStringLiteral("viduzirivo: ") + message).toStdWString();
    std::string text(wide.size() * MB_CUR_MAX + 1, '\0');
    const std::size_t length = std::wcstombs(text.data(), wide.c_str(), text.size());
    if (length == static_cast<std::size_t>(-1)) {
        text = (QStringLiteral("viduzirivo: ") + message).toStdString();
    } else {
        text.resize(length);
    }
    std::fprintf(stderr, "%s\n", text.c_str());
}

QString environment(const char* name) {
    return QString::fromLocal8Bit(qgetenv(name));
}

QStringList platformPluginFolders() {
    QStringList folders;
    if (const QString path = environment("QT_QPA_PLATFORM_PLUGIN_PATH"); !path.isEmpty()) {
        folders << path;
    }
    for (const QString& path :
         environment("QT_PLUGIN_PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts)) {
        folders << path + QStringLiteral("/platforms");
    }
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms");
    return folders;
}

// Qt finds a platform plug-in by the keys in its metadata, which can be read without loading it.
bool pluginInstalled(const QString& platform) {
    for (const QString& folder : platformPluginFolders()) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            const QJsonArray keys = QPluginLoader(dir.filePath(file))
                                        .metaData()
                                        .value(QStringLiteral("MetaData"))
                                        .toObject()
                                        .value(QStringLiteral("Keys"))
                                        .toArray();
            for (const auto& key : keys) {
                if (key.toString().compare(platform, Qt::CaseInsensitive) == 0) {
                    return true;
                }
            }
        }
    }
    return false;
}

// The reason an X11 display cannot be opened, or an empty string when it can.
QString x11Problem() {
    const QString display = environment("DISPLAY");
    if (display.isEmpty()) {
        return QStringLiteral("X11: DISPLAY is not set");
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    return failed ? QStringLiteral("X11: display \"%1\" cannot be opened").arg(display) : QString();
}

// The reason a Wayland display cannot be opened, or an empty string when it can. The socket is found as
// the Wayland client library finds it.
QString waylandProblem() {
    if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET")) {
        return {}; // a connection handed over by the compositor, usable only once: Qt's to take
    }
    const QString name = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? QStringLiteral("wayland-0")
                                                                        : environment("WAYLAND_DISPLAY");
    const QString runtimeFolder = environment("XDG_RUNTIME_DIR");
    if (!name.startsWith(u'/') && runtimeFolder.isEmpty()) {
        return QStringLiteral("Wayland: display \"%1\" cannot be opened: XDG_RUNTIME_DIR is not set")
            .arg(name);
    }
    const QByteArray path = QFile::encodeName(name.startsWith(u'/') ? name : runtimeFolder + u'/' + name);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(path.size()) >= sizeof(address.sun_path)) {
        return QStringLiteral("Wayland: display \"%1\": the socket path is too long").arg(name);
    }
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool connected =
        socket >= 0 && ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    const int error = errno;
    if (socket >= 0) {
        ::close(socket);
    }
    return connected ? QString()
                     : QStringLiteral("Wayland: display \"%1\" cannot be opened: %2: %3")
                           .arg(name, QFile::decodeName(path), QString::fromLocal8Bit(std::strerror(error)));
}

// The reason the platform cannot be used, or an empty string when it can. Platforms other than X11 and
// Wayland (offscreen, vnc, ...) need only their plug-in.
QString platformProblem(const QString& entry) {
    const QString platform = entry.section(u':', 0, 0); // "xcb:option=value" passes options to the plug-in
    if (!pluginInstalled(platform)) {
        return QStringLiteral("the Qt platform plug-in \"%1\" is not installed").arg(platform);
    }
    if (platform == QStringLiteral("xcb")) {
        return x11Problem();
    }
    if (platform.startsWith(QStringLiteral("wayland"))) {
        return waylandProblem();
    }
    return {};
}

// Without QT_QPA_PLATFORM, the platform Qt itself would take first: Wayland in a Wayland session (except
// GNOME's, where Qt prefers X11), else X11; the other one follows as the fallback.
QStringList sessionPlatforms() {
    const bool gnome =
        environment("XDG_CURRENT_DESKTOP").contains(QStringLiteral("gnome"), Qt::CaseInsensitive) ||
        environment("XDG_SESSION_DESKTOP").contains(QStringLiteral("gnome"), Qt::CaseInsensitive);
    if (environment("XDG_SESSION_TYPE") == QStringLiteral("wayland") && !gnome) {
        return {QStringLiteral("wayland"), QStringLiteral("xcb")};
    }
    return {QStringLiteral("xcb"), QStringLiteral("wayland")};
}

void explainNoDisplay(const QStringList& problems, const QString& requested) {
    QString message = QStringLiteral("no display could be opened.");
    for (const QString& problem : problems) {
        message += QStringLiteral("\n  ") + problem;
    }
    if (!requested.isEmpty()) {
        message += QStringLiteral("\n  (QT_QPA_PLATFORM=%1 names the platforms to try)").arg(requested);
    }
    tellUser(message);
}

} // namespace

bool ChooseDisplay() {
    const QString requested = environment("QT_QPA_PLATFORM");
    const QStringList candidates =
        requested.isEmpty() ? sessionPlatforms() : requested.split(u';', Qt::SkipEmptyParts);
    QStringList usable;
    QStringList problems;
    for (const QString& candidate : candidates) {
        if (const QString problem = platformProblem(candidate); problem.isEmpty()) {
            usable << candidate;
        } else {
            problems << problem;
        }
    }
    if (usable.isEmpty()) {
        explainNoDisplay(problems, requested);
        return false;
    }
    qputenv("QT_QPA_PLATFORM", usable.join(u';').toLocal8Bit());
    return true;
}

ScreenCheck::ScreenCheck() {
    // Only an X server can offer a screen that Qt has no image format for (8-bit PseudoColor, say);
    // Wayland buffers are always 32-bit, and a Wayland backing store has no image before painting starts.
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) {
        m_probe.setTitle(QStringLiteral("viduzirivo screen check"));
        m_probe.resize(1, 1);
        m_probe.create();
        m_store.resize(QSize(1, 1));
    }
}

bool ScreenCheck::CanBePainted() {
    // Widgets are painted into the backing store's image; such a screen gives an image without a painter.
    if (m_probe.handle() == nullptr) {
        return true; // not an X server: nothing to probe
    }
    const QPaintDevice* device = m_store.paintDevice();
    if (device != nullptr && device->paintEngine() != nullptr) {
        return true;
    }
    tellUser(QString::fromUtf8(FormDesign::kOpenGLUnavailable) +
             QStringLiteral(": the %1-bit screen of X11 display \"%2\" cannot be drawn on")
                 .arg(QGuiApplication::primaryScreen()->depth())
                 .arg(environment("DISPLAY")));
    return false;
}
