// Start-up where the desktop may not be able to show the clock. Qt chooses the platform and opens the display
// itself; these checks only listen to what Qt and the X server report, so that a display that cannot be used
// ends the program with its own explanation on stderr and status 1 instead of Qt's abort.
#pragma once

// From its construction until Release, Qt's messages are watched: a fatal one ends the program with an
// explanation of what could not be opened. Where Qt chose the platform itself and left X11 or Wayland
// untried, the program is first started again on the untried one, as a session may offer only that one.
// Until DisplayOpened, Qt's other messages are held back, so that a failure shows only the explanation.
class StartupChecks {
  public:
    StartupChecks(int argc, char* argv[]);
    ~StartupChecks();
    StartupChecks(const StartupChecks&) = delete;
    StartupChecks& operator=(const StartupChecks&) = delete;

    // QApplication has opened the display: the messages held back are passed on, and later ones go straight
    // through. A fatal one still ends the program with an explanation until Release.
    void DisplayOpened();
    // After QApplication: whether the screen can show the window. An X screen whose default visual is
    // indexed colour (8-bit PseudoColor, say) cannot: false, having said so on stderr.
    bool ScreenCanShowTheWindow() const;
    // The window is on screen: Qt handles its messages as usual again.
    void Release();
};
