#include "help/HelpWindow.h"

#include <QCloseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "formats/RtfReader.h"
#include "util/DialogKeys.h"
#include "util/OnScreen.h"
#include "util/RegularFile.h"
#include "util/Twips.h"

#include <vector>

// A sizable dialog: it stays above the main window on a desktop, and it has no minimise
// button, as a window without a task-list entry could not be brought back from there.
HelpWindow::HelpWindow(const Desktop& desktop, const QString& path)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      desktop_(desktop) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Hilfe zum MP3-Brambleplayer"));
    const QSize size = twips::size(kDesignWidth, kDesignHeight, desktop);
    setGeometry(QRect(centredOnScreen(size, desktop), size));
    keepOnScreen(*this, desktop);

    // Not a QTextBrowser, which screen readers are told is a label.
    helpText = new QTextEdit(this);
    helpText->setObjectName(QStringLiteral("helpText"));
    helpText->setAccessibleName(QStringLiteral("Hilfetext"));
    helpText->setReadOnly(true);
    helpText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    loadHelpFile(path);
    fitText();
    answerDialogKeys(*this, [this] { close(); });
}

namespace {

// The viewer lays out a paragraph whole before it can show any of it: one of megabytes (a file
// of no help text) would hold up the window for seconds. Breaking it into pieces of a few
// screens lets the viewer lay out only what it shows; no real help paragraph comes near that.
void breakLongParagraphs(QTextDocument& document) {
    constexpr int kLongest = 10'000;
    constexpr int kPiece = 8'000;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.length() <= kLongest) {
            continue;
        }
        const QString text = block.text();
        std::vector<int> breaks;  // where pieces start, at a blank where there is one
        for (int start = 0; text.size() - start > kLongest;) {
            const int blank = static_cast<int>(text.lastIndexOf(QLatin1Char(' '), start + kPiece));
            start = blank > start ? blank + 1 : start + kPiece;
            if (text.at(start).isLowSurrogate()) {
                ++start;  // never between the halves of one character
            }
            breaks.push_back(start);
        }
        // From the end, so that each break leaves the positions before it as they were.
        QTextCursor cursor(block);
        const int first = block.position();
        for (auto at = breaks.rbegin(); at != breaks.rend(); ++at) {
            cursor.setPosition(first + *at);
            cursor.insertBlock();
        }
    }
}

}  // namespace

void HelpWindow::loadHelpFile(const QString& path) {
    const std::optional<FileStart> read = readRegularFile(path, kLargestFile);
    const QByteArray content = read && read->whole ? read->bytes : QByteArray();
    if (content.isEmpty()) {
        helpText->setPlainText(
            QStringLiteral(
                "Die Hilfedatei wurde nicht gefunden oder konnte nicht gelesen "
                "werden:\n%1\n\nGelesen wird nur eine gewöhnliche Datei von höchstens 4 MB. "
                "Der Player selbst arbeitet ohne sie weiter.")
                .arg(path));
        return;
    }
    QTextDocument& document = *helpText->document();
    document.setUndoRedoEnabled(false);  // a viewer: nothing to undo, no second copy kept
    // One edit: the document is laid out once, after the read, not after each of its pieces.
    QTextCursor edit(&document);
    edit.beginEditBlock();
    readRtf(content, document);
    breakLongParagraphs(document);
    edit.endEditBlock();
    helpText->moveCursor(QTextCursor::Start);  // the reading left it at the end
}

void HelpWindow::fitText() {
    const Desktop& d = desktop_;
    const double width = twips::fromPixels(this->width(), d.twipsPerPixelX()) - kSpareWidth;
    const double height = twips::fromPixels(this->height(), d.twipsPerPixelY()) - kSpareHeight;
    // Too small a window leaves the text area as it was.
    if (width > 0 && height > 0) {
        twips::setGeometry(*helpText, 0, 0, width, height, d);
    }
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitText();
}

void HelpWindow::closeEvent(QCloseEvent* event) {
    // The close box destroys the viewer, once this event is over.
    event->ignore();
    emit unloadRequested();
}
