// MessageBoxA with Qt's message box: the icon and buttons of the style, the application's title by default.
#include "platform/win32api.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

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

} // namespace

int MessageBoxA(HWND /*hWnd*/, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    const QString text = QString::fromUtf8(lpText != nullptr ? lpText : "");
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        // No windowing toolkit in this process: the message still reaches the user.
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return IDOK;
    }
    const QString caption =
        lpCaption != nullptr ? QString::fromUtf8(lpCaption) : QGuiApplication::applicationDisplayName();
    QMessageBox box(iconOf(uType), caption, text, QMessageBox::Ok);
    box.exec();
    return IDOK;
}
