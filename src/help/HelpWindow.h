#pragma once

#include <QTextEdit>
#include <QWidget>

class Desktop;

// The help viewer: shows hilfe.rtf from the program folder. It changes nothing of the player.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr double kDesignWidth = 9600;
    static constexpr double kDesignHeight = 7200;
    // The text area leaves this much of the window free to the right and below.
    static constexpr double kSpareWidth = 100;
    static constexpr double kSpareHeight = 500;
    // A larger help file is not shown: it is no help text, and laying it out would hold up the
    // window for seconds.
    static constexpr qint64 kLargestFile = qint64{4} * 1024 * 1024;

    // Shows the help text in the file at `path`.
    HelpWindow(const Desktop& desktop, const QString& path);

    // Read-only, with a cursor the keys move: screen readers read it as a document.
    QTextEdit* helpText;

signals:
    // The close box: the viewer is to be unloaded.
    void unloadRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void loadHelpFile(const QString& path);
    void fitText();

    const Desktop& desktop_;
};
