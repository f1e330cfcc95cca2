#include "ui/pages/window_commands.h"

#include "core/pages/window_arrangement.h"
#include "ui/app/action_registry.h"
#include "ui/app/shared_state.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "ui/pages/site_icon_fetcher.h"
#include "ui/pages/web_control.h"

#include <QCoreApplication>
#include <QMdiArea>

#include <algorithm>

namespace pelto::ui {

namespace {

const char* const kConfirmCloseAll = "Are you sure you want to close all browser windows?";
const char* const kConfirmCloseAllExcept = "Are you sure you want to close all browser windows except the current window?";
const char* const kConfirmCloseAllExceptS = "Are you sure you want to close all browser windows except the window you selected?";

// Lets the posted close requests run, including the deletion of the closed pages.
void runPendingWork()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Asks the page to close once the command's own work is done.
void postClose(TfrmPage* page)
{
    QMetaObject::invokeMethod(page, [page] { page->close(); }, Qt::QueuedConnection);
}

}  // namespace

WindowCommands::WindowCommands(PageManager& pages, QMdiArea& area, SharedState& state, Confirm confirm,
                               std::function<void()> clearPageDisplay, QObject* parent)
    : QObject(parent)
    , m_pages(pages)
    , m_area(area)
    , m_state(state)
    , m_confirm(std::move(confirm))
    , m_clearPageDisplay(std::move(clearPageDisplay))
{
}

void WindowCommands::attach(ActionRegistry& actions)
{
    const std::pair<const char*, void (WindowCommands::*)()> commands[] = {
        {"actPreviousPage", &WindowCommands::previousPage}, {"actNextPage", &WindowCommands::nextPage},
        {"actCloseAll", &WindowCommands::closeAll}, {"actCloseExcept", &WindowCommands::closeAllExceptCurrent},
        {"actStopAll", &WindowCommands::stopAll}, {"actRefreshAll", &WindowCommands::refreshAll},
        {"actCascade", &WindowCommands::cascade}, {"actTileHorizontally", &WindowCommands::tileHorizontally},
        {"actTileVertically", &WindowCommands::tileVertically}, {"actArrangeIcons", &WindowCommands::arrangeIcons},
        {"actMaximizeAll", &WindowCommands::maximizeAll}, {"actRestoreAll", &WindowCommands::restoreAll},
        {"actMinimizeAll", &WindowCommands::minimizeAll}, {"actCCloseExcept", &WindowCommands::closeAllExceptThis},
        {"actCloseChecked", &WindowCommands::closeChecked}, {"actSysMinimize", &WindowCommands::sysMinimize},
        {"actSysRestore", &WindowCommands::sysRestore}, {"actSysClose", &WindowCommands::sysClose},
    };
    auto atLeastOne = [this] { return m_pages.pageCount() > 0; };
    auto moreThanOne = [this] { return m_pages.pageCount() > 1; };
    for (const auto& [name, command] : commands) {
        actions.onTriggered(name, [this, command = command] { (this->*command)(); });
        const std::string_view given(name);
        const bool needsTwo = given == "actPreviousPage" || given == "actNextPage" || given == "actCloseExcept";
        actions.setEnabledRule(name, needsTwo ? std::function<bool()>(moreThanOne) : std::function<bool()>(atLeastOne));
    }
    actions.setEnabledRule("actCCloseExcept", [this] { return m_state.TabMenuPage && m_pages.pageCount() > 1; });
    for (const char* name : {"actSysMinimize", "actSysRestore", "actSysClose"})
        actions.setEnabledRule(name, [this] { return sysCommandsEnabled(); });
}

void WindowCommands::stepPage(bool forward)
{
    const QList<TfrmPage*> pages = m_pages.pages();
    if (pages.isEmpty())
        return;
    const int count = int(pages.size());
    const int current = pages.first()->TabButton.slot;
    const int target = forward ? core::NextTabSlot(current, count) : core::PreviousTabSlot(current, count);
    for (TfrmPage* page : pages) {
        if (page->TabButton.slot == target) {
            m_pages.activatePage(page);
            return;
        }
    }
}

void WindowCommands::previousPage() { stepPage(false); }
void WindowCommands::nextPage() { stepPage(true); }

void WindowCommands::closeAll()
{
    if (m_pages.pageCount() == 0)
        return;
    if (m_state.settings.ConfirmCloseAll && !m_confirm(QString::fromLatin1(kConfirmCloseAll)))
        return;
    m_state.TabMenuPage = nullptr;
    QCoreApplication::processEvents();
    m_state.ClosingInBulk = true;
    const QList<TfrmPage*> pages = m_pages.pages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
        (*it)->IsClosing = true;
        (*it)->close();
    }
    finishBulkClose();
    m_clearPageDisplay();
}

void WindowCommands::closeAllExceptCurrent()
{
    if (m_pages.pageCount() < 2)
        return;
    if (m_state.settings.ConfirmCloseExcept && !m_confirm(QString::fromLatin1(kConfirmCloseAllExcept)))
        return;
    QCoreApplication::processEvents();
    m_state.ClosingInBulk = true;
    const QList<TfrmPage*> pages = m_pages.pages();
    for (int i = int(pages.size()) - 1; i >= 1; --i) {
        pages[i]->IsClosing = true;
        pages[i]->close();
    }
    finishBulkClose();
}

void WindowCommands::closeAllExceptThis()
{
    TfrmPage* keep = m_state.TabMenuPage;
    if (!keep || m_pages.pageCount() < 2)
        return;
    if (m_state.settings.ConfirmCloseExcept && !m_confirm(QString::fromLatin1(kConfirmCloseAllExceptS)))
        return;
    QCoreApplication::processEvents();
    // The page may have closed while the question was shown.
    if (m_state.TabMenuPage != keep)
        return;
    m_state.ClosingInBulk = true;
    const QList<TfrmPage*> pages = m_pages.pages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
        if (*it == keep)
            continue;
        (*it)->IsClosing = true;
        (*it)->close();
    }
    finishBulkClose();
}

void WindowCommands::closeChecked()
{
    if (m_pages.pageCount() == 0 || !m_choosePages)
        return;
    if (const auto chosen = m_choosePages(m_pages.pages()))
        closePages(*chosen);
}

void WindowCommands::closePages(const QList<TfrmPage*>& pages)
{
    m_state.ClosingInBulk = true;
    for (TfrmPage* page : pages) {
        if (page)
            postClose(page);
    }
    finishBulkClose();
    if (m_pages.pageCount() == 0)
        m_clearPageDisplay();
}

void WindowCommands::finishBulkClose()
{
    runPendingWork();
    m_state.ClosingInBulk = false;
    emit bulkCloseFinished();
}

TfrmPage* WindowCommands::maximizedPage() const
{
    for (TfrmPage* page : m_pages.pages()) {
        if (page->IsMaximized)
            return page;
    }
    return nullptr;
}

bool WindowCommands::sysCommandsEnabled() const
{
    const QList<TfrmPage*> pages = m_pages.pages();
    return std::any_of(pages.begin(), pages.end(), [](const TfrmPage* page) {
        return !PageIsClosing(page) && page->IsMaximized && !page->isMinimized();
    });
}

void WindowCommands::sysMinimize()
{
    QCoreApplication::processEvents();
    if (TfrmPage* page = maximizedPage())
        QMetaObject::invokeMethod(page, [page] { page->showMinimized(); }, Qt::QueuedConnection);
}

void WindowCommands::sysRestore()
{
    if (TfrmPage* page = maximizedPage())
        QMetaObject::invokeMethod(page, [page] { page->SysCommandRestore(); }, Qt::QueuedConnection);
}

void WindowCommands::sysClose()
{
    if (TfrmPage* page = maximizedPage())
        postClose(page);
}

void WindowCommands::stopAll()
{
    const QList<TfrmPage*> pages = m_pages.pages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
        (*it)->auHTTPGet().abort();
        (*it)->WB()->Stop();
    }
}

void WindowCommands::refreshAll()
{
    const QList<TfrmPage*> pages = m_pages.pages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
        if (!(*it)->WB()->LocationURL().isEmpty())
            (*it)->WB()->Refresh();
    }
}

void WindowCommands::restoreMaximizedPages()
{
    for (TfrmPage* page : m_pages.pages()) {
        if (page->IsMaximized)
            page->RestorePage();
    }
}

void WindowCommands::cascade()
{
    restoreMaximizedPages();
    m_area.cascadeSubWindows();
}

void WindowCommands::tile(core::TileMode mode)
{
    restoreMaximizedPages();
    QList<TfrmPage*> pages;
    for (TfrmPage* page : m_pages.pages()) {
        if (!page->isMinimized())
            pages.append(page);
    }
    const QSize area = m_pages.pageAreaSize();
    const auto bounds = core::TileBounds(int(pages.size()), area.width(), area.height(), mode);
    for (int i = 0; i < int(bounds.size()); ++i)
        pages[i]->setGeometry(bounds[i].left, bounds[i].top, bounds[i].width, bounds[i].height);
}

void WindowCommands::tileHorizontally() { tile(core::TileMode::Horizontal); }
void WindowCommands::tileVertically() { tile(core::TileMode::Vertical); }

void WindowCommands::arrangeIcons()
{
    // Minimised pages line up along the bottom of the page area, in page order.
    const QSize area = m_pages.pageAreaSize();
    int left = 0;
    int bottom = area.height();
    for (TfrmPage* page : m_pages.pages()) {
        if (!page->isMinimized())
            continue;
        const QSize size = page->size();
        if (left > 0 && left + size.width() > area.width()) {
            left = 0;
            bottom -= size.height();
        }
        page->move(left, bottom - size.height());
        left += size.width();
    }
}

void WindowCommands::maximizeAll()
{
    const QList<TfrmPage*> pages = m_pages.pages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it)
        (*it)->SysCommandMaximize();
    QCoreApplication::processEvents();
}

void WindowCommands::restoreAll()
{
    const QList<TfrmPage*> pages = m_pages.pages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
        if ((*it)->isMinimized() || (*it)->IsMaximized)
            (*it)->SysCommandRestore();
    }
}

void WindowCommands::minimizeAll()
{
    const QList<TfrmPage*> pages = m_pages.pages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
        if (!(*it)->isMinimized())
            (*it)->showMinimized();
    }
}

}  // namespace pelto::ui
