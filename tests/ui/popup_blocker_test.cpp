#include "ui/app/action_registry.h"
#include "ui/app/shared_state.h"
#include "ui/pages/popup_blocker.h"
#include "ui/pages/web_control.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace pelto;
using ui::NewWindowAnswer;
using ui::NewWindowKind;

namespace {

// A blocker on a status bar of its own, with a widget that stands for the active page's view.
class PopupBlockerTest : public ::testing::Test {
protected:
    PopupBlockerTest()
    {
        m_state.settings.KPSound = "/program/kpp.wav";
        ui::PopupBlocker::Services services;
        services.state = &m_state;
        services.statusBar = &m_statusBar;
        services.writeSwitch = [this](std::string_view key, bool on) { m_written << QString("%1=%2").arg(QString::fromUtf8(key.data(), int(key.size()))).arg(on); };
        services.insideActivePage = [this](const QObject* object) { return object == &m_pageView; };
        services.playSound = [this](const QString& file) { m_sounds << file; };
        m_blocker = std::make_unique<ui::PopupBlocker>(std::move(services));
        m_blocker->attach(m_actions);
        m_pageView.resize(200, 200);
        m_otherWidget.resize(200, 200);
    }

    NewWindowAnswer ask(NewWindowKind kind = NewWindowKind::Window, bool userInitiated = false)
    {
        const ui::NewWindowRequest request(kind, QUrl("http://127.0.0.1:9/popup"), userInitiated);
        return m_blocker->decide(nullptr, request);
    }

    ui::SharedState m_state;
    QStatusBar m_statusBar;
    QWidget m_owner;
    ui::ActionRegistry m_actions {&m_owner};
    QWidget m_pageView;
    QWidget m_otherWidget;
    QStringList m_written;
    QStringList m_sounds;
    std::unique_ptr<ui::PopupBlocker> m_blocker;
};

TEST_F(PopupBlockerTest, UnaskedWindowsAreCountedAnnouncedAndRefused)
{
    EXPECT_EQ(m_blocker->counter()->text(), "0 ");
    EXPECT_EQ(ask(), NewWindowAnswer::Refuse);
    EXPECT_EQ(ask(NewWindowKind::ForegroundTab, true), NewWindowAnswer::Refuse);  // no click of the user's seen
    EXPECT_EQ(m_blocker->counter()->text(), "2 ");
    EXPECT_EQ(m_sounds, (QStringList {"/program/kpp.wav", "/program/kpp.wav"}));
    EXPECT_FALSE(m_blocker->volumePicture()->isHidden());
    EXPECT_TRUE(m_blocker->mutePicture()->isHidden());

    // Silent with the sound switched off, and the mute picture shows.
    m_actions.action("actKPPlaySound")->trigger();
    EXPECT_FALSE(m_state.settings.KPPlaySound);
    EXPECT_EQ(m_written.last(), "KPPlaySound=0");
    EXPECT_EQ(ask(), NewWindowAnswer::Refuse);
    EXPECT_EQ(m_sounds.size(), 2);
    EXPECT_TRUE(m_blocker->volumePicture()->isHidden());
    EXPECT_FALSE(m_blocker->mutePicture()->isHidden());

    // A double click on the counter sets it back.
    QTest::mouseDClick(m_blocker->counter(), Qt::LeftButton);
    EXPECT_EQ(m_blocker->counter()->text(), "0 ");
}

TEST_F(PopupBlockerTest, OneClickLetsOneWindowThroughAndTheContextMenuItsOwn)
{
    m_blocker->OpenUserClickWindow();
    EXPECT_EQ(ask(), NewWindowAnswer::Open);
    EXPECT_EQ(ask(), NewWindowAnswer::Refuse);  // the click is used up

    // A choice in the page's context menu: the click on the menu item does not end it.
    m_blocker->contextMenuShown();
    EXPECT_EQ(ask(), NewWindowAnswer::Open);

    // The context menu's grace ends with the next press outside it.
    m_blocker->contextMenuShown();
    QTest::mousePress(&m_otherWidget, Qt::LeftButton);
    EXPECT_EQ(ask(), NewWindowAnswer::Refuse);

    // The blocker switched off lets everything through, and writes its setting.
    m_actions.action("actBlock")->trigger();
    EXPECT_FALSE(m_state.settings.StopAutoPopup);
    EXPECT_EQ(m_written.last(), "StopAutoPopup=0");
    EXPECT_EQ(ask(), NewWindowAnswer::Open);
    EXPECT_EQ(m_blocker->counter()->text(), "2 ");
}

TEST_F(PopupBlockerTest, MiddleClickedLinksOpenBehindOrInFrontAsTheSwitchesSay)
{
    struct Case {
        bool enableMOpen;
        bool openBehind;
        NewWindowAnswer expected;
    } cases[] = {
        {true, true, NewWindowAnswer::OpenBehind},
        {true, false, NewWindowAnswer::OpenInFront},
        {false, true, NewWindowAnswer::Open},
    };
    for (const Case& c : cases) {
        m_state.settings.EnableMOpen = c.enableMOpen;
        m_state.settings.sMOpenBackG = c.openBehind;
        QTest::mousePress(&m_pageView, Qt::MiddleButton);
        QTest::mouseRelease(&m_pageView, Qt::MiddleButton);
        EXPECT_EQ(ask(NewWindowKind::BackgroundTab, true), c.expected) << c.enableMOpen << c.openBehind;
    }
    // A middle click elsewhere, or a script's request after a middle click, is no link the user chose.
    QTest::mousePress(&m_otherWidget, Qt::MiddleButton);
    EXPECT_EQ(ask(NewWindowKind::BackgroundTab, true), NewWindowAnswer::Refuse);
    QTest::mousePress(&m_pageView, Qt::MiddleButton);
    EXPECT_EQ(ask(NewWindowKind::Window, false), NewWindowAnswer::Refuse);
}

}  // namespace
