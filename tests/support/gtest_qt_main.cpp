// Test entry point on Qt: a real QApplication on the test display, a watch on message boxes, and every
// GoogleTest case.
#include "platform/win32api.h"
#include "support/session.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>

std::optional<SeenMessageBox> AnswerShownMessageBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) {
        return std::nullopt;
    }
    const std::map<QMessageBox::Icon, unsigned> styles = {{QMessageBox::Critical, MB_ICONHAND},
                                                          {QMessageBox::Warning, MB_ICONEXCLAMATION}};
    int windows = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        windows += widget->isVisible() ? 1 : 0;
    }
    const auto icon = styles.find(box->icon());
    const SeenMessageBox seen{box->text().toStdString(), box->windowTitle().toStdString(),
                              icon == styles.end() ? 0 : icon->second, int(box->buttons().size()), windows};
    box->done(QMessageBox::Ok);
    return seen;
}

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Viduzirivo"));
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, WatchMessageBoxes);
    watch.start(20);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
