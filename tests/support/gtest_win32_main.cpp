// Test entry point on Windows: every GoogleTest case on this thread, with a watch on message boxes.
#include "platform/win32_text.h"
#include "support/session.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <utility>

namespace {

std::string textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return Utf8(text);
}

bool hasClass(HWND window, const wchar_t* name) {
    wchar_t found[64] = {};
    GetClassNameW(window, found, 64);
    return std::wcscmp(found, name) == 0;
}

// The icon control of a message box holds one of the system's shared icons; 0 for a text control.
unsigned iconStyle(HWND control) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(control, STM_GETICON, 0, 0));
    for (const auto& [id, style] :
         {std::pair{IDI_HAND, MB_ICONHAND}, {IDI_EXCLAMATION, MB_ICONEXCLAMATION}}) {
        if (icon != nullptr && icon == LoadIconA(nullptr, id)) {
            return style;
        }
    }
    return 0;
}

void CALLBACK watch(HWND, UINT, UINT_PTR, DWORD) {
    WatchMessageBoxes();
}

} // namespace

// The box is the dialog window of this thread. Which other windows show with it is judged on Linux.
std::optional<SeenMessageBox> AnswerShownMessageBox() {
    const HWND box = FindWindowW(L"#32770", nullptr);
    if (box == nullptr || !IsWindowVisible(box) ||
        GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId()) {
        return std::nullopt;
    }
    SeenMessageBox seen;
    seen.caption = textOf(box);
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (hasClass(child, L"Button")) {
            seen.buttons += IsWindowVisible(child) ? 1 : 0;
        } else if (hasClass(child, L"Static") && iconStyle(child) != 0) {
            seen.icon = iconStyle(child);
        } else if (hasClass(child, L"Static") && seen.text.empty()) {
            seen.text = textOf(child);
        }
    }
    SendMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return seen;
}

int main(int argc, char* argv[]) {
    SetTimer(nullptr, 0, 20, watch);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
