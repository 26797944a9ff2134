#pragma once

#include <QObject>
#include <QPointer>
#include <QWindow>
#include <utility>
#include <vector>

class Program;
class QWidget;
class QWindow;

// The part each window of the program plays on the desktop, for every window as it is shown:
// while the tray icon exists no window has an entry of its own in the task list, and without
// it only the main window has one, or while that is hidden the dialog shown for it. A dialog
// stays above the window it was opened over (above both player windows where that is the main
// window), a click on a window that a dialog holds disabled brings that dialog to the front,
// the playlist window comes up with the main window, and a dialog that closes while it is
// active hands the keyboard focus back to the control that had it when the dialog opened
// (marked, as if the user had tabbed there), else to the window it was opened over.
class WindowRoles : public QObject {
    Q_OBJECT
public:
    explicit WindowRoles(Program& program, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void aboutToShow(QWidget& window);
    void hidden(QWidget& window);
    // The control that has the focus as `dialog` opens, and the one it had when it opened.
    void rememberOpener(const QWidget& dialog);
    QPointer<QWidget> takeOpener(const QWidget& dialog);
    void lockedWindowActivated();
    // A click on a window: on one a dialog holds disabled, that dialog takes the focus back.
    void pressedOn(const QWindow& window);
    void mainActivated();
    void playlistActivated();
    // Whether the window has an entry of its own in the task list now.
    bool listed(const QWidget& window) const;
    // The task-list entries of the windows on screen, anew.
    void applyTaskList();
    // The window a dialog shown now stays above.
    QWidget* ownerFor(const QWidget& dialog) const;

    Program& program_;
    // The program's window that last had the keyboard focus.
    QPointer<QWindow> lastActive_;
    // Each open dialog with the control that had the focus when it opened.
    std::vector<std::pair<QPointer<const QWidget>, QPointer<QWidget>>> openers_;
};
