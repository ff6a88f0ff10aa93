// The message box on Qt.
#include "platform/messagebox.h"

#include "platform/win32api.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

void MsgBox(const std::string& textUtf8, const char* captionUtf8, unsigned style) {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        // No windowing toolkit in this process: the message still reaches the user.
        std::fprintf(stderr, "%s\n", textUtf8.c_str());
        return;
    }
    const QMessageBox::Icon icon = (style & 0xF0u) == MB_ICONHAND          ? QMessageBox::Critical
                                   : (style & 0xF0u) == MB_ICONEXCLAMATION ? QMessageBox::Warning
                                                                           : QMessageBox::NoIcon;
    QMessageBox box(icon, QString::fromUtf8(captionUtf8), QString::fromStdString(textUtf8), QMessageBox::Ok);
    box.exec();
}
