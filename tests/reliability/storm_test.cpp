// Storms of input while frames run: resizes of every kind, minimising, and ten bar changes to each
// (VIDUZIRIVO_STORM_RESIZES: 400 here, 1,000 in scripts/reliability.sh). Nothing may fail, and the frame
// drawn after the storm must be exactly the one asked for.
#include "platform/gl.h"
#include "support/qt_window.h"

#include <random>

TEST_F(WindowTest, StormsOfResizesAndBarChangesLeaveTheNextFrameRight) {
    const int resizes = qEnvironmentVariableIntValue("VIDUZIRIVO_STORM_RESIZES");
    QScrollBar* const bars[] = {&zoomBar(), &tiltBar()};
    std::mt19937 random(20261206);
    const QSize sizes[] = {{373, 338}, {400, 0}, {1, 1}, {20, 338}, {1280, 1024}, {640, 480}};
    std::uniform_int_distribution<int> zoom(-500, 100), tilt(-180, 180);
    for (int i = 0; i < (resizes > 0 ? resizes : 400); ++i) {
        if (i % 10 == 3 || i % 10 == 4) {
            i % 10 == 3 ? form->showMinimized() : form->showNormal();
        } else {
            form->resize(sizes[random() % std::size(sizes)]);
        }
        for (int change = 0; change < 10; ++change) {
            bars[change % 2]->setValue(change % 2 == 0 ? zoom(random) : tilt(random));
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    form->showNormal();
    form->resize(373, 338);
    EXPECT_EQ_EVENTUALLY(picture().size(), QSize(349, 338));
    bars[0]->setValue(-62);
    bars[1]->setValue(20);
    // The next tick draws the pose; after a restore the timer starts once the surface shows again.
    EXPECT_EQ_EVENTUALLY(LastPose().zoom, -62.0);
    EXPECT_NEAR(LastPose().tilt, 20.0, 1e-3);
    ExpectLaidOut();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    form->close();
}
