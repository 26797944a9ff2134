#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <vector>

#include "playlistwindow/PlaylistLines.h"

class Desktop;

// The title search: finds lines of the playlist window by their title while the user types,
// marks the chosen one in the playlist or plays it.
class TitleSearchWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr double kClientWidth = 4950;
    static constexpr double kClientHeight = 4815;
    static inline const QString kNothingFound =
        QStringLiteral("Keine MP3 gefunden. Andere Eingabe wählen");

    // `playlistLines` tells the lines the playlist window shows: none while it is not loaded.
    TitleSearchWindow(const Desktop& desktop, std::function<QStringList()> playlistLines);

    void showMatches();
    // The chosen result's playlist line is selected, or played too; the window then goes.
    void takeChosen(bool play);

    QLabel* promptLabel;
    QLineEdit* searchEdit;
    QLabel* tipLabel;
    QLabel* resultsLabel;
    QListView* resultList;
    PlaylistLines* results;  // what resultList shows
    // For each line of resultList, the playlist line it was found in.
    std::vector<int> resultLines;
    QLabel* foundLabel;
    QPushButton* markButton;
    QPushButton* closeButton;

signals:
    // The chosen result's playlist line is to be selected, or selected and played.
    void markRequested(int line);
    void playRequested(int line);
    // The close box, a mark or a play: the window is to be unloaded, and the player's windows
    // freed unless another window still holds them.
    void unloadRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The line of resultList the user chose (-1: none).
    int chosenResult() const;

    std::function<QStringList()> playlistLines_;
};
