#pragma once

class QMenu;
class QMenuBar;

namespace pelto::ui {

class ActionRegistry;

// Menus made by the features that go into the menu bar.
struct FeatureMenus {
    QMenu* recentPages = nullptr;  // "Open Recent"
    QMenu* go = nullptr;           // the address bar's Go menu
};

// Fills the main menu bar: File, Edit, View, Navigation, Tools, Windows and Help, each with the
// commands that exist in their order.
void BuildMainMenus(QMenuBar* bar, ActionRegistry& actions, const FeatureMenus& menus);

}  // namespace pelto::ui
