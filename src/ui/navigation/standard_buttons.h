#pragma once

#include <QToolBar>

class QMenu;
class QToolButton;

namespace pelto::ui {

class ActionRegistry;

// The button bar "tbtButtons" ("Standard Buttons"): Back and Forward with their history
// drop-downs, Stop, Refresh, Home, the popup blocker's switch and New.
class StandardButtons : public QToolBar {
    Q_OBJECT
public:
    StandardButtons(ActionRegistry& actions, QWidget* parent = nullptr);

    // Appends a button for the action under the given object name, with a drop-down menu when
    // one is given; before is the button it goes in front of (none: at the end).
    QToolButton* addButton(const QString& name, QAction* action, QMenu* dropDown = nullptr);
    QToolButton* button(const QString& name) const;
    // Puts a button (or another widget) in front of the button of that name.
    void insertBefore(const QString& before, QWidget* widget);
};

}  // namespace pelto::ui
