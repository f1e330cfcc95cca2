#include "core/app/pending_opens.h"
#include "core/app/settings_keys.h"
#include "platform/key_store.h"
#include "platform/settings_file.h"
#include "ui/app/main_window.h"

#include <QFile>
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
    EXPECT_TRUE(window->IsExiting);
    EXPECT_FALSE(m_settings.store().isOpen());
    const QString text = fileText();
    EXPECT_TRUE(text.contains("ProperlyClosed=yes\n"));
    EXPECT_TRUE(text.contains("Skin=Mine\n"));
}

TEST_F(MainWindowLifecycle, StoredBoundsAreUsedOnlyWhenSensible)
{
    QFile file(m_iniPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Pelto Browser Settings]\nLeft=20\nTop=30\nWidth=299\nHeight=400\nMaximized=no\n");
    file.close();
    auto window = create();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(window->pos(), QPoint(20, 30));
    EXPECT_EQ(window->size(), QSize(screen.width() - 2 * (screen.width() / 10), 400));
    EXPECT_FALSE(window->isMaximized());
}

TEST_F(MainWindowLifecycle, HandOversDuringStartOpenAfterTheCommandLine)
{
    auto window = create({"first"});
    // Arrives before the deferred initialisation: held back.
    window->receiveHandOver("queued");
    window->receiveHandOver("");
    EXPECT_TRUE(m_pending.starting());
    waitForInitialisation(*window);
    EXPECT_FALSE(m_pending.starting());
    EXPECT_TRUE(m_pending.finishStartup().empty());  // everything queued was taken
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
