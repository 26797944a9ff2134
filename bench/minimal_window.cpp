// The yardstick for the player's start-up: the least a Qt Widgets program does to show a window.
// Built twice: bare, and with one line of text, which costs the font set-up every window with
// text pays (BRAMBLE_WITH_TEXT).
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
#ifdef BRAMBLE_WITH_TEXT
    window.setWindowTitle("minimal window with text");
    const QLabel line(QStringLiteral("Keine Datei geladen"), &window);
#else
    window.setWindowTitle("minimal window");
#endif
    window.show();
    return QApplication::exec();
}
