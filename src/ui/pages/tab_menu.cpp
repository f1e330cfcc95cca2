#include "ui/pages/tab_menu.h"

#include "ui/app/action_registry.h"
#include "ui/app/shared_state.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "ui/pages/tab_bar.h"
#include "ui/pages/web_control.h"

#include <QMenu>

namespace pelto::ui {

TabMenu::TabMenu(PageManager& pages, SharedState& state, QWidget* menuParent, QObject* parent)
    : QObject(parent)
    , m_pages(pages)
    , m_state(state)
    , m_menu(new QMenu(menuParent))
{
    m_menu->setObjectName(QStringLiteral("tbxTabMenu"));
}

void TabMenu::attach(ActionRegistry& actions)
{
    m_actions = &actions;
    const std::pair<const char*, void (TabMenu::*)()> commands[] = {
        {"actCMaximize", &TabMenu::maximize}, {"actCMinimize", &TabMenu::minimize},
        {"actCRestore", &TabMenu::restore}, {"actCClose", &TabMenu::close},
        {"actCRefresh", &TabMenu::refresh}, {"actCDuplicate", &TabMenu::duplicate},
    };
    for (const auto& [name, command] : commands)
        actions.onTriggered(name, [this, command = command] { (this->*command)(); });
    auto page = [this] { return m_state.TabMenuPage; };
    actions.setEnabledRule("actCMaximize", [page] { return page() && (page()->isMinimized() || !page()->IsMaximized); });
    actions.setEnabledRule("actCMinimize", [page] { return page() && !page()->isMinimized(); });
    actions.setEnabledRule("actCRestore", [page] { return page() && (page()->isMinimized() || page()->IsMaximized); });
    for (const char* name : {"actCClose", "actCRefresh", "actCDuplicate"})
        actions.setEnabledRule(name, [page] { return page() != nullptr; });

    // Favorites, groups and auto refresh add their entries here when they exist.
    for (const char* name : {"actCloseAll", "actCCloseExcept", "actCloseChecked", "", "actCDuplicate", "actCRefresh", "",
                             "actCRestore", "actCMinimize", "actCMaximize", "", "actCClose"}) {
        if (*name)
            m_menu->addAction(actions.action(name));
        else
            m_menu->addSeparator();
    }
}

void TabMenu::connectTo(TabBar& tabs)
{
    connect(&tabs, &TabBar::tabMenuRequested, this, &TabMenu::popUp);
}

void TabMenu::popUp(TfrmPage* page, QPoint globalPosition)
{
    (void)page;  // the tab bar has made it the tab-menu page
    if (m_actions)
        m_actions->updateAll();
    m_menu->exec(globalPosition);
}

void TabMenu::maximize()
{
    TfrmPage* page = m_state.TabMenuPage;
    if (page && (page->isMinimized() || !page->IsMaximized))
        QMetaObject::invokeMethod(page, [page] { page->SysCommandMaximize(); }, Qt::QueuedConnection);
}

void TabMenu::minimize()
{
    TfrmPage* page = m_state.TabMenuPage;
    if (page && !page->isMinimized())
        QMetaObject::invokeMethod(page, [page] { page->showMinimized(); }, Qt::QueuedConnection);
}

void TabMenu::restore()
{
    TfrmPage* page = m_state.TabMenuPage;
    if (page && (page->isMinimized() || page->IsMaximized))
        QMetaObject::invokeMethod(page, [page] { page->SysCommandRestore(); }, Qt::QueuedConnection);
}

void TabMenu::close()
{
    if (TfrmPage* page = m_state.TabMenuPage)
        QMetaObject::invokeMethod(page, [page] { page->close(); }, Qt::QueuedConnection);
}

void TabMenu::refresh()
{
    TfrmPage* page = m_state.TabMenuPage;
    if (page && !page->WB()->LocationURL().isEmpty())
        page->WB()->Refresh();
}

void TabMenu::duplicate()
{
    TfrmPage* source = m_state.TabMenuPage;
    if (!source)
        return;
    const QString address = source->PageAddress;
    NavigatePage(m_pages.CreatePage(false, true), address);
}

}  // namespace pelto::ui
