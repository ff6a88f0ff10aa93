// Test entry point on Windows: every GoogleTest case on this thread, with a watch on message boxes, and
// tests run again in child processes.
#include "platform/win32api.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<SeenMessageBox>* expectedBoxes = nullptr; // where AnswerMessageBoxes collects them

std::string utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

// The message box's icon as its style bits: the icon control holds one of the system's shared icons.
unsigned iconStyle(HICON icon) {
    const struct {
        LPCSTR id;
        unsigned style;
    } icons[] = {{IDI_HAND, MB_ICONHAND},
                 {IDI_QUESTION, MB_ICONQUESTION},
                 {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                 {IDI_ASTERISK, MB_ICONASTERISK}};
    for (const auto& candidate : icons) {
        if (icon != nullptr && icon == LoadIconA(nullptr, candidate.id)) {
            return candidate.style;
        }
    }
    return 0;
}

BOOL CALLBACK countOurVisibleWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    *reinterpret_cast<int*>(count) += process == GetCurrentProcessId() && IsWindowVisible(window);
    return TRUE;
}

BOOL CALLBACK findMessageBox(HWND window, LPARAM result) {
    if (IsWindowVisible(window) && classOf(window) == L"#32770") {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

SeenMessageBox describe(HWND box) {
    SeenMessageBox seen;
    seen.caption = utf8(textOf(box));
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (classOf(child) == L"Button" && IsWindowVisible(child)) {
            ++seen.buttons;
        } else if (classOf(child) == L"Static") {
            const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            if (icon != nullptr) {
                seen.icon = iconStyle(icon);
            } else if (seen.text.empty()) {
                seen.text = utf8(textOf(child));
            }
        }
    }
    EnumWindows(countOurVisibleWindow, reinterpret_cast<LPARAM>(&seen.windowsOnScreen));
    return seen;
}

HWND shownMessageBox() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findMessageBox, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Every 20 ms while a message box runs its loop on this thread: the box is noted and answered. Nobody else
// would answer it, and it would hold the test until the runner's time-out.
void CALLBACK watchMessageBoxes(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = shownMessageBox();
    if (box == nullptr) {
        return;
    }
    const SeenMessageBox seen = describe(box);
    if (expectedBoxes == nullptr) {
        ADD_FAILURE() << "an unexpected message box: " << seen.text;
    } else {
        expectedBoxes->push_back(seen);
    }
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace

std::vector<SeenMessageBox> AnswerMessageBoxes(const std::function<void()>& action) {
    std::vector<SeenMessageBox> seen;
    expectedBoxes = &seen;
    action();
    expectedBoxes = nullptr;
    return seen;
}

int RerunCurrentTest(const std::string& program, const std::string& launcher) {
    if (!launcher.empty()) {
        ADD_FAILURE() << "no launcher on Windows: " << launcher;
        return -1;
    }
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string commandLine =
        "\"" + program + "\" --gtest_filter=" + test->test_suite_name() + "." + test->name();
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    SetEnvironmentVariableA("VIDUZIRIVO_TEST_RERUN", "1");
    const BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableA("VIDUZIRIVO_TEST_RERUN", nullptr);
    if (!started) {
        return -1;
    }
    DWORD status = 0;
    WaitForSingleObject(child.hProcess, INFINITE);
    GetExitCodeProcess(child.hProcess, &status);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return static_cast<int>(status);
}

int main(int argc, char* argv[]) {
    SetTimer(nullptr, 0, 20, watchMessageBoxes);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
