// The platform layer on Linux: the descriptions of file errors. (The drawing surface and the names that
// forward to it are the renderer's and the frames' tests.)
#include "platform/file.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

// The C library describes errors in the locale's language and encoding; the program shows them as UTF-8.
TEST(ReadOnlyFile, DescribesFailuresInTheLocalesLanguageAsUtf8) {
    QTemporaryDir locales;
    if (QProcess::execute("localedef", {"-i", "ja_JP", "-f", "EUC-JP", locales.filePath("ja_JP.eucJP")}) !=
        0) {
        GTEST_SKIP() << "localedef cannot make a ja_JP.eucJP locale here";
    }
    setenv("LOCPATH", qPrintable(locales.path()), 1);
    for (const auto& [locale, text] :
         {std::pair{"ja_JP.eucJP", "そのようなファイルやディレクトリはありません"},
          std::pair{"C", "No such file or directory"}}) {
        ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale;
        EXPECT_EQ(ReadOnlyFile("/nonexistent/Earth.RAS").Error(), text) << locale;
    }
    std::setlocale(LC_ALL, "");
    unsetenv("LOCPATH");
}
