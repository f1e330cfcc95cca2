#include "ui/navigation/navigation_commands.h"

#include "ui/app/action_registry.h"
#include "ui/app/shared_state.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "ui/pages/site_icon_fetcher.h"
#include "ui/pages/web_control.h"

#include <QAction>
#include <QApplication>
#include <QRegularExpression>

namespace pelto::ui {

namespace {

// The values of DefaultNewPage.
constexpr int kNewBlank = 0;
constexpr int kNewCurrent = 1;
constexpr int kNewHomepage = 2;

}  // namespace

NavigationCommands::NavigationCommands(PageManager& pages, SharedState& state, Host host, QObject* parent)
    : QObject(parent)
    , m_pages(pages)
    , m_state(state)
    , m_host(std::move(host))
{
}

void NavigationCommands::attach(ActionRegistry& actions)
{
    const std::pair<const char*, void (NavigationCommands::*)()> commands[] = {
        {"actNew", &NavigationCommands::New}, {"actNewBlank", &NavigationCommands::newBlank},
        {"actNewCurrent", &NavigationCommands::newCurrent}, {"actNewHomepage", &NavigationCommands::newHomepage},
        {"actNewClipboard", &NavigationCommands::newFromClipboard}, {"actBack", &NavigationCommands::back},
        {"actForward", &NavigationCommands::forward}, {"actStop", &NavigationCommands::stop},
        {"actRefresh", &NavigationCommands::refresh}, {"actHome", &NavigationCommands::home},
    };
    for (const auto& [name, command] : commands)
        actions.onTriggered(name, [this, command = command] { (this->*command)(); });
    auto active = [this] { return m_pages.activePage(); };
    auto hasAddress = [active] { return active() && !active()->WB()->LocationURL().isEmpty(); };
    actions.setEnabledRule("actNewCurrent", hasAddress);
    actions.setEnabledRule("actNewClipboard", [this] { return m_host.clipboardText && m_host.clipboardText().has_value(); });
    actions.setEnabledRule("actBack", [active] { return active() && active()->CanGoBack; });
    actions.setEnabledRule("actForward", [active] { return active() && active()->CanGoForward; });
    actions.setEnabledRule("actStop", [this] { return m_pages.pageCount() > 0; });
    actions.setEnabledRule("actRefresh", [this] { return m_pages.pageCount() > 0; });
    m_actions = &actions;
    settingsChanged();
}

void NavigationCommands::settingsChanged()
{
    if (!m_actions)
        return;
    // The New menu shows the entry that New runs in bold.
    const int kind = m_state.settings.DefaultNewPage;
    for (const auto& [name, value] : {std::pair {"actNewBlank", kNewBlank}, std::pair {"actNewCurrent", kNewCurrent},
                                      std::pair {"actNewHomepage", kNewHomepage}}) {
        QAction* action = m_actions->action(name);
        QFont font = action->font();
        font.setBold(kind == value);
        action->setFont(font);
    }
}

void NavigationCommands::New()
{
    TfrmPage* page = m_pages.activePage();
    const int kind = m_state.settings.DefaultNewPage;
    if (kind == kNewCurrent && page && !page->PageAddress.isEmpty())
        newCurrent();
    else if (kind == kNewHomepage)
        newHomepage();
    else
        newBlank();
}

void NavigationCommands::newBlank()
{
    TfrmPage* page = m_pages.CreatePage(false, true);
    NavigatePage(page, QStringLiteral("about:blank"));
    m_pages.activatePage(page);
    if (m_host.startAddressTyping)
        m_host.startAddressTyping();
}

void NavigationCommands::newCurrent()
{
    TfrmPage* current = m_pages.activePage();
    if (!current || current->PageAddress.isEmpty())
        return;
    const QString address = current->PageAddress;
    TfrmPage* page = m_pages.CreatePage(false, true);
    NavigatePage(page, address);
    m_pages.activatePage(page);
    if (m_host.startAddressTyping)
        m_host.startAddressTyping();
}

void NavigationCommands::newHomepage()
{
    TfrmPage* page = m_pages.CreatePage(false, true);
    page->WB()->GoHome();
    m_pages.activatePage(page);
    if (m_host.startAddressTyping)
        m_host.startAddressTyping();
}

void NavigationCommands::newFromClipboard()
{
    const std::optional<QString> text = m_host.clipboardText ? m_host.clipboardText() : std::nullopt;
    if (!text)
        return;
    // Whatever the clipboard holds goes to the page as typed text: the control completes it,
    // and control characters (binary data pasted as text) are no part of an address.
    QString address = *text;
    address.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f]")));
    address = address.trimmed();
    if (address.isEmpty())
        return;
    NavigatePage(m_pages.CreatePage(false, true), address);
}

void NavigationCommands::back()
{
    if (TfrmPage* page = m_pages.activePage(); page && page->CanGoBack)
        page->WB()->GoBack();
}

void NavigationCommands::forward()
{
    if (TfrmPage* page = m_pages.activePage(); page && page->CanGoForward)
        page->WB()->GoForward();
}

void NavigationCommands::stop()
{
    TfrmPage* page = m_pages.activePage();
    if (!page || page->WB()->LocationURL().isEmpty())
        return;
    page->auHTTPGet().abort();
    page->WB()->Stop();
}

void NavigationCommands::refresh()
{
    if (TfrmPage* page = m_pages.activePage(); page && !page->WB()->LocationURL().isEmpty())
        page->WB()->Refresh();
}

void NavigationCommands::home()
{
    TfrmPage* page = m_pages.activePage();
    if (!page || (QApplication::keyboardModifiers() & Qt::ShiftModifier))
        page = m_pages.CreatePage(false, true);
    page->WB()->GoHome();
}

}  // namespace pelto::ui
