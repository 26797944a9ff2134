#include "util/MenuTable.h"

void addMenuItems(QMenu& menu, std::initializer_list<MenuItem> items) {
    for (const MenuItem& item : items) {
        if (item.action != nullptr) {
            menu.addAction(item.action);
        } else {
            menu.addSeparator();  // a bare line: a caption would be drawn beside it
        }
    }
}
