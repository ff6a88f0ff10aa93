// Storms of input while frames run: resizes of every kind and bar changes. Nothing may crash, and the frame
// drawn after the storm must be the right one.
#include "app/qt/formwindow.h"
#include "platform/gl.h"
#include "support/testsurface.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

void letFramesRun() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

TEST(Storm, ResizesBarChangesAndDirectResizesLeaveTheNextFrameRight) {
    FormWindow form;
    ASSERT_TRUE(form.Load());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    COpenGL& renderer = *form.renderer();

    std::mt19937 random(20261206);
    const QSize sizes[] = {{373, 338}, {400, 0}, {1, 1}, {8192, 8192}, {20, 338}, {1280, 1024}, {640, 480}};
    for (int i = 0; i < 1000; ++i) {
        switch (i % 10) {
        case 3:
            form.showMinimized();
            break;
        case 4:
            form.showNormal();
            break;
        case 7:
            // The renderer's own extremes, beyond what any window manager allows a window.
            renderer.Resize(i % 20 == 7 ? 8192 : 1, i % 20 == 7 ? 8192 : 0);
            break;
        default:
            const QSize size = sizes[random() % std::size(sizes)];
            if (size.width() == 8192 && i % 100 != 0) {
                form.resize(sizes[0]); // keep the giant surfaces to a few, they are slow in software
            } else {
                form.resize(size);
            }
        }
        letFramesRun();
    }

    std::uniform_int_distribution<int> zoom(-500, 100);
    std::uniform_int_distribution<int> tilt(-180, 180);
    for (int i = 0; i < 10000; ++i) {
        form.scrollBar(i % 2).setValue(i % 2 == 0 ? zoom(random) : tilt(random));
        if (i % 10 == 0) {
            letFramesRun();
        }
    }

    // Back to the design size and a known pose: the next frame must show exactly that.
    form.showNormal();
    form.resize(373, 338);
    QTRY_COMPARE(form.pictureBox().size(), QSize(349, 338));
    renderer.SetTimeOfDaySource([] { return TimeOfDay{3, 0, 0}; });
    form.scrollBar(0).setValue(-62);
    form.scrollBar(1).setValue(20);
    // The next tick draws the pose; after a restore the timer starts once the surface shows again.
    QTRY_COMPARE_WITH_TIMEOUT(CurrentMatrix(GL_MODELVIEW_MATRIX)[14], -562.0f, 10000);

    const std::array<float, 16> m = CurrentMatrix(GL_MODELVIEW_MATRIX);
    EXPECT_FLOAT_EQ(m[12], 0.0f);
    EXPECT_FLOAT_EQ(m[13], 0.0f);
    EXPECT_FLOAT_EQ(m[14], -562.0f);
    EXPECT_NEAR(m[4], 0.0f, 1e-6); // the model's +Y axis is tilted by RotateX = 20 only
    EXPECT_NEAR(m[5], std::cos(20.0 * M_PI / 180.0), 1e-6);
    EXPECT_NEAR(m[6], std::sin(20.0 * M_PI / 180.0), 1e-6);
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const auto ratio = form.pictureBox().devicePixelRatioF();
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, static_cast<GLint>(std::lround(349 * ratio)),
                                              static_cast<GLint>(std::lround(338 * ratio))}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    form.close();
    EXPECT_EQ(form.renderer(), nullptr);
}
