#include "app/qt/formwindow.h"

#include "app/formdesign.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QScreen>
#include <QStyleOptionFocusRect>
#include <QStyleOptionSlider>
#include <QStylePainter>
#include <QWindow>

#include <cmath>

namespace {

using FormDesign::Pixels;

const char* const kSubstituteFontFamily = "IPAPGothic";

QRect toPixels(FormDesign::TwipRect r) {
    return {Pixels(r.left), Pixels(r.top), Pixels(r.width), Pixels(r.height)};
}

// The design's Japanese face is rarely installed outside Japanese Windows; IPA P Gothic has its metrics.
void substituteDesignFontWhenAbsent() {
    if (!QFontDatabase::hasFamily(QString::fromUtf8(FormDesign::kFontFamily))) {
        QFont::insertSubstitution(QString::fromUtf8(FormDesign::kFontFamily), kSubstituteFontFamily);
    }
}

QFont designFont(const FormDesign::FontDesign& design) {
    QFont font(QString::fromUtf8(design.family));
    font.setPointSizeF(design.points);
    font.setWeight(static_cast<QFont::Weight>(design.weight));
    font.setItalic(design.italic);
    return font;
}

ScrollBar* makeScrollBar(QWidget* parent, const FormDesign::ScrollBarDesign& design) {
    auto* bar = new ScrollBar(Qt::Vertical, parent);
    bar->setGeometry(toPixels(design.place));
    bar->setRange(design.minimum, design.maximum);
    bar->setValue(design.value);
    bar->setSingleStep(design.smallChange);
    bar->setPageStep(design.largeChange);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

// The label that names `bar`: screen readers read its caption as the bar's name and its tip as the bar's
// description.
QLabel* makeLabelFor(ScrollBar* bar, const FormDesign::LabelDesign& design) {
    auto* label = new QLabel(QString::fromUtf8(design.caption), bar->parentWidget());
    label->setGeometry(toPixels(design.place));
    label->setFont(designFont(FormDesign::kLabelFont));
    label->setToolTip(QString::fromUtf8(design.tip));
    label->setFocusPolicy(Qt::NoFocus);
    label->setBuddy(bar);
    bar->setAccessibleDescription(QString::fromUtf8(design.tip));
    return label;
}

} // namespace

void ScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QStyleOptionSlider bar;
    initStyleOption(&bar);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = style()->subControlRect(QStyle::CC_ScrollBar, &bar, QStyle::SC_ScrollBarSlider, this);
    QStylePainter painter(this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

void TextBox::Move(double left, double top) {
    move(m_container->ToPixels(left), m_container->ToPixels(top));
}

FormWindow::FormWindow() {
    setWindowTitle(QString::fromUtf8(FormDesign::kCaption));
    setWindowIcon(QIcon(QStringLiteral(":/viduzirivo.png")));
    resize(Pixels(FormDesign::kClientWidth), Pixels(FormDesign::kClientHeight));
    followScreen(screen());
    createControls();
    m_form = std::make_unique<frmSaver>(FormControls{*this, *picMain, *txtSign, *scrTrans[FormDesign::kZoom],
                                                     *scrTrans[FormDesign::kTilt], *tmrDisplay});
    connectHandlers();
}

FormWindow::~FormWindow() {
    // The renderer goes before the surface its context is bound to.
    m_form->Form_Unload();
}

void FormWindow::createControls() {
    substituteDesignFontWhenAbsent();
    picMain = new PictureBox(this);
    picMain->setObjectName(QStringLiteral("picMain"));
    picMain->setGeometry(toPixels(FormDesign::kPicMain));
    picMain->setFocusPolicy(Qt::StrongFocus);
    picMain->setAccessibleName(QString::fromUtf8(FormDesign::kPicMainName));

    for (short index : {FormDesign::kZoom, FormDesign::kTilt}) {
        const short label = FormDesign::kScrTrans[index].label;
        scrTrans[index] = makeScrollBar(this, FormDesign::kScrTrans[index]);
        scrTrans[index]->setObjectName(QStringLiteral("scrTrans_%1").arg(index));
        Label1[label] = makeLabelFor(scrTrans[index], FormDesign::kLabel1[label]);
        Label1[label]->setObjectName(QStringLiteral("Label1_%1").arg(label));
    }

    // The credit box sits over the drawing surface.
    txtSign = new TextBox(QString::fromUtf8(FormDesign::kSignText), picMain);
    txtSign->setObjectName(QStringLiteral("txtSign"));
    txtSign->setGeometry(toPixels(FormDesign::kTxtSign));
    txtSign->setFont(designFont(FormDesign::kSignFont));
    txtSign->setToolTip(QString::fromUtf8(FormDesign::kSignText));
    txtSign->setReadOnly(true);
    txtSign->setFocusPolicy(Qt::NoFocus);
    picMain->KeepAboveSurface(*txtSign);

    setTabOrder(picMain, scrTrans[FormDesign::kZoom]);
    setTabOrder(scrTrans[FormDesign::kZoom], scrTrans[FormDesign::kTilt]);

    tmrDisplay = new SystemTimer(this, FormDesign::kTimerInterval, [this] { m_form->tmrDisplay_Timer(); });
    tmrDisplay->PaceBy(*picMain->surface());
    tmrDisplay->setObjectName(QStringLiteral("tmrDisplay"));
}

void FormWindow::connectHandlers() {
    // Exposure of the drawing surface is what the platform knows of its visibility: on X11 it follows
    // mapping, minimising and virtual desktops; on Wayland also the compositor's frame callbacks.
    picMain->surface()->installEventFilter(this);
    for (short index : {FormDesign::kZoom, FormDesign::kTilt}) {
        ScrollBar* bar = scrTrans[index];
        // While the thumb is dragged the toolkit reports scrolling; every other move is a change.
        connect(bar, &QScrollBar::valueChanged, this, [this, bar, index] {
            if (bar->isSliderDown()) {
                m_form->scrTrans_Scroll(index);
            } else {
                m_form->scrTrans_Change(index);
            }
        });
    }
}

// At a fractional scale a whole number of logical pixels stands for a client area up to half a pixel smaller:
// 700 device pixels at 1.5 are 466.67 logical pixels, which Qt reports as 467. Taking the smaller end keeps
// the surface and the credit box inside the client area.
double FormWindow::innerWidth() const {
    return width() - (std::floor(devicePixelRatioF()) == devicePixelRatioF() ? 0.0 : 0.5);
}

double FormWindow::innerHeight() const {
    return height() - (std::floor(devicePixelRatioF()) == devicePixelRatioF() ? 0.0 : 0.5);
}

double FormWindow::ScaleWidth() const {
    return innerWidth() * FormDesign::kTwipsPerPixel;
}

double FormWindow::ScaleHeight() const {
    return innerHeight() * FormDesign::kTwipsPerPixel;
}

bool FormWindow::surfaceVisible() const {
    // A window on another virtual desktop is unmapped as a whole: its own exposure says so, the surface's
    // not.
    const QWindow* window = windowHandle();
    return !isMinimized() && isVisible() && window != nullptr && window->isExposed() &&
           picMain->surface()->isExposed();
}

void FormWindow::followVisibility() {
    const bool visible = surfaceVisible();
    if (visible != m_surfaceVisible) {
        m_surfaceVisible = visible;
        m_form->picMain_VisibilityChanged(visible);
    }
}

// As a desktop places any window: never larger than the available area of its screen, whatever the scale,
// also when that area shrinks or the window moves to a smaller screen.
void FormWindow::followScreen(QScreen* screen) {
    disconnect(m_screenFollowed);
    if (screen == nullptr) { // a platform without screens, which cannot show the window anyway
        return;
    }
    m_screenFollowed =
        connect(screen, &QScreen::availableGeometryChanged, this, [this] { followScreen(this->screen()); });
    const QSize available = screen->availableGeometry().size();
    setMinimumSize(QSize(Pixels(FormDesign::kMinClientWidth), Pixels(FormDesign::kMinClientHeight))
                       .boundedTo(available));
    resize(size().boundedTo(available));
}

void FormWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    windowHandle()->removeEventFilter(this);
    windowHandle()->installEventFilter(this);
    connect(windowHandle(), &QWindow::screenChanged, this, &FormWindow::followScreen, Qt::UniqueConnection);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose) {
        // Handled after the window has taken the new exposure in. An uncovered part of the surface is drawn
        // at once rather than left showing stale pixels until the next tick.
        const bool surfaceUncovered = watched == picMain->surface();
        QMetaObject::invokeMethod(
            this,
            [this, surfaceUncovered] {
                followVisibility();
                if (surfaceUncovered && m_surfaceVisible) {
                    m_form->picMain_Paint();
                }
            },
            Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_form->Form_Resize();
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        m_form->Form_Resize();
        followVisibility();
    }
}

void FormWindow::closeEvent(QCloseEvent* event) {
    m_form->Form_Unload();
    event->accept();
}
