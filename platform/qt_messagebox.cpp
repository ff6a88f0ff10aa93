// The message box on Qt; where no window can reach a person, the message goes to the terminal instead, as a
// box nobody sees would wait for an answer forever.
#include "platform/messagebox.h"

#include "platform/posix_text.h"
#include "platform/win32api.h"

#include <QApplication>
#include <QMessageBox>

void MsgBox(const std::string& textUtf8, const char* captionUtf8, unsigned style) {
    // Qt's platforms that show windows to nobody draw into memory only, or (vkkhrdisplay) onto a display for
    // Vulkan surfaces alone, where neither a box nor the clock's window can appear.
    const bool reachesAPerson = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr &&
                                !QStringList{"offscreen", "minimal", "minimalegl", "vkkhrdisplay"}.contains(
                                    QGuiApplication::platformName());
    if (!reachesAPerson) {
        WriteToTerminal(std::string(captionUtf8) + ": " + textUtf8);
        return;
    }
    const QMessageBox::Icon icon = (style & 0xF0u) == MB_ICONHAND          ? QMessageBox::Critical
                                   : (style & 0xF0u) == MB_ICONEXCLAMATION ? QMessageBox::Warning
                                                                           : QMessageBox::NoIcon;
    QMessageBox box(icon, QString::fromUtf8(captionUtf8), QString::fromStdString(textUtf8), QMessageBox::Ok);
    box.exec();
}
