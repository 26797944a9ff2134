#include "util/MenuTable.h"

#include <string_view>

void addMenuItems(QMenu& menu, std::initializer_list<MenuItem> items) {
    for (const MenuItem& item : items) {
        // A separator is a bare line: a caption would be drawn beside it.
        const bool separator = std::string_view(item.caption) == "-";
        QAction* action =
            separator ? menu.addSeparator() : menu.addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        action->setEnabled(item.enabled);
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
}

QAction* menuAction(const QMenu& menu, const char* name) {
    return menu.findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}
