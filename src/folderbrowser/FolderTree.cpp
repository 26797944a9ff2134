#include "folderbrowser/FolderTree.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>

#include "platform/FileNames.h"
#include "platform/FolderListing.h"
#include "platform/NameToolTip.h"

namespace {

constexpr int kPathRole = Qt::UserRole;

// "/a/b" -> "/", "/a", "/a/b".
QStringList foldersDownTo(const QString& path) {
    QStringList chain{QStringLiteral("/")};
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        chain.append(childPath(chain.back(), part));
    }
    return chain;
}

}  // namespace

FolderTree::FolderTree(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemClicked, this, [this] { emit clicked(); });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        emit openRequested(item->data(kPathRole).toString());
    });
}

void FolderTree::setPath(const QString& absolute, const QStringList& subfolders) {
    path_ = absolute;
    setUpdatesEnabled(false);
    clear();
    // Looked up once: a lookup per entry costs over a second for a thousand folders.
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QStringList chain = foldersDownTo(absolute);
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& entry = chain[depth];
        addEntry(entry, depth == 0 ? entry : QFileInfo(entry).fileName(), depth, openIcon);
    }
    for (const QString& name : subfolders) {
        addEntry(childPath(absolute, name), name, static_cast<int>(chain.size()), closedIcon);
    }
    setCurrentRow(static_cast<int>(chain.size()) - 1);
    setUpdatesEnabled(true);
}

void FolderTree::addEntry(const QString& fullPath, const QString& name, int depth,
                          const QIcon& icon) {
    static constexpr qsizetype kIndent = 2;  // blanks per level below the root
    const QString shown = shownFileName(name);
    auto* item = new QListWidgetItem(QString(depth * kIndent, QLatin1Char(' ')) + shown, this);
    // A screen reader reads the name without the blanks, and the depth they show.
    item->setData(Qt::AccessibleTextRole, shown);
    item->setData(Qt::AccessibleDescriptionRole, QStringLiteral("Ebene %1").arg(depth + 1));
    item->setData(kPathRole, fullPath);
    item->setToolTip(nameToolTip(shownFileName(fullPath)));
    item->setIcon(icon);
}

QString FolderTree::highlightedPath() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? path_ : selected.first()->data(kPathRole).toString();
}

void FolderTree::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        emit openRequested(currentItem()->data(kPathRole).toString());
        return;
    }
    QListWidget::keyPressEvent(event);
}
