// The main window: the drawing surface, the zoom and tilt bars with their labels, the credit box and the
// repaint timer, with the handlers that start, lay out, drive and shut down the renderer.
#pragma once

#include "app/picturebox.h"
#include "app/systemtimer.h"
#include "render/copengl.h"

#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QScrollBar;

class frmSaver : public QWidget {
  public:
    frmSaver();
    ~frmSaver() override;

    // Runs the load handler; false when the program must end (OpenGL unavailable, the user was told).
    bool Load();

    // For the window's tests: the renderer while it lives, and the controls.
    COpenGL* renderer() const { return m_oOpenGL.get(); }
    PictureBox& pictureBox() const { return *picMain; }
    QLineEdit& creditBox() const { return *txtSign; }
    QScrollBar& scrollBar(int index) const { return *scrTrans.at(static_cast<std::size_t>(index)); }
    QLabel& label(int index) const { return *Label1.at(static_cast<std::size_t>(index)); }
    SystemTimer& timer() const { return *tmrDisplay; }

    void scrTrans_Change(short Index);
    void scrTrans_Scroll(short Index);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    bool Form_Load();
    bool InitializeOpenGL();
    void Form_Resize();
    void Form_Unload();
    void tmrDisplay_Timer();

    void createControls();
    void connectHandlers();

    PictureBox* picMain = nullptr;
    QLineEdit* txtSign = nullptr;
    std::array<QScrollBar*, 2> scrTrans{};
    std::array<QLabel*, 2> Label1{};
    SystemTimer* tmrDisplay = nullptr;
    std::unique_ptr<COpenGL> m_oOpenGL;
};
