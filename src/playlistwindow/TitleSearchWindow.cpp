#include "playlistwindow/TitleSearchWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "playlistwindow/PlaylistWindow.h"
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

frmsearch::frmsearch(Program& program)
    : QWidget(nullptr, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint), program_(program) {
    setObjectName(QStringLiteral("frmsearch"));
    setWindowTitle(QStringLiteral("MP3-Titel suchen"));
    setFixedSize(twips::size(kClientWidth, kClientHeight, program.desktop()));

    Label1 = new QLabel(QStringLiteral("Bitte Liedtitel eingeben, welcher gesucht werden soll."));
    Label1->setWordWrap(true);
    Text1 = new QLineEdit(QStringLiteral("Liedtitel eingeben..."));
    Text1->setAccessibleName(QStringLiteral("Liedtitel"));
    Label3 = new QLabel(QStringLiteral(
        "TIPP: Wenn sie einen Titel suchen und er nicht gefunden wird, setzen sie noch ein * "
        "ganz am Anfang des Textfeldes!"));
    Label3->setWordWrap(true);
    Label2 = new QLabel(QStringLiteral("Gefundene Titel"));
    results = new PlaylistLines(this);
    List2 = new QListView;
    List2->setAccessibleName(QStringLiteral("Suchergebnisse"));
    List2->setModel(results);
    List2->setUniformItemSizes(true);
    List2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List2->setSelectionMode(QAbstractItemView::SingleSelection);
    found = new QLabel(QStringLiteral("Wurden MP3's gefunden?"));
    Command1 = new QPushButton(QStringLiteral("nur markieren"));
    Command1->setToolTip(
        QStringLiteral("Markiert nur den gewünschten Titel und schließt das Fenster"));
    Command2 = new QPushButton(QStringLiteral("Schließen"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Text1);
    layout->addWidget(Label3);
    layout->addWidget(Label2);
    layout->addWidget(List2, 1);
    layout->addWidget(found);
    layout->addLayout(buttons);

    Text1->installEventFilter(this);
    List2->installEventFilter(this);
    connect(Text1, &QLineEdit::textChanged, this, &frmsearch::Text1_Change);
    connect(List2, &QAbstractItemView::doubleClicked, this, &frmsearch::List2_DblClick);
    connect(Command1, &QPushButton::clicked, this, &frmsearch::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmsearch::Command2_Click);
    answerDialogKeys(*this, [this] { Command2_Click(); });
}

frmsearch::~frmsearch() = default;

void frmsearch::Text1_Change() {
    Codlist.clear();
    const QString text = Text1->text();
    if (text.isEmpty()) {
        results->setStringList({});
        return;  // the count message stays as it was
    }
    // While the playlist window is hidden its list does not exist, so nothing is found.
    const playlist* pl = program_.playlistIfLoaded();
    const QStringList titles = pl != nullptr ? pl->lines->stringList() : QStringList();
    Codlist = findTitles(titles, text);
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(Codlist.size()));
    for (const int line : Codlist) {
        shown << titles[line];
    }
    results->setStringList(shown);
    found->setText(
        shown.isEmpty()
            ? kNothingFound
            : QStringLiteral("%1 MP3 mit diesem Suchbegriff gefunden!").arg(shown.size()));
}

void frmsearch::Text1_KeyPress() {
    if (results->rowCount() == 0) {
        found->setText(kNothingFound);
    }
}

int frmsearch::chosenResult() const {
    const QModelIndexList selected = List2->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

playlist* frmsearch::markInPlaylist(int result) const {
    playlist* pl = program_.playlistIfLoaded();
    if (pl == nullptr || result < 0 || result >= static_cast<int>(Codlist.size())) {
        return nullptr;
    }
    const int line = Codlist[static_cast<std::size_t>(result)];
    if (line >= pl->lineCount() ||
        pl->lines->stringList().at(line) != results->stringList().at(result)) {
        return nullptr;
    }
    pl->InsertItem(line);
    return pl;
}

void frmsearch::Command1_Click() {
    const int result = chosenResult();
    if (result < 0) {
        return;
    }
    markInPlaylist(result);
    unload();
}

void frmsearch::List2_DblClick() {
    const int result = chosenResult();
    if (result < 0) {
        return;
    }
    if (playlist* pl = markInPlaylist(result)) {
        pl->List1_DblClick();
    }
    unload();
}

void frmsearch::Command2_Click() {
    hide();  // stays loaded: the next opening shows the last search
}

void frmsearch::unload() {
    // Frees the player's windows unless another window still holds them.
    program_.releasePlayerWindows(this);
    program_.unloadSearch();
}

void frmsearch::closeEvent(QCloseEvent* event) {
    // The close box unloads the window, once this event is over.
    event->ignore();
    unload();
}

bool frmsearch::eventFilter(QObject* watched, QEvent* event) {
    const auto* key =
        event->type() == QEvent::KeyPress ? static_cast<const QKeyEvent*>(event) : nullptr;
    const bool plain = key != nullptr && (key->modifiers() & ~Qt::KeypadModifier) == 0;
    if (watched == List2 && plain &&
        (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && chosenResult() >= 0) {
        List2_DblClick();
        return true;
    }
    if (watched == Text1) {
        // Down goes on to the results, the first one chosen.
        if (plain && key->key() == Qt::Key_Down && results->rowCount() > 0) {
            List2->setFocus(Qt::TabFocusReason);
            List2->setCurrentIndex(results->index(0));
            return true;
        }
        if (key != nullptr && typesACharacter(*key)) {
            Text1_KeyPress();
        } else if (event->type() == QEvent::FocusIn) {
            // After the click that brought the focus has placed the cursor.
            QTimer::singleShot(0, Text1, &QLineEdit::selectAll);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void showSearch(Program& program) {
    frmsearch& window = program.searchWindow();
    window.show();
    window.raise();
    window.activateWindow();
}
