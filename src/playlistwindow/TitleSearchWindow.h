#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QWidget>
#include <vector>

#include "playlistwindow/PlaylistLines.h"

class Program;
class playlist;

// The title search: finds lines of the playlist window by their title while the user types,
// marks the chosen one in the playlist or plays it.
class frmsearch : public QWidget {
    Q_OBJECT
public:
    static constexpr double kClientWidth = 4950;
    static constexpr double kClientHeight = 4815;
    static inline const QString kNothingFound =
        QStringLiteral("Keine MP3 gefunden. Andere Eingabe wählen");

    explicit frmsearch(Program& program);
    ~frmsearch() override;

    void Text1_Change();
    void Text1_KeyPress();
    void Command1_Click();
    void Command2_Click();
    void List2_DblClick();

    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label3;
    QLabel* Label2;
    QListView* List2;
    PlaylistLines* results;  // what List2 shows
    // For each line of List2, the playlist line it was found in.
    std::vector<int> Codlist;
    QLabel* found;
    QPushButton* Command1;
    QPushButton* Command2;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The line of List2 the user chose (-1: none).
    int chosenResult() const;
    // Selects the playlist line of a result. The search keeps line numbers, so a playlist
    // changed since may no longer show that title there, or have no such line: then nothing
    // is selected and the result is nullptr.
    playlist* markInPlaylist(int result) const;
    void unload();

    Program& program_;
};

// "Search" on the main window: shows the search window, not modal.
void showSearch(Program& program);
