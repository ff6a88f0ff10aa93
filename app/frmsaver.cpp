#include "app/frmsaver.h"

#include "scene/sshape.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTwipsPerPixel = 15;
const char* const kDesignFontFamily = "ＭＳ Ｐゴシック";
const char* const kSubstituteFontFamily = "IPAPGothic";
const char* const kOpenGLUnavailable = "OpenGLが使用できません";
const char* const kCredit = "By Team Veroradez";

constexpr int kZoom = 0; // scrTrans index 0 is the zoom bar, labelled by Label1 index 1
constexpr int kTilt = 1; // scrTrans index 1 is the tilt bar, labelled by Label1 index 0

struct TwipRect {
    int left, top, width, height;
};

QRect toPixels(TwipRect r) {
    return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel,
            r.height / kTwipsPerPixel};
}

int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

// The design's Japanese face is rarely installed outside Japanese Windows; IPA P Gothic has its metrics.
void substituteDesignFontWhenAbsent() {
    if (!QFontDatabase::hasFamily(kDesignFontFamily)) {
        QFont::insertSubstitution(kDesignFontFamily, kSubstituteFontFamily);
    }
}

QFont designFont(double points, bool italic) {
    QFont font(kDesignFontFamily);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(italic);
    return font;
}

QScrollBar* makeScrollBar(QWidget* parent, TwipRect place, int minimum, int maximum, int value) {
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setGeometry(toPixels(place));
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

QLabel* makeLabel(QWidget* parent, TwipRect place, const char* caption, const char* tip) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setGeometry(toPixels(place));
    label->setFont(designFont(6.75, false));
    label->setToolTip(QString::fromUtf8(tip));
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

} // namespace

frmSaver::frmSaver() {
    setWindowTitle(QStringLiteral("Viduzirivo"));
    setWindowIcon(QIcon(QStringLiteral(":/viduzirivo.png")));
    resize(5595 / kTwipsPerPixel, 5070 / kTwipsPerPixel);
    createControls();
    connectHandlers();
}

frmSaver::~frmSaver() {
    // The renderer goes before the surface its context is bound to.
    m_oOpenGL.reset();
}

void frmSaver::createControls() {
    substituteDesignFontWhenAbsent();
    picMain = new PictureBox(this);
    picMain->setObjectName(QStringLiteral("picMain"));
    picMain->setGeometry(toPixels({360, 0, 5235, 4110}));
    picMain->setFocusPolicy(Qt::StrongFocus);

    scrTrans[kTilt] = makeScrollBar(this, {60, 0, 255, 1815}, -180, 180, 0);
    Label1[0] = makeLabel(this, {0, 1860, 435, 255}, "RotX", "RotateX");
    scrTrans[kZoom] = makeScrollBar(this, {60, 2280, 255, 1815}, -500, 100, -52);
    Label1[1] = makeLabel(this, {0, 4140, 435, 255}, "Zoom", "Zoom");
    scrTrans[kZoom]->setObjectName(QStringLiteral("scrTrans_0"));
    scrTrans[kTilt]->setObjectName(QStringLiteral("scrTrans_1"));
    Label1[0]->setObjectName(QStringLiteral("Label1_0"));
    Label1[1]->setObjectName(QStringLiteral("Label1_1"));

    // The credit box sits over the drawing surface: a native child raised above the GL window stays visible.
    txtSign = new QLineEdit(QString::fromUtf8(kCredit), picMain);
    txtSign->setObjectName(QStringLiteral("txtSign"));
    txtSign->setGeometry(148, 253, 201, 21);
    txtSign->setFont(designFont(11.25, true));
    txtSign->setToolTip(QString::fromUtf8(kCredit));
    txtSign->setReadOnly(true);
    txtSign->setFocusPolicy(Qt::NoFocus);
    txtSign->setAttribute(Qt::WA_NativeWindow);
    txtSign->raise();

    setTabOrder(picMain, scrTrans[kZoom]);
    setTabOrder(scrTrans[kZoom], scrTrans[kTilt]);

    tmrDisplay = new SystemTimer(this, [this] { tmrDisplay_Timer(); });
    tmrDisplay->setInterval(1);
}

void frmSaver::connectHandlers() {
    for (short index : {short{kZoom}, short{kTilt}}) {
        QScrollBar* bar = scrTrans[static_cast<std::size_t>(index)];
        // While the thumb is dragged the toolkit reports scrolling; every other move is a change.
        connect(bar, &QScrollBar::valueChanged, this, [this, bar, index] {
            if (bar->isSliderDown()) {
                scrTrans_Scroll(index);
            } else {
                scrTrans_Change(index);
            }
        });
    }
}

bool frmSaver::Load() {
    return Form_Load();
}

bool frmSaver::Form_Load() {
    m_oOpenGL = std::make_unique<COpenGL>();
    if (!InitializeOpenGL()) {
        return false;
    }
    BuildDisplayLists();
    tmrDisplay->start();
    return true;
}

bool frmSaver::InitializeOpenGL() {
    if (!m_oOpenGL->OpenGLReady()) {
        QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                        QString::fromUtf8(kOpenGLUnavailable), QMessageBox::Ok);
        box.exec();
        return false;
    }
    m_oOpenGL->Initialize(*picMain);
    m_oOpenGL->Resize(static_cast<int>(std::lround(picMain->ScaleWidth())),
                      static_cast<int>(std::lround(picMain->ScaleHeight())));
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
    if (isMinimized() || !m_oOpenGL) {
        return;
    }
    const double left = picMain->x() * kTwipsPerPixel;
    const double innerWidth = width() * kTwipsPerPixel;
    const double innerHeight = height() * kTwipsPerPixel;
    // A client area narrower than the strip keeps the surface at no width rather than a negative one.
    picMain->resize(std::max(0, twipsToPixels(innerWidth - left)), twipsToPixels(innerHeight));

    const double signWidth = txtSign->width() * picMain->devicePixelRatioF();
    const double signHeight = txtSign->height() * picMain->devicePixelRatioF();
    txtSign->move(picMain->toWidgetPixels(picMain->ScaleWidth() - signWidth),
                  picMain->toWidgetPixels(picMain->ScaleHeight() - signHeight));

    m_oOpenGL->Resize(static_cast<int>(std::lround(picMain->ScaleWidth())),
                      static_cast<int>(std::lround(picMain->ScaleHeight())));
}

void frmSaver::Form_Unload() {
    m_oOpenGL.reset();
}

void frmSaver::scrTrans_Change(short Index) {
    if (!m_oOpenGL) {
        return;
    }
    if (Index == kZoom) {
        m_oOpenGL->TranslateZ(static_cast<float>(static_cast<short>(scrTrans[kZoom]->value())));
    } else if (Index == kTilt) {
        m_oOpenGL->RotateX(static_cast<float>(static_cast<short>(scrTrans[kTilt]->value())));
    }
}

void frmSaver::scrTrans_Scroll(short Index) {
    scrTrans_Change(Index);
}

void frmSaver::tmrDisplay_Timer() {
    if (m_oOpenGL) {
        m_oOpenGL->Paint();
    }
}

void frmSaver::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmSaver::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

void frmSaver::closeEvent(QCloseEvent* event) {
    Form_Unload();
    tmrDisplay->stop();
    event->accept();
}
