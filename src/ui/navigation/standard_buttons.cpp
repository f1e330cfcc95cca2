#include "ui/navigation/standard_buttons.h"

#include "ui/app/action_registry.h"

#include <QAction>
#include <QStyle>
#include <QToolButton>

namespace pelto::ui {

StandardButtons::StandardButtons(ActionRegistry& actions, QWidget* parent)
    : QToolBar(QStringLiteral("Standard Buttons"), parent)
{
    setObjectName(QStringLiteral("tbtButtons"));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setIconSize(QSize(16, 16));
    const struct {
        const char* button;
        const char* action;
        QStyle::StandardPixmap icon;
        bool textOnRight;
    } items[] = {
        {"bBack", "actBack", QStyle::SP_ArrowBack, true},
        {"bForward", "actForward", QStyle::SP_ArrowForward, true},
        {"bStop", "actStop", QStyle::SP_BrowserStop, false},
        {"bRefresh", "actRefresh", QStyle::SP_BrowserReload, false},
        {"bHome", "actHome", QStyle::SP_DirHomeIcon, false},
        {"", "", QStyle::SP_CustomBase, false},
        {"bBlock", "actBlock", QStyle::SP_MessageBoxWarning, true},
        {"", "", QStyle::SP_CustomBase, false},
        {"bNew", "actNewBlank", QStyle::SP_FileIcon, true},
    };
    for (const auto& item : items) {
        if (!*item.button) {
            addSeparator();
            continue;
        }
        QAction* action = actions.action(item.action);
        if (action->icon().isNull())
            action->setIcon(style()->standardIcon(item.icon));
        QToolButton* button = addButton(QString::fromLatin1(item.button), action);
        // Only the marked buttons show their caption beside the icon.
        button->setToolButtonStyle(item.textOnRight ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    }
    // Short captions of their own; the action would put its own back whenever it changes.
    for (const auto& [name, caption] : {std::pair {"bBlock", "Block"}, std::pair {"bNew", "New"}}) {
        if (QToolButton* b = button(QString::fromLatin1(name))) {
            const QString text = QString::fromLatin1(caption);
            b->setText(text);
            connect(b->defaultAction(), &QAction::changed, b, [b, text] { b->setText(text); });
        }
    }
}

QToolButton* StandardButtons::addButton(const QString& name, QAction* action, QMenu* dropDown)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    if (dropDown) {
        button->setMenu(dropDown);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    addWidget(button);
    return button;
}

void StandardButtons::insertBefore(const QString& before, QWidget* widget)
{
    QAction* position = nullptr;
    if (QToolButton* next = button(before)) {
        for (QAction* action : actions()) {
            if (widgetForAction(action) == next)
                position = action;
        }
    }
    insertWidget(position, widget);
}

QToolButton* StandardButtons::button(const QString& name) const
{
    return findChild<QToolButton*>(name, Qt::FindDirectChildrenOnly);
}

}  // namespace pelto::ui
