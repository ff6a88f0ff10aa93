// The Win32 front end under Wine: what the user's scroll requests and the wheel do to the bars and to the
// next frame's pose, the keyboard order of the controls and the focus kept across activations, their names
// for screen readers, a move to a monitor of another DPI, drawing when uncovered, and a minimised window
// keeping its layout and drawing nothing. The controls are found as tools outside the program find them.
#include "app/win32/formwindow.h"
#include "platform/gl.h"
#include "support/testsurface.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <array>
#include <bit>
#include <string>
#include <utility>
#include <vector>

namespace {

using Frame = std::array<float, 16>;

class FormWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(form.Load());
        form.Show(SW_SHOWNORMAL);
        window = FindWindowW(L"ViduzirivoForm", nullptr);
        ASSERT_NE(window, nullptr);
    }

    // The window's controls as tools outside the program find them: the nth child of a window class, in the
    // order the window made them.
    HWND Child(const wchar_t* windowClass, int n = 0) const {
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (lstrcmpiW(name, windowClass) == 0 && n-- == 0) {
                return child;
            }
        }
        return nullptr;
    }
    HWND Surface() const { return Child(L"ViduzirivoPictureBox"); }
    HWND Bar(int index) const { return Child(L"ScrollBar", index); } // 0 zoom, 1 tilt
    HWND Credit() const { return Child(L"Edit"); }

    // Asks the surface to be drawn again, as the system does where it was uncovered; returns the model-view
    // matrix of the latest frame, which each frame turns a little further.
    Frame Repaint() const {
        InvalidateRect(Surface(), nullptr, FALSE);
        UpdateWindow(Surface()); // its WM_PAINT, sent at once; no WM_TIMER is handled here
        return CurrentMatrix(GL_MODELVIEW_MATRIX);
    }

    // Handles the window's messages, the repaint timer's ticks among them, for `ms` milliseconds.
    void RunFor(DWORD ms) {
        for (const ULONGLONG end = GetTickCount64() + ms;; Sleep(10)) {
            for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
                form.Dispatch(message);
            }
            if (GetTickCount64() >= end) {
                return;
            }
        }
    }

    // The drawing surface's and the credit box's places in the client area: left, top, right, bottom each.
    std::array<LONG, 8> Layout() const {
        std::array<RECT, 2> places{};
        GetWindowRect(Surface(), &places[0]);
        GetWindowRect(Credit(), &places[1]);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(places.data()), 4);
        return std::bit_cast<std::array<LONG, 8>>(places);
    }

    FormWindow form{GetModuleHandleW(nullptr)};
    HWND window = nullptr;
};

TEST_F(FormWindowTest, ScrollRequestsMoveTheBarsByTheirStepsAndThePoseFollows) {
    // In order, from zoom -52 on bar 0 and tilt 0 on bar 1; a page is a tenth of the range. The next frame's
    // model-view matrix holds the zoom as the eye's distance and the tilt as the rotation about x.
    const std::array<int, 4> cases[] = {
        {0, SB_PAGEDOWN, 0, 8},         {0, SB_LINEUP, 0, 7},           {0, SB_BOTTOM, 0, 100},
        {0, SB_PAGEDOWN, 0, 100},       {0, SB_THUMBTRACK, -321, -321}, {0, SB_TOP, 0, -500},
        {0, SB_LINEUP, 0, -500},        {1, SB_LINEDOWN, 0, 1},         {1, SB_PAGEUP, 0, -35},
        {1, SB_THUMBTRACK, -170, -170}, {1, SB_THUMBPOSITION, 45, 45},  {1, SB_PAGEDOWN, 0, 81}};
    for (const auto& [bar, request, thumb, value] : cases) {
        SendMessageW(window, WM_VSCROLL, MAKEWPARAM(request, static_cast<WORD>(thumb)),
                     reinterpret_cast<LPARAM>(Bar(bar)));
        Repaint();
        const double pose = bar == 0 ? LastPose().zoom : LastPose().tilt;
        EXPECT_EQ(GetScrollPos(Bar(bar), SB_CTL), value) << "bar " << bar << ", request " << request;
        EXPECT_NEAR(pose, value, 1e-3) << "bar " << bar << ", request " << request;
    }
}

// A notch over a bar moves it as the system's lines per notch (3, as Qt's default) arrow clicks would,
// whichever window the system hands the wheel to: the one under the mouse (Windows 10), the focus window
// (Wine), or a control that would keep it (the credit box). Elsewhere the wheel moves no bar.
TEST_F(FormWindowTest, AWheelNotchOverABarMovesItAsItsArrowDoes) {
    UINT lines = 0;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_EQ(lines, 3u);
    const HWND bars[] = {Bar(0), Bar(1)};
    const HWND receivers[] = {bars[0], bars[1], Surface(), Credit(), window};
    const auto centre = [](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    for (const int bar : {0, 1}) {
        for (std::size_t receiver = 0; receiver < std::size(receivers); ++receiver) {
            for (const int delta : {-WHEEL_DELTA, WHEEL_DELTA}) {
                const int before = GetScrollPos(bars[bar], SB_CTL);
                const WPARAM notch = MAKEWPARAM(0, static_cast<WORD>(delta));
                PostMessageW(receivers[receiver], WM_MOUSEWHEEL, notch, centre(bars[bar]));
                PostMessageW(receivers[receiver], WM_MOUSEWHEEL, notch, centre(Surface()));
                RunFor(0);
                Repaint();
                const int expected = before + (delta < 0 ? 3 : -3);
                const std::string where =
                    "bar " + std::to_string(bar) + ", receiver " + std::to_string(receiver);
                EXPECT_EQ(GetScrollPos(bars[bar], SB_CTL), expected) << where << ", delta " << delta;
                EXPECT_NEAR(bar == 0 ? LastPose().zoom : LastPose().tilt, expected, 1e-3) << where;
            }
        }
    }
}

TEST_F(FormWindowTest, TabWalksSurfaceZoomTiltAndArrowsStayWithTheSurface) {
    const HWND order[] = {Surface(), Bar(0), Bar(1)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(GetNextDlgTabItem(window, order[i], FALSE), order[(i + 1) % 3]) << i;
        EXPECT_EQ(GetNextDlgTabItem(window, order[i], TRUE), order[(i + 2) % 3]) << i;
    }
    EXPECT_NE(SendMessageW(order[0], WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);
}

TEST_F(FormWindowTest, AnUncoveredSurfaceIsDrawnAtOnceNotAtTheNextTick) {
    const Frame before = CurrentMatrix(GL_MODELVIEW_MATRIX);
    EXPECT_NE(Repaint(), before);
}

// The name that screen readers get for a control from oleacc. Windows names a control without text by the
// label just before it in the window order; Wine's oleacc names a window by its own text only, so there that
// label is read instead.
std::wstring ScreenReaderName(HWND control) {
    IAccessible* accessible = nullptr;
    BSTR name = nullptr;
    VARIANT self{}; // CHILDID_SELF
    self.vt = VT_I4;
    if (AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&accessible)) == S_OK) {
        accessible->get_accName(self, &name);
        accessible->Release();
    }
    std::wstring result = name != nullptr ? name : L"";
    SysFreeString(name);
    if (result.empty()) {
        result.resize(32);
        result.resize(GetWindowTextW(GetWindow(control, GW_HWNDPREV), result.data(), 32));
    }
    return result;
}

TEST_F(FormWindowTest, ScreenReadersNameEachBarByItsLabelAndTheSurfaceByItsText) {
    EXPECT_EQ(ScreenReaderName(Bar(0)), L"Zoom");
    EXPECT_EQ(ScreenReaderName(Bar(1)), L"RotX");
    EXPECT_EQ(ScreenReaderName(Surface()), L"Clock");
}

TEST_F(FormWindowTest, MinimisingKeepsTheLayoutAndStopsTheClockUntilRestored) {
    SetWindowPos(window, nullptr, 0, 0, 600, 450, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(window, &client);
    const LONG w = client.right, h = client.bottom;
    const std::array<LONG, 8> expected{24, 0, w, h, w - 201, h - 21, w, h};
    ASSERT_EQ(Layout(), expected);
    ShowWindow(window, SW_MINIMIZE);
    const Frame hidden = CurrentMatrix(GL_MODELVIEW_MATRIX);
    RunFor(300); // some twenty ticks, were the timer running
    EXPECT_EQ(Layout(), expected);
    EXPECT_EQ(Repaint(), hidden) << "a frame drawn while minimised";
    ShowWindow(window, SW_RESTORE);
    EXPECT_EQ(Layout(), expected);
    EXPECT_NE(Repaint(), hidden) << "no frame once restored";
    EXPECT_EQ(CurrentViewport(), (std::array<int, 4>{0, 0, w - 24, h}));
}

// As a control's subclass: counts in *deadFontMessages each message the control handles while its font
// (WM_GETFONT) is no font object any more, deleted while the control still drew with it.
LRESULT CALLBACK CountMessagesWithADeadFont(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR, DWORD_PTR deadFontMessages) {
    const auto font = reinterpret_cast<HGDIOBJ>(DefSubclassProc(control, WM_GETFONT, 0, 0));
    *reinterpret_cast<int*>(deadFontMessages) += font != nullptr && GetObjectType(font) != OBJ_FONT;
    return DefSubclassProc(control, message, wParam, lParam);
}

// Moved to a monitor of 144 DPI, the window takes the rectangle the system suggests; the labels, the bars,
// the surface's corner and the credit box's size grow by half, and so do the fonts of the labels and the
// credit box. At no moment does one of them hold a deleted font, and the fonts they had are freed.
TEST_F(FormWindowTest, ADpiChangeScalesTheControlsAndTheirFontsAndNeverLeavesOneADeletedFont) {
    const HWND scaled[] = {Child(L"Static", 0), Child(L"Static", 1), Bar(0), Bar(1), Surface(), Credit()};
    // Of left, top, width and height, those in [from, to) grow: the surface's size and the credit box's
    // corner follow the client area instead.
    const std::size_t from[] = {0, 0, 0, 0, 0, 2}, to[] = {4, 4, 4, 4, 2, 4};
    const HWND withFonts[] = {scaled[0], scaled[1], Credit()};
    const auto placeOf = [this](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
        return std::array<LONG, 4>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    const auto fontOf = [](HWND control) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        LOGFONTW description{};
        GetObjectW(font, sizeof(description), &description);
        return std::pair{font, description.lfHeight};
    };
    std::vector<std::array<LONG, 4>> places;
    std::vector<std::pair<HFONT, LONG>> fonts;
    int deadFontMessages = 0;
    for (const HWND control : scaled) {
        places.push_back(placeOf(control));
    }
    for (const HWND control : withFonts) {
        fonts.push_back(fontOf(control));
        SetWindowSubclass(control, CountMessagesWithADeadFont, 1,
                          reinterpret_cast<DWORD_PTR>(&deadFontMessages));
    }

    const RECT suggested{40, 30, 40 + 700, 30 + 560};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RunFor(100);
    for (const HWND control : withFonts) {
        RemoveWindowSubclass(control, CountMessagesWithADeadFont, 1);
    }

    EXPECT_EQ(deadFontMessages, 0) << "messages handled by a label or the credit box with a deleted font";
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested)) << "the window is not where the system suggested";
    for (std::size_t i = 0; i < std::size(scaled); ++i) {
        for (std::size_t value = from[i]; value < to[i]; ++value) {
            EXPECT_NEAR(placeOf(scaled[i])[value], places[i][value] * 1.5, 1.0) << i << ", " << value;
        }
    }
    for (std::size_t i = 0; i < std::size(withFonts); ++i) {
        EXPECT_NEAR(fontOf(withFonts[i]).second, fonts[i].second * 1.5, 1.0) << i;
        EXPECT_EQ(GetObjectType(fonts[i].first), 0u) << "font " << i << " not freed";
    }
}

// Deactivated and activated again, the window gives the focus back to the control that had it.
TEST_F(FormWindowTest, ActivatedAgainTheFocusReturnsToTheControlThatHadIt) {
    const HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr,
                                       nullptr, nullptr, nullptr);
    SetFocus(Bar(1));
    ASSERT_EQ(GetFocus(), Bar(1));
    SetActiveWindow(other);
    RunFor(50);
    ASSERT_NE(GetFocus(), Bar(1));
    SetActiveWindow(window);
    RunFor(50);
    EXPECT_EQ(GetFocus(), Bar(1));
    DestroyWindow(other);
}

} // namespace
