// Start-up on a Linux desktop, where the display may not be able to show the clock. Qt chooses the platform
// and opens the display, trying each platform of its list in turn; this hands Qt the desktop platforms where
// the user named none, and turns Qt's fatal message into the program's own explanation and exit status 1.
#pragma once

#include <string>
#include <vector>

class StartupWatch {
  public:
    // Until Release, a fatal message of Qt ends the program with an explanation on stderr; until
    // DisplayOpened, Qt's other messages are held back, so that a failure shows only that.
    StartupWatch(int argc, char* argv[]);
    ~StartupWatch() { Release(); }
    // The arguments for QApplication: the user's, with "-platform xcb;wayland" (or "wayland;xcb" in a Wayland
    // session) where the user named no platform, neither with QT_QPA_PLATFORM nor with -platform.
    int& Argc() { return m_argc; }
    char** Argv() { return m_argv.data(); }
    void DisplayOpened();
    // False, having said why on stderr, for a screen of fewer than 15 bits, on which nothing can be painted.
    bool ScreenCanShowTheWindow() const;
    void Release();

  private:
    std::vector<std::string> m_arguments;
    std::vector<char*> m_argv;
    int m_argc = 0;
};
