#include "app/qt/picturebox.h"

#include "app/formdesign.h"
#include "app/qt/surfaceoverlay.h"

#include "platform/qt_surface.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QWindow>

#include <cmath>

namespace {

// The clock turns by itself: screen readers announce the drawing surface as an animation.
QAccessibleInterface* accessibleSurface(const QString& /*className*/, QObject* object) {
    auto* box = dynamic_cast<PictureBox*>(object);
    return box != nullptr ? new QAccessibleWidget(box, QAccessible::Animation) : nullptr;
}

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), m_surface(new QWindow), m_container(QWidget::createWindowContainer(m_surface, this)) {
    m_surface->setSurfaceType(QSurface::OpenGLSurface);
    // The surface never takes focus or input of its own; the window's controls keep the keyboard.
    m_container->setFocusPolicy(Qt::NoFocus);
    m_container->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_container->setGeometry(rect());
    // Where the window has grown and the surface not yet followed, show the clear colour, not the window's
    // light background.
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    // On Wayland the surface is a sub-surface of the window, and Qt tells a sub-surface that it is on screen
    // only when it is shown or moved while the window already is: one shown with the window never hears it,
    // and a surface that is never exposed is never drawn. So it is shown once the window is exposed.
    if (SurfacesOnWayland()) {
        m_container->hide();
    }
    QAccessible::installFactory(accessibleSurface);
}

void PictureBox::KeepAboveSurface(QWidget& control) {
    if (SurfacesOnWayland()) {
        // A native child widget's sub-surface gets no content on Wayland; a window of its own shows it.
        m_controlsAbove.push_back(&control);
    } else {
        control.setAttribute(Qt::WA_NativeWindow);
        control.raise();
    }
}

void PictureBox::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QWindow* window = this->window()->windowHandle();
    if (!m_container->isHidden() || window == nullptr) {
        return;
    }
    if (window->isExposed()) {
        showSurface();
    } else {
        window->installEventFilter(this);
    }
}

bool PictureBox::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == window()->windowHandle() &&
        window()->windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        showSurface();
    }
    return QWidget::eventFilter(watched, event);
}

void PictureBox::showSurface() {
    m_container->show();
    // Made after the surface, so that they lie above it.
    for (QWidget* control : m_controlsAbove) {
        new SurfaceOverlay(*control, *m_surface);
    }
    m_controlsAbove.clear();
}

void PictureBox::SetScaleMode(int mode) {
    m_scaleMode = mode;
}

HDC PictureBox::hDC() {
    return GetSurfaceDC(m_surface);
}

double PictureBox::unitsPerWidgetPixel() const {
    return m_scaleMode == kScaleModePixels ? devicePixelRatioF() : FormDesign::kTwipsPerPixel;
}

double PictureBox::Left() const {
    return x() * FormDesign::kTwipsPerPixel;
}

// Whole logical pixels, never more than asked for, so that the surface stays inside the client area.
void PictureBox::SetSize(double width, double height) {
    resize(static_cast<int>(std::floor(width / FormDesign::kTwipsPerPixel)),
           static_cast<int>(std::floor(height / FormDesign::kTwipsPerPixel)));
}

double PictureBox::ScaleWidth() const {
    return width() * unitsPerWidgetPixel();
}

double PictureBox::ScaleHeight() const {
    return height() * unitsPerWidgetPixel();
}

int PictureBox::ToPixels(double scaleUnits) const {
    return static_cast<int>(std::lround(scaleUnits / unitsPerWidgetPixel()));
}

double PictureBox::ToScaleUnits(int pixels) const {
    return pixels * unitsPerWidgetPixel();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    m_container->setGeometry(QRect(QPoint(0, 0), event->size()));
    QWidget::resizeEvent(event);
}
