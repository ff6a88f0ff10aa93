// The Qt front end of the main window: makes the controls from the form design and routes Qt's events to
// the shared handlers of frmSaver.
#pragma once

#include "app/controls.h"
#include "app/frmsaver.h"
#include "app/qt/picturebox.h"
#include "app/qt/systemtimer.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QScreen;

// A scroll bar whose value the handlers read as the 16-bit integer of the design.
// With the keyboard focus it outlines its thumb, as native scroll bars mark the focused bar.
class ScrollBar : public QScrollBar, public ScrollBarControl {
  public:
    using QScrollBar::QScrollBar;
    short Value() const override { return static_cast<short>(value()); }

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The credit box, measured and placed in the picture box's scale unit.
class TextBox : public QLineEdit, public TextBoxControl {
  public:
    TextBox(const QString& text, PictureBox* container)
        : QLineEdit(text, container), m_container(container) {}
    double Width() const override { return m_container->ToScaleUnits(width()); }
    double Height() const override { return m_container->ToScaleUnits(height()); }
    void Move(double left, double top) override;

  private:
    PictureBox* m_container;
};

class FormWindow : public QWidget, public WindowControl {
  public:
    FormWindow();
    ~FormWindow() override;

    // Runs the load handler; false when the program must end (OpenGL unavailable, the user was told).
    bool Load() { return m_form->Form_Load(); }

    double ScaleWidth() const override;
    double ScaleHeight() const override;
    bool Minimized() const override { return isMinimized(); }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    void connectHandlers();
    bool surfaceVisible() const;
    double innerWidth() const;
    double innerHeight() const;
    void followVisibility();
    void followScreen(QScreen* screen);

    PictureBox* picMain = nullptr;
    TextBox* txtSign = nullptr;
    std::array<ScrollBar*, 2> scrTrans{};
    std::array<QLabel*, 2> Label1{};
    SystemTimer* tmrDisplay = nullptr;
    std::unique_ptr<frmSaver> m_form;
    bool m_surfaceVisible = false;
    QMetaObject::Connection m_screenFollowed;
};
