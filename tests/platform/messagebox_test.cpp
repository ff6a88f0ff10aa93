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

TEST(MessageBoxA, ReadsTextInTheLocaleEncoding) {
    QTemporaryDir locales;
    if (QProcess::execute("localedef", {"-i", "ja_JP", "-f", "EUC-JP", locales.filePath("ja_JP.eucJP")}) !=
        0) {
        GTEST_SKIP() << "localedef cannot make a ja_JP.eucJP locale here";
    }
    setenv("LOCPATH", qPrintable(locales.path()), 1);
    const struct {
        const char *locale, *text, *shown;
    } cases[] = {{"ja_JP.eucJP", "\xBB\xFE\xB7\xD7", "時計"}, // EUC-JP
                 {"ja_JP.eucJP", "Earth.RAS holds 1000 bytes.", "Earth.RAS holds 1000 bytes."},
                 {"C.UTF-8", "\xE6\x99\x82\xE8\xA8\x88", "時計"},
                 {"C", "/home/\xE6\x99\x82/Earth.RAS", "/home/時/Earth.RAS"}}; // a UTF-8 file name
    for (const auto& c : cases) {
        ASSERT_NE(std::setlocale(LC_ALL, c.locale), nullptr) << c.locale;
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box != nullptr) {
                shown = box->text();
                box->done(QMessageBox::Ok);
            }
        });
        MessageBoxA(nullptr, c.text, nullptr, MB_OK | MB_ICONEXCLAMATION);
        EXPECT_EQ(shown, QString::fromUtf8(c.shown)) << c.locale;
    }
    std::setlocale(LC_ALL, "");
}
