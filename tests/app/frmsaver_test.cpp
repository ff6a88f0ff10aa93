// The main window on a real display: its design, its layout as the window is resized, how the bars drive
// the pose (read back from the latest frame's model-view matrix), idling while minimised, and the shutdown.
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
#include <array>
#include <memory>
#include <tuple>
#include <vector>

namespace {

constexpr int kZoomBar = 0;
constexpr int kTiltBar = 1;

// Size, italic, weight, and whether the design's face (or its stand-in) draws it.
std::tuple<double, bool, int, bool> FontOf(const QWidget& widget) {
    const QFont font = widget.font();
    const QString family = QFontInfo(font).family();
    return {font.pointSizeF(), font.italic(), font.weight(),
            family == QStringLiteral("IPAPGothic") || family == QString::fromUtf8("ＭＳ Ｐゴシック")};
}

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

TEST_F(WindowTest, ShowsTheDesignedControls) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Viduzirivo"));
    EXPECT_EQ(form->size(), QSize(373, 338));
    ExpectLaidOut();
    EXPECT_EQ(form->pictureBox().geometry(), QRect(24, 0, 349, 338));

    const QImage icon(QStringLiteral(":/viduzirivo.png"));
    EXPECT_LE(icon.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).colorCount(), 16);
    EXPECT_TRUE(form->windowIcon().availableSizes().contains(QSize(32, 32)));

    const auto bar = [this](int index) {
        const QScrollBar& b = form->scrollBar(index);
        return std::make_tuple(b.geometry(), b.minimum(), b.maximum(), b.value());
    };
    EXPECT_EQ(bar(kTiltBar), std::make_tuple(QRect(4, 0, 17, 121), -180, 180, 0));
    EXPECT_EQ(bar(kZoomBar), std::make_tuple(QRect(4, 152, 17, 121), -500, 100, -52));

    const std::array<std::tuple<int, QRect, const char*, const char*>, 2> labels{
        {{0, QRect(0, 124, 29, 17), "RotX", "RotateX"}, {1, QRect(0, 276, 29, 17), "Zoom", "Zoom"}}};
    for (const auto& [index, place, caption, tip] : labels) {
        const QLabel& label = form->label(index);
        EXPECT_EQ(std::make_tuple(label.geometry(), label.text(), label.toolTip(), label.focusPolicy()),
                  std::make_tuple(place, QString(caption), QString(tip), Qt::NoFocus))
            << caption;
        EXPECT_EQ(FontOf(label), std::make_tuple(6.75, false, int(QFont::Normal), true)) << caption;
    }

    const QLineEdit& sign = form->creditBox();
    const QString credit = QStringLiteral("By Team Veroradez");
    EXPECT_EQ(
        std::make_tuple(sign.parentWidget(), sign.size(), sign.text(), sign.toolTip(), sign.isReadOnly()),
        std::make_tuple(static_cast<QWidget*>(&form->pictureBox()), QSize(201, 21), credit, credit, true));
    EXPECT_EQ(sign.focusPolicy() & Qt::TabFocus, 0);
    EXPECT_EQ(FontOf(sign), std::make_tuple(11.25, true, int(QFont::Normal), true));

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

    QTest::qWait(100); // no tick reaches the released renderer
    form->close();
    form.reset();
    EXPECT_EQ(released, 1);
}

} // namespace
