// The Win32 front end under Wine: what the user's scroll requests and the wheel do to the bars and to the
// next frame's pose, the keyboard order of the controls, and a minimised window keeping its layout and
// drawing nothing.
#include "app/win32/formwindow.h"
#include "support/testsurface.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>

namespace {

class FormWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(form.Load());
        form.Show(SW_SHOWNORMAL);
    }

    // The drawing surface's and the credit box's places in the client area: left, top, right, bottom each.
    std::array<LONG, 8> Layout() {
        std::array<RECT, 2> places{};
        GetWindowRect(form.pictureBox().hwnd(), &places[0]);
        GetWindowRect(form.creditBox().hwnd(), &places[1]);
        MapWindowPoints(HWND_DESKTOP, form.hwnd(), reinterpret_cast<POINT*>(places.data()), 4);
        return std::bit_cast<std::array<LONG, 8>>(places);
    }

    FormWindow form{GetModuleHandleW(nullptr)};
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
        SendMessageW(form.hwnd(), WM_VSCROLL, MAKEWPARAM(request, static_cast<WORD>(thumb)),
                     reinterpret_cast<LPARAM>(form.scrollBar(bar).hwnd()));
        form.handlers().tmrDisplay_Timer();
        const double pose = bar == 0 ? LastPose().zoom : LastPose().tilt;
        EXPECT_EQ(form.scrollBar(bar).Value(), value) << "bar " << bar << ", request " << request;
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
    const HWND bars[] = {form.scrollBar(0).hwnd(), form.scrollBar(1).hwnd()};
    const HWND receivers[] = {bars[0], bars[1], form.pictureBox().hwnd(), form.creditBox().hwnd(),
                              form.hwnd()};
    const auto centre = [](HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    for (const int bar : {0, 1}) {
        for (std::size_t receiver = 0; receiver < std::size(receivers); ++receiver) {
            for (const int delta : {-WHEEL_DELTA, WHEEL_DELTA}) {
                const int before = form.scrollBar(bar).Value();
                const WPARAM notch = MAKEWPARAM(0, static_cast<WORD>(delta));
                PostMessageW(receivers[receiver], WM_MOUSEWHEEL, notch, centre(bars[bar]));
                PostMessageW(receivers[receiver], WM_MOUSEWHEEL, notch, centre(form.pictureBox().hwnd()));
                for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) {
                    form.Dispatch(message);
                }
                form.handlers().tmrDisplay_Timer();
                const int expected = before + (delta < 0 ? 3 : -3);
                const std::string where =
                    "bar " + std::to_string(bar) + ", receiver " + std::to_string(receiver);
                EXPECT_EQ(form.scrollBar(bar).Value(), expected) << where << ", delta " << delta;
                EXPECT_NEAR(bar == 0 ? LastPose().zoom : LastPose().tilt, expected, 1e-3) << where;
            }
        }
    }
}

TEST_F(FormWindowTest, TabWalksSurfaceZoomTiltAndArrowsStayWithTheSurface) {
    const HWND order[] = {form.pictureBox().hwnd(), form.scrollBar(0).hwnd(), form.scrollBar(1).hwnd()};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(GetNextDlgTabItem(form.hwnd(), order[i], FALSE), order[(i + 1) % 3]) << i;
        EXPECT_EQ(GetNextDlgTabItem(form.hwnd(), order[i], TRUE), order[(i + 2) % 3]) << i;
    }
    EXPECT_NE(SendMessageW(order[0], WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);
}

TEST_F(FormWindowTest, AnUncoveredSurfaceIsDrawnAtOnceNotAtTheNextTick) {
    int frames = 0;
    form.renderer()->SetTimeOfDaySource([&frames] {
        ++frames;
        return TimeOfDay{};
    });
    InvalidateRect(form.pictureBox().hwnd(), nullptr, FALSE);
    UpdateWindow(form.pictureBox().hwnd()); // its WM_PAINT, sent at once; no WM_TIMER is handled here
    EXPECT_EQ(frames, 1);
}

TEST_F(FormWindowTest, MinimisingKeepsTheLayoutAndStopsTheClockUntilRestored) {
    SetWindowPos(form.hwnd(), nullptr, 0, 0, 600, 450, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    const LONG w = client.right, h = client.bottom;
    const std::array<LONG, 8> expected{24, 0, w, h, w - 201, h - 21, w, h};
    ASSERT_EQ(Layout(), expected);
    ShowWindow(form.hwnd(), SW_MINIMIZE);
    EXPECT_EQ(Layout(), expected);
    EXPECT_FALSE(form.timer().Enabled());
    ShowWindow(form.hwnd(), SW_RESTORE);
    EXPECT_EQ(Layout(), expected);
    EXPECT_TRUE(form.timer().Enabled());
    EXPECT_EQ(CurrentViewport(), (std::array<int, 4>{0, 0, w - 24, h}));
}

} // namespace
