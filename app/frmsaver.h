// The main window's behaviour: starting, laying out, driving and shutting down the renderer. Written once
// over the controls of controls.h; each toolkit front end makes the controls and routes its events here.
#pragma once

#include "app/controls.h"
#include "render/copengl.h"

#include <memory>

class frmSaver {
  public:
    explicit frmSaver(FormControls controls) : m_controls(controls) {}
    frmSaver(const frmSaver&) = delete;
    frmSaver& operator=(const frmSaver&) = delete;

    // False when the program must end: OpenGL is unavailable and the user has been told.
    bool Form_Load();
    void Form_Resize();
    void Form_Unload();
    void scrTrans_Change(short Index);
    void scrTrans_Scroll(short Index);
    void tmrDisplay_Timer();
    // The platform asks for the surface to be drawn again (part of it was uncovered or newly shown).
    void picMain_Paint();
    // The drawing surface became visible or hidden (minimised, covered up, on another desktop, or no longer
    // given frames by the compositor). Nothing is drawn while nobody can see it.
    void picMain_VisibilityChanged(bool visible);

  private:
    bool InitializeOpenGL();
    void ResizeRenderer();

    FormControls m_controls;
    std::unique_ptr<COpenGL> m_oOpenGL;
};
