#include "playlistwindow/TitleSearchWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "playlistwindow/TitleSearch.h"
#include "util/DialogKeys.h"
#include "util/Twips.h"

namespace {

// Keys that give a character, printable or Backspace, Tab, Return and Escape; Delete, the
// arrows and the function keys give none.
bool typesACharacter(const QKeyEvent& key) {
    const QString text = key.text();
    return !text.isEmpty() && text != QChar(0x7F);
}

}  // namespace

TitleSearchWindow::TitleSearchWindow(const Desktop& desktop,
                                     std::function<QStringList()> playlistLines)
    : QWidget(nullptr, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint),
      playlistLines_(std::move(playlistLines)) {
    setObjectName(QStringLiteral("TitleSearchWindow"));
    setWindowTitle(QStringLiteral("MP3-Titel suchen"));
    setFixedSize(twips::size(kClientWidth, kClientHeight, desktop));

    promptLabel =
        new QLabel(QStringLiteral("Bitte Liedtitel eingeben, welcher gesucht werden soll."));
    promptLabel->setWordWrap(true);
    searchEdit = new QLineEdit(QStringLiteral("Liedtitel eingeben..."));
    searchEdit->setAccessibleName(QStringLiteral("Liedtitel"));
    tipLabel = new QLabel(QStringLiteral(
        "TIPP: Wenn sie einen Titel suchen und er nicht gefunden wird, setzen sie noch ein * "
        "ganz am Anfang des Textfeldes!"));
    tipLabel->setWordWrap(true);
    resultsLabel = new QLabel(QStringLiteral("Gefundene Titel"));
    results = new PlaylistLines(this);
    resultList = new QListView;
    resultList->setAccessibleName(QStringLiteral("Suchergebnisse"));
    resultList->setModel(results);
    resultList->setUniformItemSizes(true);
    resultList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultList->setSelectionMode(QAbstractItemView::SingleSelection);
    foundLabel = new QLabel(QStringLiteral("Wurden MP3's gefunden?"));
    markButton = new QPushButton(QStringLiteral("nur markieren"));
    markButton->setToolTip(
        QStringLiteral("Markiert nur den gewünschten Titel und schließt das Fenster"));
    closeButton = new QPushButton(QStringLiteral("Schließen"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(markButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promptLabel);
    layout->addWidget(searchEdit);
    layout->addWidget(tipLabel);
    layout->addWidget(resultsLabel);
    layout->addWidget(resultList, 1);
    layout->addWidget(foundLabel);
    layout->addLayout(buttons);

    searchEdit->installEventFilter(this);
    resultList->installEventFilter(this);
    connect(searchEdit, &QLineEdit::textChanged, this, &TitleSearchWindow::showMatches);
    connect(resultList, &QAbstractItemView::doubleClicked, this, [this] { takeChosen(true); });
    connect(markButton, &QPushButton::clicked, this, [this] { takeChosen(false); });
    // "Schließen" only hides it: the next opening shows the last search.
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    answerDialogKeys(*this, [this] { hide(); });
}

void TitleSearchWindow::showMatches() {
    resultLines.clear();
    const QString text = searchEdit->text();
    if (text.isEmpty()) {
        results->setStringList({});
        return;  // the count message stays as it was
    }
    // While the playlist window is hidden its list does not exist, so nothing is found.
    const QStringList titles = playlistLines_();
    resultLines = findTitles(titles, text);
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(resultLines.size()));
    for (const int line : resultLines) {
        shown << titles[line];
    }
    results->setStringList(shown);
    foundLabel->setText(
        shown.isEmpty()
            ? kNothingFound
            : QStringLiteral("%1 MP3 mit diesem Suchbegriff gefunden!").arg(shown.size()));
}

int TitleSearchWindow::chosenResult() const {
    const QModelIndexList selected = resultList->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TitleSearchWindow::takeChosen(bool play) {
    const int result = chosenResult();
    if (result < 0) {
        return;
    }
    // The search keeps line numbers: a playlist changed since may no longer show that title
    // there, or have no such line.
    const auto at = static_cast<std::size_t>(result);
    const int line = at < resultLines.size() ? resultLines[at] : -1;
    const QStringList titles = playlistLines_();
    if (line >= 0 && line < titles.size() && titles.at(line) == results->stringList().at(result)) {
        play ? emit playRequested(line) : emit markRequested(line);
    }
    emit unloadRequested();
}

void TitleSearchWindow::closeEvent(QCloseEvent* event) {
    // The close box unloads the window, once this event is over.
    event->ignore();
    emit unloadRequested();
}

bool TitleSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto* key =
        event->type() == QEvent::KeyPress ? static_cast<const QKeyEvent*>(event) : nullptr;
    const bool plain = key != nullptr && (key->modifiers() & ~Qt::KeypadModifier) == 0;
    if (watched == resultList && plain &&
        (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && chosenResult() >= 0) {
        takeChosen(true);
        return true;
    }
    if (watched == searchEdit) {
        // Down goes on to the results, the first one chosen.
        if (plain && key->key() == Qt::Key_Down && results->rowCount() > 0) {
            resultList->setFocus(Qt::TabFocusReason);
            resultList->setCurrentIndex(results->index(0));
            return true;
        }
        if (key != nullptr && typesACharacter(*key) && results->rowCount() == 0) {
            foundLabel->setText(kNothingFound);
        } else if (event->type() == QEvent::FocusIn) {
            // After the click that brought the focus has placed the cursor.
            QTimer::singleShot(0, searchEdit, &QLineEdit::selectAll);
        }
    }
    return QWidget::eventFilter(watched, event);
}
