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
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void PictureBox::SetSize(double width, double height) {
    resize(static_cast<int>(std::lround(width / FormDesign::kTwipsPerPixel)),
           static_cast<int>(std::lround(height / FormDesign::kTwipsPerPixel)));
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
