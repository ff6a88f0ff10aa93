// Start-up on a machine whose system OpenGL library cannot be loaded: the window runs in a private mount
// namespace in which libGL.so.1 is covered by an empty file, as it would be on a machine without it.
#include "app/qt/formwindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <dlfcn.h>
#include <link.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <optional>
#include <unistd.h>

namespace {

constexpr char kInsideVariable[] = "VIDUZIRIVO_TEST_WITHOUT_SYSTEM_GL";

bool insideNamespace() {
    return std::getenv(kInsideVariable) != nullptr;
}

std::string systemOpenGLPath() {
    void* library = dlopen("libGL.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
        return {};
    }
    link_map* map = nullptr;
    std::string path;
    char resolved[PATH_MAX];
    if (dlinfo(library, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr && realpath(map->l_name, resolved)) {
        path = resolved;
    }
    dlclose(library);
    return path;
}

// Runs one test of this executable again inside the namespace; nothing when that cannot be arranged here.
std::optional<int> rerunWithoutSystemOpenGL(const std::string& testName) {
    const std::string library = systemOpenGLPath();
    if (geteuid() != 0 || library.empty()) {
        return std::nullopt;
    }
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(kInsideVariable, "1");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start("unshare",
                {"-m", "sh", "-c", "mount --bind /dev/null \"$1\" && exec \"$2\" --gtest_filter=\"$3\"", "sh",
                 QString::fromStdString(library), QCoreApplication::applicationFilePath(),
                 QString::fromStdString(testName)});
    if (!child.waitForStarted() || !child.waitForFinished(120000)) {
        return std::nullopt;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}

struct SeenMessage {
    bool shown = false;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    int visibleWindows = 0;
};

} // namespace

TEST(StartupWithoutOpenGL, ShowsOnlyTheMessageAndTellsTheProgramToEnd) {
    if (!insideNamespace()) {
        const std::optional<int> status = rerunWithoutSystemOpenGL(
            ::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + std::string(".") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        if (!status) {
            GTEST_SKIP() << "needs root and unshare to hide the system OpenGL library";
        }
        EXPECT_EQ(*status, 0) << "the run without libGL.so.1 failed";
        return;
    }

    COpenGL probe;
    ASSERT_FALSE(probe.OpenGLReady()) << "libGL.so.1 was still loadable";

    SeenMessage seen;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || seen.shown) {
            return;
        }
        seen.shown = true;
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        seen.buttons = static_cast<int>(box->buttons().size());
        for (QWidget* window : QApplication::topLevelWidgets()) {
            seen.visibleWindows += window->isVisible() ? 1 : 0;
        }
        box->button(QMessageBox::Ok)->click();
    });
    answer.start(50);

    FormWindow form;
    EXPECT_FALSE(form.Load()) << "start-up must end the program";
    EXPECT_FALSE(form.isVisible());
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, QString::fromUtf8("OpenGLが使用できません"));
    EXPECT_EQ(seen.title, QStringLiteral("Viduzirivo"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.visibleWindows, 1) << "only the message box is on screen";
}
