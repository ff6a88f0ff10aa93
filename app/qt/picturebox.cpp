#include "app/qt/picturebox.h"

#include "app/formdesign.h"
#include "app/qt/surfaceoverlay.h"

#include "platform/qt_surface.h"

#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QWindow>

#include <cmath>

namespace {

// The clock turns by itself: screen readers announce the drawing surface as an animation.
QAccessibleInterface* accessibleSurface(const QString& /*className*/, QObject* object) {
    auto* box = dynamic_cast<PictureBox*>(object);
    return box != nullptr ? new QAccessibleWidget(box, QAccessible::Animation) : nullptr;
}

// A focus frame on the box's edge. The drawing surface is a native window, so the frame is a native window
// above it, shaped to its one-pixel edge: no other pixel of the drawing is hidden, and the drawing itself is
// not touched.
class FocusFrame : public QWidget {
  public:
    explicit FocusFrame(QWidget* box) : QWidget(box) {
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

  protected:
    void resizeEvent(QResizeEvent* /*event*/) override {
        setMask(QRegion(rect()).subtracted(rect().adjusted(1, 1, -1, -1)));
    }
    // The desktop's highlight colour: the style's own focus rectangle is drawn for light controls and is
    // all but invisible on the dark drawing.
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter(this).fillRect(rect(), QGuiApplication::palette().highlight());
    }
};

} // namespace

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), m_surface(new DrawingSurface),
      m_container(QWidget::createWindowContainer(m_surface, this)) {
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
    if (m_surface->OnWayland()) {
        m_container->hide();
    } else {
        // Not on Wayland, where a native child widget over the surface shows nothing.
        m_focusFrame = new FocusFrame(this);
    }
    QAccessible::installFactory(accessibleSurface);
}

void PictureBox::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    followFocus();
}

void PictureBox::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    followFocus();
}

// As the toolkit's own focus rectangles: shown once the keyboard has moved the focus in this window.
void PictureBox::followFocus() {
    if (m_focusFrame == nullptr) {
        return;
    }
    // Placed again each time: the window system's first report on the frame's native window, made while it
    // is hidden, brings back the size that window was created with.
    m_focusFrame->setGeometry(rect());
    m_focusFrame->setVisible(hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange));
    m_focusFrame->raise();
}

void PictureBox::KeepAboveSurface(QWidget& control) {
    if (m_surface->OnWayland()) {
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
    return m_surface;
}

DrawingSurface* PictureBox::surface() const {
    return m_surface;
}

double PictureBox::unitsPerWidgetPixel() const {
    return m_scaleMode == kScaleModePixels ? devicePixelRatioF() : FormDesign::kTwipsPerPixel;
}

double PictureBox::Left() const {
    return x() * FormDesign::kTwipsPerPixel;
}

// Whole logical pixels, never more than asked for, so that the surface stays inside the client area, nor
// more than the driver draws.
void PictureBox::SetSize(double width, double height) {
    resize(QSize(static_cast<int>(std::floor(width / FormDesign::kTwipsPerPixel)),
                 static_cast<int>(std::floor(height / FormDesign::kTwipsPerPixel)))
               .boundedTo(m_surface->MaximumDrawnSize()));
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
    if (m_focusFrame != nullptr) {
        m_focusFrame->setGeometry(m_container->geometry());
    }
    QWidget::resizeEvent(event);
}
