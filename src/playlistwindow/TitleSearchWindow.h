#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QWidget>
#include <vector>

#include "playlistwindow/PlaylistLines.h"

class Program;
class PlaylistWindow;

// The title search: finds lines of the playlist window by their title while the user types,
// marks the chosen one in the playlist or plays it.
class TitleSearchWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr double kClientWidth = 4950;
    static constexpr double kClientHeight = 4815;
    static inline const QString kNothingFound =
        QStringLiteral("Keine MP3 gefunden. Andere Eingabe wählen");

    explicit TitleSearchWindow(Program& program);
    ~TitleSearchWindow() override;

    void showMatches();
    void sayIfNothingFound();
    void markChosen();
    void hideWindow();
    void playChosen();

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

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The line of resultList the user chose (-1: none).
    int chosenResult() const;
    // Selects the playlist line of a result. The search keeps line numbers, so a playlist
    // changed since may no longer show that title there, or have no such line: then nothing
    // is selected and the result is nullptr.
    PlaylistWindow* markInPlaylist(int result) const;
    void unload();

    Program& program_;
};

// "Search" on the main window: shows the search window, not modal.
void showSearch(Program& program);
