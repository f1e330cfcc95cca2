#pragma once

#include "core/app/action_table.h"

#include <QAction>
#include <QActionGroup>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

namespace pelto::ui {

// Creates one QAction per entry of the main window's action table, named by the entry's given
// name, and hands them out by that name. Features attach their handlers and enabling rules.
class ActionRegistry : public QObject {
    Q_OBJECT
public:
    explicit ActionRegistry(QWidget* owner);

    // The action of that name; aborts on an unknown name, which is a programming error.
    QAction* action(const char* name) const;
    // The action of that name, or null when there is none.
    QAction* find(const char* name) const;
    QList<QAction*> actions() const { return m_actions.values(); }

    // Runs handler when the action is triggered.
    void onTriggered(const char* name, std::function<void()> handler);
    // An enabling rule, run whenever the interface is idle (see updateAll).
    void setEnabledRule(const char* name, std::function<bool()> rule);

    // Re-evaluates every enabling rule.
    void updateAll();

private:
    QHash<QString, QAction*> m_actions;
    QHash<int, QActionGroup*> m_groups;
    QList<QPair<QAction*, std::function<bool()>>> m_rules;
};

}  // namespace pelto::ui
