// Test entry point on Qt: a real QApplication on the test display, a watch on message boxes, and every
// GoogleTest case.
#include "platform/win32api.h"
#include "support/session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sys/wait.h>

namespace {

std::vector<SeenMessageBox>* expectedBoxes = nullptr; // where AnswerMessageBoxes collects them

// Every 20 ms: a message box on screen is noted and answered. Nobody else would answer it, and it would hold
// the test until the runner's time-out.
void watchMessageBoxes(QTimer& watch) {
    QObject::connect(&watch, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        const std::map<QMessageBox::Icon, unsigned> styles = {{QMessageBox::Critical, MB_ICONHAND},
                                                              {QMessageBox::Question, 0x20},
                                                              {QMessageBox::Warning, MB_ICONEXCLAMATION},
                                                              {QMessageBox::Information, 0x40}};
        int windows = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            windows += widget->isVisible() ? 1 : 0;
        }
        const auto icon = styles.find(box->icon());
        const SeenMessageBox seen{box->text().toStdString(), box->windowTitle().toStdString(),
                                  icon == styles.end() ? 0 : icon->second, int(box->buttons().size()),
                                  windows};
        if (expectedBoxes == nullptr) {
            ADD_FAILURE() << "an unexpected message box: " << seen.text;
        } else {
            expectedBoxes->push_back(seen);
        }
        box->done(QMessageBox::Ok);
    });
    watch.start(20);
}

} // namespace

std::vector<SeenMessageBox> AnswerMessageBoxes(const std::function<void()>& action) {
    std::vector<SeenMessageBox> seen;
    expectedBoxes = &seen;
    action();
    expectedBoxes = nullptr;
    return seen;
}

int RerunCurrentTest(const std::string& program, const std::string& launcher) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string command = "VIDUZIRIVO_TEST_RERUN=1 " + launcher + " '" + program +
                                "' --gtest_filter=" + test->test_suite_name() + "." + test->name();
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Viduzirivo"));
    QTimer watch;
    watchMessageBoxes(watch);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
