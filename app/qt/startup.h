// Start-up on a Linux desktop, where the display may not be able to show the clock. Qt chooses the platform
// and opens the display, trying each platform of its list in turn; this hands Qt the desktop platforms where
// the user named none, and turns Qt's fatal message into the program's own explanation and exit status 1.
#pragma once

#include <string>
#include <vector>

class StartupWatch {
  public:
    // Until Release, a fatal message of Qt ends the program with an explanation on stderr, after whatever
    // Qt said on the way (its other messages go out as they come).
    StartupWatch(int argc, char* argv[]);
    ~StartupWatch() { Release(); }
    // The arguments for QApplication: the user's, with "-platform xcb;wayland" where the user named no
    // platform, neither with QT_QPA_PLATFORM nor with -platform: "wayland;xcb" where WAYLAND_DISPLAY is set
    // or the session is a Wayland session, as Qt itself puts Wayland first there.
    int& Argc() { return m_argc; }
    char** Argv() { return m_argv.data(); }
    // False, having said why on stderr, for a screen on which the window cannot be shown: one of fewer
    // than 15 bits, on which nothing can be painted, or one whose scale factor Qt cannot use (not a
    // positive number, or one that leaves the screen or the window without a pixel).
    bool ScreenCanShowTheWindow() const;
    void Release();

  private:
    std::vector<std::string> m_arguments;
    std::vector<char*> m_argv;
    int m_argc = 0;
};
