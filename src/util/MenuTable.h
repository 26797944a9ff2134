#pragma once

#include <QMenu>
#include <initializer_list>

// One line of a menu as the windows lay their menus out.
struct MenuItem {
    const char* name;     // the action's object name, by which it is found again
    const char* caption;  // "-" is a separator
    bool enabled = true;
    bool checked = false;  // checked items are checkable
};

// Appends the items to `menu` in order; each action is a child of the menu, named.
void addMenuItems(QMenu& menu, std::initializer_list<MenuItem> items);

// The menu's item of that name; null when it has none.
QAction* menuAction(const QMenu& menu, const char* name);
