#include "core/app/pending_opens.h"
#include "platform/key_store.h"
#include "platform/settings_file.h"
#include "support/fake_web_control.h"
#include "ui/app/main_window.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "ui/pages/window_commands.h"

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

}  // namespace
