#pragma once

#include <QMenu>
#include <initializer_list>

// One line of a menu as the windows lay their menus out: a command's action, a separator ("-"),
// or an item that stands for no command.
struct MenuItem {
    // Implicit, so that a menu's lines read as a plain list.
    MenuItem(QAction& command) : action(&command) {}   // NOLINT(google-explicit-constructor)
    MenuItem(const char* text, bool isEnabled = true)  // NOLINT(google-explicit-constructor)
        : caption(text), enabled(isEnabled) {}

    QAction* action = nullptr;
    const char* caption = nullptr;
    bool enabled = true;
};

// Appends the items to `menu` in order; the items without a command are children of the menu.
void addMenuItems(QMenu& menu, std::initializer_list<MenuItem> items);
