#include "ui/app/action_registry.h"

#include <QWidget>

namespace pelto::ui {

ActionRegistry::ActionRegistry(QWidget* owner)
    : QObject(owner)
{
    for (const core::ActionSpec& entry : core::MainWindowActions()) {
        auto* action = new QAction(QString::fromUtf8(entry.caption.data(), static_cast<int>(entry.caption.size())), owner);
        const QString name = QString::fromLatin1(entry.name.data(), static_cast<int>(entry.name.size()));
        action->setObjectName(name);
        if (!entry.hint.empty()) {
            const QString hint = QString::fromUtf8(entry.hint.data(), static_cast<int>(entry.hint.size()));
            action->setToolTip(hint);
            action->setStatusTip(hint);
        }
        if (!entry.shortcut.empty())
            action->setShortcut(QKeySequence(QString::fromLatin1(entry.shortcut.data(), static_cast<int>(entry.shortcut.size()))));
        // Copy, cut, paste and select all belong to the focused widget (the page, the address
        // box, a list): their keys reach it, and the menu items act on the page.
        const bool editKey = name == QLatin1String("actCopy") || name == QLatin1String("actCut")
            || name == QLatin1String("actPaste") || name == QLatin1String("actSelectAll");
        action->setShortcutContext(editKey ? Qt::WidgetShortcut : Qt::WindowShortcut);
        if (entry.check != core::ActionCheck::None)
            action->setCheckable(true);
        if (entry.check == core::ActionCheck::Radio && entry.group != 0) {
            QActionGroup*& group = m_groups[entry.group];
            if (!group)
                group = new QActionGroup(this);
            group->addAction(action);
        }
        owner->addAction(action);
        m_actions.insert(name, action);
    }
}

QAction* ActionRegistry::action(const char* name) const
{
    QAction* action = m_actions.value(QString::fromLatin1(name));
    Q_ASSERT_X(action, "ActionRegistry::action", name);
    if (!action)
        qFatal("unknown action %s", name);
    return action;
}

QAction* ActionRegistry::find(const char* name) const
{
    return m_actions.value(QString::fromLatin1(name));
}

void ActionRegistry::onTriggered(const char* name, std::function<void()> handler)
{
    connect(action(name), &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
}

void ActionRegistry::setEnabledRule(const char* name, std::function<bool()> rule)
{
    m_rules.append({action(name), std::move(rule)});
}

void ActionRegistry::updateAll()
{
    for (const auto& [action, rule] : m_rules)
        action->setEnabled(rule());
}

}  // namespace pelto::ui
