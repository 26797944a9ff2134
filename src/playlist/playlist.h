#pragma once

#include <QListView>
#include <QStringListModel>
#include <QWidget>

class Program;

// The borderless playlist window docked under the main window. Its list shows the titles of
// the playlist; it exists only while the window is loaded.
class playlist : public QWidget {
    Q_OBJECT
public:
    static constexpr double kNormalListHeight = 2760;
    static constexpr double kNormalHeight = 2790;
    static constexpr double kEnlargedListHeight = 5490;
    static constexpr double kEnlargedHeight = 5520;

    explicit playlist(Program& program);

    void setHeightTwips(double height);
    void setListHeightTwips(double height);
    double heightTwips() const;
    double listHeightTwips() const;

    QListView* List1;
    QStringListModel* lines;  // what List1 shows, one title per line

private:
    Program& program_;
};
