#include "app/qt/picturebox.h"

#include "app/formdesign.h"

#include "platform/surface_dc.h"

#include <QResizeEvent>
#include <QWindow>

#include <cmath>

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

int PictureBox::toWidgetPixels(double scaleUnits) const {
    return static_cast<int>(std::lround(scaleUnits / unitsPerWidgetPixel()));
}

double PictureBox::toScaleUnits(int widgetPixels) const {
    return widgetPixels * unitsPerWidgetPixel();
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    m_container->setGeometry(QRect(QPoint(0, 0), event->size()));
    QWidget::resizeEvent(event);
}
