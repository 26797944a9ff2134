#include "folderbrowser/FolderChooser.h"

#include <QCloseEvent>
#include <QWindow>

#include "folderbrowser/Drives.h"
#include "util/DialogKeys.h"
#include "util/OnScreen.h"
#include "util/Twips.h"

namespace {

// Client area in twips.
constexpr double kChooserWidth = 4095;
constexpr double kChooserHeight = 4005;

}  // namespace

FolderChooser::FolderChooser(const Desktop& desktop, MessageBoxes& messages,
                             std::shared_ptr<const FolderSource> source, QString fallbackFolder)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      fallbackFolder_(std::move(fallbackFolder)) {
    setObjectName(QStringLiteral("FolderChooser"));
    setWindowTitle(QStringLiteral("Standard-Verzeichnis wählen"));

    const Desktop& d = desktop;
    centreOnScreenTwips(*this, kChooserWidth, kChooserHeight, d);
    setFixedSize(size());

    driveBox = new DriveList(this);
    twips::setGeometry(*driveBox, 120, 120, 3855, 315, d);
    folderTree = new FolderTree(this);
    twips::setGeometry(*folderTree, 120, 495, 3855, 2895, d);
    okButton = new QPushButton(QStringLiteral("OK"), this);
    twips::setGeometry(*okButton, 120, 3510, 1815, 375, d);
    cancelButton = new QPushButton(QStringLiteral("Abbrechen"), this);
    twips::setGeometry(*cancelButton, 2160, 3510, 1815, 375, d);

    navigation_ =
        new FolderNavigation(std::move(source), messages, *this, *driveBox, *folderTree, false);
    // No folder to take until the first listing has come.
    okButton->setEnabled(false);
    connect(navigation_, &FolderNavigation::moved, okButton,
            [this] { okButton->setEnabled(true); });
    connect(okButton, &QPushButton::clicked, this, [this] {
        emit chosen(folderTree->path());
        close();
    });
    connect(cancelButton, &QPushButton::clicked, this, &QWidget::close);
    answerDialogKeys(*this, [this] { close(); });
}

void FolderChooser::open(QWidget& opener, const QString& folder) {
    driveBox->refresh();
    navigation_->goTo(folder, [this] {
        navigation_->goTo(fallbackFolder_, [this] { navigation_->goTo(QStringLiteral("/")); });
    });
    // Kept above its disabled opener and modal to it: a click on that must neither bury the
    // chooser, the opener's only way out, nor take the keys from it.
    opener_ = &opener;
    winId();
    windowHandle()->setTransientParent(opener.windowHandle());
    setWindowModality(Qt::WindowModal);
    show();
    raise();
    activateWindow();
    opener.setEnabled(false);
}

void FolderChooser::closeEvent(QCloseEvent* event) {
    if (opener_) {
        opener_->setEnabled(true);
    }
    QWidget::closeEvent(event);
    emit unloadRequested();
}
