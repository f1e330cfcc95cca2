#include "ui/app/action_registry.h"

#include <QWidget>

namespace pelto::ui {

ActionRegistry::ActionRegistry(QWidget* owner)
    : QObject(owner)
{
    for (const core::ActionSpec& spec : core::MainWindowActions()) {
        auto* action = new QAction(QString::fromUtf8(spec.caption.data(), static_cast<int>(spec.caption.size())), owner);
        const QString name = QString::fromLatin1(spec.name.data(), static_cast<int>(spec.name.size()));
        action->setObjectName(name);
        if (!spec.hint.empty()) {
            const QString hint = QString::fromUtf8(spec.hint.data(), static_cast<int>(spec.hint.size()));
            action->setToolTip(hint);
            action->setStatusTip(hint);
        }
        if (!spec.shortcut.empty())
            action->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut.data(), static_cast<int>(spec.shortcut.size()))));
        action->setShortcutContext(Qt::WindowShortcut);
        if (spec.check != core::ActionCheck::None)
            action->setCheckable(true);
        if (spec.check == core::ActionCheck::Radio && spec.group != 0) {
            QActionGroup*& group = m_groups[spec.group];
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
