#include "playlist/playlist.h"

#include "app/Program.h"
#include "app/Twips.h"
#include "player/Form1.h"

playlist::playlist(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), program_(program) {
    setObjectName(QStringLiteral("playlist"));
    setWindowTitle(QStringLiteral("Playlist"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    lines = new QStringListModel(this);
    List1 = new QListView(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setModel(lines);
    List1->setUniformItemSizes(true);
    List1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setFrameShape(QFrame::NoFrame);
    QPalette listPal = List1->palette();
    listPal.setColor(QPalette::Base, Qt::black);
    listPal.setColor(QPalette::Text, QColor(0x00, 0xFF, 0x00));
    List1->setPalette(listPal);

    // Loading takes the main window's width and sits under it until the docking places it.
    const Desktop& d = program.desktop();
    const Form1& main = program.form1();
    twips::setGeometry(*this, twips::left(main, d), twips::top(main, d) + twips::height(main, d),
                       twips::width(main, d), kNormalHeight, d);
    twips::setGeometry(*List1, 0, 0, twips::width(main, d), kNormalListHeight, d);
}

void playlist::setHeightTwips(double height) { twips::setHeight(*this, height, program_.desktop()); }

void playlist::setListHeightTwips(double height) {
    twips::setHeight(*List1, height, program_.desktop());
}

double playlist::heightTwips() const { return twips::height(*this, program_.desktop()); }

double playlist::listHeightTwips() const { return twips::height(*List1, program_.desktop()); }
