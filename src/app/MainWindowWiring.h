#pragma once

#include <QObject>
#include <QString>

class Program;
class QCloseEvent;

// What the main window's requests do in the rest of the program: one handler per button, menu
// item or timer, named after it. Owned by the main window.
class MainWindowHandlers : public QObject {
    Q_OBJECT
public:
    // Connects every request of the main window to its handler.
    explicit MainWindowHandlers(Program& program);

    void stayd_Timer();
    void Form_Moved();
    void Label9_Click();  // exit, as Label8 and mnuexit2
    void showpl_Click();
    void hidepl_Click();
    void Label2_Click();
    void Label10_Click();
    void Label3_Click();
    void Label7_Click();
    void Label1_Click();
    void mnuhelp_Click();
    void Form_F6();
    void Form_QueryUnload(QCloseEvent* event);
    void Form_FirstPaint();
    void Transport_TrackChange(const QString& title);
    void Transport_TitleChange(const QString& title);

private:
    void openEngineAndMixer();

    Program& program_;
};
