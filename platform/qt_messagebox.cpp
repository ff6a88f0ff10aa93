// MessageBoxA with Qt's message box: the icon and buttons of the style, the application's title by default.
// Like Windows' MessageBoxA, which takes the ANSI code page, it takes text in the process's locale encoding:
// the C library's error descriptions and the file system's names come in it.
#include "platform/file.h"
#include "platform/win32api.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

QMessageBox::Icon iconOf(UINT type) {
    switch (type & 0xF0u) {
    case MB_ICONHAND:
        return QMessageBox::Critical;
    case MB_ICONEXCLAMATION:
        return QMessageBox::Warning;
    case 0x20u: // MB_ICONQUESTION
        return QMessageBox::Question;
    case 0x40u: // MB_ICONASTERISK
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// Qt 6 reads "local 8-bit" text as UTF-8 on every Unix locale; the C library knows the locale's encoding.
// Text that is not valid in it (a UTF-8 file name under the C locale) is read as UTF-8.
QString fromLocaleText(const char* text) {
    std::mbstate_t state{};
    const char* source = text;
    const std::size_t length = std::mbsrtowcs(nullptr, &source, 0, &state);
    if (length == static_cast<std::size_t>(-1)) {
        return QString::fromUtf8(text);
    }
    std::wstring wide(length, L'\0');
    state = {};
    source = text;
    std::mbsrtowcs(wide.data(), &source, length, &state);
    return QString::fromStdWString(wide);
}

} // namespace

int MessageBoxA(HWND /*hWnd*/, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    const char* text = lpText != nullptr ? lpText : "";
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        // No windowing toolkit in this process: the message still reaches the user, in the locale's encoding.
        std::fprintf(stderr, "%s\n", text);
        return IDOK;
    }
    const QString caption =
        lpCaption != nullptr ? fromLocaleText(lpCaption) : QGuiApplication::applicationDisplayName();
    QMessageBox box(iconOf(uType), caption, fromLocaleText(text), QMessageBox::Ok);
    box.exec();
    return IDOK;
}

void ShowWarning(const std::string& text, const char* caption) {
    MessageBoxA(nullptr, text.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
}
