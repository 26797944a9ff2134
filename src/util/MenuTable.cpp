#include "util/MenuTable.h"

#include <string_view>

void addMenuItems(QMenu& menu, std::initializer_list<MenuItem> items) {
    for (const MenuItem& item : items) {
        if (item.action != nullptr) {
            menu.addAction(item.action);
        } else if (std::string_view(item.caption) == "-") {
            menu.addSeparator();  // a bare line: a caption would be drawn beside it
        } else {
            menu.addAction(QString::fromUtf8(item.caption))->setEnabled(item.enabled);
        }
    }
}
