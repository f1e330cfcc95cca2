#include "core/app/pending_opens.h"
#include "core/app/settings_keys.h"
#include "support/fake_web_control.h"
#include "ui/app/action_registry.h"
#include "ui/app/focus_filter.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "platform/key_store.h"
#include "platform/settings_file.h"
#include "ui/app/main_window.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace pelto;

namespace {

class MainWindowLifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_iniPath = m_dir.path() + "/pbrowser.ini";
    }

    std::unique_ptr<ui::TfrmPeltoBrowser> create(std::vector<std::string> arguments = {})
    {
        m_settings.OpenSettings(m_iniPath);
        ui::AppContext context;
        context.settings = &m_settings;
        context.keyStore = &m_keys;
        context.pendingOpens = &m_pending;
        context.webControls = &m_controls;
        context.programFolder = m_dir.path() + "/";
        context.dataFolder = m_dir.path() + "/";
        context.arguments = std::move(arguments);
        return std::make_unique<ui::TfrmPeltoBrowser>(context);
    }

    static void waitForInitialisation(ui::TfrmPeltoBrowser& window)
    {
        if (window.initialised())
            return;
        QSignalSpy spy(&window, &ui::TfrmPeltoBrowser::initialisationFinished);
        ASSERT_TRUE(spy.wait(5000));
    }

    QString fileText() const
    {
        QFile file(m_iniPath);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir m_dir;
    QString m_iniPath;
    platform::SettingsFile m_settings;
    platform::MemoryKeyStore m_keys;
    core::PendingOpens m_pending;
    test::FakeWebControlFactory m_controls;

    // What each page was sent to, in creation order.
    QStringList navigations() const
    {
        QStringList all;
        for (const auto& control : m_controls.controls)
            if (control)
                all << control->navigations.join(' ');
        return all;
    }

    void writeIni(const QByteArray& text)
    {
        QFile file(m_iniPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
};

TEST_F(MainWindowLifecycle, FirstStartWritesDefaultsAndMarksTheRunAtTheEndOfInitialisation)
{
    auto window = create();
    EXPECT_FALSE(QFile::exists(m_iniPath));  // nothing reaches the disk before the deferred step
    waitForInitialisation(*window);

    const QString text = fileText();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (const QString& line :
         {QString("ProperlyClosed=no"), QString("VersionInfo=8.02 build 101"), QString("Maximized=yes"),
          QString("Left=%1").arg(screen.width() / 10), QString("Top=%1").arg(screen.height() / 10),
          QString("Width=%1").arg(screen.width() - 2 * (screen.width() / 10)),
          QString("Height=%1").arg(screen.height() - 2 * (screen.height() / 10)), QString("ConfirmCloseAll=yes"),
          QString("ActionWhenExit=0"), QString("KPSound=%1/kpp.wav").arg(m_dir.path()), QString("Skin=Nexos")})
        EXPECT_TRUE(text.contains(line + "\n")) << line.toStdString();
    // The general settings are recorded in the order they are read.
    EXPECT_LT(text.indexOf("ConfirmCloseAll="), text.indexOf("ConfirmCloseExcept="));
    EXPECT_LT(text.indexOf("EnableRecentPages="), text.indexOf("WebPageAutoComplete="));
    EXPECT_LT(text.indexOf("SearchPage="), text.indexOf("Proxy="));
}

TEST_F(MainWindowLifecycle, OrderlyCloseMarksTheRunAndWritesTheSettingsBack)
{
    auto window = create();
    waitForInitialisation(*window);
    m_settings.store().WriteSetting(core::key::Skin, "Mine");
    QSignalSpy closed(window.get(), &ui::TfrmPeltoBrowser::closed);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(window->state().IsExiting);
    EXPECT_FALSE(m_settings.store().isOpen());
    const QString text = fileText();
    EXPECT_TRUE(text.contains("ProperlyClosed=yes\n"));
    EXPECT_TRUE(text.contains("Skin=Mine\n"));
}

TEST_F(MainWindowLifecycle, StoredBoundsAreUsedOnlyWhenSensible)
{
    writeIni("[Pelto Browser Settings]\nLeft=20\nTop=30\nWidth=299\nHeight=400\nMaximized=no\n");
    auto window = create();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->pos(), QPoint(20, 30));
    EXPECT_EQ(window->size(), QSize(screen.width() - 2 * (screen.width() / 10), 400));
    EXPECT_FALSE(window->isMaximized());
}

TEST_F(MainWindowLifecycle, HandOversDuringStartOpenAfterTheCommandLine)
{
    writeIni("[Pelto Browser Settings]\nStartsWithHomePage=yes\n");
    auto window = create({"first", "two words"});
    // Arrives before the deferred initialisation: held back.
    window->receiveHandOver("  \"queued\"");
    window->receiveHandOver("");
    EXPECT_EQ(window->pageManager().pageCount(), 0);
    waitForInitialisation(*window);
    // The command line as one text first, then the queued text; no home page.
    EXPECT_EQ(navigations(), (QStringList {"first \"two words\"", "queued"}));
    window->receiveHandOver("later");
    EXPECT_EQ(navigations().value(2), "later");
}

TEST_F(MainWindowLifecycle, HomePageOpensWhenNothingElseDid)
{
    auto window = create();
    waitForInitialisation(*window);
    ASSERT_EQ(window->pageManager().pageCount(), 1);
    EXPECT_EQ(navigations(), QStringList {"about:blank"});  // the fake's start page

    writeIni("[Pelto Browser Settings]\nStartsWithHomePage=no\nActionWhenExit=2\n");
    test::FakeWebControlFactory others;
    platform::SettingsFile settings;
    settings.OpenSettings(m_iniPath);
    core::PendingOpens pending;
    ui::AppContext context;
    context.settings = &settings;
    context.keyStore = &m_keys;
    context.pendingOpens = &pending;
    context.webControls = &others;
    ui::TfrmPeltoBrowser second(context);
    waitForInitialisation(second);
    EXPECT_EQ(second.pageManager().pageCount(), 0);
}

TEST_F(MainWindowLifecycle, PageActionsFollowThePageCountAndCloseTakesEveryPage)
{
    writeIni("[Pelto Browser Settings]\nStartsWithHomePage=no\nActionWhenExit=2\n");
    auto window = create();
    waitForInitialisation(*window);
    QAction* close = window->actions().action("actClose");
    QAction* refresh = window->actions().action("actRefresh");
    EXPECT_FALSE(close->isEnabled());
    EXPECT_FALSE(refresh->isEnabled());
    for (int i = 0; i < 3; ++i)
        window->pageManager().OpenInNewPage("http://127.0.0.1:9/" + std::to_string(i));
    EXPECT_TRUE(close->isEnabled());
    EXPECT_TRUE(refresh->isEnabled());

    close->trigger();
    for (int i = 0; i < 100 && window->pageManager().pageCount() != 2; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    EXPECT_EQ(window->pageManager().pageCount(), 2);
    window->close();
    EXPECT_EQ(window->pageManager().pageCount(), 0);
    EXPECT_TRUE(fileText().contains("ProperlyClosed=yes\n"));
    // The last page's close emptied the display.
    EXPECT_EQ(window->windowTitle(), "Pelto Browser");
}

TEST_F(MainWindowLifecycle, FocusFilterKeepsTheAddressBoxAndTheActivePage)
{
    writeIni("[Pelto Browser Settings]\nStartsWithHomePage=no\nOpenMax=no\n");
    auto window = create();
    waitForInitialisation(*window);
    ui::PageManager& pages = window->pageManager();
    ui::TfrmPage* first = pages.CreatePage(false, true);
    ui::TfrmPage* second = pages.CreatePage(false, true);
    ASSERT_EQ(pages.activePage(), second);
    QWidget* activeView = second->WB()->widget();
    QWidget* backgroundView = first->WB()->widget();
    ui::FocusFilter& filter = window->focusFilter();

    // A background page may not take the focus from the active one.
    EXPECT_TRUE(filter.filterMove(activeView, backgroundView));
    // The active page itself, and other widgets, may.
    EXPECT_FALSE(filter.filterMove(backgroundView, activeView));
    EXPECT_FALSE(filter.filterMove(activeView, window->addressBox().lineEdit()));

    // While the user types an address no page may take the focus.
    window->state().AddressEditing = true;
    EXPECT_TRUE(filter.filterMove(window->addressBox().lineEdit(), activeView));
    EXPECT_FALSE(filter.filterMove(nullptr, window->addressBox().lineEdit()));

    // A page that insists wins after 31 refusals within the quiet period.
    int refused = filter.preventedCount();
    while (filter.filterMove(window->addressBox().lineEdit(), activeView))
        ++refused;
    EXPECT_EQ(refused, 31);
}

TEST_F(MainWindowLifecycle, ApplySettingsTakesChangedValues)
{
    auto window = create();
    waitForInitialisation(*window);
    EXPECT_TRUE(window->settings().ConfirmCloseAll);
    m_settings.store().WriteSetting(core::key::ConfirmCloseAll, "Yes");  // only "yes" is on
    m_settings.store().WriteSetting(core::key::StartupMode, "2");
    window->ApplySettings();
    EXPECT_FALSE(window->settings().ConfirmCloseAll);
    EXPECT_EQ(window->settings().StartupMode, 2);
}

}  // namespace
