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

namespace {

std::string systemOpenGLPath() {
    void* library = dlopen("libGL.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
        return {};
    }
    link_map* map = nullptr;
    std::error_code error;
    const bool known = dlinfo(library, RTLD_DI_LINKMAP, &map) == 0;
    const std::string path = known ? std::filesystem::canonical(map->l_name, error).string() : "";
    dlclose(library);
    return path;
}

} // namespace

TEST(StartupWithoutOpenGL, ShowsOnlyTheMessageAndTellsTheProgramToEnd) {
    if (!InRerun()) {
        const std::string library = systemOpenGLPath();
        if (geteuid() != 0 || library.empty() || std::system("unshare -m true") != 0) {
            GTEST_SKIP() << "needs root, unshare and a libGL.so.1 to hide";
        }
        const std::string hideLibrary =
            "unshare -m sh -c 'mount --bind /dev/null \"$0\" && exec \"$@\"' " + library;
        EXPECT_EQ(RerunCurrentTest(TestProgramPath(), hideLibrary), 0) << "the run without libGL.so.1 failed";
        return;
    }
    ASSERT_FALSE(COpenGL().OpenGLReady()) << "libGL.so.1 was still loadable";
    FormWindow form;
    bool goOn = true;
    const auto boxes = AnswerMessageBoxes([&] { goOn = form.Load(); });
    EXPECT_FALSE(goOn) << "start-up must end the program";
    EXPECT_FALSE(form.isVisible());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "OpenGLが使用できません");
    EXPECT_EQ(boxes[0].caption, "Viduzirivo");
    EXPECT_EQ(boxes[0].icon, MB_ICONHAND);
    EXPECT_EQ(boxes[0].buttons, 1);
    EXPECT_EQ(boxes[0].windowsOnScreen, 1) << "only the message box is on screen";
}
