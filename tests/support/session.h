// What a test needs from the session around it: message boxes answered as a user would, and a test run again
// alone in a child process (from another folder, or in a changed system). Test bodies see no toolkit.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A message box as the user saw it; the icon as its Win32 style bits (MB_ICONEXCLAMATION, ...).
struct SeenMessageBox {
    std::string text, caption;
    unsigned icon = 0;
    int buttons = 0;
    int windowsOnScreen = 0; // top-level windows visible with it, the box included (judged on Linux)
};

// Runs `action`, answering every message box it shows with OK, and returns the boxes in order. A box shown
// outside such a call is answered too, and fails the test.
std::vector<SeenMessageBox> AnswerMessageBoxes(const std::function<void()>& action);

// Runs the current test again, alone, as `program` started through the shell command prefix `launcher`, and
// returns the child's exit status (-1 when it did not end normally). InRerun() is true in the child.
int RerunCurrentTest(const std::string& program, const std::string& launcher = {});
bool InRerun();

std::string TestProgramPath();

// Each platform's entry point calls WatchMessageBoxes every 20 ms; it notes the box that
// AnswerShownMessageBox, the platform's own, describes and answers with OK. Nobody else would answer it, and
// it would hold the test until the runner's time-out.
void WatchMessageBoxes();
std::optional<SeenMessageBox> AnswerShownMessageBox();
