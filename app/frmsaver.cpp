#include "app/frmsaver.h"

#include "app/formdesign.h"
#include "platform/messagebox.h"
#include "scene/sshape.h"

#include <algorithm>
#include <cmath>

namespace {

int roundToInt(double value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

bool frmSaver::Form_Load() {
    m_oOpenGL = std::make_unique<COpenGL>();
    if (!InitializeOpenGL()) {
        return false;
    }
    BuildDisplayLists();
    m_controls.tmrDisplay.Start();
    return true;
}

bool frmSaver::InitializeOpenGL() {
    // Without the library, or without a context on the surface (a display that offers no OpenGL), nothing
    // could ever be drawn: the user is told rather than shown an empty window.
    if (!m_oOpenGL->OpenGLReady() || !m_oOpenGL->Initialize(m_controls.picMain)) {
        MsgBox(FormDesign::kOpenGLUnavailable, FormDesign::kCaption, FormDesign::kOpenGLUnavailableStyle);
        return false;
    }
    ResizeRenderer();
    m_oOpenGL->RotateX(20.0f);
    m_oOpenGL->RotateY(0.0f);
    m_oOpenGL->RotateZ(0.0f);
    m_oOpenGL->TranslateX(0.0f);
    m_oOpenGL->TranslateY(0.0f);
    m_oOpenGL->TranslateZ(-62.0f);
    m_oOpenGL->Paint();
    return true;
}

void frmSaver::Form_Resize() {
    // Once unloaded there is no renderer to size: the window may still report a size while it closes.
    if (m_controls.form.Minimized() || !m_oOpenGL) {
        return;
    }
    PictureBoxControl& picMain = m_controls.picMain;
    TextBoxControl& txtSign = m_controls.txtSign;
    const double left = picMain.Left();
    // A client area narrower than the strip keeps the surface at no width rather than a negative one.
    picMain.SetSize(std::max(0.0, m_controls.form.ScaleWidth() - left), m_controls.form.ScaleHeight());
    txtSign.Move(picMain.ScaleWidth() - txtSign.Width(), picMain.ScaleHeight() - txtSign.Height());
    ResizeRenderer();
}

void frmSaver::ResizeRenderer() {
    m_oOpenGL->Resize(roundToInt(m_controls.picMain.ScaleWidth()),
                      roundToInt(m_controls.picMain.ScaleHeight()));
}

void frmSaver::Form_Unload() {
    m_controls.tmrDisplay.Stop();
    m_oOpenGL.reset();
}

void frmSaver::scrTrans_Change(short Index) {
    if (!m_oOpenGL) {
        return;
    }
    if (Index == FormDesign::kZoom) {
        m_oOpenGL->TranslateZ(static_cast<float>(m_controls.zoomBar.Value()));
    } else if (Index == FormDesign::kTilt) {
        m_oOpenGL->RotateX(static_cast<float>(m_controls.tiltBar.Value()));
    }
}

void frmSaver::scrTrans_Scroll(short Index) {
    scrTrans_Change(Index);
}

void frmSaver::picMain_VisibilityChanged(bool visible) {
    if (!m_oOpenGL) {
        return;
    }
    // The timer is the only thing that paints on its own, and each paint advances the spin: stopping it
    // stops both, so the clock resumes where it stopped, with the hands read afresh at the next tick.
    if (visible) {
        m_controls.tmrDisplay.Start();
    } else {
        m_controls.tmrDisplay.Stop();
    }
}

void frmSaver::picMain_Paint() {
    // Only while the clock runs: a surface that is hidden, or shown before the load has finished, waits.
    if (m_oOpenGL && m_controls.tmrDisplay.Enabled()) {
        m_oOpenGL->Paint();
    }
}

void frmSaver::tmrDisplay_Timer() {
    if (m_oOpenGL) {
        m_oOpenGL->Paint();
    }
}
