// What the test sessions of every platform share: collecting the message boxes answered, running a test
// again in a child process, and the test program's own path.
#include "support/session.h"

#include "platform/win32api.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace {

std::vector<SeenMessageBox>* expectedBoxes = nullptr; // where AnswerMessageBoxes collects them

// The shell's way of starting the rerun child with its mark, and of telling its exit status.
#ifdef _WIN32
constexpr char kMarkRerun[] = "set VIDUZIRIVO_TEST_RERUN=1&& ";
int exitStatus(int status) {
    return status;
}
#else
constexpr char kMarkRerun[] = "VIDUZIRIVO_TEST_RERUN=1 ";
int exitStatus(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

} // namespace

void WatchMessageBoxes() {
    const auto seen = AnswerShownMessageBox();
    if (seen && expectedBoxes == nullptr) {
        ADD_FAILURE() << "an unexpected message box: " << seen->text;
    } else if (seen) {
        expectedBoxes->push_back(*seen);
    }
}

std::vector<SeenMessageBox> AnswerMessageBoxes(const std::function<void()>& action) {
    std::vector<SeenMessageBox> seen;
    expectedBoxes = &seen;
    action();
    expectedBoxes = nullptr;
    return seen;
}

int RerunCurrentTest(const std::string& program, const std::string& launcher) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string command = kMarkRerun + launcher + " \"" + program +
                                "\" --gtest_filter=" + test->test_suite_name() + "." + test->name();
    return exitStatus(std::system(command.c_str()));
}

bool InRerun() {
    return std::getenv("VIDUZIRIVO_TEST_RERUN") != nullptr;
}

std::string TestProgramPath() {
#ifdef _WIN32
    char path[MAX_PATH];
    return std::string(path, GetModuleFileNameA(nullptr, path, sizeof(path)));
#else
    return std::filesystem::read_symlink("/proc/self/exe").string();
#endif
}
