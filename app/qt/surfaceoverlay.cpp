#include "app/qt/surfaceoverlay.h"

#include <QPainter>
#include <QWidget>

SurfaceOverlay::SurfaceOverlay(QWidget& control, QWindow& surface)
    : QRasterWindow(&surface), m_control(control) {
    setFlag(Qt::WindowTransparentForInput);
    // The surface fills the control's parent from its origin, so the control's place is the same in both.
    setGeometry(m_control.geometry());
    m_control.installEventFilter(this);
    setVisible(m_control.isVisible());
}

void SurfaceOverlay::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // Rendering the control sends it a paint event of its own, which must not ask for another picture.
    m_rendering = true;
    m_control.render(&painter);
    m_rendering = false;
}

bool SurfaceOverlay::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        setGeometry(m_control.geometry());
        break;
    case QEvent::Show:
        show();
        break;
    case QEvent::Hide:
        hide();
        break;
    case QEvent::Paint:
        if (!m_rendering) {
            update();
        }
        break;
    default:
        break;
    }
    return QRasterWindow::eventFilter(watched, event);
}
