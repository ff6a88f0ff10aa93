// The Win32 front end under Wine: what the user's scroll requests do to the bars and to the next frame's
// pose, the keyboard order of the controls, and a minimised window keeping its layout and drawing nothing.
// Poses are read back from the model-view matrix that OpenGL used for the latest frame.
#include "app/win32/formwindow.h"
#include "platform/gl.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

constexpr int kZoomBar = 0;
constexpr int kTiltBar = 1;

RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class FormWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(form.Load());
        form.Show(SW_SHOWNORMAL);
    }

    // What a scroll bar control sends its parent when the user asks it to move.
    void Scroll(int bar, int request, short thumb = 0) {
        SendMessageW(form.hwnd(), WM_VSCROLL, MAKEWPARAM(request, static_cast<WORD>(thumb)),
                     reinterpret_cast<LPARAM>(form.scrollBar(bar).hwnd()));
    }

    std::array<float, 16> NextFrameMatrix() {
        form.handlers().tmrDisplay_Timer();
        std::array<float, 16> m{};
        glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
        return m;
    }

    FormWindow form{GetModuleHandleW(nullptr)};
};

TEST_F(FormWindowTest, ScrollRequestsMoveTheBarsByTheirStepsAndThePoseFollows) {
    struct Case {
        int bar;
        int request;
        short thumb;
        short value;
    };
    // In order, from the design's values -52 (zoom) and 0 (tilt); the page step is a tenth of the range.
    const Case cases[] = {
        {kZoomBar, SB_PAGEDOWN, 0, 8},         {kZoomBar, SB_LINEUP, 0, 7},
        {kZoomBar, SB_BOTTOM, 0, 100},         {kZoomBar, SB_PAGEDOWN, 0, 100},
        {kZoomBar, SB_THUMBTRACK, -321, -321}, {kZoomBar, SB_TOP, 0, -500},
        {kZoomBar, SB_LINEUP, 0, -500},        {kTiltBar, SB_LINEDOWN, 0, 1},
        {kTiltBar, SB_PAGEUP, 0, -35},         {kTiltBar, SB_THUMBTRACK, -170, -170},
        {kTiltBar, SB_THUMBPOSITION, 45, 45},  {kTiltBar, SB_PAGEDOWN, 0, 81},
    };
    for (const Case& c : cases) {
        Scroll(c.bar, c.request, c.thumb);
        EXPECT_EQ(form.scrollBar(c.bar).Value(), c.value) << "bar " << c.bar << " request " << c.request;
        const auto m = NextFrameMatrix();
        if (c.bar == kZoomBar) {
            EXPECT_FLOAT_EQ(m[14], c.value - 500.0f) << "request " << c.request;
        } else {
            EXPECT_NEAR(std::atan2(m[6], m[5]) * 180.0 / 3.14159265358979323846, c.value, 1e-3)
                << "request " << c.request;
        }
    }
}

TEST_F(FormWindowTest, TabWalksSurfaceZoomTiltAndArrowsStayWithTheSurface) {
    HWND picture = form.pictureBox().hwnd();
    HWND zoom = form.scrollBar(kZoomBar).hwnd();
    HWND tilt = form.scrollBar(kTiltBar).hwnd();
    EXPECT_EQ(GetNextDlgTabItem(form.hwnd(), picture, FALSE), zoom);
    EXPECT_EQ(GetNextDlgTabItem(form.hwnd(), zoom, FALSE), tilt);
    EXPECT_EQ(GetNextDlgTabItem(form.hwnd(), tilt, FALSE), picture);
    EXPECT_EQ(GetNextDlgTabItem(form.hwnd(), picture, TRUE), tilt);
    EXPECT_NE(SendMessageW(picture, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, 0);
}

TEST_F(FormWindowTest, MinimisingKeepsTheLayoutAndStopsTheClockUntilRestored) {
    SetWindowPos(form.hwnd(), nullptr, 0, 0, 600, 450, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(form.hwnd(), &client);
    const RECT surface{24, 0, client.right, client.bottom};
    ASSERT_TRUE(ChildRect(form.pictureBox().hwnd()) == surface);
    const RECT sign{client.right - 201, client.bottom - 21, client.right, client.bottom};
    EXPECT_TRUE(ChildRect(form.creditBox().hwnd()) == sign);

    EXPECT_TRUE(form.timer().Enabled());
    ShowWindow(form.hwnd(), SW_MINIMIZE);
    EXPECT_TRUE(ChildRect(form.pictureBox().hwnd()) == surface);
    EXPECT_TRUE(ChildRect(form.creditBox().hwnd()) == sign);
    EXPECT_FALSE(form.timer().Enabled());
    ShowWindow(form.hwnd(), SW_RESTORE);
    EXPECT_TRUE(ChildRect(form.pictureBox().hwnd()) == surface);
    EXPECT_TRUE(form.timer().Enabled());
    std::array<int, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<int, 4>{0, 0, surface.right - 24, surface.bottom}));
}

} // namespace
