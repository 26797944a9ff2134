#include "windows/frmhelp.h"

#include <QCloseEvent>
#include <QFile>

#include "app/Program.h"
#include "app/Twips.h"
#include "windows/RtfReader.h"

// A sizable dialog: it stays above the main window on a desktop, and it has no minimise
// button, as a window without a task-list entry could not be brought back from there.
frmhelp::frmhelp(Program& program)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      program_(program) {
    setObjectName(QStringLiteral("frmhelp"));
    setWindowTitle(QStringLiteral("Hilfe zum MP3-Brambleplayer"));
    const Desktop& desktop = program.desktop();
    const QSize size = twips::size(kDesignWidth, kDesignHeight, desktop);
    const QSize screen = desktop.screenSize();
    setGeometry((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2,
                size.width(), size.height());

    RichTextBox1 = new QTextBrowser(this);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setOpenLinks(false);
    Form_Load();
    Form_Resize();
}

frmhelp::~frmhelp() = default;

void frmhelp::Form_Load() {
    const QString& path = program_.helpPath();
    QFile file(path);
    const QByteArray content =
        file.open(QIODevice::ReadOnly) ? file.read(kLargestFile) : QByteArray();
    if (content.isEmpty()) {
        RichTextBox1->setPlainText(
            QStringLiteral("Die Hilfedatei wurde nicht gefunden oder konnte nicht gelesen "
                           "werden:\n%1\n\nDer Player selbst arbeitet ohne sie weiter.")
                .arg(path));
        return;
    }
    readRtf(content, *RichTextBox1->document());
    RichTextBox1->moveCursor(QTextCursor::Start);  // the reading left it at the end
}

void frmhelp::Form_Resize() {
    const Desktop& d = program_.desktop();
    const double width = twips::fromPixels(this->width(), d.twipsPerPixelX()) - kSpareWidth;
    const double height = twips::fromPixels(this->height(), d.twipsPerPixelY()) - kSpareHeight;
    // Too small a window leaves the text area as it was.
    if (width > 0 && height > 0) {
        twips::setGeometry(*RichTextBox1, 0, 0, width, height, d);
    }
}

void frmhelp::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmhelp::closeEvent(QCloseEvent* event) {
    // The close box destroys the viewer, once this event is over.
    event->ignore();
    program_.unloadHelp();
}

void mnuhelp_Click(Program& program) {
    frmhelp& window = program.helpWindow();
    window.show();
    window.raise();
    window.activateWindow();
}
