#include "ui/app/main_window.h"

#include "ui/app/action_registry.h"
#include "ui/app/focus_filter.h"
#include "ui/app/main_menus.h"
#include "ui/app/message_hook.h"
#include "ui/app/status_bar.h"
#include "ui/collections/exit_dialog.h"
#include "ui/collections/recent_pages_controller.h"
#include "ui/collections/travel_menus.h"
#include "ui/navigation/address_bar.h"
#include "ui/navigation/address_box.h"
#include "ui/navigation/document_commands.h"
#include "ui/navigation/navigation_commands.h"
#include "ui/navigation/standard_buttons.h"
#include "ui/pages/close_checked_dialog.h"
#include "ui/pages/mdi_control_bar.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "ui/pages/page_pictures.h"
#include "ui/pages/popup_blocker.h"
#include "ui/pages/tab_bar.h"
#include "ui/pages/tab_menu.h"
#include "ui/pages/url_drop_target.h"
#include "ui/pages/web_control.h"
#include "ui/pages/window_commands.h"

#include "core/app/command_line.h"
#include "core/app/pending_opens.h"
#include "core/app/product.h"
#include "core/content/download_flags.h"
#include "core/app/settings_keys.h"
#include "core/app/window_placement.h"
#include "platform/settings_file.h"
#include "platform/single_instance.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <limits>

namespace pelto::ui {

namespace {

QString applicationTitle()
{
    return QString::fromUtf8(core::kApplicationTitle.data(), int(core::kApplicationTitle.size()));
}

QRect monitorNearest(const QPoint& point)
{
    if (QScreen* screen = QGuiApplication::screenAt(point))
        return screen->geometry();
    // No screen holds the point: take the one whose area is closest to it.
    QScreen* best = QGuiApplication::primaryScreen();
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        const qint64 dx = std::max({area.left() - point.x(), 0, point.x() - area.right()});
        const qint64 dy = std::max({area.top() - point.y(), 0, point.y() - area.bottom()});
        if (dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = screen;
        }
    }
    return best ? best->geometry() : QRect(0, 0, 1024, 768);
}

// A small printer for the Print button where the desktop theme has none.
QIcon printerIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.fillRect(QRect(4, 1, 8, 5), Qt::white);
    p.drawRect(QRect(4, 1, 8, 5));
    p.fillRect(QRect(1, 6, 14, 6), QColor(0x90, 0x90, 0x98));
    p.drawRect(QRect(1, 6, 13, 6));
    p.fillRect(QRect(4, 10, 8, 5), Qt::white);
    p.drawRect(QRect(4, 10, 8, 5));
    return QIcon(pixmap);
}

core::Rect toRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

core::SettingsStore& storeOf(const AppContext& context)
{
    return context.settings->store();
}

}  // namespace

TfrmPeltoBrowser::TfrmPeltoBrowser(AppContext context, QWidget* parent)
    : QMainWindow(parent)
    , m_context(std::move(context))
{
    setObjectName(QStringLiteral("frmPeltoBrowser"));
    setWindowTitle(applicationTitle());
    if (!m_context.showInTaskBar)
        setWindowFlag(Qt::Tool, true);  // a tool window has no taskbar button
    buildInterface();
    FormCreate();
}

void TfrmPeltoBrowser::buildInterface()
{
    m_pictures = std::make_unique<PagePictures>();
    m_actions = new ActionRegistry(this);

    m_pageArea = new QMdiArea(this);
    m_pageArea->setObjectName(QStringLiteral("PageArea"));
    m_pageArea->setViewMode(QMdiArea::SubWindowView);
    m_pageArea->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    m_pageArea->setBackground(palette().brush(QPalette::Dark));
    // The tab bar sits above the page area; the two share the central space.
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(central);
    m_pageArea->viewport()->installEventFilter(this);

    m_status = new PageStatusBar(this);
    setStatusBar(m_status);

    auto* addressBar = new QToolBar(tr("Address Bar"), this);
    addressBar->setObjectName(QStringLiteral("tbtAddressBar"));
    m_addressBar = addressBar;
    PageManager::Services services;
    services.area = m_pageArea;
    services.mainWindow = this;
    services.state = &m_state;
    services.display = this;
    services.factory = m_context.webControls;
    services.pictures = m_pictures.get();
    services.writeOpenMax = [this](bool on) {
        storeOf(m_context).WriteSetting(core::key::OpenMax, core::BoolToYesNo(on));
    };
    m_pages = new PageManager(services, this);
    m_tabs = new TabBar(*m_pages, m_state.settings, *m_pictures, central);
    column->addWidget(m_tabs);
    column->addWidget(m_pageArea, 1);
    connect(m_pages, &PageManager::pageCountChanged, this, &TfrmPeltoBrowser::updateActions);
    connect(m_pageArea, &QMdiArea::subWindowActivated, this, &TfrmPeltoBrowser::updateActions);

    AddressBar::Host addressHost;
    addressHost.hasPage = [this] { return m_pages->pageCount() > 0; };
    addressHost.activePageTitle = [this] {
        TfrmPage* page = m_pages->activePage();
        return page ? page->windowTitle() : QString();
    };
    addressHost.openInActivePage = [this](const QString& address) {
        if (TfrmPage* page = m_pages->activePage())
            NavigatePage(page, address);
    };
    addressHost.openInNewPage = [this](const QString& address) {
        if (TfrmPage* page = m_pages->CreatePage(false, true))
            NavigatePage(page, address);
    };
    addressHost.setAddressEditing = [this](bool on) { m_state.AddressEditing = on; };
    addressHost.initialised = [this] { return m_initialised; };
    addressHost.closing = [this] { return m_state.IsExiting || m_closed; };
    m_addressBarControl = new AddressBar(std::move(addressHost), m_state.settings, *m_context.keyStore,
                                         m_context.programFolder, *m_actions, this);
    m_addressBarControl->fillToolBar(m_addressBar);
    m_address = &m_addressBarControl->box();

    FocusFilter::Rules rules;
    rules.addressEditing = [this] { return m_state.AddressEditing; };
    auto insidePage = [](const TfrmPage* page, const QWidget* widget) {
        QWidget* view = page->WB() ? page->WB()->widget() : nullptr;
        return view && (view == widget || view->isAncestorOf(widget));
    };
    rules.insideAnyPage = [this, insidePage](const QWidget* widget) {
        const QList<TfrmPage*> pages = m_pages->pages();
        return std::any_of(pages.begin(), pages.end(), [&](TfrmPage* page) { return insidePage(page, widget); });
    };
    rules.insideActivePage = [this, insidePage](const QWidget* widget) {
        TfrmPage* page = m_pages->activePage();
        return page && insidePage(page, widget);
    };
    rules.hasPage = [this] { return m_pages->pageCount() > 0; };
    rules.focusAddressBox = [this] { focusAddressBox(); };
    m_focusFilter = new FocusFilter(std::move(rules), this);

    m_windows = new WindowCommands(
        *m_pages, *m_pageArea, m_state,
        [this](const QString& message) { return askYesNo(message); },
        [this] { ClearPageDisplay(); }, this);
    m_windows->setChoosePages([this](const QList<TfrmPage*>& pages) -> std::optional<QList<TfrmPage*>> {
        TfrmCloseChecked dialog(pages, *m_pictures, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.checkedPages();
    });
    PopupBlocker::Services blocking;
    blocking.state = &m_state;
    blocking.statusBar = m_status;
    blocking.writeSwitch = [this](std::string_view key, bool on) {
        storeOf(m_context).WriteSetting(key, core::BoolToYesNo(on));
    };
    blocking.insideActivePage = [this, insidePage](const QObject* object) {
        TfrmPage* page = m_pages->activePage();
        const auto* widget = qobject_cast<const QWidget*>(object);
        return page && widget && insidePage(page, widget);
    };
    m_popupBlocker = new PopupBlocker(std::move(blocking), this);
    m_pages->setPopupBlocker(m_popupBlocker);
    RecentPages::Services recent;
    recent.pages = m_pages;
    recent.state = &m_state;
    recent.store = &storeOf(m_context);
    recent.dataFolder = m_context.dataFolder;
    recent.confirm = [this](const QString& message) { return askYesNo(message); };
    recent.exitPrompt = [this] {
        core::SettingsStore& store = storeOf(m_context);
        TfrmExit prompt(store.ReadIntSetting(core::key::Left, 0), store.ReadIntSetting(core::key::Top, 0), this);
        RecentPages::ExitPromptResult result;
        result.answer = prompt.ask();
        result.selected = prompt.selected();
        return result;
    };
    m_recent = new RecentPages(std::move(recent), this);
    m_travel = new TravelMenus([this]() -> WebControl* {
        TfrmPage* page = m_pages->activePage();
        return page ? page->WB() : nullptr;
    }, this);
    m_tabMenu = new TabMenu(*m_pages, m_state, this, this);
    m_urlDrops = new UrlDropTarget(*this, *m_pages, *m_tabs, this);

    NavigationCommands::Host navigationHost;
    navigationHost.startAddressTyping = [this] {
        if (!m_addressBar->isVisible())
            return;
        m_addressBarControl->focusAddressBox();
        m_addressBarControl->startAddressEditing();
    };
    navigationHost.clipboardText = []() -> std::optional<QString> {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (!data || !data->hasText())
            return std::nullopt;
        return data->text();
    };
    m_navigation = new NavigationCommands(*m_pages, m_state, std::move(navigationHost), this);

    DocumentHost documentHost;
    documentHost.activeControl = [this]() -> WebControl* {
        TfrmPage* page = m_pages->activePage();
        return page ? page->WB() : nullptr;
    };
    documentHost.openInNewPage = [this](const QString& text) { m_pages->OpenInNewPage(text.toStdString()); };
    documentHost.dialogParent = this;
    documentHost.programFolder = m_context.programFolder;
    documentHost.languageFile = [this] { return storeOf(m_context).ReadSetting(core::key::LangFile, ""); };
    m_documents = new DocumentCommands(std::move(documentHost), this);
    connect(m_documents, &DocumentCommands::printFinished, this, [this](bool ok) {
        if (!ok)
            m_status->setStatusText(QStringLiteral("  The page could not be printed."));
    });
    connect(m_documents, &DocumentCommands::saveFinished, this, [this](const QString& path, bool ok) {
        m_status->setStatusText(ok ? QStringLiteral("  Saved %1").arg(path)
                                   : QStringLiteral("  The page could not be saved as %1").arg(path));
    });

    MessageHook::Host hookHost;
    hookHost.window = this;
    hookHost.isExiting = [this] { return m_state.IsExiting; };
    hookHost.activeView = [this]() -> QWidget* {
        TfrmPage* page = m_pages->activePage();
        return page && page->WB() ? page->WB()->widget() : nullptr;
    };
    hookHost.insideActivePage = [this, insidePage](const QWidget* widget) {
        TfrmPage* page = m_pages->activePage();
        return page && widget && insidePage(page, widget);
    };
    hookHost.insideActivePageWindow = [this](const QWidget* widget) {
        TfrmPage* page = m_pages->activePage();
        return page && widget && (page == widget || page->isAncestorOf(widget));
    };
    hookHost.addressBox = [this]() -> QWidget* { return m_address; };
    hookHost.searchBox = []() -> QWidget* { return nullptr; };
    hookHost.addressBarVisible = [this] { return m_addressBar->isVisible(); };
    hookHost.searchBarVisible = [] { return false; };
    hookHost.topDock = []() -> QWidget* { return nullptr; };
    hookHost.sideBar = []() -> QWidget* { return nullptr; };
    hookHost.gesturesEnabled = [this] { return m_state.settings.EnableBFGestures; };
    hookHost.setAddressEditing = [this](bool on) {
        if (on)
            m_addressBarControl->startAddressEditing();
        else
            m_addressBarControl->stopAddressEditing();
    };
    hookHost.openUserClickWindow = [this] { m_popupBlocker->OpenUserClickWindow(); };
    m_hook = new MessageHook(*m_actions, std::move(hookHost), this);

    buildMenus();
    wireActions();
}

void TfrmPeltoBrowser::buildMenus()
{
    FeatureMenus menus;
    menus.recentPages = m_recent->menu();
    menus.go = &m_addressBarControl->goMenu();
    BuildMainMenus(menuBar(), *m_actions, menus);
}

void TfrmPeltoBrowser::wireActions()
{
    auto active = [this] { return m_pages->activePage(); };
    auto hasPage = [this] { return m_pages->pageCount() > 0; };
    m_actions->onTriggered("actExit", [this] {
        QCoreApplication::processEvents();
        close();
    });
    m_actions->onTriggered("actClose", [active] {
        if (TfrmPage* page = active())
            page->close();
    });
    m_actions->setEnabledRule("actClose", hasPage);
    m_navigation->attach(*m_actions);
    m_documents->attach(*m_actions);
    m_windows->attach(*m_actions);
    m_tabMenu->attach(*m_actions);
    m_popupBlocker->attach(*m_actions);
    m_recent->attach(*m_actions, [this] { close(); });
    connect(m_windows, &WindowCommands::bulkCloseFinished, this,
            [this] { m_recent->RefreshRecentMenu(m_state.settings.EnableRecentPages, true); });
    // The button bar with the window-control bar at its right, the address bar below.
    m_buttons = new StandardButtons(*m_actions, this);
    m_mdiControl = new MdiControlBar(*m_actions, this);
    addToolBar(Qt::TopToolBarArea, m_buttons);
    addToolBar(Qt::TopToolBarArea, m_mdiControl);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_addressBar);
    m_travel->setButtons(m_buttons->button(QStringLiteral("bBack")), m_buttons->button(QStringLiteral("bForward")));
    m_travel->RefreshBackMenu({}, false, false);
    m_travel->RefreshForwardMenu({}, false, false);
    m_tabMenu->connectTo(*m_tabs);
    m_buttons->insertBefore(QStringLiteral("bStop"), m_addressBarControl->makeUpButton(m_buttons));
    if (QAction* print = m_actions->find("actPrint")) {
        auto* button = new QToolButton(m_buttons);
        button->setObjectName(QStringLiteral("bPrint"));
        button->setDefaultAction(print);
        button->setAutoRaise(true);
        if (print->icon().isNull())
            print->setIcon(QIcon::fromTheme(QStringLiteral("document-print"), printerIcon()));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        m_buttons->insertBefore(QStringLiteral("bBlock"), button);
    }
    updateActions();
}

bool TfrmPeltoBrowser::eventFilter(QObject* watched, QEvent* event)
{
    // Pages in their own maximised state keep covering the page area as it changes size.
    if (watched == m_pageArea->viewport() && event->type() == QEvent::Resize && !m_state.IsExiting) {
        const QSize area = m_pageArea->viewport()->size();
        for (TfrmPage* page : m_pages->pages()) {
            if (page->IsMaximized)
                page->setGeometry(0, 0, area.width(), area.height());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmPeltoBrowser::updateActions()
{
    m_actions->updateAll();
}

void TfrmPeltoBrowser::closeForSessionEnd()
{
    m_state.SessionEnding = true;
    close();
}

bool TfrmPeltoBrowser::askYesNo(const QString& message)
{
    return QMessageBox::question(this, applicationTitle(), message, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
        == QMessageBox::Yes;
}

void TfrmPeltoBrowser::ClearPageDisplay()
{
    m_status->clearDisplay();
    m_addressBarControl->showAddress(QString());
    setWindowTitle(applicationTitle());
}

void TfrmPeltoBrowser::showCaption(const QString& caption)
{
    setWindowTitle(caption);
}

void TfrmPeltoBrowser::showAddress(const QString& address)
{
    m_addressBarControl->showAddress(address);
    updateActions();
}

void TfrmPeltoBrowser::showStatusText(const QString& text)
{
    m_status->setStatusText(text);
}

void TfrmPeltoBrowser::showProgress(int position, int maximum)
{
    m_status->setProgress(position, maximum);
}

void TfrmPeltoBrowser::showSecureState(int secureLockState)
{
    m_status->setSecureState(secureLockState);
}

void TfrmPeltoBrowser::showSiteIcon(const QPixmap& icon)
{
    m_addressBarControl->showSiteIcon(icon);
}

void TfrmPeltoBrowser::refreshBackMenu(const QStringList& titles)
{
    TfrmPage* page = m_pages->activePage();
    m_travel->RefreshBackMenu(titles, page != nullptr, page && page->CanGoBack);
    updateActions();
}

void TfrmPeltoBrowser::refreshForwardMenu(const QStringList& titles)
{
    TfrmPage* page = m_pages->activePage();
    m_travel->RefreshForwardMenu(titles, page != nullptr, page && page->CanGoForward);
    updateActions();
}

void TfrmPeltoBrowser::focusAddressBox()
{
    m_addressBarControl->focusAddressBox();
}

TfrmPeltoBrowser::~TfrmPeltoBrowser()
{
    // Pages report to the page manager while they go: let them go while everything still stands.
    m_pages->disconnect(this);
    m_pageArea->disconnect(this);
    m_focusFilter->remove();
    m_hook->remove();
    qDeleteAll(m_pageArea->subWindowList());
}


void TfrmPeltoBrowser::FormCreate()
{
    core::SettingsStore& store = storeOf(m_context);
    m_state = SharedState {};

    store.ReadIntSetting(core::key::SideWidth, 200);  // the side bar's restore width
    PlaceWindow();
    if (core::IsYes(store.ReadSetting(core::key::Maximized, "yes")))
        setWindowState(windowState() | Qt::WindowMaximized);

    // Which bars are shown: read here, at creation, so that the first flush records them.
    for (const auto& [barKey, barDefault] : {std::pair {core::key::ButtonsBar, "yes"}, {core::key::AddressBar, "yes"},
                                             {core::key::Linksbar, "no"}, {core::key::SearchBar, "yes"},
                                             {core::key::TabsBar, "yes"}, {core::key::StatusBar, "yes"},
                                             {core::key::RoboFormBar, "yes"}, {core::key::GoogleBar, "no"},
                                             {core::key::YahooBar, "no"}})
        store.ReadSetting(barKey, barDefault);
    store.ReadSetting(core::key::Skin, "Nexos");
    ApplySettings();

    m_timerInit.setSingleShot(true);
    m_timerInit.setInterval(1);
    connect(&m_timerInit, &QTimer::timeout, this, &TfrmPeltoBrowser::TimerInitTimer);
    m_timerInit.start();
}

void TfrmPeltoBrowser::PlaceWindow()
{
    core::SettingsStore& store = storeOf(m_context);
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                          : QRect(0, 0, 1024, 768);
    const core::Rect defaults = core::DefaultMainWindowBounds(screen.width(), screen.height());
    core::Rect stored;
    stored.left = store.ReadIntSetting(core::key::Left, defaults.left);
    stored.top = store.ReadIntSetting(core::key::Top, defaults.top);
    stored.height = store.ReadIntSetting(core::key::Height, defaults.height);
    stored.width = store.ReadIntSetting(core::key::Width, defaults.width);
    const core::Rect monitor = toRect(monitorNearest(QPoint(stored.left, stored.top)));
    const core::Rect placed = core::PlaceMainWindow(stored, defaults, monitor, width(), height());
    resize(placed.width, placed.height);
    move(placed.left, placed.top);
}

void TfrmPeltoBrowser::ApplySettings()
{
    core::GeneralDefaults machine;
    machine.kpSound = (m_context.programFolder + QStringLiteral("kpp.wav")).toStdString();
    const core::GeneralSettings previous = m_state.settings;
    m_state.settings = core::ReadGeneralSettings(storeOf(m_context), machine, m_initialised ? &previous : nullptr);
    // Content switches: every page gets the new download options and auto-complete flag, and a
    // page showing an address reloads when a switch changed.
    m_state.DownloadFlags = core::DownloadFlagsFor(m_state.settings);
    for (TfrmPage* page : m_pages->pages()) {
        page->WB()->setDownloadOptions(m_state.DownloadFlags);
        page->WB()->setFormsAutoComplete(m_state.settings.WebPageAutoComplete);
        if (m_state.settings.contentChanged && !page->WB()->LocationURL().isEmpty())
            page->WB()->Refresh();
    }
    if (m_popupBlocker)
        m_popupBlocker->settingsChanged();
    if (m_navigation)
        m_navigation->settingsChanged();
    // What the settings drive in the interface (sound indicator, search panel, tray icon,
    // content switches, mail menu, foreground action, default New item) follows these values
    // as each of those features is built.
}

void TfrmPeltoBrowser::TimerInitTimer()
{
    if (m_initialised)
        return;
    core::SettingsStore& store = storeOf(m_context);
    m_timerInit.stop();
    store.ReadSetting(core::key::LockToolbars, "no");
    show();

    // Display modes: full screen and full desktop take the place of the plain window.
    store.ReadSetting(core::key::FullScreen, "no");
    store.ReadSetting(core::key::FullDesktop, "no");
    QCoreApplication::processEvents();

    store.ReadIntSetting(core::key::HistoryView, 0);
    store.WriteSetting(core::key::VersionInfo, core::defaults::VersionInfo);
    if (core::IsYes(store.ReadSetting(core::key::SideBar, "no"))) {
        store.ReadSetting(core::key::SearchBand, "no");
        store.ReadSetting(core::key::FavoritesBand, "no");
        store.ReadSetting(core::key::HistoryBand, "no");
    }
    m_recent->RefreshRecentMenu(m_state.settings.EnableRecentPages, false);
    OpenCommandLineAndPending();
    m_recent->RestoreOpenPages();
    if (m_pages->pageCount() == 0 && m_state.settings.StartsWithHomePage) {
        if (TfrmPage* page = m_pages->CreatePage(false, true))
            page->WB()->GoHome();
    }
    store.ReadIntSetting(core::key::SearchLang, 18);

    // From here until an orderly close the run counts as not properly closed.
    store.WriteSetting(core::key::ProperlyClosed, "no");
    m_context.settings->FlushSettings();
    m_focusFilter->install();
    m_hook->install();
    m_urlDrops->registerTarget();
    store.ReadSetting(core::key::LastCheckNew, "");

    m_initialised = true;
    emit initialisationFinished();
}

void TfrmPeltoBrowser::OpenCommandLineAndPending()
{
    if (!m_context.arguments.empty())
        m_pages->OpenInNewPage(core::CommandLineText(m_context.arguments));
    if (m_context.pendingOpens) {
        for (const std::string& text : m_context.pendingOpens->finishStartup())
            m_pages->OpenInNewPage(text);
    }
}

void TfrmPeltoBrowser::receiveHandOver(const QByteArray& text)
{
    // A copy hidden in the tray is shown again before the text opens.
    if (m_state.InTray) {
        show();
        m_state.InTray = false;
        m_pages->restartActivationTimer();
    }
    if (!m_context.pendingOpens)
        return;
    if (auto now = m_context.pendingOpens->receive(text.toStdString()))
        m_pages->OpenInNewPage(*now);
}

void TfrmPeltoBrowser::bringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void TfrmPeltoBrowser::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_closed = true;
    event->accept();
    emit closed();
}

bool TfrmPeltoBrowser::FormCloseQuery()
{
    if (!m_recent->DecideOpenPagesAtExit())
        return false;
    m_state.ClosingInBulk = true;
    // The open pages are recorded first; the run then counts as properly closed.
    m_recent->RecordPagesAtExit();
    m_state.IsExiting = true;

    const QList<TfrmPage*> pages = m_pages->pages();
    for (auto it = pages.rbegin(); it != pages.rend(); ++it)
        (*it)->close();
    QCoreApplication::processEvents();
    SaveWindowBounds();
    hide();
    // A page whose content hangs must not hold the exit: its close does not wait for the engine,
    // and the wait here is bounded.
    QElapsedTimer waited;
    waited.start();
    while (m_pages->pageCount() > 0 && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        // Closed pages delete themselves later; that must happen inside this wait.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    m_focusFilter->remove();
    m_context.settings->CloseSettings();
    if (m_context.instanceServer)
        m_context.instanceServer->close();
    return true;
}

void TfrmPeltoBrowser::SaveWindowBounds()
{
    if (isMinimized() || isFullScreen())
        return;
    // A maximised window stores the bounds it returns to; move() and resize() take the frame's
    // position and the inner size, so those are what is stored.
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    const QPoint framePosition = isMaximized() ? normal.topLeft() : pos();
    const core::Rect window {framePosition.x(), framePosition.y(), normal.width(), normal.height()};
    const core::StoredBounds worth =
        core::BoundsWorthStoring(window, toRect(monitorNearest(framePosition)));
    core::SettingsStore& store = storeOf(m_context);
    if (worth.storeLeft)
        store.WriteSetting(core::key::Left, std::to_string(window.left));
    if (worth.storeTop)
        store.WriteSetting(core::key::Top, std::to_string(window.top));
    if (worth.storeHeight)
        store.WriteSetting(core::key::Height, std::to_string(window.height));
    if (worth.storeWidth)
        store.WriteSetting(core::key::Width, std::to_string(window.width));
}

void TfrmPeltoBrowser::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && !m_state.IsExiting) {
        auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMaximized = change->oldState() & Qt::WindowMaximized;
        const bool maximized = windowState() & Qt::WindowMaximized;
        if (maximized && !wasMaximized) {
            SaveWindowBounds();
            storeOf(m_context).WriteSetting(core::key::Maximized, "yes");
        } else if (!maximized && wasMaximized && !isMinimized()) {
            storeOf(m_context).WriteSetting(core::key::Maximized, "no");
        } else if (isMinimized() && !(change->oldState() & Qt::WindowMinimized)) {
            SaveWindowBounds();
        }
    }
    QMainWindow::changeEvent(event);
}

}  // namespace pelto::ui
