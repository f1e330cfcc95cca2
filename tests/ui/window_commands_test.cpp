#include "core/app/pending_opens.h"
#include "platform/key_store.h"
#include "platform/settings_file.h"
#include "support/fake_web_control.h"
#include "ui/app/main_window.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "ui/app/action_registry.h"
#include "ui/pages/close_checked_dialog.h"
#include "ui/pages/mdi_control_bar.h"
#include "ui/pages/tab_bar.h"
#include "ui/pages/tab_menu.h"
#include "ui/pages/url_drop_target.h"
#include "ui/pages/window_commands.h"

#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <QCoreApplication>
#include <QFile>
#include <QMdiArea>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelto;

namespace {

// A main window with pages on fake controls, and window commands whose questions a test answers.
class WindowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile file(m_dir.path() + "/pbrowser.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Pelto Browser Settings]\nStartsWithHomePage=no\nOpenMax=no\n");
        file.close();
        m_settings.OpenSettings(m_dir.path() + "/pbrowser.ini");
        ui::AppContext context;
        context.settings = &m_settings;
        context.keyStore = &m_keys;
        context.pendingOpens = &m_pending;
        context.webControls = &m_controls;
        m_window = std::make_unique<ui::TfrmPeltoBrowser>(context);
        m_window->resize(1000, 800);
        m_commands = std::make_unique<ui::WindowCommands>(
            m_window->pageManager(), m_window->pageArea(), m_window->state(),
            [this](const QString& message) {
                m_questions << message;
                return m_answer;
            },
            [this] { ++m_cleared; });
    }

    void TearDown() override
    {
        m_commands.reset();
        m_window.reset();
    }

    // Opens count pages, each on its own address; the last one is active.
    QList<ui::TfrmPage*> openPages(int count)
    {
        QList<ui::TfrmPage*> pages;
        for (int i = 0; i < count; ++i) {
            ui::TfrmPage* page = m_window->pageManager().CreatePage(false, true);
            ui::NavigatePage(page, QString("http://127.0.0.1:9/%1").arg(i));
            m_controls.last()->url = QString("http://127.0.0.1:9/%1").arg(i);
            pages << page;
        }
        return pages;
    }

    int pageCount() { return m_window->pageManager().pageCount(); }
    // What the window system delivers for a double click: press, release, double click, release.
    static void doubleClick(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton);
        QTest::mouseDClick(widget, Qt::LeftButton);
        QTest::mouseRelease(widget, Qt::LeftButton);
    }
    void runPosted()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTemporaryDir m_dir;
    platform::SettingsFile m_settings;
    platform::MemoryKeyStore m_keys;
    core::PendingOpens m_pending;
    test::FakeWebControlFactory m_controls;
    std::unique_ptr<ui::TfrmPeltoBrowser> m_window;
    std::unique_ptr<ui::WindowCommands> m_commands;
    QStringList m_questions;
    bool m_answer = true;
    int m_cleared = 0;
};

TEST_F(WindowCommandsTest, CloseAllAsksAndNoChangesNothing)
{
    const QList<ui::TfrmPage*> pages = openPages(3);
    m_window->state().TabMenuPage = pages[1];
    m_answer = false;
    m_commands->closeAll();
    EXPECT_EQ(m_questions, QStringList {"Are you sure you want to close all browser windows?"});
    EXPECT_EQ(pageCount(), 3);
    EXPECT_EQ(m_window->state().TabMenuPage, pages[1]);

    m_answer = true;
    m_commands->closeAll();
    EXPECT_EQ(pageCount(), 0);
    EXPECT_EQ(m_window->state().TabMenuPage, nullptr);
    EXPECT_FALSE(m_window->state().ClosingInBulk);
    EXPECT_EQ(m_cleared, 1);
}

TEST_F(WindowCommandsTest, CloseAllWithoutConfirmationAndCloseExceptKeepsTheCurrentPage)
{
    m_window->state().settings.ConfirmCloseAll = false;
    openPages(2);
    m_commands->closeAll();
    EXPECT_TRUE(m_questions.isEmpty());
    EXPECT_EQ(pageCount(), 0);

    const QList<ui::TfrmPage*> pages = openPages(4);
    m_window->pageManager().activatePage(pages[1]);
    m_commands->closeAllExceptCurrent();
    EXPECT_EQ(m_questions.size(), 1);
    ASSERT_EQ(pageCount(), 1);
    EXPECT_EQ(m_window->pageManager().activePage(), pages[1]);
}

TEST_F(WindowCommandsTest, NextAndPreviousFollowTabSlotsAndWrap)
{
    const QList<ui::TfrmPage*> pages = openPages(3);
    ui::PageManager& manager = m_window->pageManager();
    ASSERT_EQ(manager.activePage(), pages[2]);
    m_commands->nextPage();
    EXPECT_EQ(manager.activePage(), pages[0]);
    m_commands->previousPage();
    EXPECT_EQ(manager.activePage(), pages[2]);
    m_commands->previousPage();
    EXPECT_EQ(manager.activePage(), pages[1]);
}

TEST_F(WindowCommandsTest, RefreshAllSkipsPagesWithoutAnAddressAndStopAllStopsEvery)
{
    openPages(2);
    ui::TfrmPage* blank = m_window->pageManager().CreatePage(false, true);
    (void)blank;
    m_commands->refreshAll();
    m_commands->stopAll();
    ASSERT_EQ(m_controls.controls.size(), 3);
    EXPECT_EQ(m_controls.controls[0]->refreshCount, 1);
    EXPECT_EQ(m_controls.controls[1]->refreshCount, 1);
    EXPECT_EQ(m_controls.controls[2]->refreshCount, 0);
    for (const auto& control : m_controls.controls)
        EXPECT_EQ(control->stopCount, 1);
}

TEST_F(WindowCommandsTest, ArrangingRestoresMaximisedPagesFirst)
{
    const QList<ui::TfrmPage*> pages = openPages(2);
    pages[0]->MaximizePage();
    ASSERT_TRUE(pages[0]->IsMaximized);
    m_commands->tileVertically();
    EXPECT_FALSE(pages[0]->IsMaximized);
    const QSize area = m_window->pageManager().pageAreaSize();
    QList<QRect> bounds {pages[0]->geometry(), pages[1]->geometry()};
    EXPECT_TRUE(bounds.contains(QRect(0, 0, area.width() / 2, area.height())));

    m_commands->maximizeAll();
    EXPECT_TRUE(pages[0]->IsMaximized && pages[1]->IsMaximized);
    m_commands->cascade();
    EXPECT_FALSE(pages[0]->IsMaximized || pages[1]->IsMaximized);

    m_commands->minimizeAll();
    EXPECT_TRUE(pages[0]->isMinimized() && pages[1]->isMinimized());
    m_commands->restoreAll();
    EXPECT_FALSE(pages[0]->isMinimized() || pages[1]->isMinimized());
}

TEST_F(WindowCommandsTest, CloseExceptThisKeepsTheRightClickedPageAndAsksItsOwnQuestion)
{
    const QList<ui::TfrmPage*> pages = openPages(4);
    ASSERT_EQ(m_window->pageManager().activePage(), pages[3]);
    m_window->state().TabMenuPage = pages[1];
    QSignalSpy finished(m_commands.get(), &ui::WindowCommands::bulkCloseFinished);

    m_answer = false;
    m_commands->closeAllExceptThis();
    EXPECT_EQ(pageCount(), 4);
    EXPECT_EQ(finished.count(), 0);

    m_answer = true;
    m_commands->closeAllExceptThis();
    EXPECT_EQ(m_questions.last(),
              "Are you sure you want to close all browser windows except the window you selected?");
    ASSERT_EQ(pageCount(), 1);
    EXPECT_EQ(m_window->pageManager().pages().first(), pages[1]);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(m_window->state().ClosingInBulk);
}

TEST_F(WindowCommandsTest, CloseCheckedClosesTheChosenPagesOnceAndClearsTheDisplayWhenNoneIsLeft)
{
    const QList<ui::TfrmPage*> pages = openPages(3);
    QSignalSpy finished(m_commands.get(), &ui::WindowCommands::bulkCloseFinished);
    QList<QList<ui::TfrmPage*>> offered;
    std::optional<QList<ui::TfrmPage*>> choice;
    m_commands->setChoosePages([&](const QList<ui::TfrmPage*>& list) {
        offered << list;
        return choice;
    });

    // Cancel changes nothing; OK with nothing checked closes nothing but still ends as a bulk close.
    m_commands->closeChecked();
    choice = QList<ui::TfrmPage*> {};
    m_commands->closeChecked();
    EXPECT_EQ(pageCount(), 3);
    EXPECT_EQ(finished.count(), 1);
    ASSERT_EQ(offered.size(), 2);
    EXPECT_EQ(offered[0].first(), pages[2]);  // the current page first

    choice = QList<ui::TfrmPage*> {pages[0], pages[2]};
    m_commands->closeChecked();
    ASSERT_EQ(pageCount(), 1);
    EXPECT_EQ(m_window->pageManager().pages().first(), pages[1]);
    EXPECT_EQ(m_cleared, 0);

    choice = QList<ui::TfrmPage*> {pages[1]};
    m_commands->closeChecked();
    EXPECT_EQ(pageCount(), 0);
    EXPECT_EQ(m_cleared, 1);
    EXPECT_EQ(finished.count(), 3);
}

TEST_F(WindowCommandsTest, CloseCheckedDialogListsEveryPageCheckedAndClicksToggleOnce)
{
    const QList<ui::TfrmPage*> pages = openPages(3);
    m_controls.controls[0]->title = "First Page";
    m_controls.controls[1]->title = "about:blank";
    pages[0]->setWindowTitle("First Page");
    ui::TfrmCloseChecked dialog(m_window->pageManager().pages(), m_window->pageManager().pagePictures());
    EXPECT_EQ(dialog.size(), QSize(448, 408));
    QListWidget* list = dialog.list();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "http://127.0.0.1:9/2");  // no title yet: the address
    EXPECT_EQ(list->item(1)->text(), "http://127.0.0.1:9/1");  // "about:blank" is no title
    EXPECT_EQ(list->item(2)->text(), "First Page");
    EXPECT_EQ(dialog.checkedPages(), m_window->pageManager().pages());

    dialog.show();
    const QRect row = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(row.left() + 60, row.center().y()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(row.left() + 6, row.center().y()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(row.left() + 6, row.center().y()));
    EXPECT_EQ(dialog.checkedPages(), (QList<ui::TfrmPage*> {pages[2], pages[0]}));
    dialog.invertSelection();
    EXPECT_EQ(dialog.checkedPages(), QList<ui::TfrmPage*> {pages[1]});
    dialog.selectAll();
    EXPECT_EQ(dialog.checkedPages().size(), 3);

    // A page that closes while the dialog is open is not handed back.
    pages[0]->close();
    runPosted();
    EXPECT_EQ(dialog.checkedPages(), (QList<ui::TfrmPage*> {pages[2], pages[1]}));
}

TEST_F(WindowCommandsTest, WindowControlButtonsActOnTheMaximisedPageAndADoubleClickRunsTwice)
{
    const QList<ui::TfrmPage*> pages = openPages(3);
    ui::ActionRegistry& actions = m_window->actions();
    ui::MdiControlBar& bar = m_window->mdiControlBar();
    m_window->show();
    actions.updateAll();
    EXPECT_FALSE(actions.action("actSysClose")->isEnabled());

    pages[1]->MaximizePage();
    actions.updateAll();
    EXPECT_TRUE(actions.action("actSysClose")->isEnabled());
    pages[1]->IsClosing = true;
    actions.updateAll();
    EXPECT_FALSE(actions.action("actSysClose")->isEnabled());
    pages[1]->IsClosing = false;

    m_window->windowCommands().sysRestore();
    runPosted();
    EXPECT_FALSE(pages[1]->IsMaximized);
    pages[0]->MaximizePage();
    m_window->windowCommands().sysMinimize();
    runPosted();
    EXPECT_TRUE(pages[0]->isMinimized());
    actions.updateAll();
    EXPECT_FALSE(actions.action("actSysMinimize")->isEnabled());  // minimised no longer counts

    // Next: a double click moves two pages on.
    m_window->pageManager().activatePage(pages[2]);
    actions.updateAll();
    QToolButton* next = bar.button("btnNext");
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->size(), QSize(21, 22));
    doubleClick(next);
    EXPECT_EQ(m_window->pageManager().activePage(), pages[1]);

    // Close All Except the Current, double-clicked, keeps the current page.
    m_window->state().settings.ConfirmCloseExcept = false;
    doubleClick(bar.button("btnOne"));
    runPosted();
    ASSERT_EQ(pageCount(), 1);
    EXPECT_EQ(m_window->pageManager().activePage(), pages[1]);
}

TEST_F(WindowCommandsTest, TabMenuCommandsActOnTheRightClickedPage)
{
    const QList<ui::TfrmPage*> pages = openPages(3);
    ui::TabMenu& menu = m_window->tabMenu();
    QStringList entries;
    for (QAction* action : menu.menu()->actions())
        entries << (action->isSeparator() ? QString("-") : action->objectName());
    EXPECT_EQ(entries, (QStringList {"actCloseAll", "actCCloseExcept", "actCloseChecked", "-", "actCDuplicate",
                                     "actCRefresh", "-", "actCRestore", "actCMinimize", "actCMaximize", "-",
                                     "actCClose"}));

    // Nothing to act on: every command does nothing.
    menu.close();
    menu.duplicate();
    runPosted();
    EXPECT_EQ(pageCount(), 3);

    m_window->state().TabMenuPage = pages[0];
    ui::ActionRegistry& actions = m_window->actions();
    actions.updateAll();
    EXPECT_TRUE(actions.action("actCMaximize")->isEnabled());
    EXPECT_FALSE(actions.action("actCRestore")->isEnabled());
    menu.maximize();
    runPosted();
    EXPECT_TRUE(pages[0]->IsMaximized);
    actions.updateAll();
    EXPECT_FALSE(actions.action("actCMaximize")->isEnabled());
    EXPECT_TRUE(actions.action("actCRestore")->isEnabled());

    menu.refresh();
    EXPECT_EQ(m_controls.controls[0]->refreshCount, 1);
    menu.duplicate();
    ASSERT_EQ(pageCount(), 4);
    EXPECT_EQ(m_controls.controls.last()->navigations.last(), "http://127.0.0.1:9/0");

    menu.close();
    runPosted();
    EXPECT_EQ(pageCount(), 3);
    EXPECT_EQ(m_window->state().TabMenuPage, nullptr);
}

TEST_F(WindowCommandsTest, DroppedAddressesReplaceTheTabsPageOrOpenANewOne)
{
    const QList<ui::TfrmPage*> pages = openPages(2);
    m_window->show();
    ui::TabBar& tabs = m_window->tabBar();
    ui::UrlDropTarget& drops = m_window->urlDropTarget();
    const QPoint onFirstTab = tabs.mapTo(m_window.get(), tabs.tabOf(pages[0])->geometry().center());
    const QPoint onEmptyBar = tabs.mapTo(m_window.get(), QPoint(tabs.width() - 5, 5));
    const QPoint onPageArea = m_window->pageArea().mapTo(m_window.get(), QPoint(5, m_window->pageArea().height() - 5));

    drops.dropAddress(onFirstTab, "http://127.0.0.1:9/dropped");
    EXPECT_EQ(pageCount(), 2);
    EXPECT_EQ(m_controls.controls[0]->navigations.last(), "http://127.0.0.1:9/dropped");
    drops.dropAddress(onEmptyBar, "http://127.0.0.1:9/bar");
    drops.dropAddress(onPageArea, "http://127.0.0.1:9/area");
    ASSERT_EQ(pageCount(), 4);
    EXPECT_EQ(m_controls.controls[2]->navigations.last(), "http://127.0.0.1:9/bar");
    EXPECT_EQ(m_controls.controls[3]->navigations.last(), "http://127.0.0.1:9/area");

    // What dragged data carries: an address list, a file, a text; anything else opens nothing.
    QMimeData links;
    links.setUrls({QUrl("http://127.0.0.1:9/link"), QUrl("http://127.0.0.1:9/other")});
    EXPECT_EQ(ui::UrlDropTarget::addressOf(links).value_or(""), "http://127.0.0.1:9/link");
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile("/tmp/page one.html")});
    EXPECT_EQ(ui::UrlDropTarget::addressOf(file).value_or(""), "/tmp/page one.html");
    QMimeData text;
    text.setText("  http://127.0.0.1:9/text\n");
    EXPECT_EQ(ui::UrlDropTarget::addressOf(text).value_or(""), "http://127.0.0.1:9/text");
    QMimeData script;
    script.setUrls({QUrl("javascript:alert(1)")});
    QMimeData words;
    words.setText("just some words");
    QMimeData binary;
    binary.setData("application/octet-stream", QByteArray("\0\1\2", 3));
    QMimeData empty;
    empty.setText("");
    for (const QMimeData* data : {&script, &words, &binary, &empty})
        EXPECT_FALSE(ui::UrlDropTarget::addressOf(*data).has_value());
}

TEST_F(WindowCommandsTest, BandsFollowOnlyThePageActiveWhenTheActivationTimerFires)
{
    const QList<ui::TfrmPage*> pages = openPages(2);
    ui::PageManager& manager = m_window->pageManager();
    QSignalSpy handed(&manager, &ui::PageManager::bandPageChanged);
    ASSERT_TRUE(handed.wait(2000));
    m_window->pageManager().activatePage(pages[0]);
    manager.activatePage(pages[1]);
    manager.activatePage(pages[0]);
    ASSERT_TRUE(handed.wait(2000));
    // Only the page active when the timer fired, once.
    ASSERT_EQ(handed.count(), 2);
    EXPECT_EQ(handed.last().first().value<ui::TfrmPage*>(), pages[0]);
    EXPECT_EQ(manager.bandPage(), pages[0]);

    // Activated again, it is already the band page: nothing is handed over.
    manager.activatePage(pages[0]);
    EXPECT_FALSE(handed.wait(700));
    // Back from the tray, the bands are handed over again.
    manager.clearBandPage();
    manager.restartActivationTimer();
    EXPECT_TRUE(handed.wait(2000));
}

}  // namespace
