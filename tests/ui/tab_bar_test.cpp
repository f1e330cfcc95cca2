#include "support/fake_web_control.h"
#include "ui/app/shared_state.h"
#include "ui/pages/page.h"
#include "ui/pages/page_display.h"
#include "ui/pages/page_manager.h"
#include "ui/pages/page_pictures.h"
#include "ui/pages/tab_bar.h"

#include <QCoreApplication>
#include <QImage>
#include <QMdiArea>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace pelto;
using ui::TabBar;
using ui::TfrmPage;
using ui::TTabButton;

namespace {

// The main window's display, of which the tab bar only uses the address box.
class RecordingDisplay : public ui::PageDisplay {
public:
    void showCaption(const QString&) override {}
    void showAddress(const QString& text) override { address = text; }
    void showStatusText(const QString&) override {}
    void showProgress(int, int) override {}
    void showSecureState(int) override {}
    void showSiteIcon(const QPixmap&) override {}
    void refreshBackMenu(const QStringList&) override {}
    void refreshForwardMenu(const QStringList&) override {}
    void clearPageDisplay() override {}
    void focusAddressBox() override {}
    QString address;
};

// A window with a page area and an 800-wide tab bar above it, pages on fake controls made by a
// real page manager.
class TabBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_state.settings.OpenMax = false;
        m_state.settings.PopupForeground = true;
        m_window.resize(800, 600);
        m_area = new QMdiArea(&m_window);
        m_area->setGeometry(0, 100, 800, 500);
        ui::PageManager::Services services;
        services.area = m_area;
        services.mainWindow = &m_window;
        services.state = &m_state;
        services.display = &m_display;
        services.factory = &m_controls;
        services.pictures = &m_pictures;
        m_pages = std::make_unique<ui::PageManager>(services);
        m_bar = new TabBar(*m_pages, m_state.settings, m_pictures, &m_window);
        m_bar->resize(800, m_bar->height());
        m_window.show();
    }

    void TearDown() override
    {
        // The pages report their end to the manager and so to the bar: they go first.
        delete m_area;
        m_pages.reset();
    }

    QList<TfrmPage*> openPages(int count)
    {
        QList<TfrmPage*> pages;
        for (int i = 0; i < count; ++i)
            pages << m_pages->CreatePage(false, true);
        return pages;
    }

    // Runs the posted close requests and the deletions they lead to.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QList<TfrmPage*> pagesInSlotOrder() const
    {
        QList<TfrmPage*> pages;
        for (TTabButton* tab : m_bar->tabsInSlotOrder())
            pages << tab->page();
        return pages;
    }

    static QPoint centre(const QWidget* widget) { return widget->rect().center(); }

    QWidget m_window;
    QMdiArea* m_area = nullptr;
    ui::SharedState m_state;
    RecordingDisplay m_display;
    test::FakeWebControlFactory m_controls;
    ui::PagePictures m_pictures;
    std::unique_ptr<ui::PageManager> m_pages;
    TabBar* m_bar = nullptr;
};

TEST_F(TabBarTest, TabsFollowThePagesAndCloseTheGapsTheyLeave)
{
    EXPECT_EQ(m_bar->objectName(), "tbtTabs");
    const QList<TfrmPage*> pages = openPages(3);
    QList<TTabButton*> tabs = m_bar->tabsInSlotOrder();
    ASSERT_EQ(tabs.size(), 3);
    EXPECT_EQ(tabs[0]->geometry(), QRect(1, 0, 160, 22));
    EXPECT_TRUE(tabs[0]->isVisible());
    EXPECT_EQ(m_bar->height(), 22);
    EXPECT_EQ(pagesInSlotOrder(), pages);

    pages[1]->close();
    settle();
    tabs = m_bar->tabsInSlotOrder();
    ASSERT_EQ(tabs.size(), 2);
    EXPECT_EQ(tabs[1]->page(), pages[2]);
    EXPECT_EQ(tabs[1]->TabSlot(), 1);
    EXPECT_EQ(pages[2]->TabButton.slot, 1);
    EXPECT_EQ(tabs[1]->geometry(), QRect(162, 0, 160, 22));
    EXPECT_EQ(m_bar->pageAt(QPoint(200, 10)), pages[2]);
    EXPECT_EQ(m_bar->pageAt(QPoint(600, 10)), nullptr);

    // 20 tabs on 800 take two rows of 60-wide tabs.
    openPages(18);
    EXPECT_EQ(m_bar->height(), 45);
    EXPECT_EQ(m_bar->tabsInSlotOrder().last()->geometry(), QRect(367, 23, 60, 22));
    m_bar->resize(1000, m_bar->height());
    EXPECT_EQ(m_bar->tabsInSlotOrder().last()->geometry(), QRect(187, 23, 61, 22));
}

TEST_F(TabBarTest, ClickActivatesThePageAndOnlyTheActiveTabIsDown)
{
    const QList<TfrmPage*> pages = openPages(3);
    TTabButton* first = m_bar->tabOf(pages[0]);
    ASSERT_EQ(m_pages->activePage(), pages[2]);
    EXPECT_TRUE(m_bar->tabOf(pages[2])->isChecked());
    pages[0]->PageAddress = "http://127.0.0.1:9/first";

    QTest::mouseClick(first, Qt::LeftButton, {}, centre(first));
    EXPECT_EQ(m_pages->activePage(), pages[0]);
    EXPECT_EQ(m_display.address, "http://127.0.0.1:9/first");
    for (TTabButton* tab : m_bar->tabsInSlotOrder())
        EXPECT_EQ(tab->isChecked(), tab == first);

    // Activation from elsewhere moves the down tab too.
    m_pages->activatePage(pages[1]);
    EXPECT_TRUE(m_bar->tabOf(pages[1])->isChecked());
    EXPECT_FALSE(first->isChecked());

    // Ctrl+click closes the page without activating it.
    QTest::mouseClick(m_bar->tabOf(pages[2]), Qt::LeftButton, Qt::ControlModifier, centre(first));
    EXPECT_EQ(m_pages->activePage(), pages[1]);
    settle();
    EXPECT_EQ(m_pages->pageCount(), 2);
    EXPECT_EQ(m_bar->tabsInSlotOrder().size(), 2);
}

TEST_F(TabBarTest, MiddleAndDoubleClicksCloseOnlyWhenSwitchedOn)
{
    const QList<TfrmPage*> pages = openPages(2);
    m_state.settings.MClickClose = false;
    m_state.settings.LDbClickClose = false;
    TTabButton* first = m_bar->tabOf(pages[0]);
    QTest::mouseClick(first, Qt::MiddleButton, {}, centre(first));
    // A double click is a click followed by the double-click event: it only activates the page.
    QTest::mouseClick(first, Qt::LeftButton, {}, centre(first));
    QTest::mouseDClick(first, Qt::LeftButton, {}, centre(first));
    settle();
    EXPECT_EQ(m_pages->pageCount(), 2);
    EXPECT_EQ(m_pages->activePage(), pages[0]);

    // A middle button let go outside the tab is no click.
    QTest::mousePress(first, Qt::MiddleButton, {}, centre(first));
    QTest::mouseRelease(first, Qt::MiddleButton, {}, QPoint(-5, 5));
    m_state.settings.MClickClose = true;
    settle();
    EXPECT_EQ(m_pages->pageCount(), 2);

    QTest::mouseClick(first, Qt::MiddleButton, {}, centre(first));
    settle();
    EXPECT_EQ(m_pages->pages(), QList<TfrmPage*> {pages[1]});

    m_state.settings.LDbClickClose = true;
    TTabButton* second = m_bar->tabOf(pages[1]);
    QTest::mouseDClick(second, Qt::LeftButton, {}, centre(second));
    settle();
    EXPECT_EQ(m_pages->pageCount(), 0);
    EXPECT_TRUE(m_bar->tabsInSlotOrder().isEmpty());
}

TEST_F(TabBarTest, DoubleClickOnTheEmptyBarAsksForANewPage)
{
    const QList<TfrmPage*> pages = openPages(1);
    m_state.settings.LDbClickClose = false;
    QSignalSpy spy(m_bar, &TabBar::newPageRequested);
    QTest::mouseDClick(m_bar->tabOf(pages[0]), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseDClick(m_bar, Qt::LeftButton, {}, QPoint(700, 10));
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(TabBarTest, RightClickShowsTheTabPressedOnlyWhileTheMenuIsOpen)
{
    const QList<TfrmPage*> pages = openPages(2);
    TTabButton* first = m_bar->tabOf(pages[0]);
    bool pressedDuringMenu = false;
    TfrmPage* menuPage = nullptr;
    QObject::connect(m_bar, &TabBar::tabMenuRequested, m_bar, [&](TfrmPage* page, QPoint) {
        pressedDuringMenu = first->isDown();
        menuPage = m_state.TabMenuPage;
        EXPECT_EQ(page, pages[0]);
    });
    QTest::mouseClick(first, Qt::RightButton, {}, centre(first));
    EXPECT_TRUE(pressedDuringMenu);
    EXPECT_EQ(menuPage, pages[0]);
    EXPECT_FALSE(first->isDown());
    EXPECT_FALSE(first->isChecked());
    EXPECT_EQ(m_pages->activePage(), pages[1]);
}

TEST_F(TabBarTest, CaptionWithAnAmpersandShowsTheAmpersand)
{
    const QList<TfrmPage*> pages = openPages(2);
    emit m_controls.controls[0]->TitleChange("Tom & Jerry");
    TTabButton* tab = m_bar->tabOf(pages[0]);
    ASSERT_EQ(tab->text(), "Tom && Jerry");
    ASSERT_FALSE(tab->isChecked());
    EXPECT_EQ(tab->toolTip(), "Tom & Jerry");

    QImage shown(tab->size(), QImage::Format_ARGB32_Premultiplied);
    shown.fill(Qt::white);
    tab->render(&shown, QPoint(), QRegion(), QWidget::DrawChildren);

    // The caption as plain text where the tab puts it: right of the 18-wide glyph.
    QImage expected(tab->size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.setFont(tab->font());
        painter.setPen(tab->palette().color(QPalette::ButtonText));
        const int height = QFontMetrics(tab->font()).height();
        painter.drawText(QRect(26, (22 - height) / 2, 130, height), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         "Tom & Jerry");
    }
    const QRect caption(26, 1, 130, 20);
    EXPECT_EQ(shown.copy(caption), expected.copy(caption));
    EXPECT_NE(shown.copy(caption), QImage(caption.size(), shown.format()).copy());
}

TEST_F(TabBarTest, DraggingATabMovesItAndRenumbersTheOthers)
{
    const QList<TfrmPage*> pages = openPages(4);
    TTabButton* dragged = m_bar->tabOf(pages[0]);
    const QPoint start = centre(dragged);

    // Below the threshold nothing starts.
    QTest::mousePress(dragged, Qt::LeftButton, {}, start);
    QTest::mouseMove(dragged, start + QPoint(3, 3));
    EXPECT_EQ(m_bar->dragSource(), -1);

    // Over the right half of the third tab: the marker stands after it.
    const QPoint overThird = dragged->mapFrom(m_bar, QPoint(2 * 161 + 1 + 120, 10));
    QTest::mouseMove(dragged, start + QPoint(10, 0));
    EXPECT_EQ(m_bar->dragSource(), 0);
    QTest::mouseMove(dragged, overThird);
    EXPECT_EQ(m_bar->dropMarker(), QPoint(3 * 161, 0));
    QTest::mouseRelease(dragged, Qt::LeftButton, {}, overThird);

    EXPECT_EQ(pagesInSlotOrder(), (QList<TfrmPage*> {pages[1], pages[2], pages[0], pages[3]}));
    EXPECT_EQ(dragged->geometry(), QRect(2 * 161 + 1, 0, 160, 22));
    EXPECT_EQ(pages[1]->TabButton.slot, 0);
    EXPECT_EQ(pages[0]->TabButton.slot, 2);
    EXPECT_EQ(m_bar->dragSource(), -1);
    EXPECT_EQ(m_bar->dropMarker(), QPoint(-1, -1));
    EXPECT_EQ(m_pages->activePage(), pages[3]);  // a drag is no click

    // Dropped just right of itself, or let go outside the bar, a tab stays.
    const QPoint here = centre(dragged);
    QTest::mousePress(dragged, Qt::LeftButton, {}, here);
    QTest::mouseMove(dragged, here + QPoint(30, 0));
    QTest::mouseRelease(dragged, Qt::LeftButton, {}, here + QPoint(30, 0));
    QTest::mousePress(dragged, Qt::LeftButton, {}, here);
    QTest::mouseMove(dragged, dragged->mapFrom(m_bar, QPoint(5, 10)));
    QTest::mouseRelease(dragged, Qt::LeftButton, {}, dragged->mapFrom(m_bar, QPoint(5, 300)));
    EXPECT_EQ(pagesInSlotOrder(), (QList<TfrmPage*> {pages[1], pages[2], pages[0], pages[3]}));
    EXPECT_EQ(m_bar->dropMarker(), QPoint(-1, -1));
}

}  // namespace
