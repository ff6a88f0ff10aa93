// Whether this process can show anything, asked before the window is made. Qt ends the process with an
// abort when no platform plug-in opens a display, and paints nothing on a screen it has no image format
// for; these checks say so plainly on stderr instead, so that the program can end with status 1.
#pragma once

#include <QBackingStore>
#include <QWindow>

// Before QApplication: keeps those of the platforms to try (QT_QPA_PLATFORM, or X11 and Wayland in the
// order of the session) whose plug-in is installed and whose display accepts a connection, and hands them
// to Qt, which falls back from one to the next. False, having said what was tried, when none is left.
bool ChooseDisplay();

// After QApplication: whether the screen can be painted on at all (an 8-bit PseudoColor X screen cannot),
// so that neither the window nor a message box could be seen. Learnt from a 1 x 1 window that is never
// shown and lives as long as this object: a window destroyed again at once, while the program starts,
// trips up tools that list windows meanwhile.
class ScreenCheck {
  public:
    ScreenCheck();
    // False, having said so on stderr, when nothing can be painted.
    bool CanBePainted();

  private:
    QWindow m_probe;
    QBackingStore m_store{&m_probe};
};
