#include "ui/collections/menu_helpers.h"

#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace pelto::ui {

namespace {

const char* const kKeepProperty = "peltoKeepWithMenu";

}  // namespace

QMenu* AddSubmenuItem(QMenu* parent, const QString& caption, QAction* action)
{
    auto* submenu = new QMenu(action ? action->text() : caption, parent);
    if (action) {
        submenu->setIcon(action->icon());
        submenu->menuAction()->setToolTip(action->toolTip());
    }
    parent->addMenu(submenu);
    return submenu;
}

QAction* AddMenuItem(QMenu* parent, const QString& caption, QAction* action)
{
    if (action) {
        parent->addAction(action);
        return action;
    }
    auto* item = new QAction(caption, parent);
    parent->addAction(item);
    return item;
}

QAction* AddMenuSeparator(QMenu* parent)
{
    return parent->addSeparator();
}

QAction* AddEmptyMenuItem(QMenu* parent)
{
    QAction* item = AddMenuItem(parent, QString::fromLatin1(kEmptyMenuText));
    item->setEnabled(false);
    return item;
}

void KeepWithMenu(QAction* action)
{
    action->setProperty(kKeepProperty, true);
}

void ClearMenuFrom(QMenu* menu, int keep)
{
    QList<QAction*> items = menu->actions();
    for (int i = int(items.size()) - 1; i >= std::max(0, keep); --i) {
        QAction* item = items[i];
        menu->removeAction(item);
        if (QMenu* submenu = item->menu()) {
            ClearMenuFrom(submenu, 0);
            if (submenu->parent() == menu)
                submenu->deleteLater();
            continue;
        }
        if (!item->property(kKeepProperty).toBool() && item->parent() == menu)
            item->deleteLater();
    }
}

void OpenMenuLink(PageManager& pages, const QString& address)
{
    TfrmPage* page = pages.activePage();
    if (!page || (QApplication::keyboardModifiers() & Qt::ShiftModifier))
        page = pages.CreatePage(false, true);
    NavigatePage(page, address);
}

}  // namespace pelto::ui
