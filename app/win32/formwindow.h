// The Win32 front end of the main window: makes the controls from the form design and routes the window's
// messages to the shared handlers of frmSaver.
#pragma once

#include "app/controls.h"
#include "app/frmsaver.h"
#include "app/win32/designfont.h"
#include "app/win32/picturebox.h"
#include "app/win32/scrollbar.h"
#include "app/win32/systemtimer.h"
#include "app/win32/textbox.h"

#include <windows.h>

#include <array>
#include <memory>

class FormWindow : public WindowControl {
  public:
    explicit FormWindow(HINSTANCE instance);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Runs the load handler on the hidden window; false when the program must end (OpenGL unavailable, the
    // user was told).
    bool Load() { return m_form->Form_Load(); }
    void Show(int showCommand);
    // The message loop, with the dialog keys (Tab between the controls); returns the exit code.
    int Run();
    // What the loop does with one message it took from the queue.
    void Dispatch(MSG& message);

    double ScaleWidth() const override;
    double ScaleHeight() const override;
    bool Minimized() const override { return IsIconic(m_hwnd) != FALSE; }

  private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateMainWindow();
    void CreateControls();
    void CreateTips();
    void ApplyDpi(UINT dpi);
    void OnScroll(HWND bar, int request, short thumb);
    bool OnWheel(POINT screen, int delta);
    void RememberFocus();
    RECT Client() const;

    HINSTANCE m_instance;
    HWND m_hwnd = nullptr;
    std::unique_ptr<PictureBox> picMain;
    std::unique_ptr<TextBox> txtSign;
    std::array<std::unique_ptr<ScrollBar>, 2> scrTrans;
    std::array<HWND, 2> Label1{};
    HWND m_tips = nullptr;
    DesignFont m_labelFont;
    DesignFont m_signFont;
    std::unique_ptr<SystemTimer> tmrDisplay;
    std::unique_ptr<frmSaver> m_form;
    // The control that had the keyboard focus when the window was last deactivated.
    HWND m_focus = nullptr;
    bool m_surfaceVisible = true;
};
