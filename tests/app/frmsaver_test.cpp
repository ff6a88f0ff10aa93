// The main window on a real display: its size, fonts and keyboard order, its layout as the window is
// resized, how the bars drive the pose (read back from the latest frame's model-view matrix), drawing when
// uncovered, idling while minimised, and the shutdown.
#include "app/qt/formwindow.h"
#include "platform/gl.h"
#include "support/eventually.h"
#include "support/testsurface.h"

#include <QFontInfo>
#include <QLabel>
#include <QOpenGLContext>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <array>
#include <memory>
#include <tuple>
#include <vector>

namespace {

constexpr int kZoomBar = 0;
constexpr int kTiltBar = 1;

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<FormWindow>();
        ASSERT_TRUE(form->Load());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        ASSERT_TRUE(EVENTUALLY(form->surfaceShown()));
    }

    // The surface, the credit box and the drawing area follow the client area.
    void ExpectLaidOut() const {
        const PictureBox& picture = form->pictureBox();
        EXPECT_EQ(picture.geometry(), QRect(24, 0, std::max(0, form->width() - 24), form->height()));
        EXPECT_EQ(form->creditBox().pos(), QPoint(picture.width() - 201, picture.height() - 21));
        const double ratio = picture.devicePixelRatioF();
        EXPECT_EQ(CurrentViewport(),
                  (std::array<int, 4>{0, 0, static_cast<int>(std::lround(picture.width() * ratio)),
                                      static_cast<int>(std::lround(picture.height() * ratio))}));
    }

    std::unique_ptr<FormWindow> form;
};

TEST_F(WindowTest, OpensAtItsDesignSizeWithTheDesignFontsAndTabOrder) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Viduzirivo"));
    EXPECT_EQ(form->size(), QSize(373, 338));
    ExpectLaidOut();
    // The design's Japanese face, or IPA P Gothic standing in for it, draws the labels and the credit.
    for (const QWidget* text : {static_cast<QWidget*>(&form->label(0)), static_cast<QWidget*>(&form->label(1)),
                                static_cast<QWidget*>(&form->creditBox())}) {
        const QString family = QFontInfo(text->font()).family();
        EXPECT_TRUE(family == QStringLiteral("IPAPGothic") || family == QString::fromUtf8("ＭＳ Ｐゴシック"))
            << family.toStdString();
    }
    EXPECT_TRUE(form->creditBox().isReadOnly());

    // Tab goes picture, zoom, tilt and round again.
    std::vector<QWidget*> tabStops;
    for (QWidget* w = form->pictureBox().nextInFocusChain(); tabStops.size() < 3; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isVisible()) {
            tabStops.push_back(w);
        }
    }
    EXPECT_EQ(tabStops, (std::vector<QWidget*>{&form->scrollBar(kZoomBar), &form->scrollBar(kTiltBar),
                                               &form->pictureBox()}));
}

TEST_F(WindowTest, LayoutFollowsSizeAndStateDownToTheStripAndACreditWideSurface) {
    for (const auto& [asked, got] :
         {std::pair{QSize(800, 600), QSize(800, 600)}, {QSize(10, 200), QSize(225, 293)}}) {
        form->resize(asked);
        EXPECT_EQ_EVENTUALLY(form->size(), got);
        ExpectLaidOut();
    }
    form->resize(800, 600);
    form->showMaximized();
    ASSERT_TRUE(EVENTUALLY(form->isMaximized() &&
                           form->frameGeometry().width() == form->screen()->availableGeometry().width()));
    EXPECT_EQ_EVENTUALLY(CurrentViewport()[2], form->width() - 24);
    ExpectLaidOut();
    form->showNormal();
    EXPECT_EQ_EVENTUALLY(CurrentViewport()[2], 776);
    ExpectLaidOut();
}

TEST_F(WindowTest, MinimisedItLaysOutNothingAndDrawsNothing) {
    int frames = 0;
    form->renderer()->SetTimeOfDaySource([&frames] {
        ++frames;
        return TimeOfDay{};
    });
    ASSERT_TRUE(EVENTUALLY(frames > 0));
    // Knock the surface and the projection out of step with the window, so that a layout pass would show.
    form->pictureBox().resize(100, 100);
    form->renderer()->Resize(123, 45);

    form->showMinimized();
    ASSERT_TRUE(EVENTUALLY(form->isMinimized() && !form->timer().Enabled()));
    const int framesWhenHidden = frames;
    QTest::qWait(300); // some twenty ticks, were the timer running
    EXPECT_EQ(frames, framesWhenHidden);
    EXPECT_EQ(form->pictureBox().size(), QSize(100, 100));
    EXPECT_EQ(CurrentViewport(), (std::array<int, 4>{0, 0, 123, 45}));

    form->showNormal();
    ASSERT_TRUE(EVENTUALLY(!form->isMinimized()));
    EXPECT_EQ_EVENTUALLY(form->pictureBox().width(), form->width() - 24);
    ExpectLaidOut();
    ASSERT_TRUE(EVENTUALLY(frames > framesWhenHidden + 3));
}

TEST_F(WindowTest, AnUncoveredSurfaceIsDrawnAtOnceNotAtTheNextTick) {
    int frames = 0;
    form->renderer()->SetTimeOfDaySource([&frames] {
        ++frames;
        return TimeOfDay{};
    });
    QCoreApplication::sendPostedEvents(); // what earlier exposures queued
    frames = 0;
    QExposeEvent uncovered(QRegion(0, 0, 50, 50));
    QCoreApplication::sendEvent(form->pictureBox().surface(), &uncovered);
    QCoreApplication::sendPostedEvents(); // what the exposure queued; the timer's ticks are not posted events
    EXPECT_EQ(frames, 1);
}

TEST_F(WindowTest, StartPoseHoldsUntilAKnownBarChanges) {
    // The bars show 0 and -52, the frames tilt by 20 and sit at -62.
    EXPECT_NEAR(LastPose().tilt, 20.0, 1e-3);
    EXPECT_NEAR(LastPose().zoom, -62.0, 1e-3);
    form->timer().Stop();
    for (const int index : {kZoomBar, kTiltBar}) {
        const QSignalBlocker quiet(form->scrollBar(index));
        form->scrollBar(index).setValue(77);
    }
    for (const short unknown : {short{2}, short{-1}}) {
        form->handlers().scrTrans_Change(unknown);
        form->handlers().scrTrans_Scroll(unknown);
    }
    form->renderer()->Paint();
    EXPECT_NEAR(LastPose().tilt, 20.0, 1e-3);
    form->handlers().scrTrans_Change(kTiltBar);
    form->renderer()->Paint();
    EXPECT_NEAR(LastPose().tilt, 77.0, 1e-3);
    EXPECT_NEAR(LastPose().zoom, -62.0, 1e-3);
}

TEST_F(WindowTest, BarsSetThePoseForTheNextTick) {
    form->timer().Stop();
    const double before = LastPose().zoom;
    form->scrollBar(kZoomBar).setValue(-300);
    form->scrollBar(kTiltBar).setValue(-45);
    QTest::qWait(100);
    EXPECT_EQ(LastPose().zoom, before) << "no frame without the timer";
    form->timer().Start();
    EXPECT_EQ_EVENTUALLY(LastPose().zoom, -300.0);
    EXPECT_NEAR(LastPose().tilt, -45.0, 1e-3);

    // An arrow key moves a bar by one, a page key by a tenth of its range; a dragged thumb moves the pose
    // along.
    form->timer().Stop();
    QScrollBar& zoom = form->scrollBar(kZoomBar);
    QTest::keyClick(&zoom, Qt::Key_Down);
    EXPECT_EQ(zoom.value(), -299);
    QTest::keyClick(&zoom, Qt::Key_PageDown);
    EXPECT_EQ(zoom.value(), -239);
    QTest::keyClick(&form->scrollBar(kTiltBar), Qt::Key_PageDown);
    EXPECT_EQ(form->scrollBar(kTiltBar).value(), -45 + 36);
    // Home and End reach the ends of the bars' ranges: zoom -500 and 100, tilt -180 and 180.
    for (const auto& [key, zoomEnd, tiltEnd] : {std::tuple{Qt::Key_Home, -500.0, -180.0}, {Qt::Key_End, 100.0, 180.0}}) {
        QTest::keyClick(&zoom, key);
        QTest::keyClick(&form->scrollBar(kTiltBar), key);
        form->renderer()->Paint();
        EXPECT_NEAR(LastPose().zoom, zoomEnd, 1e-3);
        EXPECT_NEAR(std::remainder(LastPose().tilt - tiltEnd, 360.0), 0.0, 1e-3);
    }
    for (const int index : {kZoomBar, kTiltBar}) {
        ScrollBar& bar = form->scrollBar(index);
        bar.setSliderDown(true);
        bar.setSliderPosition(40);
        form->renderer()->Paint();
        bar.setSliderDown(false);
    }
    EXPECT_NEAR(LastPose().zoom, 40.0, 1e-3);
    EXPECT_NEAR(LastPose().tilt, 40.0, 1e-3);
}

TEST_F(WindowTest, ClosingReleasesTheRendererOnce) {
    QOpenGLContext* context = QOpenGLContext::currentContext();
    ASSERT_NE(context, nullptr);
    int released = 0;
    QObject::connect(context, &QObject::destroyed, [&released] { ++released; });

    EXPECT_TRUE(form->close());
    EXPECT_EQ(form->renderer(), nullptr);
    EXPECT_FALSE(form->timer().Enabled());
    EXPECT_EQ(released, 1);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

} // namespace
