// The main window with engine pages: what the active page shows on the window, site icons,
// script-opened windows, a lost renderer and the close with pages still loading.
#include "engine_fixture.h"

#include "core/app/pending_opens.h"
#include "platform/key_store.h"
#include "platform/settings_file.h"
#include "ui/app/action_registry.h"
#include "ui/app/main_window.h"
#include "ui/app/status_bar.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "ui/collections/travel_menus.h"
#include "ui/navigation/address_bar.h"
#include "ui/navigation/address_box.h"
#include "ui/pages/popup_blocker.h"
#include "ui/pages/tab_bar.h"
#include "ui/pages/window_commands.h"

#include "core/pages/tab_layout.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <signal.h>

#include <algorithm>
#include <memory>
#include <optional>

#include <gtest/gtest.h>

using namespace pelto;
using namespace pelto::enginetest;
using pelto::test::HttpTestServer;

namespace {

const QString kTitleSuffix = QStringLiteral(" - Pelto Browser");

QByteArray pngOf(const QColor& colour)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

HttpTestServer::Response page(const QByteArray& title, const QByteArray& body = {}, int delayMs = 0)
{
    return HttpTestServer::Response {200, "text/html; charset=utf-8", titled(title, body), {}, delayMs};
}

QColor centreColour(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage().pixelColor(8, 8);
}

// How often the page's own icon client (not the engine) asked the server for the site icon.
int iconFetches(const HttpTestServer& server)
{
    int count = 0;
    for (const HttpTestServer::Request& request : server.requests()) {
        if (request.path == "/favicon.ico" && request.headers.value("user-agent").startsWith("Pelto Browser"))
            ++count;
    }
    return count;
}

// Lets the engine and the icon client run for a while, for checks that something did not happen.
void settle(int milliseconds = 400)
{
    waitFor([] { return false; }, milliseconds);
}

class MainWindowEngine : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_server.start());
        m_iniPath = m_dir.path() + "/pbrowser.ini";
        QFile ini(m_iniPath);
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        // Exits ask nothing unless a test says so.
        ini.write("[Pelto Browser Settings]\nStartsWithHomePage=no\nMaximized=no\nActionWhenExit=2\n" + m_extraSettings);
    }

    // More settings lines for the window a test is about to create.
    void appendSettings(const QByteArray& lines)
    {
        QFile ini(m_iniPath);
        ASSERT_TRUE(ini.open(QIODevice::Append));
        ini.write(lines);
    }
    void TearDown() override
    {
        // Every page goes before the shared engine profile does.
        m_window.reset();
    }

    ui::TfrmPeltoBrowser& createWindow()
    {
        m_settings.OpenSettings(m_iniPath);
        ui::AppContext context;
        context.settings = &m_settings;
        context.keyStore = &m_keys;
        context.pendingOpens = &m_pending;
        context.webControls = &factory();
        context.programFolder = m_dir.path() + "/";
        context.dataFolder = m_dir.path() + "/";
        m_window = std::make_unique<ui::TfrmPeltoBrowser>(context);
        EXPECT_TRUE(waitFor([&] { return m_window->initialised(); }));
        return *m_window;
    }

    // Opens the address in a new page and returns that page.
    ui::TfrmPage* openPage(const QString& address)
    {
        ui::PageManager& pages = m_window->pageManager();
        const QList<ui::TfrmPage*> before = pages.pages();
        pages.OpenInNewPage(address.toStdString());
        for (ui::TfrmPage* page : pages.pages()) {
            if (!before.contains(page))
                return page;
        }
        return nullptr;
    }

    static bool waitForLoaded(ui::TfrmPage* page, const QString& title)
    {
        return waitFor([&] { return page->WB()->LocationName() == title && !page->WB()->Busy(); });
    }

    QString caption() const { return m_window->windowTitle(); }
    QString addressText() const { return m_window->addressBox().currentText(); }
    ui::PageStatusBar& status() const { return m_window->statusBarView(); }

    QString fileText() const
    {
        QFile file(m_iniPath);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir m_dir;
    QString m_iniPath;
    QByteArray m_extraSettings;  // more settings lines, set before SetUp runs
    HttpTestServer m_server;
    platform::SettingsFile m_settings;
    platform::MemoryKeyStore m_keys;
    core::PendingOpens m_pending;
    std::unique_ptr<ui::TfrmPeltoBrowser> m_window;
};

TEST_F(MainWindowEngine, ActivePageShowsItsTitleStatusProgressAddressAndSiteKind)
{
    // A script that keeps the load going for a while, so that the progress bar moves.
    m_server.route("/slow.js", HttpTestServer::Response {200, "text/javascript", "var slow = 1;", {}, 600});
    m_server.route("/pic.png", HttpTestServer::Response {200, "image/png", pngOf(Qt::green), {}, 0});
    m_server.route("/fish", page("Fish &amp; Chips",
                                 "<a href='/b?x=1&amp;y=2' style='display:block;position:fixed;left:0;top:0;"
                                 "width:200px;height:200px'>b</a><img src='/pic.png'><script src='/slow.js'></script>"));
    m_server.route("/b", page("B"));
    ui::TfrmPeltoBrowser& window = createWindow();
    const QString address = m_server.url("/fish").toString();

    ui::TfrmPage* first = openPage(address);
    ASSERT_NE(first, nullptr);
    int highestProgress = 0;
    ASSERT_TRUE(waitFor([&] {
        highestProgress = std::max(highestProgress, status().progressValue());
        return first->WB()->LocationName() == "Fish & Chips" && !first->WB()->Busy();
    }));
    EXPECT_EQ(caption(), "Fish & Chips" + kTitleSuffix);
    EXPECT_TRUE(waitFor([&] { return status().statusText() == "  Done"; })) << status().statusText().toStdString();
    EXPECT_GT(highestProgress, 0);
    EXPECT_EQ(status().progressValue(), 0);
    EXPECT_EQ(addressText(), address);
    EXPECT_TRUE(status().ordinaryPictureShown());
    EXPECT_FALSE(status().securePictureShown());
    // With the content switches as they come, pages show pictures.
    auto* control = static_cast<ui::WebEngineControl*>(first->WB());
    EXPECT_EQ(m_server.requestCount("/pic.png"), 1) << "download options " << control->downloadOptions();

    // The hovered link, with its ampersand shown once although the page keeps it doubled.
    QTest::mouseMove(control->view()->focusProxy(), QPoint(20, 20));
    const QString link = m_server.url("/b?x=1&y=2").toString();
    EXPECT_TRUE(waitFor([&] { return status().statusText() == "  " + link; }))
        << status().statusText().toStdString();
    EXPECT_EQ(first->StatusText, "  " + QString(link).replace("&", "&&"));

    // A second page takes the display; activating the first gives it back.
    ui::TfrmPage* second = openPage(m_server.url("/b").toString());
    ASSERT_TRUE(waitForLoaded(second, "B"));
    EXPECT_TRUE(waitFor([&] { return caption() == "B" + kTitleSuffix; })) << caption().toStdString();
    EXPECT_EQ(addressText(), m_server.url("/b").toString());
    window.pageManager().activatePage(first);
    EXPECT_EQ(caption(), "Fish & Chips" + kTitleSuffix);
    EXPECT_EQ(addressText(), address);
}

TEST_F(MainWindowEngine, SiteIconIsFetchedOncePerHost)
{
    HttpTestServer other;
    ASSERT_TRUE(other.start());
    for (HttpTestServer* server : {&m_server, &other}) {
        server->route("/a", page("A"));
        server->route("/b", page("B"));
    }
    m_server.route("/favicon.ico", HttpTestServer::Response {200, "image/png", pngOf(Qt::red), {}, 0});
    other.route("/favicon.ico", HttpTestServer::Response {200, "image/png", pngOf(Qt::blue), {}, 0});
    createWindow();

    ui::TfrmPage* tab = openPage(m_server.url("/a").toString());
    ASSERT_TRUE(waitForLoaded(tab, "A"));
    ASSERT_TRUE(waitFor([&] { return tab->TabButton.hasSiteIcon; }));
    EXPECT_EQ(centreColour(tab->TabButton.siteIcon), QColor(Qt::red));
    EXPECT_EQ(iconFetches(m_server), 1);

    // Another page of the same host keeps the icon it has.
    ui::NavigatePage(tab, m_server.url("/b").toString());
    ASSERT_TRUE(waitForLoaded(tab, "B"));
    settle();
    EXPECT_EQ(iconFetches(m_server), 1);
    EXPECT_TRUE(tab->TabButton.hasSiteIcon);

    // Another host (the port is part of it) has an icon of its own.
    ui::NavigatePage(tab, other.url("/a").toString());
    ASSERT_TRUE(waitForLoaded(tab, "A"));
    ASSERT_TRUE(waitFor([&] { return iconFetches(other) == 1 && tab->TabButton.hasSiteIcon; }));
    EXPECT_EQ(centreColour(tab->TabButton.siteIcon), QColor(Qt::blue));
    EXPECT_EQ(iconFetches(m_server), 1);

    // A host name without a dot has no icon address, so nothing is fetched for it; coming
    // back to the first host fetches its icon once more.
    ui::NavigatePage(tab, QString("http://localhost:%1/a").arg(m_server.port()));
    ASSERT_TRUE(waitFor([&] { return tab->WB()->LocationURL().startsWith("http://localhost:") && !tab->WB()->Busy(); }));
    settle();
    EXPECT_EQ(iconFetches(m_server), 1);
    ui::NavigatePage(tab, m_server.url("/b").toString());
    ASSERT_TRUE(waitForLoaded(tab, "B"));
    ASSERT_TRUE(waitFor([&] { return iconFetches(m_server) == 2 && tab->TabButton.hasSiteIcon; }));
    EXPECT_EQ(centreColour(tab->TabButton.siteIcon), QColor(Qt::red));
    settle();
    EXPECT_EQ(iconFetches(m_server) + iconFetches(other), 3);
}

TEST_F(MainWindowEngine, ScriptWindowTakesTheAskedClientSizeAboveTheLimit)
{
    struct Case {
        const char* name;
        const char* features;
        std::optional<int> width;  // none: the request is ignored
        std::optional<int> height;
    };
    const Case cases[] = {
        {"both", "width=500,height=400", 500, 400},
        {"narrow", "width=150,height=400", std::nullopt, 400},
        {"low", "width=420,height=150", 420, std::nullopt},
    };
    for (const Case& c : cases) {
        m_server.route(QString("/opener-%1").arg(c.name),
                       page("Opener", QByteArray("<script>window.onload = function() { window.open('/target?")
                                          + c.name + "', '', '" + c.features + "'); };</script>"));
    }
    m_server.route("/target", page("Target"));
    // The windows open on load, with no click of the user's: the popup blocker stays out of it.
    appendSettings("StopAutoPopup=no\n");
    ui::TfrmPeltoBrowser& window = createWindow();

    // An ignored value leaves the dimension a page made for a new window starts with.
    QPointer<ui::TfrmPage> fresh = window.pageManager().CreatePage(true, true);
    const QSize start(fresh->clientWidth(), fresh->clientHeight());
    EXPECT_FALSE(start.isEmpty()) << "a new page starts with no room for its document: " << start.width() << "x"
                                  << start.height();
    fresh->close();
    ASSERT_TRUE(waitFor([&] { return fresh.isNull(); }));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = m_server.url(QString("/target?%1").arg(c.name)).toString();
        const int before = window.pageManager().pageCount();
        openPage(m_server.url(QString("/opener-%1").arg(c.name)).toString());
        ui::TfrmPage* opened = nullptr;
        ASSERT_TRUE(waitFor([&] {
            for (ui::TfrmPage* each : window.pageManager().pages()) {
                if (each->WB()->LocationURL() == target && !each->WB()->Busy())
                    opened = each;
            }
            return opened != nullptr;
        }));
        EXPECT_EQ(window.pageManager().pageCount(), before + 2);
        ASSERT_TRUE(waitForLoaded(opened, "Target"));
        settle(200);
        // A page a script placed is not maximised, whatever "OpenMax" says.
        EXPECT_FALSE(opened->IsMaximized);
        EXPECT_TRUE(opened->ScriptPlaced);
        EXPECT_EQ(opened->clientWidth(), c.width.value_or(start.width()));
        EXPECT_EQ(opened->clientHeight(), c.height.value_or(start.height()));
        // The control fills the client area it was given.
        EXPECT_EQ(opened->WB()->widget()->size(), opened->contentsRect().size());
    }
}

TEST_F(MainWindowEngine, KilledRendererLeavesTheOtherPageWorkingAndRefreshLoadsItAgain)
{
    m_server.route("/a", page("A"));
    m_server.route("/b", page("B"));
    m_server.route("/c", page("C"));
    ui::TfrmPeltoBrowser& window = createWindow();

    // Two sites, so that the engine gives the pages renderers of their own.
    ui::TfrmPage* survivor = openPage(m_server.url("/a").toString());
    ASSERT_TRUE(waitForLoaded(survivor, "A"));
    const QString lostAddress = QString("http://localhost:%1/b").arg(m_server.port());
    ui::TfrmPage* victim = openPage(lostAddress);
    ASSERT_TRUE(waitForLoaded(victim, "B"));
    ASSERT_EQ(window.pageManager().pages().value(0), victim);
    auto* lost = static_cast<ui::WebEngineControl*>(victim->WB());
    auto* kept = static_cast<ui::WebEngineControl*>(survivor->WB());
    const qint64 pid = lost->page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    ASSERT_NE(pid, kept->page()->renderProcessPid());
    const int requestsBefore = m_server.requestCount("/b");

    ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
    ASSERT_TRUE(waitFor([&] { return caption() == "This page stopped working" + kTitleSuffix; }))
        << caption().toStdString();
    // The stand-in page is no address of its own: the box keeps the lost one.
    EXPECT_EQ(addressText(), lostAddress);

    ui::NavigatePage(survivor, m_server.url("/c").toString());
    ASSERT_TRUE(waitForLoaded(survivor, "C"));
    window.pageManager().activatePage(survivor);
    EXPECT_EQ(caption(), "C" + kTitleSuffix);
    EXPECT_EQ(addressText(), m_server.url("/c").toString());

    window.pageManager().activatePage(victim);
    window.actions().action("actRefresh")->trigger();
    ASSERT_TRUE(waitForLoaded(victim, "B"));
    EXPECT_EQ(m_server.requestCount("/b"), requestsBefore + 1);
    EXPECT_TRUE(waitFor([&] { return caption() == "B" + kTitleSuffix; })) << caption().toStdString();
    EXPECT_EQ(addressText(), lostAddress);
    EXPECT_EQ(window.pageManager().pageCount(), 2);
}

TEST_F(MainWindowEngine, CloseWithPagesStillLoadingEndsWithNoPageAndAProperClose)
{
    m_server.route("/a", page("A"));
    m_server.route("/b", page("B"));
    // Answers long after the close's own wait would have given up.
    m_server.route("/hang", page("Hang", {}, 60000));
    ui::TfrmPeltoBrowser& window = createWindow();

    QList<QPointer<ui::TfrmPage>> pages;
    for (const char* path : {"/a", "/b"}) {
        pages << openPage(m_server.url(path).toString());
        ASSERT_TRUE(waitForLoaded(pages.last(), path == QString("/a") ? "A" : "B"));
    }
    pages << openPage(m_server.url("/hang").toString());
    ASSERT_TRUE(waitFor([&] { return m_server.requestCount("/hang") == 1; }));
    ASSERT_TRUE(pages.last()->WB()->Busy());
    ASSERT_EQ(window.pageManager().pageCount(), 3);

    QSignalSpy closed(&window, &ui::TfrmPeltoBrowser::closed);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(closed.count(), 1);
    // The pages were gone before the bounded wait gave up, and went all the way.
    EXPECT_EQ(window.pageManager().pageCount(), 0);
    for (const QPointer<ui::TfrmPage>& each : pages)
        EXPECT_TRUE(each.isNull());
    EXPECT_TRUE(fileText().contains("ProperlyClosed=yes\n")) << fileText().toStdString();
}

// Drags data onto the window the way the window system delivers it.
void dropOnWindow(QWidget& window, QPoint at, const QMimeData& data)
{
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_TRUE(drop.isAccepted());
}

class PagesBehindEngine : public MainWindowEngine {
protected:
    void SetUp() override
    {
        m_extraSettings = "PopupForeground=no\n";
        MainWindowEngine::SetUp();
    }
};

TEST_F(PagesBehindEngine, PageOpenedBehindLoadsWithoutEverComingToTheFront)
{
    m_server.route("/front", page("Front"));
    m_server.route("/behind", page("Behind"));
    ui::TfrmPeltoBrowser& window = createWindow();
    ui::TfrmPage* front = openPage(m_server.url("/front").toString());
    ASSERT_TRUE(waitForLoaded(front, "Front"));
    window.pageManager().activatePage(front);

    // The window's caption and the pressed tab show the front page all along.
    QStringList captions;
    QList<ui::TfrmPage*> firstPages;
    QObject guard;
    QObject::connect(&window, &QWidget::windowTitleChanged, &guard, [&](const QString& title) { captions << title; });
    QObject::connect(&window.pageArea(), &QMdiArea::subWindowActivated, &guard,
                     [&] { firstPages << window.pageManager().activePage(); });
    ui::TfrmPage* behind = openPage(m_server.url("/behind").toString());
    ASSERT_NE(behind, nullptr);
    ASSERT_TRUE(waitForLoaded(behind, "Behind"));
    for (const QString& shown : captions)
        EXPECT_EQ(shown.toStdString(), ("Front" + kTitleSuffix).toStdString());
    EXPECT_FALSE(firstPages.contains(behind));
    EXPECT_EQ(window.pageManager().activePage(), front);
    EXPECT_EQ(window.pageManager().pages().last(), behind);
    EXPECT_EQ(caption(), "Front" + kTitleSuffix);
    EXPECT_GE(behind->x(), 0);  // back in the page area, behind the front page
    EXPECT_TRUE(window.tabBar().tabOf(front)->isChecked());
    EXPECT_FALSE(window.tabBar().tabOf(behind)->isChecked());
}

TEST_F(MainWindowEngine, DroppedAddressReplacesTheTabsPageOrOpensANewOne)
{
    m_server.route("/a", page("A"));
    m_server.route("/dropped", page("Dropped"));
    m_server.route("/new", page("New"));
    ui::TfrmPeltoBrowser& window = createWindow();
    ui::TfrmPage* first = openPage(m_server.url("/a").toString());
    ASSERT_TRUE(waitForLoaded(first, "A"));

    ui::TabBar& tabs = window.tabBar();
    QMimeData link;
    link.setUrls({m_server.url("/dropped")});
    dropOnWindow(window, tabs.mapTo(&window, tabs.tabOf(first)->geometry().center()), link);
    EXPECT_TRUE(waitForLoaded(first, "Dropped"));
    EXPECT_EQ(window.pageManager().pageCount(), 1);

    QMimeData text;
    text.setText(m_server.url("/new").toString());
    QWidget& area = window.pageArea();
    dropOnWindow(window, area.mapTo(&window, QPoint(area.width() / 2, area.height() - 4)), text);
    ASSERT_EQ(window.pageManager().pageCount(), 2);
    EXPECT_TRUE(waitForLoaded(window.pageManager().pages().last() == first ? window.pageManager().pages().first()
                                                                           : window.pageManager().pages().last(),
                              "New"));
}

TEST_F(MainWindowEngine, TwoHundredPagesLayOutSwitchAndCloseAllInOneGoWhileLoading)
{
    // Every tenth page answers slowly, so that Close All meets pages still loading.
    m_server.route("/p", [](const HttpTestServer::Request& request) {
        const QByteArray n = request.path.mid(request.path.indexOf('?') + 1);
        return HttpTestServer::Response {200, "text/html; charset=utf-8", titled("P" + n), {},
                                         n.endsWith('0') ? 20000 : 0};
    });
    ui::TfrmPeltoBrowser& window = createWindow();
    window.state().settings.ConfirmCloseAll = false;
    window.resize(1000, 700);
    constexpr int kPages = 200;
    for (int i = 0; i < kPages; ++i)
        openPage(m_server.url(QString("/p?%1").arg(i)).toString());
    ui::PageManager& manager = window.pageManager();
    ASSERT_EQ(manager.pageCount(), kPages);

    // The tabs sit where the layout puts them, each slot once.
    ui::TabBar& tabs = window.tabBar();
    const core::TabLayout layout = core::LayoutTabs(tabs.contentsRect().width(), kPages);
    EXPECT_EQ(tabs.height(), layout.height);
    QList<int> seenSlots;
    for (ui::TTabButton* tab : tabs.tabsInSlotOrder()) {
        const int slot = tab->TabSlot();
        seenSlots << slot;
        EXPECT_EQ(tab->geometry(), QRect((slot % layout.tabsPerRow) * (layout.tabWidth + 1) + 1,
                                         (slot / layout.tabsPerRow) * 23, layout.tabWidth, 22));
    }
    QList<int> expected;
    for (int i = 0; i < kPages; ++i)
        expected << i;
    EXPECT_EQ(seenSlots, expected);

    // Next Window walks through every page by slot and comes back to the start.
    ui::TfrmPage* start = manager.activePage();
    QSet<ui::TfrmPage*> visited;
    for (int i = 0; i < kPages; ++i) {
        window.windowCommands().nextPage();
        visited.insert(manager.activePage());
    }
    EXPECT_EQ(visited.size(), kPages);
    EXPECT_EQ(manager.activePage(), start);

    ASSERT_TRUE(waitFor([&] { return m_server.requestCount("/p") >= kPages / 2; }));
    int closing = 0;
    QObject guard;
    QObject::connect(&manager, &ui::PageManager::pageClosingSignal, &guard, [&] { ++closing; });
    QSignalSpy finished(&window.windowCommands(), &ui::WindowCommands::bulkCloseFinished);
    window.windowCommands().closeAll();
    EXPECT_EQ(closing, kPages);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(manager.pageCount(), 0);
    EXPECT_EQ(tabs.tabsInSlotOrder().size(), 0);
    EXPECT_EQ(caption(), "Pelto Browser");
    EXPECT_FALSE(window.state().ClosingInBulk);
}

TEST_F(MainWindowEngine, PopupsOnLoadAreBlockedWhileTheUsersLinksOpen)
{
    appendSettings("KPPlaySound=no\n");
    const QByteArray link = "style='display:block;position:fixed;left:0;width:300px;height:100px;";
    m_server.route("/opener", page("Opener", "<script>window.onload = function() { window.open('/popup'); };</script>"
                                             "<a id='blank' href='/target' target='_blank' " + link + " top:0'>new</a>"
                                             "<a id='mid' href='/middle' " + link + " top:150px'>mid</a>"));
    m_server.route("/popup", page("Popup"));
    m_server.route("/target", page("Target"));
    m_server.route("/middle", page("Middle"));
    ui::TfrmPeltoBrowser& window = createWindow();
    window.resize(1000, 800);
    window.show();
    ui::TfrmPage* opener = openPage(m_server.url("/opener").toString());
    ASSERT_TRUE(waitForLoaded(opener, "Opener"));
    window.pageManager().activatePage(opener);
    opener->MaximizePage();
    settle();
    ui::PageManager& pages = window.pageManager();
    EXPECT_EQ(pages.pageCount(), 1);
    EXPECT_EQ(m_server.requestCount("/popup"), 0);
    EXPECT_EQ(window.popupBlocker().counterText(), "1 ");

    // The user's click on a link with a new-window target opens it as a page.
    auto* view = static_cast<ui::WebEngineControl*>(opener->WB())->view();
    QWidget* input = view->focusProxy();
    // Through the window system, as the user's own click arrives.
    QWindow* top = window.windowHandle();
    const QPoint onLink = input->mapTo(&window, QPoint(40, 40));
    QTest::mouseMove(top, onLink);
    EXPECT_TRUE(waitFor([&] { return opener->StatusText.contains("/target"); })) << opener->StatusText.toStdString();
    QTest::mousePress(top, Qt::LeftButton, {}, onLink, 20);
    QTest::mouseRelease(top, Qt::LeftButton, {}, onLink, 80);
    ASSERT_TRUE(waitFor([&] { return pages.pageCount() == 2; }))
        << "blocked " << window.popupBlocker().counterText().toStdString() << " status " << opener->StatusText.toStdString();
    ASSERT_TRUE(waitFor([&] { return m_server.requestCount("/target") == 1; }));

    // A middle click on a link opens it behind the current page.
    pages.activatePage(opener);
    const QPoint onMiddle = input->mapTo(&window, QPoint(40, 190));
    QTest::mouseMove(top, onMiddle);
    EXPECT_TRUE(waitFor([&] { return opener->StatusText.contains("/middle"); })) << opener->StatusText.toStdString();
    QTest::mousePress(top, Qt::MiddleButton, {}, onMiddle, 20);
    QTest::mouseRelease(top, Qt::MiddleButton, {}, onMiddle, 80);
    ASSERT_TRUE(waitFor([&] { return pages.pageCount() == 3; }));
    EXPECT_TRUE(waitFor([&] { return m_server.requestCount("/middle") == 1; }));
    EXPECT_EQ(pages.activePage(), opener);
    EXPECT_EQ(window.popupBlocker().counterText(), "1 ");
}

TEST_F(MainWindowEngine, AfterACrashYesBringsTheSavedPagesBack)
{
    for (const char* path : {"/a", "/b", "/c"})
        m_server.route(path, page(QByteArray(path).mid(1).toUpper()));
    QFile saved(m_dir.path() + "/pages.dat");
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    for (const char* path : {"/a", "/b", "/c"})
        saved.write(m_server.url(path).toString().toUtf8() + "\r\n");
    saved.close();
    appendSettings("ProperlyClosed=no\n");

    // Answers the recovery question with Yes once it shows.
    QStringList asked;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked << box->text();
            box->button(QMessageBox::Yes)->click();
        }
    });
    answer.start(50);
    ui::TfrmPeltoBrowser& window = createWindow();
    answer.stop();
    EXPECT_EQ(asked, QStringList {"Pelto Browser did not shutdown properly last time. Do you want to recover all opened pages?"});
    ASSERT_EQ(window.pageManager().pageCount(), 3);
    EXPECT_TRUE(waitFor([&] {
        return m_server.requestCount("/a") == 1 && m_server.requestCount("/b") == 1 && m_server.requestCount("/c") == 1;
    }));
    // The page that was current comes back in front.
    EXPECT_TRUE(waitFor([&] { return caption() == "A" + kTitleSuffix; })) << caption().toStdString();
}

TEST_F(MainWindowEngine, TypedAddressOpensAndTheHistoryDropDownsListTheTitles)
{
    m_server.route("/one", page("One"));
    m_server.route("/two", page("Two"));
    ui::TfrmPeltoBrowser& window = createWindow();
    window.show();

    // Typed into the box with Enter, with no page open: a new page takes it.
    QComboBox& box = window.addressBox();
    box.setFocus();
    box.lineEdit()->clear();
    QTest::keyClicks(box.lineEdit(), m_server.url("/one").toString());
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    ASSERT_TRUE(waitFor([&] { return window.pageManager().pageCount() == 1; }));
    ui::TfrmPage* page = window.pageManager().activePage();
    ASSERT_TRUE(waitForLoaded(page, "One"));

    // Then in the page in front.
    box.lineEdit()->selectAll();
    QTest::keyClicks(box.lineEdit(), m_server.url("/two").toString());
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    ASSERT_TRUE(waitForLoaded(page, "Two"));
    EXPECT_EQ(window.pageManager().pageCount(), 1);

    QMenu* back = window.travelMenus().backMenu();
    ASSERT_TRUE(waitFor([&] { return back->actions().size() == 1; }));
    EXPECT_EQ(back->actions().first()->text(), "One");
    back->actions().first()->trigger();
    ASSERT_TRUE(waitForLoaded(page, "One"));
    QMenu* forward = window.travelMenus().forwardMenu();
    ASSERT_TRUE(waitFor([&] { return forward->actions().size() == 1; }));
    EXPECT_EQ(forward->actions().first()->text(), "Two");
    window.actions().action("actForward")->trigger();
    EXPECT_TRUE(waitForLoaded(page, "Two"));
}

}  // namespace
