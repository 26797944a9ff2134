#include "mainwindow/MainWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "app/Program.h"
#include "mainwindow/Chrome.h"
#include "mainwindow/PlayerKeys.h"
#include "mainwindow/PositionBar.h"
#include "mainwindow/Transport.h"
#include "mainwindow/Tray.h"
#include "mainwindow/VolumeControl.h"
#include "skin/SkinColors.h"
#include "skin/XpmImage.h"
#include "util/Twips.h"

void VolumeHolder::setValue(int value) {
    if (value != value_) {
        value_ = value;
        emit Change();
    }
}

Form1::Form1(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), program_(program) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("MP3-Brambleplayer"));
    setWindowIcon(QIcon(skinimages::xpm(QStringLiteral(":/images/icon.xpm"))));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    setMouseTracking(true);  // moving over the bare window hides the seek tooltip

    stayd = new FormTimer(1, true, this);
    tmrTime = new FormTimer(0, true, this);
    tmrMove = new FormTimer(0, true, this);
    tmrlaufschrift = new FormTimer(400, false, this);
    tmrPT = new FormTimer(100, false, this);

    setVolume.setParent(this);
    setVolume.setObjectName(QStringLiteral("setVolume"));
    stayd->setObjectName(QStringLiteral("stayd"));
    tmrTime->setObjectName(QStringLiteral("tmrTime"));
    tmrMove->setObjectName(QStringLiteral("tmrMove"));
    tmrlaufschrift->setObjectName(QStringLiteral("tmrlaufschrift"));
    tmrPT->setObjectName(QStringLiteral("tmrPT"));

    CommonDialog1 = program.makeFileDialog();
    MediaPlayer1 = program.makePlayer();
    forInfo = program.makePlayer();
    for (MediaPlayer* player : {MediaPlayer1.get(), forInfo.get()}) {
        if (player != nullptr) {
            player->setAutoStart(false);
        }
    }

    const Desktop& desktop = program.desktop();
    twips::setGeometry(*this, kDesignLeft, kDesignTop, kDesignWidth, kDesignHeight, desktop);
    buildControls();
    buildMenus();
    chrome_ = new Chrome(*this);  // components are owned by the window
    transport_ = new Transport(*this);
    position_ = new Position(*this);
    volume_ = new Volume(*this);
    tray_ = new Tray(*this);
    keys_ = new PlayerKeys(*this);
    buildTabOrder();
    wireRequests();
}

void Form1::wireRequests() {
    connect(stayd, &FormTimer::timeout, this, &Form1::dockingTick);
    connect(lbltime, &SkinLabel::captionChanged, this, &Form1::playTimeChanged);
    for (SkinLabel* exitLabel : {Label9, Label8}) {
        connect(exitLabel, &SkinLabel::clicked, this, &Form1::exitRequested);
    }
    connect(mnuexit2, &QAction::triggered, this, &Form1::exitRequested);
    connect(showpl, &SkinLabel::clicked, this, &Form1::showPlaylistRequested);
    connect(hidepl, &SkinLabel::clicked, this, &Form1::hidePlaylistRequested);
    connect(Label2, &SkinLabel::clicked, this, &Form1::sizeToggleRequested);
    connect(Label10, &SkinLabel::clicked, this, &Form1::clearRequested);
    connect(Label3, &SkinLabel::clicked, this, &Form1::saveListRequested);
    connect(Label7, &SkinLabel::clicked, this, &Form1::addFolderRequested);
    connect(Label1, &SkinLabel::clicked, this, &Form1::searchRequested);
    connect(mnuhelp, &QAction::triggered, this, &Form1::helpRequested);
    connect(Label5, &SkinLabel::clicked, this, &Form1::optionsRequested);
    connect(optionen, &QAction::triggered, this, &Form1::optionsRequested);
    connect(mnuoptions, &QAction::triggered, this, &Form1::optionsRequested);
}

QString Form1::playTime() const {
    return lbltime->caption();
}

void Form1::setPlaylistCount(int lines) {
    lblplaylist->setCaption(QStringLiteral("Playlist mit %1 MP3").arg(lines));
}

void Form1::setPlaylistShown(bool shown) {
    if (shown) {
        setPlaylistGlyphs(true);
        mnuplaylist->menuAction()->setEnabled(true);
    } else {
        mnuplaylist->menuAction()->setEnabled(false);
        setPlaylistGlyphs(false);
    }
    plcurr = shown ? QStringLiteral("1") : QStringLiteral("0");
}

void Form1::setPlaylistGlyphs(bool shown) {
    hidepl->setEnabled(shown);
    showpl->setEnabled(!shown);
}

void Form1::setEnlarged(bool enlarged) {
    if (enlarged) {
        Label2->setCaption(QStringLiteral("-"));
        Label2->setToolTip(QStringLiteral("Playlist verkleinern (normale Größe)"));
        Label2->setForeColor(skincolors::kRed);
    } else {
        Label2->setToolTip(QStringLiteral("Playlist vergrößern"));
        Label2->setForeColor(skincolors::kWhite);
        Label2->setCaption(QStringLiteral("+"));
    }
}

bool Form1::isEnlarged() const {
    return Label2->foreColor() == skincolors::kRed;
}

void Form1::startPlaylistClock() {
    tmrPT->setEnabled(true);
}

void Form1::wakeDocking() {
    stayd->wake();
}

void Form1::sleepDocking() {
    stayd->sleepUntilWoken();
}

void Form1::buildTabOrder() {
    chainTabOrder({Label13, Label9,  Label11, btnprev, btnstop, btnpause, btnplay, btnnext,
                   muting,  muting2, imgVol,  lblbar,  Label7,  Label1,   Label3,  Label10,
                   Label12, Label4,  Label5,  Label8,  Label2,  showpl,   hidepl});
    muting->setFocusPartner(muting2);
    muting2->setFocusPartner(muting);
    showpl->setFocusPartner(hidepl);
    hidepl->setFocusPartner(showpl);
    // A click on the window takes the focus back from the buttons, and the window starts
    // with it: Space then plays or pauses rather than pressing the first button.
    setFocusPolicy(Qt::ClickFocus);
    setFocus();
}

Form1::~Form1() = default;

void Form1::placeTwips(QWidget& control, double left, double top, double width,
                       double height) const {
    const Desktop& d = program_.desktop();
    twips::setGeometry(control, left, top, width, height, d);
}

double Form1::controlLeftTwips(const QWidget& control) const {
    return twips::left(control, program_.desktop());
}

double Form1::controlWidthTwips(const QWidget& control) const {
    return twips::width(control, program_.desktop());
}

void Form1::setControlLeftTwips(QWidget& control, double left) const {
    twips::setLeft(control, left, program_.desktop());
}

void Form1::setControlHeightTwips(QWidget& control, double height) const {
    twips::setHeight(control, height, program_.desktop());
}

void Form1::releasePlayers() {
    MediaPlayer1.reset();
    forInfo.reset();
}

QAction* Form1::menuItem(const QString& name) const {
    return findChild<QAction*>(name);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closeRequested(event);
}

void Form1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit geometryChanged();
    emit resized();
}

void Form1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    emit geometryChanged();
}

void Form1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        emit resized();
    }
}

bool Form1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        // Activated with no control focused (the window was disabled meanwhile), Qt would focus
        // the first of the Tab order, "Minimieren": Space would then hide the player.
        if (focusWidget() == nullptr) {
            setFocus(Qt::ActiveWindowFocusReason);
        }
        emit activated();
    }
    return QWidget::event(event);
}

void Form1::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    emit mouseMoved();
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (keys_->handle(*event, false)) {
        return;
    }
    if (event->keyCombination() == QKeyCombination(Qt::Key_F6)) {
        emit playlistFocusRequested();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        setFocus(Qt::OtherFocusReason);  // out of the buttons: Space plays or pauses again
        return;
    }
    QWidget::keyPressEvent(event);
}

void Form1::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}
