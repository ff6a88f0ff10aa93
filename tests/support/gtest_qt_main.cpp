// Test entry point: a real QApplication on the test display, then every GoogleTest case.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A message box that nobody answers would hold a test until the runner's time-out. A dialog left open for
// long is closed and reported as a failure instead; tests that expect a box answer it within moments.
void watchForForgottenDialogs(QTimer& watch, QElapsedTimer& openFor) {
    QObject::connect(&watch, &QTimer::timeout, [&openFor] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            openFor.invalidate();
            return;
        }
        if (!openFor.isValid()) {
            openFor.start();
        } else if (openFor.elapsed() > 10000) {
            ADD_FAILURE() << "an unexpected dialog was left open: " << dialog->windowTitle().toStdString();
            dialog->reject();
            openFor.invalidate();
        }
    });
    watch.start(250);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Viduzirivo"));
    QTimer watch;
    QElapsedTimer openFor;
    watchForForgottenDialogs(watch, openFor);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
