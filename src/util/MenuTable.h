#pragma once

#include <QMenu>
#include <initializer_list>

// One line of a menu as the windows lay their menus out: a command's action or a separator, "-".
struct MenuItem {
    // Implicit, so that a menu's lines read as a plain list.
    MenuItem(QAction& command) : action(&command) {}  // NOLINT(google-explicit-constructor)
    MenuItem(const char* /*separator*/) {}            // NOLINT(google-explicit-constructor)

    QAction* action = nullptr;
};

// Appends the items to `menu` in order.
void addMenuItems(QMenu& menu, std::initializer_list<MenuItem> items);
