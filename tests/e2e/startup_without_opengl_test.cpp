// Start-up where the display offers no OpenGL: the test runs again with Qt's X11 OpenGL integration turned
// off, as on an X server without GLX.
#include "app/qt/formwindow.h"
#include "support/session.h"

#include <gtest/gtest.h>

TEST(StartupWithoutOpenGL, ShowsOnlyTheMessageAndTellsTheProgramToEnd) {
    if (!InRerun()) {
        EXPECT_EQ(RerunCurrentTest(TestProgramPath(), "QT_XCB_GL_INTEGRATION=none"), 0);
        return;
    }
    FormWindow form;
    bool goOn = true;
    const auto boxes = AnswerMessageBoxes([&] { goOn = form.Load(); });
    EXPECT_FALSE(goOn || form.isVisible()) << "start-up must end the program, its window unshown";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(std::make_tuple(boxes[0].text, boxes[0].caption, boxes[0].icon, boxes[0].buttons),
              std::make_tuple("OpenGLが使用できません", "Viduzirivo", MB_ICONHAND, 1));
    EXPECT_EQ(boxes[0].windowsOnScreen, 1) << "only the message box is on screen";
}
