#include "support/fake_page_host.h"
#include "support/fake_web_control.h"
#include "support/http_test_server.h"
#include "ui/pages/page.h"
#include "ui/pages/page_pictures.h"
#include "ui/pages/site_icon_fetcher.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QMdiArea>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace pelto;
using ui::TfrmPage;
using test::FakePageHost;
using test::FakeWebControl;
using test::HttpTestServer;

namespace {

QByteArray imageBytes(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format << ": " << writer.errorString().toStdString();
    return bytes;
}

QByteArray iconBytes(QColor colour, const char* format = "ico", int side = 16)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    return imageBytes(image, format);
}

QIcon solidIcon(QColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QColor centreColour(const QIcon& icon)
{
    return icon.pixmap(QSize(16, 16)).toImage().pixelColor(8, 8);
}

HttpTestServer::Response iconResponse(const QByteArray& body, const QByteArray& type = "image/x-icon")
{
    return HttpTestServer::Response {200, type, body, {}, 0};
}

class PageTest : public ::testing::Test {
protected:
    static FakeWebControl* wb(const TfrmPage* page) { return FakePageHost::control(page); }

    // A top-level navigation as the control reports it.
    static void navigate(TfrmPage* page, const QUrl& address)
    {
        emit wb(page)->BeforeNavigate2(true, address);
        emit wb(page)->NavigateComplete2(true, address);
    }

    bool showsPlainPicture(const TfrmPage* page) const
    {
        return !page->TabButton.hasSiteIcon
            && page->SiteIcon.toImage() == host.pagePictures().picture(ui::PagePictures::kPlainPage).toImage();
    }

    FakePageHost host;
};

TEST_F(PageTest, NewPageStartsBlankAndTellsTheHost)
{
    host.downloadFlagsValue = 0x70;
    host.settingsValue.WebPageAutoComplete = false;
    TfrmPage* first = host.createPage();
    EXPECT_EQ(host.caption, "about:blank - Pelto Browser");
    TfrmPage* second = host.createPage();

    EXPECT_EQ(first->windowTitle(), "about:blank");
    EXPECT_EQ(first->PageAddress, "about:blank");
    EXPECT_EQ(first->TabButton.caption, "about:blank");
    EXPECT_EQ(first->TabButton.picture, 9);
    EXPECT_EQ(first->TabButton.slot, 0);
    EXPECT_EQ(second->TabButton.slot, 1);
    EXPECT_EQ(first->SecureLockState, -1);
    EXPECT_TRUE(showsPlainPicture(first));
    EXPECT_EQ(wb(first)->downloadOptions, 0x70u);
    EXPECT_FALSE(wb(first)->formsAutoComplete);
    EXPECT_TRUE(host.tabChanges.contains(first));

    EXPECT_EQ(first->WB()->objectName(), "WB");
    EXPECT_EQ(first->pnlWB()->objectName(), "pnlWB");
    EXPECT_EQ(first->tmrRefresh()->objectName(), "tmrRefresh");
    EXPECT_FALSE(first->tmrRefresh()->isActive());
    EXPECT_EQ(first->widget(), first->pnlWB());
}

TEST_F(PageTest, TitleShowsItsAmpersandsOnTheTab)
{
    TfrmPage* behind = host.createPage();
    TfrmPage* page = host.createPage();

    emit wb(page)->TitleChange("Tom & Jerry && friends");
    EXPECT_EQ(page->windowTitle(), "Tom & Jerry && friends");
    EXPECT_EQ(page->TabButton.caption, "Tom && Jerry &&&& friends");
    EXPECT_EQ(page->TabButton.hint, "Tom & Jerry && friends");
    EXPECT_EQ(host.caption, "Tom & Jerry && friends - Pelto Browser");

    // A page in the background keeps its title to itself until it is activated.
    emit wb(behind)->TitleChange("Behind");
    EXPECT_EQ(behind->TabButton.caption, "Behind");
    EXPECT_EQ(host.caption, "Tom & Jerry && friends - Pelto Browser");
    host.activatePage(behind);
    EXPECT_EQ(host.caption, "Behind - Pelto Browser");

    // A huge title is taken whole.
    const QString huge(200000, QChar('x'));
    emit wb(behind)->TitleChange(huge);
    EXPECT_EQ(behind->TabButton.caption.size(), huge.size());
    EXPECT_EQ(host.caption, huge + " - Pelto Browser");
}

TEST_F(PageTest, StatusTextGetsTwoLeadingSpaces)
{
    TfrmPage* behind = host.createPage();
    TfrmPage* page = host.createPage();

    emit wb(page)->StatusTextChange("Done & dusted");
    EXPECT_EQ(page->StatusText, "  Done && dusted");
    EXPECT_EQ(host.statusText, "  Done && dusted");

    emit wb(behind)->StatusTextChange("http://a.b/");
    EXPECT_EQ(behind->StatusText, "  http://a.b/");
    EXPECT_EQ(host.statusText, "  Done && dusted");

    emit wb(page)->StatusTextChange("");
    EXPECT_EQ(page->StatusText, "  ");
}

TEST_F(PageTest, ProgressAnimatesTheTab)
{
    TfrmPage* behind = host.createPage();
    TfrmPage* page = host.createPage();
    struct Case {
        int progress;
        int maximum;
        int picture;
        int percent;
        int shownPosition;
        int shownMaximum;
    };
    const Case cases[] = {
        {5, 10, 5, 50, 5, 10},
        {10, 10, 0, 100, 10, 10},
        {0, 10, 9, 0, 0, 10},
        {30, 0, 0, 0, 0, 100},     // no maximum: the bar shows nothing
        {1, 1000, 1, 0, 1, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.progress << " of " << c.maximum);
        emit wb(page)->ProgressChange(c.progress, c.maximum);
        EXPECT_EQ(page->TabButton.picture, c.picture);
        EXPECT_EQ(page->ProgressPercent, c.percent);
        EXPECT_EQ(host.progressPosition, c.shownPosition);
        EXPECT_EQ(host.progressMaximum, c.shownMaximum);
    }

    // The same picture again does not repaint the tab.
    emit wb(page)->ProgressChange(5, 10);
    const qsizetype changes = host.tabChanges.size();
    emit wb(page)->ProgressChange(5, 10);
    EXPECT_EQ(host.tabChanges.size(), changes);

    // A background page animates its tab but leaves the progress bar alone.
    emit wb(behind)->ProgressChange(2, 10);
    EXPECT_EQ(behind->TabButton.picture, 2);
    EXPECT_EQ(host.progressPosition, 5);

    // The document completes: the plain picture only once the control is idle.
    wb(page)->busy = true;
    emit wb(page)->DocumentComplete(true);
    EXPECT_EQ(page->TabButton.picture, 5);
    EXPECT_EQ(page->ProgressPercent, 50);
    wb(page)->busy = false;
    const int focusBefore = wb(page)->focusCount;
    emit wb(page)->DocumentComplete(true);
    EXPECT_EQ(page->TabButton.picture, 9);
    EXPECT_EQ(page->ProgressPercent, 0);
    EXPECT_EQ(wb(page)->focusCount, focusBefore + 1);
}

TEST_F(PageTest, ActivationShowsThePagesOwnState)
{
    TfrmPage* a = host.createPage();
    TfrmPage* b = host.createPage();
    host.clearRecords();
    emit wb(a)->TitleChange("Page A");
    emit wb(a)->StatusTextChange("Loading A");
    emit wb(a)->ProgressChange(40, 100);
    emit wb(a)->SetSecureLockIcon(6);
    a->SetPageAddress("http://a.example.org/");
    wb(a)->hasDocumentValue = true;
    wb(a)->back = QStringList {"Back 1", "Back 2"};
    wb(a)->forward = QStringList {"Forward 1"};
    emit wb(a)->CommandStateChange(2, true);
    emit wb(a)->CommandStateChange(1, true);
    wb(a)->busy = true;
    EXPECT_TRUE(a->CanGoBack);
    EXPECT_TRUE(a->CanGoForward);
    EXPECT_EQ(host.secureState, -2);  // background pages keep their state to themselves

    host.clearRecords();
    const int focusBefore = wb(a)->focusCount;
    host.activatePage(a);
    EXPECT_EQ(host.lastActivatedPage(), a);
    EXPECT_EQ(host.caption, "Page A - Pelto Browser");
    EXPECT_EQ(host.address, "http://a.example.org/");
    EXPECT_EQ(host.statusText, "  Loading A");
    EXPECT_EQ(host.progressPosition, 40);
    EXPECT_EQ(host.progressMaximum, 100);
    EXPECT_EQ(host.secureState, 6);
    EXPECT_EQ(host.backMenu, (QStringList {"Back 1", "Back 2"}));
    EXPECT_EQ(host.forwardMenu, (QStringList {"Forward 1"}));
    EXPECT_EQ(host.siteIcon.deviceIndependentSize(), QSizeF(16, 16));
    EXPECT_EQ(host.findRestarts, 1);
    EXPECT_EQ(host.activationTimerRestarts, 1);
    EXPECT_EQ(wb(a)->focusCount, focusBefore + 1);
    EXPECT_EQ(a->TabButton.picture, 4);  // still loading: the animation stays

    // The area deactivating and reactivating the same page changes nothing.
    host.clearRecords();
    host.area().setActiveSubWindow(nullptr);
    host.area().setActiveSubWindow(a);
    EXPECT_TRUE(host.calls.isEmpty()) << host.calls.join(' ').toStdString();

    // While the user edits the address box, an activation leaves its text alone; an idle page
    // shows the plain picture.
    host.addressEditingValue = true;
    wb(b)->busy = false;
    b->TabButton.picture = 3;
    host.activatePage(b);
    EXPECT_FALSE(host.calls.contains("showAddress"));
    EXPECT_EQ(host.caption, "about:blank - Pelto Browser");
    EXPECT_EQ(b->TabButton.picture, 9);

    // Nothing is shown while the program exits.
    host.clearRecords();
    host.exitingValue = true;
    host.activatePage(a);
    EXPECT_TRUE(host.calls.isEmpty());
}

TEST_F(PageTest, ClosingPageIgnoresDisplayEvents)
{
    const std::function<void(FakePageHost&, TfrmPage*)> marks[] = {
        [](FakePageHost&, TfrmPage* page) { page->IsClosing = true; },
        [](FakePageHost& h, TfrmPage*) { h.closingInBulkValue = true; },
    };
    for (const auto& mark : marks) {
        FakePageHost local;
        TfrmPage* page = local.createPage();
        FakeWebControl* control = wb(page);
        control->hasDocumentValue = true;
        control->back = QStringList {"Earlier"};
        mark(local, page);
        EXPECT_TRUE(ui::PageIsClosing(page));
        local.clearRecords();

        emit control->TitleChange("Late title");
        emit control->StatusTextChange("Late status");
        emit control->ProgressChange(5, 10);
        emit control->CommandStateChange(2, true);
        emit control->DocumentComplete(true);

        EXPECT_EQ(page->windowTitle(), "about:blank");
        EXPECT_EQ(page->TabButton.caption, "about:blank");
        EXPECT_TRUE(page->StatusText.isEmpty());
        EXPECT_EQ(page->TabButton.picture, 9);
        EXPECT_EQ(page->ProgressPercent, 0);
        EXPECT_FALSE(page->CanGoBack);
        EXPECT_TRUE(page->BackTitles.isEmpty());
        EXPECT_TRUE(local.calls.isEmpty()) << local.calls.join(' ').toStdString();
        EXPECT_TRUE(local.tabChanges.isEmpty());
    }
    EXPECT_FALSE(ui::PageIsClosing(nullptr));
}

enum class Request { Width, Height, Left, Top };

void sendPlacement(FakeWebControl* control, Request request, int value)
{
    switch (request) {
    case Request::Width: emit control->WindowSetWidth(value); break;
    case Request::Height: emit control->WindowSetHeight(value); break;
    case Request::Left: emit control->WindowSetLeft(value); break;
    case Request::Top: emit control->WindowSetTop(value); break;
    }
}

int placementValue(const TfrmPage* page, Request request)
{
    switch (request) {
    case Request::Width: return page->clientWidth();
    case Request::Height: return page->clientHeight();
    case Request::Left: return page->x();
    case Request::Top: return page->y();
    }
    return 0;
}

TEST_F(PageTest, ScriptPlacesANormalPageWithinLimits)
{
    host.mainClientWidthValue = 1000;
    const int areaHeight = host.pageAreaSize().height();
    struct Case {
        Request request;
        int value;
        bool applied;
    };
    const Case cases[] = {
        {Request::Width, 150, false},
        {Request::Width, 151, true},
        {Request::Width, -400, false},
        {Request::Height, 150, false},
        {Request::Height, 151, true},
        {Request::Left, 0, false},
        {Request::Left, 1, true},
        {Request::Left, 899, true},
        {Request::Left, 900, false},       // less than 100 pixels of the main window left
        {Request::Top, 0, false},
        {Request::Top, 1, true},
        {Request::Top, areaHeight - 31, true},
        {Request::Top, areaHeight - 30, false},  // less than 30 pixels of the page area below
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.request) << " " << c.value);
        TfrmPage* page = host.createPage(QRect(20, 30, 400, 300));
        const QRect before = page->geometry();
        sendPlacement(wb(page), c.request, c.value);
        if (c.applied)
            EXPECT_EQ(placementValue(page, c.request), c.value);
        else
            EXPECT_EQ(page->geometry(), before);
        EXPECT_FALSE(page->ScriptPlaced);
        delete page;
    }
}

TEST_F(PageTest, ScriptResizingAMaximisedPageLeavesTheMaximisedStateFirst)
{
    TfrmPage* page = host.createPage(QRect(20, 30, 400, 300));
    const int normalClientHeight = page->clientHeight();
    page->MaximizePage();

    sendPlacement(wb(page), Request::Width, 150);  // refused: stays maximised
    EXPECT_TRUE(page->IsMaximized);

    sendPlacement(wb(page), Request::Width, 500);
    EXPECT_FALSE(page->IsMaximized);
    EXPECT_FALSE(page->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(page->pos(), QPoint(20, 30));
    EXPECT_EQ(page->clientWidth(), 500);
    EXPECT_EQ(page->clientHeight(), normalClientHeight);

    emit wb(page)->WindowSetResizable(true);
    page->MaximizePage();
    emit wb(page)->WindowSetResizable(true);
    EXPECT_TRUE(page->IsMaximized);
    emit wb(page)->WindowSetResizable(false);
    EXPECT_FALSE(page->IsMaximized);
    EXPECT_EQ(page->pos(), QPoint(20, 30));
}

TEST_F(PageTest, NewWindowBehindIsPlacedAtItsFirstNavigation)
{
    host.settingsValue.OpenMax = true;
    TfrmPage* current = host.createPage();
    // What the page manager does for a new-window page that opens behind.
    TfrmPage* popup = host.createPage(QRect(50, 60, 400, 300));
    popup->NewWindowPending = true;
    popup->OpenBehind = true;
    popup->move(-200000, popup->y());
    host.activatePage(current);
    ASSERT_EQ(host.pages().first(), current);

    sendPlacement(wb(popup), Request::Width, 500);
    sendPlacement(wb(popup), Request::Height, 250);
    sendPlacement(wb(popup), Request::Left, 70);
    sendPlacement(wb(popup), Request::Top, 80);
    EXPECT_TRUE(popup->ScriptPlaced);
    EXPECT_EQ(popup->SavedClientWidth, 500);
    EXPECT_EQ(popup->SavedClientHeight, 250);
    EXPECT_EQ(popup->SavedLeft, 70);
    EXPECT_EQ(popup->SavedTop, 80);
    EXPECT_EQ(popup->x(), -200000);  // only saved so far

    emit wb(popup)->BeforeNavigate2(true, QUrl("http://a.example.org/"));
    EXPECT_EQ(popup->pos(), QPoint(70, 80));
    EXPECT_EQ(popup->clientWidth(), 500);
    EXPECT_EQ(popup->clientHeight(), 250);
    EXPECT_FALSE(popup->NewWindowPending);
    EXPECT_FALSE(popup->OpenBehind);
    EXPECT_FALSE(popup->IsMaximized);  // placed by its script, so not maximised
    EXPECT_EQ(host.pages().first(), current);
    EXPECT_TRUE(host.openMaxWrites.isEmpty());

    // A later navigation does not place it again.
    popup->move(10, 10);
    emit wb(popup)->BeforeNavigate2(true, QUrl("http://a.example.org/2"));
    EXPECT_EQ(popup->pos(), QPoint(10, 10));
}

TEST_F(PageTest, NewWindowWithoutScriptIsMaximisedWhenOpenMaxIsOn)
{
    host.settingsValue.OpenMax = true;
    host.settingsValue.StopAutoPopup = true;
    host.createPage();
    TfrmPage* popup = host.createPage(QRect(50, 60, 400, 300));
    popup->NewWindowPending = true;
    popup->hide();

    emit wb(popup)->BeforeNavigate2(true, QUrl("about:blank"));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(popup->IsMaximized);
    EXPECT_EQ(host.userClickWindows, 1);  // a blank window may open its own popup
    EXPECT_EQ(host.openMaxWrites, QList<bool> {true});

    // A script that placed a maximised new page takes it out of the maximised state.
    TfrmPage* placed = host.createPage(QRect(50, 60, 400, 300));
    placed->MaximizePage();
    placed->NewWindowPending = true;
    sendPlacement(wb(placed), Request::Left, 40);
    EXPECT_TRUE(placed->IsMaximized);
    emit wb(placed)->BeforeNavigate2(true, QUrl("http://a.example.org/"));
    EXPECT_FALSE(placed->IsMaximized);
}

TEST_F(PageTest, MaximizeAndRestoreUseThePagesOwnState)
{
    TfrmPage* other = host.createPage();
    TfrmPage* page = host.createPage(QRect(20, 30, 400, 300));
    const QRect normal = page->geometry();
    const QSize client(page->clientWidth(), page->clientHeight());

    page->MaximizePage();
    EXPECT_EQ(page->geometry(), QRect(QPoint(0, 0), host.pageAreaSize()));
    EXPECT_TRUE(page->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(page->clientWidth(), host.pageAreaSize().width());
    EXPECT_FALSE(page->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(page->IsMaximized);
    EXPECT_EQ(host.openMaxWrites, QList<bool> {true});
    EXPECT_EQ(QPoint(page->SavedLeft, page->SavedTop), normal.topLeft());
    EXPECT_EQ(QSize(page->SavedClientWidth, page->SavedClientHeight), client);

    page->MaximizePage();  // again: the saved placement stays the normal one
    page->RestorePage();
    EXPECT_EQ(page->geometry(), normal);
    EXPECT_FALSE(page->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(page->IsMaximized);
    EXPECT_EQ(host.openMaxWrites, (QList<bool> {true, true}));  // RestorePage itself writes nothing

    // The title bar's maximise becomes the page's own, and brings the page to the front.
    host.activatePage(other);
    page->showMaximized();
    EXPECT_FALSE(page->windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(page->IsMaximized);
    EXPECT_EQ(page->geometry(), QRect(QPoint(0, 0), host.pageAreaSize()));
    EXPECT_EQ(host.pages().first(), page);
    EXPECT_EQ(host.openMaxWrites.last(), true);

    // The restore command switches OpenMax off, so that later pages open normal.
    page->SysCommandRestore();
    EXPECT_EQ(host.openMaxWrites.last(), false);
    EXPECT_FALSE(host.settingsValue.OpenMax);
    EXPECT_EQ(page->geometry(), normal);

    // A minimised page comes back to normal before it is maximised; restoring it from the
    // minimised state is the restore command.
    page->showMinimized();
    page->MaximizePage();
    EXPECT_FALSE(page->isMinimized());
    EXPECT_EQ(page->geometry(), QRect(QPoint(0, 0), host.pageAreaSize()));
    page->showMinimized();
    host.openMaxWrites.clear();
    page->showNormal();
    EXPECT_EQ(host.openMaxWrites, QList<bool> {false});
    EXPECT_FALSE(page->IsMaximized);
    EXPECT_EQ(page->geometry(), normal);
    EXPECT_TRUE(page->pnlWB()->isVisible());
}

TEST_F(PageTest, ClosingTheActivePageClearsTheDisplayInOrder)
{
    TfrmPage* first = host.createPage();
    TfrmPage* page = host.createPage();
    emit wb(first)->TitleChange("First");
    wb(page)->hasDocumentValue = true;
    host.setTabMenuPage(page);
    host.clearRecords();

    QPointer<TfrmPage> closing(page);
    TfrmPage* const address = page;
    EXPECT_TRUE(page->close());
    EXPECT_TRUE(page->IsClosing);
    EXPECT_EQ(wb(page)->stopCount, 1);
    EXPECT_EQ(host.tabMenuPage(), nullptr);
    EXPECT_EQ(host.closingPages, QList<QPointer<TfrmPage>> {page});

    const QStringList expected {"showSiteIcon", "pageClosing", "clearPageDisplay"};
    ASSERT_GE(host.calls.size(), expected.size());
    EXPECT_EQ(host.calls.mid(0, expected.size()), expected);
    EXPECT_EQ(host.clearPageDisplayCount, 1);
    EXPECT_EQ(host.focusAddressBoxCount, 0);    // not the last page
    EXPECT_TRUE(host.closingInBulkWrites.isEmpty());
    // The next page is activated after the display was cleared.
    EXPECT_EQ(host.caption, "First - Pelto Browser");

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closing.isNull());
    EXPECT_EQ(host.destroyedPages, QList<TfrmPage*> {address});
    EXPECT_EQ(host.pages(), QList<TfrmPage*> {first});

    // The last page: the address box gets the focus and the bulk close ends.
    host.clearRecords();
    host.closingInBulkValue = true;
    first->close();
    EXPECT_EQ(host.focusAddressBoxCount, 1);
    EXPECT_EQ(host.closingInBulkWrites, QList<bool> {false});
    EXPECT_EQ(host.clearPageDisplayCount, 1);
}

TEST_F(PageTest, ClosingABackgroundPageLeavesTheDisplay)
{
    TfrmPage* behind = host.createPage();
    host.createPage();
    host.clearRecords();

    // The document closing its own window closes the page.
    emit wb(behind)->WindowClosing();
    EXPECT_TRUE(behind->IsClosing);
    EXPECT_EQ(host.closingPages.size(), 1);
    EXPECT_EQ(host.clearPageDisplayCount, 0);
    EXPECT_FALSE(host.calls.contains("showSiteIcon"));
    EXPECT_EQ(wb(behind)->stopCount, 0);  // no document to stop
}

TEST_F(PageTest, ControlRequestsReachTheHost)
{
    TfrmPage* page = host.createPage();
    FakeWebControl* control = wb(page);

    // New windows: the host's answer goes back to the control.
    FakeWebControl target;
    ui::NewWindowRequest refused(ui::NewWindowKind::Window, QUrl("http://pop.example.org/"), false);
    emit control->NewWindow2(&refused);
    EXPECT_TRUE(refused.answered());
    EXPECT_EQ(refused.target(), nullptr);
    host.newWindowAnswer = [&](TfrmPage* opener, ui::NewWindowRequest&) -> ui::WebControl* {
        return opener == page ? &target : nullptr;
    };
    ui::NewWindowRequest allowed(ui::NewWindowKind::ForegroundTab, QUrl("http://pop.example.org/2"), true);
    emit control->NewWindow2(&allowed);
    EXPECT_EQ(allowed.target(), &target);
    EXPECT_EQ(host.newWindowRequests.size(), 2);

    emit control->contextMenuShown();
    EXPECT_EQ(host.contextMenus, 1);

    // Auto refresh reloads only a page that has an address.
    const auto tick = [&] {
        page->tmrRefresh()->setSingleShot(true);
        page->tmrRefresh()->start(0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !page->tmrRefresh()->isActive(); }, 1000));
    };
    tick();
    EXPECT_EQ(control->refreshCount, 0);
    control->url = "http://a.example.org/";
    tick();
    EXPECT_EQ(control->refreshCount, 1);

    // A download empties the highlighted keywords; the layout nudge stops after nine.
    page->HighlightWords = QStringList {"word"};
    emit control->DownloadBegin();
    EXPECT_TRUE(page->HighlightWords.isEmpty());
    for (int i = 0; i < 12; ++i)
        emit control->DownloadComplete();
    EXPECT_EQ(page->NudgeCount, 9);

    // The navigation: the address as given is shown, the control gets it unquoted; the
    // completed top-level navigation is reported, a frame's is not.
    ui::NavigatePage(page, "  \"http://a.example.org/x y\"");
    EXPECT_EQ(page->PageAddress, "  \"http://a.example.org/x y\"");
    EXPECT_EQ(host.address, "  \"http://a.example.org/x y\"");
    EXPECT_EQ(control->navigations.last(), "http://a.example.org/x y");
    ui::NavigatePage(page, "");
    EXPECT_EQ(control->navigations.size(), 1);
    emit control->NavigateComplete2(false, QUrl("http://frame.example.org/"));
    EXPECT_TRUE(host.navigatedPages.isEmpty());
    // (A host without a dot has no icon to fetch, so the test stays off the network.)
    emit control->NavigateComplete2(true, QUrl("http://localhost/done"));
    EXPECT_EQ(page->PageAddress, "http://localhost/done");
    EXPECT_EQ(host.navigatedPages.size(), 1);
}

TEST_F(PageTest, SiteIconIsFetchedOncePerHost)
{
    HttpTestServer server;
    HttpTestServer other;
    ASSERT_TRUE(server.start());
    ASSERT_TRUE(other.start());
    server.route("/favicon.ico", iconResponse(iconBytes(Qt::red, "ico")));
    other.route("/favicon.ico", iconResponse(iconBytes(Qt::blue, "png"), "image/png"));

    TfrmPage* page = host.createPage();
    navigate(page, server.url("/a.html"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->TabButton.hasSiteIcon; }, 5000));
    EXPECT_EQ(centreColour(page->TabButton.siteIcon), QColor(Qt::red));
    EXPECT_EQ(host.siteIcon.toImage().pixelColor(8, 8), QColor(Qt::red));
    EXPECT_EQ(page->SiteIcon.deviceIndependentSize(), QSizeF(18, 18));

    navigate(page, server.url("/b.html"));
    QTest::qWait(100);
    EXPECT_EQ(server.requestCount("/favicon.ico"), 1);
    EXPECT_TRUE(page->TabButton.hasSiteIcon);

    // Another host: the plain picture until its own icon arrives.
    emit wb(page)->BeforeNavigate2(true, other.url("/c.html"));
    EXPECT_TRUE(showsPlainPicture(page));
    emit wb(page)->NavigateComplete2(true, other.url("/c.html"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->TabButton.hasSiteIcon; }, 5000));
    EXPECT_EQ(centreColour(page->TabButton.siteIcon), QColor(Qt::blue));
    EXPECT_EQ(other.requestCount("/favicon.ico"), 1);

    // A page without a host shows the plain picture and fetches nothing.
    navigate(page, QUrl("about:blank"));
    EXPECT_TRUE(showsPlainPicture(page));
    QTest::qWait(50);
    EXPECT_EQ(server.requestCount("/favicon.ico") + other.requestCount("/favicon.ico"), 2);
}

TEST_F(PageTest, UnusableIconLeavesThePlainPicture)
{
    QImage huge(5000, 5000, QImage::Format_Mono);
    huge.fill(0);
    struct Case {
        const char* name;
        HttpTestServer::Response response;
    };
    const Case cases[] = {
        {"junk bytes", iconResponse(QByteArray("\x00\x00\x01\x00", 4) + "garbage that is no icon")},
        {"an HTML page", iconResponse("<html><body>Not here</body></html>", "text/html")},
        {"an empty answer", iconResponse(QByteArray())},
        {"a not-found status", HttpTestServer::Response {404, "image/x-icon", iconBytes(Qt::red), {}, 0}},
        {"a picture too large to be an icon", iconResponse(imageBytes(huge, "png"), "image/png")},
        {"an answer above the size limit", iconResponse(QByteArray(2 * 1024 * 1024, 'x'))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HttpTestServer server;
        ASSERT_TRUE(server.start());
        server.route("/favicon.ico", c.response);
        TfrmPage* page = host.createPage();
        QSignalSpy failed(&page->auHTTPGet(), &ui::SiteIconFetcher::failed);
        navigate(page, server.url("/"));
        ASSERT_TRUE(failed.wait(5000));
        EXPECT_TRUE(showsPlainPicture(page));
        EXPECT_EQ(page->TabButton.picture, 9);
        delete page;
    }
}

TEST_F(PageTest, DeclaredIconStandsInWhenTheFetchFails)
{
    HttpTestServer missing;
    HttpTestServer present;
    ASSERT_TRUE(missing.start());
    ASSERT_TRUE(present.start());
    present.route("/favicon.ico", iconResponse(iconBytes(Qt::red)));

    // Declared while the fetch runs, and declared after it failed.
    for (const bool declaredFirst : {true, false}) {
        SCOPED_TRACE(declaredFirst ? "declared first" : "declared later");
        TfrmPage* page = host.createPage();
        QSignalSpy failed(&page->auHTTPGet(), &ui::SiteIconFetcher::failed);
        emit wb(page)->BeforeNavigate2(true, missing.url("/a.html"));
        if (declaredFirst)
            emit wb(page)->documentIconChanged(solidIcon(Qt::green));
        emit wb(page)->NavigateComplete2(true, missing.url("/a.html"));
        ASSERT_TRUE(failed.wait(5000));
        emit wb(page)->documentIconChanged(QIcon());  // a null icon changes nothing
        if (!declaredFirst)
            emit wb(page)->documentIconChanged(solidIcon(Qt::green));
        EXPECT_TRUE(page->TabButton.hasSiteIcon);
        EXPECT_EQ(centreColour(page->TabButton.siteIcon), QColor(Qt::green));
        EXPECT_EQ(host.siteIcon.toImage().pixelColor(8, 8), QColor(Qt::green));
        delete page;
    }

    // The site's own icon wins over the declared one.
    TfrmPage* page = host.createPage();
    emit wb(page)->BeforeNavigate2(true, present.url("/a.html"));
    emit wb(page)->documentIconChanged(solidIcon(Qt::green));
    emit wb(page)->NavigateComplete2(true, present.url("/a.html"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->TabButton.hasSiteIcon; }, 5000));
    emit wb(page)->documentIconChanged(solidIcon(Qt::green));
    EXPECT_EQ(centreColour(page->TabButton.siteIcon), QColor(Qt::red));
}

TEST(SiteIconFetcher, AsksPlainlyAndFollowsRedirects)
{
    HttpTestServer server;
    ASSERT_TRUE(server.start());
    server.route("/favicon.ico", HttpTestServer::Response {301, "text/html", "moved", {{"Location", "/icons/real.png"}}, 0});
    server.route("/icons/real.png", iconResponse(iconBytes(Qt::red, "png", 64), "image/png"));

    ui::SiteIconFetcher fetcher;
    QSignalSpy ready(&fetcher, &ui::SiteIconFetcher::iconReady);
    fetcher.request(server.url("/favicon.ico"));
    EXPECT_EQ(fetcher.currentAddress(), server.url("/favicon.ico").toString());
    ASSERT_TRUE(ready.wait(5000));
    const QIcon icon = ready.first().first().value<QIcon>();
    EXPECT_EQ(icon.availableSizes().first(), QSize(16, 16));
    EXPECT_EQ(centreColour(icon), QColor(Qt::red));

    const QList<HttpTestServer::Request> requests = server.requests();
    // Qt now and then sends a redirected request twice; what matters is that the redirect
    // was followed and that every request asks the same way.
    EXPECT_GE(server.requestCount("/icons/real.png"), 1);
    for (const HttpTestServer::Request& request : requests) {
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.headers.value("user-agent"), "Pelto Browser (https://peltobrowser.org/)");
        EXPECT_EQ(request.headers.value("referer"), "https://peltobrowser.org/");
        EXPECT_FALSE(request.headers.contains("cookie"));
    }
}

TEST(SiteIconFetcher, GivesUpOnASilentServerAndOnAbort)
{
    HttpTestServer server;
    ASSERT_TRUE(server.start());
    server.route("/favicon.ico", HttpTestServer::Response {200, "image/x-icon", iconBytes(Qt::red), {}, 60000});

    ui::SiteIconFetcher fetcher;
    fetcher.setTransferTimeout(200);
    QSignalSpy failed(&fetcher, &ui::SiteIconFetcher::failed);
    QSignalSpy ready(&fetcher, &ui::SiteIconFetcher::iconReady);
    fetcher.request(server.url("/favicon.ico"));
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_FALSE(fetcher.isRunning());

    // An aborted request, and one replaced by the next, say nothing.
    failed.clear();
    fetcher.request(server.url("/favicon.ico"));
    fetcher.abort();
    fetcher.request(server.url("/favicon.ico"));
    fetcher.request(QUrl("http:///no-host"));  // fails at once, after the caller's turn
    EXPECT_EQ(failed.size(), 0);
    ASSERT_TRUE(failed.wait(1000));
    QTest::qWait(400);
    EXPECT_EQ(failed.size(), 1);
    EXPECT_EQ(ready.size(), 0);
}

TEST(SiteIconFetcher, ReadsIconFormatsAndRefusesJunk)
{
    QImage wide(32, 16, QImage::Format_ARGB32);
    wide.fill(Qt::blue);
    const QIcon fromIco = ui::SiteIconFetcher::iconFromData(iconBytes(Qt::red, "ico", 32));
    ASSERT_FALSE(fromIco.isNull());
    EXPECT_EQ(centreColour(fromIco), QColor(Qt::red));
    const QIcon fromWide = ui::SiteIconFetcher::iconFromData(imageBytes(wide, "png"));
    ASSERT_FALSE(fromWide.isNull());
    // Proportions kept: the picture is centred with room above and below.
    const QImage square = fromWide.pixmap(QSize(16, 16)).toImage();
    EXPECT_EQ(square.pixelColor(8, 8), QColor(Qt::blue));
    EXPECT_EQ(square.pixelColor(8, 0).alpha(), 0);

    EXPECT_TRUE(ui::SiteIconFetcher::iconFromData({}).isNull());
    EXPECT_TRUE(ui::SiteIconFetcher::iconFromData(QByteArray(4096, '\xff')).isNull());
    QByteArray truncated = iconBytes(Qt::red, "ico", 32);
    truncated.truncate(30);
    EXPECT_TRUE(ui::SiteIconFetcher::iconFromData(truncated).isNull());
}

}  // namespace
