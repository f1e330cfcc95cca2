#pragma once

#include <QString>

class QAction;
class QMenu;

namespace pelto::ui {

class PageManager;

// The "[Empty]" text of a menu that has nothing to list.
inline constexpr const char* kEmptyMenuText = "[Empty]";

// Helpers for the menus the program fills at run time (recent pages, groups, favorites).

// A submenu captioned by the action's text (or the caption), appended to the parent.
QMenu* AddSubmenuItem(QMenu* parent, const QString& caption, QAction* action = nullptr);
// A plain item appended to the parent; with an action, the item is that action.
QAction* AddMenuItem(QMenu* parent, const QString& caption, QAction* action = nullptr);
QAction* AddMenuSeparator(QMenu* parent);
// A disabled "[Empty]" item without an image.
QAction* AddEmptyMenuItem(QMenu* parent);
// Removes the menu's items from the last down until the first keep items remain. Submenus
// go with their items; items added by the menu itself are released with it, fixed actions of
// the main window (marked with KeepWithMenu) only leave the menu.
void ClearMenuFrom(QMenu* menu, int keep);
// Marks an action as one of the main window's own, which ClearMenuFrom never releases.
void KeepWithMenu(QAction* action);

// Opens the address a menu item holds (its hint) in the current page, or in a new page when
// Shift is held or there is no page.
void OpenMenuLink(PageManager& pages, const QString& address);

}  // namespace pelto::ui
