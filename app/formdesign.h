// The window's design: every control with its place, range, caption, tip, font and tab order. Positions and
// sizes are in twips (1/1440 inch); at the design resolution of 96 dots per inch a pixel is 15 twips. Both
// toolkit front ends build their controls from these tables.
#pragma once

namespace FormDesign {

struct TwipRect {
    int left, top, width, height;
};

struct FontDesign {
    const char* family;
    double points;
    int weight;
    bool italic;
    int charset;
};

struct ScrollBarDesign {
    TwipRect place;
    short minimum, maximum, value;
    short smallChange, largeChange;
    int tabIndex;
    short label; // the Label1 index of the label that names the bar
};

struct LabelDesign {
    TwipRect place;
    const char* caption;
    const char* tip;
    int tabIndex;
};

constexpr int kTwipsPerInch = 1440;
constexpr int kDesignDotsPerInch = 96;
constexpr int kTwipsPerPixel = kTwipsPerInch / kDesignDotsPerInch;

constexpr const char* kCaption = "Viduzirivo";
constexpr int kClientWidth = 5595;
constexpr int kClientHeight = 5070;

// The smallest client area the window allows: the whole control strip, and beside it a surface as wide as
// the credit box.
constexpr int kMinClientWidth = 360 + 3015;
constexpr int kMinClientHeight = 4140 + 255;

constexpr const char* kOpenGLUnavailable = "OpenGLが使用できません";
constexpr unsigned kOpenGLUnavailableStyle = 16; // OK button only, critical-stop icon

constexpr TwipRect kPicMain{360, 0, 5235, 4110};
constexpr int kPicMainTabIndex = 0;
// What a screen reader calls the drawing surface.
constexpr const char* kPicMainName = "Clock";

// scrTrans index 0 is the zoom bar, labelled by Label1 index 1; scrTrans index 1 is the tilt bar, labelled by
// Label1 index 0. The page step is a tenth of the range, so that a page key crosses a bar in ten presses.
constexpr short kZoom = 0;
constexpr short kTilt = 1;
constexpr ScrollBarDesign kScrTrans[2] = {
    {{60, 2280, 255, 1815}, -500, 100, -52, 1, 60, 1, 1},
    {{60, 0, 255, 1815}, -180, 180, 0, 1, 36, 2, 0},
};

constexpr LabelDesign kLabel1[2] = {
    {{0, 1860, 435, 255}, "RotX", "RotateX", 4},
    {{0, 4140, 435, 255}, "Zoom", "Zoom", 5},
};

constexpr const char* kFontFamily = "ＭＳ Ｐゴシック";
constexpr int kShiftJisCharset = 128;
constexpr FontDesign kLabelFont{kFontFamily, 6.75, 400, false, kShiftJisCharset};
constexpr FontDesign kSignFont{kFontFamily, 11.25, 400, true, kShiftJisCharset};

// The credit box, inside picMain; Form_Resize keeps it in the surface's lower right corner.
constexpr TwipRect kTxtSign{2220, 3795, 3015, 315};
constexpr const char* kSignText = "By Team Veroradez";
constexpr int kTxtSignTabIndex = 3; // not a tab stop

constexpr int kTimerInterval = 1; // milliseconds

constexpr int Pixels(int twips) {
    return twips / kTwipsPerPixel;
}

} // namespace FormDesign
