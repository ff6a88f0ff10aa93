// The controls that the window's handlers work with. Each toolkit front end provides them over its own
// widgets; the handlers see nothing else of the toolkit.
#pragma once

#include "render/drawinghost.h"

// The window itself: its inner size in its own scale unit (twips), and its state.
class WindowControl {
  public:
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;
    virtual bool Minimized() const = 0;

  protected:
    ~WindowControl() = default;
};

// The drawing surface: placed in the window's unit, measured inside in its own scale unit.
class PictureBoxControl : public IDrawingHost {
  public:
    virtual double Left() const = 0;
    virtual void SetSize(double width, double height) = 0;
    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;

  protected:
    ~PictureBoxControl() = default;
};

// The credit box, measured and placed in its container's (the picture box's) scale unit.
class TextBoxControl {
  public:
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual void Move(double left, double top) = 0;

  protected:
    ~TextBoxControl() = default;
};

class ScrollBarControl {
  public:
    virtual short Value() const = 0;

  protected:
    ~ScrollBarControl() = default;
};

class TimerControl {
  public:
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual bool Enabled() const = 0;

  protected:
    ~TimerControl() = default;
};

struct FormControls {
    WindowControl& form;
    PictureBoxControl& picMain;
    TextBoxControl& txtSign;
    ScrollBarControl& zoomBar; // scrTrans index 0
    ScrollBarControl& tiltBar; // scrTrans index 1
    TimerControl& tmrDisplay;
};
