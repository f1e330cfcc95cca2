#include "ui/collections/recent_pages_controller.h"

#include "core/app/menu_caption.h"
#include "core/app/settings_keys.h"
#include "core/app/settings_store.h"
#include "platform/atomic_file.h"
#include "ui/app/action_registry.h"
#include "ui/app/shared_state.h"
#include "ui/collections/menu_helpers.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"

#include <QAction>
#include <QMenu>

namespace pelto::ui {

namespace {

const char* const kOpenAllRecents = "Open All Recently Opened Pages";
const char* const kClearAllRecents = "Clear Recently Opened Page List";
const char* const kConfirmClearRecent = "Are you sure you want to clear recently opened page list?";
const char* const kConfirmRecover =
    "Pelto Browser did not shutdown properly last time. Do you want to recover all opened pages?";
// Neither file is ever worth more than this; a larger one is read as empty.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string readFile(const QString& path)
{
    if (path.isEmpty())
        return {};
    const platform::ReadResult file = platform::readWholeFile(path, kMaxFileBytes);
    if (file.status != platform::ReadStatus::Ok)
        return {};
    return std::string(file.data.constData(), size_t(file.data.size()));
}

}  // namespace

RecentPages::RecentPages(Services services, QObject* parent)
    : QObject(parent)
    , m_services(std::move(services))
    , m_menu(new QMenu(QStringLiteral("Open Recent")))
{
    m_menu->setObjectName(QStringLiteral("mRecents"));
    m_menu->menuAction()->setObjectName(QStringLiteral("actRecents"));
    connect(this, &QObject::destroyed, m_menu, &QObject::deleteLater);
    PageManager* pages = m_services.pages;
    connect(pages, &PageManager::pageClosingSignal, this, &RecentPages::pageClosing);
    connect(pages, &PageManager::pageNavigatedSignal, this, [this] { SaveOpenPages(); });
}

void RecentPages::attach(ActionRegistry& actions, std::function<void()> closeWindow)
{
    actions.onTriggered("actClearRecents", [this] { ClearRecentList(); });
    actions.onTriggered("actSaveExit", [this, closeWindow = std::move(closeWindow)] {
        m_services.state->SaveOnExitRequested = true;
        closeWindow();
        // Refused (a later question said no): the request does not outlive this close.
        m_services.state->SaveOnExitRequested = false;
    });
    actions.setEnabledRule("actSaveExit", [this] { return m_services.pages->pageCount() > 0; });
}

void RecentPages::RefreshRecentMenu(bool enabled, bool save)
{
    m_menu->menuAction()->setVisible(enabled);
    if (!enabled)
        return;
    if (save)
        writeRecents();
    else
        m_list = core::ReadRecentPages(readFile(recentsFile()));
    rebuildMenu();
}

bool RecentPages::writeRecents()
{
    if (m_services.dataFolder.isEmpty())
        return false;
    const std::string bytes = core::WriteRecentPages(m_list);
    return platform::writeFileAtomically(recentsFile(), QByteArray(bytes.data(), qsizetype(bytes.size())));
}

void RecentPages::rebuildMenu()
{
    ClearMenuFrom(m_menu, 0);
    if (m_list.empty()) {
        AddEmptyMenuItem(m_menu);
        return;
    }
    const core::GeneralSettings& settings = m_services.state->settings;
    if (settings.EnableOpenAllRecent) {
        connect(AddMenuItem(m_menu, QString::fromLatin1(kOpenAllRecents)), &QAction::triggered, this,
                &RecentPages::OpenAllRecent);
        AddMenuSeparator(m_menu);
    }
    for (const core::RecentPage& page : m_list.newestFirst()) {
        QAction* item = AddMenuItem(m_menu, fromUtf8(core::MenuCaption(page.title, 50)));
        const QString address = fromUtf8(page.address);
        item->setToolTip(address);
        item->setStatusTip(address);
        connect(item, &QAction::triggered, this, [this, address] { OpenMenuLink(*m_services.pages, address); });
    }
    m_menu->setToolTipsVisible(true);
    if (settings.EnableClearRecent) {
        AddMenuSeparator(m_menu);
        connect(AddMenuItem(m_menu, QString::fromLatin1(kClearAllRecents)), &QAction::triggered, this,
                &RecentPages::ClearRecentList);
    }
}

void RecentPages::AddRecentPage(const QString& title, const QString& address, bool refresh)
{
    const core::GeneralSettings& settings = m_services.state->settings;
    const std::string caption = utf8(title);
    const std::string location = utf8(address);
    if (!core::AddRecentPage(m_list, core::ClosingPageEntry {caption, location}, settings.EnableRecentPages,
                             m_services.state->IsExiting))
        return;
    if (refresh)
        RefreshRecentMenu(settings.EnableRecentPages, true);
}

void RecentPages::pageClosing(TfrmPage* page)
{
    // The tab's hint is its title as the page gave it; the caption has its ampersands doubled.
    AddRecentPage(page->TabButton.hint, page->PageAddress, !m_services.state->ClosingInBulk);
    SaveOpenPages();
}

void RecentPages::OpenAllRecent()
{
    for (const core::RecentPage& page : m_list.newestFirst())
        NavigatePage(m_services.pages->CreatePage(false, true), fromUtf8(page.address));
}

void RecentPages::ClearRecentList()
{
    if (m_services.confirm && !m_services.confirm(QString::fromLatin1(kConfirmClearRecent)))
        return;
    m_list.clear();
    RefreshRecentMenu(m_services.state->settings.EnableRecentPages, true);
}

void RecentPages::SaveOpenPages()
{
    const QList<TfrmPage*> pages = m_services.pages->pages();
    std::vector<std::string> addresses;
    addresses.reserve(size_t(pages.size()));
    for (TfrmPage* page : pages)
        addresses.push_back(utf8(page->PageAddress));
    std::vector<core::OpenPageEntry> entries;
    for (int i = 0; i < int(pages.size()); ++i)
        entries.push_back({addresses[size_t(i)], PageIsClosing(pages[i])});
    const auto bytes = core::SaveOpenPages(entries, m_services.state->IsExiting, m_recoveryPending);
    if (bytes && !m_services.dataFolder.isEmpty())
        platform::writeFileAtomically(pagesFile(), QByteArray(bytes->data(), qsizetype(bytes->size())));
}

void RecentPages::ClearOpenPages()
{
    if (m_services.dataFolder.isEmpty())
        return;
    platform::writeFileAtomically(pagesFile(), QByteArray());
}

void RecentPages::applyPagesChange(core::PagesFileChange change)
{
    if (change == core::PagesFileChange::Save)
        SaveOpenPages();
    else if (change == core::PagesFileChange::Clear)
        ClearOpenPages();
}

void RecentPages::RestoreOpenPages()
{
    const std::string properlyClosed = m_services.store->ReadSetting(core::key::ProperlyClosed, "yes");
    const core::RestorePlan plan = core::PlanRestoreOpenPages(readFile(pagesFile()), properlyClosed);
    bool reopen = plan.step == core::RestoreStep::Reopen;
    if (plan.step == core::RestoreStep::AskRecover) {
        // Pages that finish loading while the question is open must not replace the saved ones.
        m_recoveryPending = true;
        const bool yes = m_services.confirm && m_services.confirm(QString::fromLatin1(kConfirmRecover));
        m_recoveryPending = false;
        const core::RecoverAnswer answer = core::AnswerRecoverQuestion(yes);
        if (answer.clearPagesFile)
            ClearOpenPages();
        reopen = answer.reopen;
    }
    if (!reopen)
        return;
    for (const std::string& address : plan.addresses)
        m_services.pages->OpenInNewPage(address);
}

bool RecentPages::DecideOpenPagesAtExit()
{
    std::vector<std::string> addresses;
    for (TfrmPage* page : m_services.pages->pages())
        addresses.push_back(utf8(page->PageAddress));
    const core::GeneralSettings& settings = m_services.state->settings;
    const core::ExitDecision decision =
        core::DecideOpenPagesAtExit(addresses, m_services.state->SaveOnExitRequested, settings.ActionWhenExit);
    if (!decision.showExitPrompt) {
        applyPagesChange(decision.pages);
        return true;
    }
    // Nobody is there to answer when the session ends: pages.dat keeps the open pages, which
    // the next start reopens.
    if (m_services.state->SessionEnding) {
        SaveOpenPages();
        return true;
    }
    const ExitPromptResult result = m_services.exitPrompt ? m_services.exitPrompt() : ExitPromptResult {};
    const core::ExitPromptOutcome outcome = core::ResolveExitPrompt(result.answer, result.selected);
    applyPagesChange(outcome.pages);
    if (outcome.actionWhenExit) {
        m_services.state->settings.ActionWhenExit = *outcome.actionWhenExit;
        m_services.store->WriteSetting(core::key::ActionWhenExit, std::to_string(*outcome.actionWhenExit));
    }
    return outcome.allowClose;
}

void RecentPages::RecordPagesAtExit()
{
    const QList<TfrmPage*> pages = m_services.pages->pages();
    std::vector<std::string> captions;
    std::vector<std::string> addresses;
    for (TfrmPage* page : pages) {
        captions.push_back(utf8(page->TabButton.hint));
        addresses.push_back(utf8(page->PageAddress));
    }
    std::vector<core::ClosingPageEntry> entries;
    for (size_t i = 0; i < captions.size(); ++i)
        entries.push_back({captions[i], addresses[i]});
    const bool enabled = m_services.state->settings.EnableRecentPages;
    if (enabled && !pages.isEmpty()) {
        for (TfrmPage* page : pages)
            page->IsClosing = true;
    }
    if (core::RecordPagesAtExit(m_list, entries, enabled))
        writeRecents();
    m_services.store->WriteSetting(core::key::ProperlyClosed, "yes");
}

}  // namespace pelto::ui
