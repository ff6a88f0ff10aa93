// MessageBoxA reads its text in the process's locale encoding, as the system's error descriptions come.
#include "platform/win32api.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace {

QString shownText(const char* text) {
    QString shown;
    QObject guard;
    QTimer::singleShot(0, &guard, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box != nullptr) {
            shown = box->text();
            box->done(QMessageBox::Ok);
        }
    });
    MessageBoxA(nullptr, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
    return shown;
}

} // namespace

TEST(MessageBoxA, ReadsTextInTheLocaleEncoding) {
    QTemporaryDir locales;
    const QString eucJP = locales.filePath(QStringLiteral("ja_JP.eucJP"));
    if (QProcess::execute(QStringLiteral("localedef"),
                          {QStringLiteral("-i"), QStringLiteral("ja_JP"), QStringLiteral("-f"),
                           QStringLiteral("EUC-JP"), eucJP}) != 0) {
        GTEST_SKIP() << "localedef cannot make a ja_JP.eucJP locale here";
    }
    setenv("LOCPATH", locales.path().toLocal8Bit().constData(), 1);
    ASSERT_NE(std::setlocale(LC_ALL, "ja_JP.eucJP"), nullptr);
    // "時計" in EUC-JP, then an ASCII text as a program's own English message.
    EXPECT_EQ(shownText("\xBB\xFE\xB7\xD7"), QString::fromUtf8("時計"));
    EXPECT_EQ(shownText("Earth.RAS holds 1000 bytes."), QStringLiteral("Earth.RAS holds 1000 bytes."));

    unsetenv("LOCPATH");
    ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr);
    EXPECT_EQ(shownText("\xE6\x99\x82\xE8\xA8\x88"), QString::fromUtf8("時計"));
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    EXPECT_EQ(shownText("/home/\xE6\x99\x82/Earth.RAS"), QString::fromUtf8("/home/時/Earth.RAS"))
        << "a UTF-8 file name under the C locale";
    std::setlocale(LC_ALL, "");
}
