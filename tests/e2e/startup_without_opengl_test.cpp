// Start-up where the system OpenGL library cannot be loaded: the test runs again in a private mount
// namespace in which libGL.so.1 is covered by an empty file, as it would be on a machine without it.
#include "app/qt/formwindow.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <link.h>
#include <unistd.h>

TEST(StartupWithoutOpenGL, ShowsOnlyTheMessageAndTellsTheProgramToEnd) {
    if (!InRerun()) {
        void* gl = dlopen("libGL.so.1", RTLD_LAZY | RTLD_LOCAL);
        link_map* map = nullptr;
        std::error_code error;
        const std::string library = gl != nullptr && dlinfo(gl, RTLD_DI_LINKMAP, &map) == 0
                                        ? std::filesystem::canonical(map->l_name, error).string()
                                        : "";
        if (geteuid() != 0 || library.empty() || std::system("unshare -m true") != 0) {
            GTEST_SKIP() << "needs root, unshare and a libGL.so.1 to hide";
        }
        EXPECT_EQ(
            RerunCurrentTest(TestProgramPath(),
                             "unshare -m sh -c 'mount --bind /dev/null \"$0\" && exec \"$@\"' " + library),
            0);
        return;
    }
    ASSERT_FALSE(COpenGL().OpenGLReady()) << "libGL.so.1 was still loadable";
    FormWindow form;
    bool goOn = true;
    const auto boxes = AnswerMessageBoxes([&] { goOn = form.Load(); });
    EXPECT_FALSE(goOn || form.isVisible()) << "start-up must end the program, its window unshown";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(std::make_tuple(boxes[0].text, boxes[0].caption, boxes[0].icon, boxes[0].buttons),
              std::make_tuple("OpenGLが使用できません", "Viduzirivo", MB_ICONHAND, 1));
    EXPECT_EQ(boxes[0].windowsOnScreen, 1) << "only the message box is on screen";
}
