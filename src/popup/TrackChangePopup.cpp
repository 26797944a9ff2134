#include "popup/TrackChangePopup.h"

#include <QMouseEvent>

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "options/OptionsDialog.h"
#include "skin/Marquee.h"
#include "skin/SkinColors.h"
#include "skin/SkinFonts.h"
#include "util/Twips.h"

using skinfonts::Face;

namespace {

using skincolors::kGreen;
using skincolors::kRed;
const QString kTitleSeparator = QStringLiteral("   ---   ");

}  // namespace

quickinfo::quickinfo(Program& program)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus),
      program_(program) {
    setObjectName(QStringLiteral("quickinfo"));
    setWindowTitle(QStringLiteral("Trackinfo"));
    // It starts off screen and moves on its own: no window manager may place it or give it
    // the focus.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    tmrTime = new FormTimer(1, true, this);
    tmrpopup = new FormTimer(kFirstTick, true, this);
    tmrlauf2 = new FormTimer(kMarqueeTick, false, this);

    const Desktop& desktop = program.desktop();
    const auto make = [this, &desktop](const char* name, double left, double top, double width,
                                       double height) {
        auto* label = new SkinLabel(this);  // owned by the window
        label->setObjectName(QString::fromLatin1(name));
        label->setTwipsPerPixel(desktop.twipsPerPixelX(), desktop.twipsPerPixelY());
        twips::setGeometry(*label, left, top, width, height, desktop);
        // Not a click: the labels are text, no buttons, to a screen reader.
        connect(label, &SkinLabel::mouseUp, this, [this](Qt::MouseButton button) {
            if (button == Qt::LeftButton) {
                Form_Click();
            }
        });
        return label;
    };
    Label2 = make("Label2", 2280, 255, 615, 165);
    Label2->setForeColor(kRed);
    Label2->setFont(skinfonts::font(Face::SansSerif, 6.75));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setAutoSize(true);
    Label2->setCaption(QStringLiteral("0:00 / 0:00"));

    Label1 = make("Label1", 20, 40, 195, 270);
    Label1->setForeColor(kGreen);
    Label1->setCaption(QStringLiteral("4"));
    Label1->setGlyph(SkinLabel::Glyph::Play);

    Shape1 = new SkinFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    twips::setGeometry(*Shape1, 0, 0, kClientWidth, kClientHeight, desktop);

    quicki = make("quicki", 240, 75, kTitleWidth, 195);
    quicki->setForeColor(kGreen);
    quicki->setFont(skinfonts::font(Face::Tahoma, 8.25));
    quicki->setAutoSize(true);
    quicki->setCaption(QStringLiteral("No Track now"));

    connect(tmrTime, &FormTimer::timeout, this, &quickinfo::tmrTime_Timer);
    connect(&program.form1(), &Form1::playTimeChanged, tmrTime, &FormTimer::wake);
    connect(tmrpopup, &FormTimer::timeout, this, &quickinfo::tmrpopup_Timer);
    connect(tmrlauf2, &FormTimer::timeout, this, &quickinfo::tmrlauf2_Timer);
    Form_Load();
}

quickinfo::~quickinfo() = default;

double quickinfo::screenWidth() const {
    const Desktop& d = program_.desktop();
    return twips::fromPixels(d.screenSize().width(), d.twipsPerPixelX());
}

void quickinfo::Form_Load() {
    const Desktop& d = program_.desktop();
    top_ = twips::fromPixels(d.screenSize().height(), d.twipsPerPixelY()) - kAboveScreenBottom;
    left_ = screenWidth() + kClientWidth + kEdgeGap;  // wholly off the right edge
    twips::setGeometry(*this, left_, top_, kClientWidth, kClientHeight, d);
    slideIn_ = true;
}

void quickinfo::Form_Activate() {
    raise();
}

void quickinfo::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Form_Activate();
    for (FormTimer* timer : {tmrTime, tmrpopup, tmrlauf2}) {
        timer->wake();
    }
}

void quickinfo::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        Form_Click();
    }
}

void quickinfo::Form_Click() {
    program_.unloadQuickinfo();
}

void quickinfo::stopTimers() {
    for (FormTimer* timer : {tmrTime, tmrpopup, tmrlauf2}) {
        timer->setEnabled(false);
    }
}

bool quickinfo::sleepWhileHidden(FormTimer& timer) {
    if (isVisible()) {
        return false;
    }
    timer.sleepUntilWoken();
    return true;
}

void quickinfo::setLeft(double left) {
    left_ = left;
    twips::moveTo(*this, left_, top_, program_.desktop());
}

void quickinfo::tmrTime_Timer() {
    if (sleepWhileHidden(*tmrTime)) {
        return;
    }
    Label2->setCaption(program_.form1().playTime());
    // Until the main window's clock shows another time, every tick would copy the same.
    tmrTime->sleepUntilWoken();
}

void quickinfo::tmrpopup_Timer() {
    if (sleepWhileHidden(*tmrpopup)) {
        return;
    }
    tmrpopup->setInterval(kSlideTick);
    if (slideIn_) {
        const double arrivedLeft = screenWidth() - (kClientWidth + kEdgeGap);
        // Once there it stays put: a popup that stays open is set going again at each change
        // of track, and would otherwise creep leftwards by a step every time.
        if (left_ > arrivedLeft) {
            setLeft(left_ - kSlideInStep);
        }
        if (arrivedLeft >= left_) {
            arrive();
        }
    } else {
        setLeft(left_ + kSlideOutStep);
        if (screenWidth() + kEdgeGap <= left_) {
            tmrpopup->setEnabled(false);
            program_.unloadQuickinfo();
        }
    }
}

// The popup holds where it arrived; the tick after the hold starts the slide out.
void quickinfo::arrive() {
    const double width = twips::width(*quicki, program_.desktop());
    if (width > kTitleWidth) {
        quicki->setCaption(quicki->caption() + kTitleSeparator);
        tmrlauf2->setEnabled(true);
        tmrpopup->setInterval(kLongHold);
    } else if (width < kTitleWidth) {
        tmrlauf2->setEnabled(false);
        tmrpopup->setInterval(kShortHold);
    }
    if (options::value(*program_.optionsWindow().alwaysshow) == 1) {
        tmrpopup->setEnabled(false);
    } else {
        slideIn_ = false;
    }
}

void quickinfo::tmrlauf2_Timer() {
    if (sleepWhileHidden(*tmrlauf2)) {
        return;
    }
    quicki->setCaption(marqueeStep(quicki->caption()));
}

void showQuickInfo(Program& program, const QString& title) {
    quickinfo& popup = program.quickinfoWindow();
    popup.show();
    popup.quicki->setCaption(title);
}

void quickInfoAtTrackChange(Program& program, const QString& title) {
    const options& opts = program.optionsWindow();
    if (options::value(*opts.alwaysshow) == 0) {
        program.unloadQuickinfo();
    }
    if (options::value(*opts.qinfo) == 1) {
        showQuickInfo(program, title);
    }
    program.quickinfoWindow().tmrpopup->setEnabled(true);
}

void setQuickInfoText(Program& program, const QString& title) {
    program.quickinfoWindow().quicki->setCaption(title);
}
