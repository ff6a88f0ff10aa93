// The main window on a real display: its size, fonts and keyboard order, its layout as the window is
// resized, how the bars drive the pose (read back from the latest frame's model-view matrix), drawing when
// uncovered, idling while minimised, and the shutdown. The controls are found by their design names.
#include "platform/gl.h"
#include "support/qt_window.h"

#include <QFontInfo>
#include <QOpenGLContext>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

TEST_F(WindowTest, OpensAtItsDesignSizeWithTheDesignFontsAndTabOrder) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Viduzirivo"));
    EXPECT_EQ(form->size(), QSize(373, 338));
    ExpectLaidOut();
    // The design's Japanese face, or IPA P Gothic standing in for it, draws the labels and the credit.
    for (const char* name : {"Label1_0", "Label1_1", "txtSign"}) {
        const QString family = QFontInfo(Named<QWidget>(*form, name).font()).family();
        EXPECT_TRUE(family == QStringLiteral("IPAPGothic") || family == QString::fromUtf8("ＭＳ Ｐゴシック"))
            << name << ": " << family.toStdString();
    }
    EXPECT_TRUE(Named<QLineEdit>(*form, "txtSign").isReadOnly());

    // Tab goes picture, zoom, tilt and round again.
    std::vector<QWidget*> tabStops;
    for (QWidget* w = picture().nextInFocusChain(); tabStops.size() < 3; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isVisible()) {
            tabStops.push_back(w);
        }
    }
    EXPECT_EQ(tabStops, (std::vector<QWidget*>{&zoomBar(), &tiltBar(), &picture()}));
}

TEST_F(WindowTest, LayoutFollowsSizeDownToTheStripAndACreditWideSurface) {
    for (const auto& [asked, got] :
         {std::pair{QSize(800, 600), QSize(800, 600)}, {QSize(10, 200), QSize(225, 293)}}) {
        form->resize(asked);
        EXPECT_EQ_EVENTUALLY(form->size(), got);
        ExpectLaidOut();
    }
}

TEST_F(WindowTest, MinimisedItLaysOutNothingAndDrawsNothing) {
    // Knock the surface and the viewport out of step with the window, so that a layout pass would show.
    picture().resize(100, 100);
    glViewport(0, 0, 123, 45);

    form->showMinimized();
    ASSERT_TRUE(EVENTUALLY(form->isMinimized() && !timer().Enabled()));
    const auto hidden = CurrentMatrix(GL_MODELVIEW_MATRIX); // each frame turns the model further
    QTest::qWait(300);                                      // some twenty ticks, were the timer running
    EXPECT_EQ(CurrentMatrix(GL_MODELVIEW_MATRIX), hidden) << "a frame was drawn while minimised";
    EXPECT_EQ(picture().size(), QSize(100, 100));
    EXPECT_EQ(CurrentViewport(), (std::array<int, 4>{0, 0, 123, 45}));

    form->showNormal();
    ASSERT_TRUE(EVENTUALLY(!form->isMinimized()));
    EXPECT_EQ_EVENTUALLY(picture().width(), form->width() - 24);
    ExpectLaidOut();
    EXPECT_TRUE(EVENTUALLY(CurrentMatrix(GL_MODELVIEW_MATRIX) != hidden)) << "no frame once restored";
}

TEST_F(WindowTest, AnUncoveredSurfaceIsDrawnAtOnceNotAtTheNextTick) {
    QCoreApplication::sendPostedEvents(); // what earlier exposures queued
    const auto before = CurrentMatrix(GL_MODELVIEW_MATRIX);
    QExposeEvent uncovered(QRegion(0, 0, 50, 50));
    QCoreApplication::sendEvent(picture().surface(), &uncovered);
    QCoreApplication::sendPostedEvents(); // what the exposure queued; the timer's ticks are not posted events
    EXPECT_NE(CurrentMatrix(GL_MODELVIEW_MATRIX), before);
}

TEST_F(WindowTest, StartPoseHoldsUntilABarChangesAndThenOnlyThatBarsValue) {
    // The bars show 0 and -52, the frames tilt by 20 and sit at -62.
    EXPECT_NEAR(LastPose().tilt, 20.0, 1e-3);
    EXPECT_NEAR(LastPose().zoom, -62.0, 1e-3);
    for (QScrollBar* bar : {&zoomBar(), &tiltBar()}) {
        const QSignalBlocker quiet(bar);
        bar->setValue(77);
    }
    tiltBar().setValue(78);
    ASSERT_TRUE(EVENTUALLY(std::abs(LastPose().tilt - 78.0) < 1e-3));
    EXPECT_NEAR(LastPose().zoom, -62.0, 1e-3) << "the zoom bar was not moved";
}

TEST_F(WindowTest, BarsSetThePoseForTheNextTick) {
    timer().Stop();
    const double before = LastPose().zoom;
    zoomBar().setValue(-300);
    tiltBar().setValue(-45);
    QTest::qWait(100);
    EXPECT_EQ(LastPose().zoom, before) << "no frame without the timer";
    timer().Start();
    EXPECT_EQ_EVENTUALLY(LastPose().zoom, -300.0);
    EXPECT_NEAR(LastPose().tilt, -45.0, 1e-3);

    // An arrow key moves a bar by one, a page key by a tenth of its range.
    QTest::keyClick(&zoomBar(), Qt::Key_Down);
    EXPECT_EQ(zoomBar().value(), -299);
    QTest::keyClick(&zoomBar(), Qt::Key_PageDown);
    EXPECT_EQ(zoomBar().value(), -239);
    QTest::keyClick(&tiltBar(), Qt::Key_PageDown);
    EXPECT_EQ(tiltBar().value(), -45 + 36);
    // Home and End reach the ends of the ranges: zoom -500 and 100, tilt -180 and 180.
    for (const auto& [key, zoomEnd, tiltEnd] :
         {std::tuple{Qt::Key_Home, -500.0, -180.0}, {Qt::Key_End, 100.0, 180.0}}) {
        QTest::keyClick(&zoomBar(), key);
        QTest::keyClick(&tiltBar(), key);
        EXPECT_EQ_EVENTUALLY(LastPose().zoom, zoomEnd);
        EXPECT_NEAR(std::remainder(LastPose().tilt - tiltEnd, 360.0), 0.0, 1e-3);
    }
    // A dragged thumb moves the pose along before it is let go.
    for (QScrollBar* bar : {&zoomBar(), &tiltBar()}) {
        bar->setSliderDown(true);
        bar->setSliderPosition(40);
        EXPECT_TRUE(
            EVENTUALLY(std::abs((bar == &zoomBar() ? LastPose().zoom : LastPose().tilt) - 40) < 1e-3));
        bar->setSliderDown(false);
    }
}

TEST_F(WindowTest, ClosingReleasesTheRendererOnce) {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    ASSERT_NE(context, nullptr);
    int released = 0;
    QObject::connect(context, &QObject::destroyed, [&released] { ++released; });

    EXPECT_TRUE(form->close());
    EXPECT_FALSE(timer().Enabled());
    EXPECT_EQ(released, 1);
    EXPECT_EQ(glGetString(GL_VERSION), nullptr) << "no context current";
}

} // namespace
