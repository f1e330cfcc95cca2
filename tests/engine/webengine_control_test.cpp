// The engine's web control: navigation, its events, new windows, placement, a lost renderer
// and full screen, against a local HTTP server.
#include "engine_fixture.h"

#include "platform/internet_settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <signal.h>

#include <optional>

#include <gtest/gtest.h>

using namespace pelto;
using namespace pelto::enginetest;
using pelto::test::HttpTestServer;

namespace {

using WebEngineControlTest = EngineTest;

TEST_F(WebEngineControlTest, LoadReportsNavigationTitleProgressAndCompletion)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/a")));
    ASSERT_TRUE(page.waitForTitle("A"));

    const QStringList& events = page.recorder.events;
    const QString address = url("/a");
    EXPECT_EQ(page.control->LocationURL(), address);
    EXPECT_FALSE(page.control->Busy());
    EXPECT_TRUE(page.control->hasDocument());

    // The order the page relies on: before-navigate, then the download begins, the address
    // commits, and the document completes with the progress back at 0.
    const int before = events.indexOf("Before:1:" + address);
    const int begin = events.indexOf("DownloadBegin");
    const int complete = events.indexOf("Complete:1:" + address);
    const int document = events.indexOf("Document:1");
    ASSERT_GE(before, 0) << events.join("\n").toStdString();
    EXPECT_LT(before, begin);
    EXPECT_LT(begin, document);
    EXPECT_GE(complete, 0);
    EXPECT_LT(complete, document);
    EXPECT_TRUE(events.contains("Title:A"));
    EXPECT_TRUE(events.contains("Status:Opening page " + address + "..."));
    EXPECT_TRUE(events.contains("Lock:0"));
    EXPECT_EQ(events.lastIndexOf("DownloadComplete") < document, true);

    const QStringList progress = page.recorder.matching("Progress:");
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(events.mid(0, document).filter("Progress:").last(), "Progress:0/100");
    for (const QString& step : progress) {
        const int value = step.section(':', 1).section('/', 0, 0).toInt();
        EXPECT_TRUE(step.endsWith("/100") && value >= 0 && value <= 100) << step.toStdString();
    }
}

TEST_F(WebEngineControlTest, HoveredLinkShowsInStatusAndClearsWhenLeft)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/hover")));
    QWidget* surface = page.control->view()->focusProxy();
    ASSERT_NE(surface, nullptr);

    QTest::mouseMove(surface, QPoint(100, 100));
    ASSERT_TRUE(waitFor([&] { return page.recorder.events.contains("Status:" + url("/b")); }))
        << page.recorder.matching("Status:").join("\n").toStdString();
    QTest::mouseMove(surface, QPoint(400, 300));
    EXPECT_TRUE(waitFor([&] { return page.recorder.events.last() == "Status:"; }));
}

TEST_F(WebEngineControlTest, HistoryAfterTwoNavigationsListsNearestFirstAndMoves)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/a")));
    EXPECT_EQ(page.recorder.matching("Command:2:").last(), "Command:2:0");
    ASSERT_TRUE(page.open(url("/b")));
    ASSERT_TRUE(page.open(url("/c")));
    ASSERT_TRUE(page.waitForTitle("C"));

    EXPECT_EQ(page.recorder.matching("Command:2:").last(), "Command:2:1");
    EXPECT_EQ(page.recorder.matching("Command:1:").last(), "Command:1:0");
    EXPECT_EQ(page.control->backTitles(), QStringList({"B", "A"}));
    EXPECT_TRUE(page.control->forwardTitles().isEmpty());

    // The title of a history entry shows before its address commits.
    page.control->GoBack();
    ASSERT_TRUE(page.waitForAddress(url("/b")));
    ASSERT_TRUE(waitFor([&] { return page.recorder.matching("Command:1:").last() == "Command:1:1"; }));
    EXPECT_EQ(page.control->forwardTitles(), QStringList({"C"}));

    page.control->goToHistoryOffset(-1);
    ASSERT_TRUE(page.waitForAddress(url("/a")));
    EXPECT_EQ(page.control->forwardTitles(), QStringList({"B", "C"}));
    EXPECT_TRUE(page.control->backTitles().isEmpty());
    page.control->goToHistoryOffset(-5);  // out of range: nothing happens

    page.control->GoForward();
    ASSERT_TRUE(page.waitForAddress(url("/b")));
    EXPECT_EQ(page.control->LocationName(), "B");
}

TEST_F(WebEngineControlTest, TypedTextOpensLocalFilesAndIgnoresEmptyText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("local page.html");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(titled("Local"));
    file.close();

    const QString fileAddress = QUrl::fromLocalFile(path).toString();
    for (const QString& text : {path, fileAddress, "  " + path + "  "}) {
        Shown page;
        ASSERT_TRUE(page.open(text)) << text.toStdString();
        EXPECT_TRUE(page.waitForTitle("Local")) << text.toStdString();
        EXPECT_EQ(page.control->LocationURL(), fileAddress);
    }

    // Empty text loads nothing: the next navigation is the first the control reports.
    Shown page;
    page.control->Navigate2("");
    page.control->Navigate2("   ");
    ASSERT_TRUE(page.open(url("/a")));
    EXPECT_EQ(page.recorder.matching("Before:").first(), "Before:1:" + url("/a"));
}

TEST_F(WebEngineControlTest, GoHomeOpensTheStartPageOrBlank)
{
    ASSERT_TRUE(platform::SetStartPage(keys(), url("/c").toStdString()));
    {
        Shown page;
        page.control->GoHome();
        EXPECT_TRUE(page.waitForTitle("C"));
    }
    ASSERT_TRUE(platform::SetStartPage(keys(), ""));
    {
        Shown page;
        ASSERT_TRUE(page.open(url("/a")));
        page.control->GoHome();
        EXPECT_TRUE(waitFor([&] { return page.control->LocationURL() == "about:blank"; }));
    }
}

TEST_F(WebEngineControlTest, EditCommandsFollowTheSelection)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/edit")));
    page.host->activateWindow();
    page.control->focusDocument();
    ASSERT_TRUE(waitFor([&] { return page.control->editCommandAvailable(ui::EditCommand::SelectAll); }));
    EXPECT_FALSE(page.control->editCommandAvailable(ui::EditCommand::Copy));

    page.control->execEditCommand(ui::EditCommand::SelectAll);
    EXPECT_TRUE(waitFor([&] { return page.control->editCommandAvailable(ui::EditCommand::Copy); }));
    EXPECT_TRUE(page.control->page()->selectedText().contains("Some text to select"));
}

TEST_F(WebEngineControlTest, ScriptClosingTheWindowMayDestroyTheControlAtOnce)
{
    Shown page;
    bool closing = false;
    QObject::connect(page.control, &ui::WebControl::WindowClosing, [&] {
        closing = true;
        delete page.control;
        page.control = nullptr;
    });
    page.control->Navigate2(url("/close"));
    ASSERT_TRUE(waitFor([&] { return closing; }));
    // The engine carries on after the control went away inside its handler.
    Shown next;
    ASSERT_TRUE(next.open(url("/a")));
    EXPECT_TRUE(next.waitForTitle("A"));
}

TEST_F(WebEngineControlTest, PostSendsFormBody)
{
    Shown page;
    const int before = page.recorder.documentCompletes;
    page.control->Navigate(server().url("/post"), "amount=5&note=a%20b");
    ASSERT_TRUE(waitFor([&] { return page.recorder.documentCompletes > before; }));
    EXPECT_TRUE(page.waitForTitle("Posted POST"));

    const QList<HttpTestServer::Request> requests = server().requests();
    auto posted = std::find_if(requests.rbegin(), requests.rend(),
                               [](const HttpTestServer::Request& r) { return r.path == "/post"; });
    ASSERT_NE(posted, requests.rend());
    EXPECT_EQ(posted->method, "POST");
    EXPECT_EQ(posted->body, "amount=5&note=a%20b");
    EXPECT_EQ(posted->headers.value("content-type"), "application/x-www-form-urlencoded");
}

TEST_F(WebEngineControlTest, NewWindowRequestsOpenOnlyWhenAccepted)
{
    enum class Answer { Accept, Refuse, Unanswered };
    for (const Answer answer : {Answer::Accept, Answer::Refuse, Answer::Unanswered}) {
        Shown opener;
        Shown target(QRect(300, 200, 400, 300));
        std::optional<ui::NewWindowRequest> seen;
        QObject::connect(opener.control, &ui::WebControl::NewWindow2, [&](ui::NewWindowRequest* request) {
            seen.emplace(request->kind(), request->address(), request->userInitiated());
            if (answer == Answer::Accept)
                request->accept(target.control);
            else if (answer == Answer::Refuse)
                request->refuse();
        });
        const int targetRequests = server().requestCount("/popup-target");

        ASSERT_TRUE(opener.open(url("/opener")));
        ASSERT_TRUE(opener.waitForTitle("asked"));
        ASSERT_TRUE(seen.has_value());
        EXPECT_EQ(seen->address(), server().url("/popup-target"));
        EXPECT_EQ(seen->kind(), ui::NewWindowKind::ForegroundTab);  // window.open without features
        EXPECT_FALSE(seen->userInitiated());                        // a script on load, no click

        if (answer == Answer::Accept) {
            EXPECT_TRUE(target.waitForTitle("Popup"));
            EXPECT_EQ(target.control->LocationURL(), url("/popup-target"));
            EXPECT_TRUE(target.recorder.events.contains("Before:1:" + url("/popup-target")));
            EXPECT_TRUE(target.recorder.events.contains("Complete:1:" + url("/popup-target")));
        } else {
            // Give the engine a full navigation's time to open the window it must not open.
            ASSERT_TRUE(opener.open(url("/b")));
            EXPECT_EQ(server().requestCount("/popup-target"), targetRequests);
            EXPECT_FALSE(target.control->hasDocument());
        }
    }
}

TEST_F(WebEngineControlTest, ClickedLinkAsksForAWindowAsTheUsersOwn)
{
    Shown opener;
    std::optional<ui::NewWindowRequest> seen;
    QObject::connect(opener.control, &ui::WebControl::NewWindow2, [&](ui::NewWindowRequest* request) {
        seen.emplace(request->kind(), request->address(), request->userInitiated());
        request->refuse();
    });
    ASSERT_TRUE(opener.open(url("/link-opener")));
    ASSERT_TRUE(opener.waitForTitle("ready"));
    QTest::mouseClick(opener.control->view()->focusProxy(), Qt::LeftButton, {}, QPoint(50, 50));
    ASSERT_TRUE(waitFor([&] { return seen.has_value(); }));
    EXPECT_TRUE(seen->userInitiated());
    EXPECT_EQ(seen->address(), server().url("/popup-target"));
    EXPECT_EQ(seen->kind(), ui::NewWindowKind::ForegroundTab);
}

TEST_F(WebEngineControlTest, ScriptPlacementReportsOnlyTheChangedParts)
{
    // The engine lets scripts size and move only the windows they opened.
    Shown opener;
    Shown target(QRect(200, 150, 300, 300));
    QObject::connect(opener.control, &ui::WebControl::NewWindow2,
                     [&](ui::NewWindowRequest* request) { request->accept(target.control); });
    ASSERT_TRUE(opener.open(url("/placed-opener")));
    ASSERT_TRUE(target.waitForTitle("moved"));

    // The window features first; then resizeTo(500, 350) as a size only and the moveTo(70, 80)
    // right after it as a position only, although the engine still reports the asked size with
    // it; then moveTo(90, 100) as a position only.
    const QStringList expected {"W400", "H300", "L20", "T30", "W500", "H350", "L70", "T80", "L90", "T100"};
    EXPECT_TRUE(waitFor([&] { return target.recorder.geometry().size() >= expected.size(); }));
    EXPECT_EQ(target.recorder.geometry(), expected);
    EXPECT_TRUE(opener.recorder.geometry().isEmpty());
}

TEST_F(WebEngineControlTest, KilledRendererShowsErrorAndRefreshLoadsThePageAgain)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/a")));
    ASSERT_TRUE(page.waitForTitle("A"));
    const qint64 pid = page.control->page()->renderProcessPid();
    ASSERT_GT(pid, 0);
    const int requestsBefore = server().requestCount("/a");
    page.recorder.events.clear();

    ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
    ASSERT_TRUE(waitFor([&] { return page.recorder.rendererGone == 1; }));
    ASSERT_TRUE(page.waitForTitle("This page stopped working"));
    EXPECT_EQ(page.control->LocationURL(), url("/a"));
    // The error page is ours: it is not reported as a navigation of the document.
    EXPECT_TRUE(page.recorder.matching("Complete:").isEmpty()) << page.recorder.events.join("\n").toStdString();
    EXPECT_TRUE(page.recorder.matching("Before:").isEmpty());

    page.control->Refresh();
    ASSERT_TRUE(page.waitForTitle("A"));
    EXPECT_EQ(server().requestCount("/a"), requestsBefore + 1);
    EXPECT_EQ(page.control->LocationURL(), url("/a"));
    EXPECT_TRUE(page.recorder.events.contains("Complete:1:" + url("/a")));

    // The control goes on working.
    ASSERT_TRUE(page.open(url("/b")));
    EXPECT_TRUE(page.waitForTitle("B"));
}

TEST_F(WebEngineControlTest, DownloadOptionsSwitchPicturesAndScripts)
{
    struct Case {
        quint32 flags;
        int pictureRequests;
        QString title;
    };
    int n = 0;
    for (const Case& c : {Case {0x70, 1, "scripted"}, Case {0x60, 0, "scripted"}, Case {0xF0, 1, "static"}}) {
        Shown page;
        page.control->setDownloadOptions(c.flags);
        EXPECT_EQ(page.control->downloadOptions(), c.flags);
        const QString query = QString::number(++n);
        ASSERT_TRUE(page.open(url("/media?" + query)));
        EXPECT_TRUE(page.waitForTitle(c.title)) << page.control->LocationName().toStdString();
        int pictures = 0;
        for (const HttpTestServer::Request& request : server().requests())
            pictures += request.path == "/pic.png?" + query.toUtf8();
        EXPECT_EQ(pictures, c.pictureRequests) << "flags " << c.flags;
    }
}

TEST_F(WebEngineControlTest, FullScreenMovesTheViewOutAndEscBringsItBack)
{
    Shown page;
    ASSERT_TRUE(page.open(url("/fullscreen")));
    ASSERT_TRUE(page.waitForTitle("ready"));
    QWebEngineView* view = page.control->view();
    page.host->activateWindow();
    QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, QPoint(50, 50));
    ASSERT_TRUE(waitFor([&] { return page.recorder.fullScreen == QList<bool> {true}; }));
    EXPECT_TRUE(page.control->isFullScreen());
    EXPECT_NE(view->window(), page.host.get());
    EXPECT_TRUE(view->window()->isFullScreen());

    QTest::keyClick(view->focusProxy(), Qt::Key_Escape);
    ASSERT_TRUE(waitFor([&] { return page.recorder.fullScreen == QList<bool>({true, false}); }));
    EXPECT_FALSE(page.control->isFullScreen());
    EXPECT_EQ(view->window(), page.host.get());
    EXPECT_EQ(page.control->widget()->parentWidget(), page.host.get());
}

}  // namespace
