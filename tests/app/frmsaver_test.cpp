// The main window on a real display: its design, its layout as the window is resized, how the bars drive
// the renderer's pose, the idle animation and the shutdown. Poses are read back from the model-view matrix
// that OpenGL used for the latest frame.
#include "app/qt/formwindow.h"
#include "platform/gl.h"
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
#include <cmath>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int kZoomBar = 0;
constexpr int kTiltBar = 1;

// The frame's placement Translate(x, y, z) · Rx(rotX) · Ry(rotY) · Rz(0), taken apart.
struct Placement {
    double rotX, rotY, rotZTerm, x, y, z;
};

double degrees(double radians) {
    return radians * 180.0 / 3.14159265358979323846;
}

Placement LastFramePlacement() {
    const auto m = CurrentMatrix(GL_MODELVIEW_MATRIX);
    // With no roll the model's Y axis is (0, cos rotX, sin rotX) and its X axis (cos rotY, ., -sin rotY).
    const double rotY = degrees(std::atan2(m[8], m[0]));
    return {degrees(std::atan2(m[6], m[5])), rotY < 0 ? rotY + 360.0 : rotY, m[4], m[12], m[13], m[14]};
}

std::array<int, 4> Viewport() {
    std::array<int, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    return viewport;
}

bool IsDesignFamily(const QFont& font) {
    const QString family = QFontInfo(font).family();
    return family == QStringLiteral("IPAPGothic") || family == QString::fromUtf8("ＭＳ Ｐゴシック");
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<FormWindow>();
        ASSERT_TRUE(form->Load());
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        QTRY_VERIFY(form->surfaceShown());
    }

    // The surface, the credit box and the drawing area follow the client area.
    void ExpectLaidOut() const {
        const PictureBox& picture = form->pictureBox();
        EXPECT_EQ(picture.geometry(), QRect(24, 0, std::max(0, form->width() - 24), form->height()));
        EXPECT_EQ(form->creditBox().pos(), QPoint(picture.width() - 201, picture.height() - 21));
        const double ratio = picture.devicePixelRatioF();
        EXPECT_EQ(Viewport(),
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
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_LE(icon.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).colorCount(), 16);
    EXPECT_TRUE(form->windowIcon().availableSizes().contains(QSize(32, 32)));

    const QScrollBar& zoom = form->scrollBar(kZoomBar);
    const QScrollBar& tilt = form->scrollBar(kTiltBar);
    EXPECT_EQ(tilt.geometry(), QRect(4, 0, 17, 121));
    EXPECT_EQ(zoom.geometry(), QRect(4, 152, 17, 121));
    EXPECT_EQ(std::make_pair(tilt.minimum(), tilt.maximum()), std::make_pair(-180, 180));
    EXPECT_EQ(std::make_pair(zoom.minimum(), zoom.maximum()), std::make_pair(-500, 100));
    EXPECT_EQ(tilt.value(), 0);
    EXPECT_EQ(zoom.value(), -52);

    const std::array<std::tuple<int, QRect, const char*, const char*>, 2> labels{
        {{0, QRect(0, 124, 29, 17), "RotX", "RotateX"}, {1, QRect(0, 276, 29, 17), "Zoom", "Zoom"}}};
    for (const auto& [index, place, caption, tip] : labels) {
        const QLabel& label = form->label(index);
        EXPECT_EQ(label.geometry(), place) << caption;
        EXPECT_EQ(label.text(), QString::fromLatin1(caption));
        EXPECT_EQ(label.toolTip(), QString::fromLatin1(tip));
        EXPECT_EQ(label.focusPolicy(), Qt::NoFocus);
        EXPECT_DOUBLE_EQ(label.font().pointSizeF(), 6.75);
        EXPECT_FALSE(label.font().italic());
        EXPECT_EQ(label.font().weight(), QFont::Normal);
        EXPECT_TRUE(IsDesignFamily(label.font())) << QFontInfo(label.font()).family().toStdString();
    }

    const QLineEdit& sign = form->creditBox();
    EXPECT_EQ(sign.parentWidget(), &form->pictureBox());
    EXPECT_EQ(sign.size(), QSize(201, 21));
    EXPECT_EQ(sign.text(), QStringLiteral("By Team Veroradez"));
    EXPECT_EQ(sign.toolTip(), sign.text());
    EXPECT_TRUE(sign.isReadOnly());
    EXPECT_EQ(sign.focusPolicy() & Qt::TabFocus, 0);
    EXPECT_DOUBLE_EQ(sign.font().pointSizeF(), 11.25);
    EXPECT_TRUE(sign.font().italic());
    EXPECT_TRUE(IsDesignFamily(sign.font())) << QFontInfo(sign.font()).family().toStdString();

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

TEST_F(WindowTest, CreditStaysVisibleOverTheDrawing) {
    for (const QSize size : {QSize(373, 338), QSize(480, 400)}) {
        form->resize(size);
        QTRY_COMPARE(form->size(), size);
        QTest::qWait(50);
        // A read-only box is light; the drawing around the corner is black.
        const QImage window = form->screen()->grabWindow(form->winId()).toImage();
        const QRect sign(form->creditBox().mapTo(form.get(), QPoint(0, 0)), form->creditBox().size());
        const auto colourAt = [&window](int x, int y) {
            const double ratio = window.devicePixelRatio();
            return window.pixelColor(static_cast<int>(x * ratio), static_cast<int>(y * ratio));
        };
        EXPECT_GT(colourAt(sign.right() - 4, sign.center().y()).lightness(), 200) << size.width();
        EXPECT_LT(colourAt(sign.left() - 4, sign.top() - 4).lightness(), 60) << size.width();
    }
}

TEST_F(WindowTest, LayoutFollowsSizeAndState) {
    form->resize(800, 600);
    QTRY_COMPARE(form->size(), QSize(800, 600));
    ExpectLaidOut();
    EXPECT_EQ(form->creditBox().pos(), QPoint(575, 579));

    form->showMaximized();
    QTRY_VERIFY(form->isMaximized() &&
                form->frameGeometry().width() == form->screen()->availableGeometry().width());
    QTRY_COMPARE(Viewport()[2], form->width() - 24);
    ExpectLaidOut();

    form->showNormal();
    QTRY_COMPARE(form->size(), QSize(800, 600));
    QTRY_COMPARE(Viewport()[2], 776);
    ExpectLaidOut();
}

TEST_F(WindowTest, MinimisedItLaysOutNothingAndDrawsNothing) {
    int frames = 0;
    form->renderer()->SetTimeOfDaySource([&frames] {
        ++frames;
        return TimeOfDay{};
    });
    QTRY_VERIFY(frames > 0);
    // Knock the surface and the projection out of step with the window, so that a layout pass would show.
    form->pictureBox().resize(100, 100);
    form->renderer()->Resize(123, 45);

    form->showMinimized();
    QTRY_VERIFY(form->isMinimized() && !form->timer().Enabled());
    const int framesWhenHidden = frames;
    QTest::qWait(300); // some twenty ticks, were the timer running
    EXPECT_EQ(frames, framesWhenHidden);
    EXPECT_EQ(form->pictureBox().size(), QSize(100, 100));
    EXPECT_EQ(Viewport(), (std::array<int, 4>{0, 0, 123, 45}));

    form->showNormal();
    QTRY_VERIFY(!form->isMinimized());
    QTRY_COMPARE(form->pictureBox().width(), form->width() - 24);
    ExpectLaidOut();
    QTRY_VERIFY(frames > framesWhenHidden + 3);
}

TEST_F(WindowTest, ShrinksNoFurtherThanTheStripAndACreditWideSurface) {
    form->resize(10, 200);
    QTRY_COMPARE(form->size(), QSize(24 + 201, 293));
    ExpectLaidOut();
    EXPECT_EQ(form->creditBox().pos(), QPoint(0, 293 - 21));
}

TEST_F(WindowTest, BarsSetThePoseForTheNextTick) {
    form->timer().Stop();
    const Placement before = LastFramePlacement();

    form->scrollBar(kZoomBar).setValue(-300);
    form->scrollBar(kTiltBar).setValue(-45);
    QTest::qWait(100);
    const Placement idle = LastFramePlacement();
    EXPECT_EQ(idle.z, before.z);
    EXPECT_EQ(idle.rotX, before.rotX);
    EXPECT_EQ(idle.rotY, before.rotY);

    form->timer().Start();
    QTRY_COMPARE(LastFramePlacement().z, -300.0 - 500.0);
    const Placement after = LastFramePlacement();
    EXPECT_NEAR(after.rotX, -45.0, 1e-3);
    EXPECT_NEAR(after.x, 0.0, 1e-3);
    EXPECT_NEAR(after.y, 0.0, 1e-3);
    EXPECT_NEAR(after.rotZTerm, 0.0, 1e-5);

    // An arrow key moves a bar by one, a page key by a tenth of its range.
    form->timer().Stop();
    QScrollBar& zoom = form->scrollBar(kZoomBar);
    QTest::keyClick(&zoom, Qt::Key_Down);
    EXPECT_EQ(zoom.value(), -299);
    QTest::keyClick(&zoom, Qt::Key_PageDown);
    EXPECT_EQ(zoom.value(), -239);
    QTest::keyClick(&form->scrollBar(kTiltBar), Qt::Key_PageDown);
    EXPECT_EQ(form->scrollBar(kTiltBar).value(), -45 + 36);
    form->renderer()->Paint();
    EXPECT_NEAR(LastFramePlacement().z, -239.0 - 500.0, 1e-3);
}

TEST_F(WindowTest, DraggingTheThumbMovesThePoseAlong) {
    form->timer().Stop();
    for (const int index : {kZoomBar, kTiltBar}) {
        QScrollBar& bar = form->scrollBar(index);
        bar.setSliderDown(true); // as while the user holds the thumb
        bar.setSliderPosition(40);
        form->renderer()->Paint();
        bar.setSliderDown(false);
    }
    EXPECT_NEAR(LastFramePlacement().z, 40.0 - 500.0, 1e-3);
    EXPECT_NEAR(LastFramePlacement().rotX, 40.0, 1e-3);
}

TEST_F(WindowTest, StartPoseHoldsUntilAKnownBarChanges) {
    // The bars show 0 and -52, the frames tilt by 20 and sit at -62.
    const Placement start = LastFramePlacement();
    EXPECT_NEAR(start.rotX, 20.0, 1e-3);
    EXPECT_NEAR(start.z, -62.0 - 500.0, 1e-3);

    form->timer().Stop();
    for (const int index : {kZoomBar, kTiltBar}) {
        QScrollBar& bar = form->scrollBar(index);
        const QSignalBlocker quiet(bar);
        bar.setValue(77);
    }
    form->handlers().scrTrans_Change(2);
    form->handlers().scrTrans_Change(-1);
    form->handlers().scrTrans_Scroll(2);
    form->renderer()->Paint();
    EXPECT_NEAR(LastFramePlacement().rotX, 20.0, 1e-3);
    EXPECT_NEAR(LastFramePlacement().z, -62.0 - 500.0, 1e-3);

    form->handlers().scrTrans_Change(kTiltBar);
    form->renderer()->Paint();
    EXPECT_NEAR(LastFramePlacement().rotX, 77.0, 1e-3);
    EXPECT_NEAR(LastFramePlacement().z, -62.0 - 500.0, 1e-3);
}

TEST_F(WindowTest, KeepsAnimatingWithoutInput) {
    int timeReads = 0;
    form->renderer()->SetTimeOfDaySource([&timeReads] {
        ++timeReads;
        return TimeOfDay{3, 0, 0};
    });
    for (int frame = 0; frame < 3; ++frame) {
        const double spin = LastFramePlacement().rotY;
        QTRY_VERIFY(LastFramePlacement().rotY != spin);
    }
    QTRY_VERIFY(timeReads >= 3);
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
