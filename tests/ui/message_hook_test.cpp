#include "support/fake_web_control.h"
#include "ui/app/action_registry.h"
#include "ui/app/message_hook.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

using namespace pelto;

namespace {

// Records the keys, mouse presses and context menus that reach a widget.
class InputLog : public QObject {
public:
    explicit InputLog(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }

    QList<int> keys;
    QList<Qt::MouseButton> presses;
    int menus = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key < Qt::Key_Shift || key > Qt::Key_ScrollLock)  // not a modifier key of its own
                keys << key;
        }
        else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
            presses << static_cast<QMouseEvent*>(event)->button();
        else if (event->type() == QEvent::ContextMenu)
            ++menus;
        return false;
    }
};

// A main window cut down to what the hook looks at: a top dock with the address and search
// boxes, a side bar, one page window holding a fake page view, and a status label; the actions
// of the real action table, each recording its runs.
class MessageHookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* column = new QVBoxLayout(&m_window);
        m_topDock = new QWidget;
        auto* dockRow = new QHBoxLayout(m_topDock);
        m_address = new QLineEdit(QStringLiteral("http://example.org/"));
        m_search = new QComboBox;
        m_search->setEditable(true);
        dockRow->addWidget(m_address);
        dockRow->addWidget(m_search);
        column->addWidget(m_topDock);

        auto* body = new QHBoxLayout;
        m_sideBar = new QWidget;
        auto* sideColumn = new QVBoxLayout(m_sideBar);
        m_sideEdit = new QLineEdit;
        m_sideList = new QListWidget;
        m_sideList->addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
        m_sideList->setSelectionMode(QAbstractItemView::ExtendedSelection);
        sideColumn->addWidget(m_sideEdit);
        sideColumn->addWidget(m_sideList);
        body->addWidget(m_sideBar);
        m_pageWindow = new QWidget;
        auto* pageColumn = new QVBoxLayout(m_pageWindow);
        m_control = new test::FakeWebControl(m_pageWindow);
        m_view = m_control->widget();
        m_view->setMinimumSize(300, 300);
        pageColumn->addWidget(m_view);
        body->addWidget(m_pageWindow, 1);
        column->addLayout(body, 1);
        m_status = new QLabel(QStringLiteral("Done"));
        m_status->setFocusPolicy(Qt::StrongFocus);
        column->addWidget(m_status);

        m_actions = std::make_unique<ui::ActionRegistry>(&m_window);
        for (QAction* action : m_actions->actions()) {
            QObject::connect(action, &QAction::triggered, &m_window,
                             [this, name = action->objectName()] { m_ran << name; });
        }
        // A window shortcut on keys that web forms need, as another feature might add one.
        m_windowKeys = new QAction(&m_window);
        m_windowKeys->setShortcuts({QKeySequence(Qt::Key_Backspace), QKeySequence(Qt::Key_Delete), QKeySequence(Qt::Key_Left)});
        m_window.addAction(m_windowKeys);
        QObject::connect(m_windowKeys, &QAction::triggered, &m_window, [this] { m_ran << QStringLiteral("windowKeys"); });

        ui::MessageHook::Host host;
        host.window = &m_window;
        host.isExiting = [this] { return m_exiting; };
        host.activeView = [this] { return m_hasPage ? m_view : nullptr; };
        host.insideActivePage = [this](const QWidget* widget) { return m_hasPage && within(widget, m_view); };
        host.insideActivePageWindow = [this](const QWidget* widget) { return m_hasPage && within(widget, m_pageWindow); };
        host.addressBox = [this] { return m_address; };
        host.searchBox = [this] { return m_search; };
        host.addressBarVisible = [this] { return m_addressBarVisible; };
        host.searchBarVisible = [] { return true; };
        host.topDock = [this] { return m_topDock; };
        host.sideBar = [this] { return m_sideBar; };
        host.gesturesEnabled = [this] { return m_gestures; };
        host.setAddressEditing = [this](bool on) { m_addressEditing << on; };
        host.openUserClickWindow = [this] { ++m_userClicks; };
        m_hook = std::make_unique<ui::MessageHook>(*m_actions, std::move(host));
        m_hook->install();

        m_window.resize(900, 600);
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    void TearDown() override
    {
        m_hook.reset();
        // The mouse helpers remember held buttons across tests.
        QTest::mouseRelease(m_window.windowHandle(), Qt::NoButton);
    }

    static bool within(const QWidget* widget, const QWidget* area)
    {
        return widget && (widget == area || area->isAncestorOf(widget));
    }

    // Real mouse input, through the window as the windowing system delivers it, so that the
    // toolkit picks the widget under the mouse and asks for the context menu itself.
    QPoint at(QWidget* widget) const { return widget->mapTo(&m_window, widget->rect().center()); }
    void press(QWidget* widget, Qt::MouseButton button) { QTest::mousePress(m_window.windowHandle(), button, {}, at(widget)); }
    void release(QWidget* widget, Qt::MouseButton button) { QTest::mouseRelease(m_window.windowHandle(), button, {}, at(widget)); }
    void click(QWidget* widget, Qt::MouseButton button) { QTest::mouseClick(m_window.windowHandle(), button, {}, at(widget)); }

    void focus(QWidget* widget)
    {
        widget->setFocus(Qt::OtherFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), widget);
    }

    QWidget m_window;
    QWidget* m_topDock = nullptr;
    QLineEdit* m_address = nullptr;
    QComboBox* m_search = nullptr;
    QWidget* m_sideBar = nullptr;
    QLineEdit* m_sideEdit = nullptr;
    QListWidget* m_sideList = nullptr;
    QWidget* m_pageWindow = nullptr;
    test::FakeWebControl* m_control = nullptr;
    QWidget* m_view = nullptr;
    QLabel* m_status = nullptr;
    QAction* m_windowKeys = nullptr;
    std::unique_ptr<ui::ActionRegistry> m_actions;
    std::unique_ptr<ui::MessageHook> m_hook;

    bool m_exiting = false;
    bool m_hasPage = true;
    bool m_addressBarVisible = true;
    bool m_gestures = true;
    QStringList m_ran;
    QList<bool> m_addressEditing;
    int m_userClicks = 0;
};

enum class Where { AddressBox, Page, SideEdit };

struct KeyCase {
    Where where;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* runs;  // the action run once, or null
};

TEST_F(MessageHookTest, KeyTablesRunEachActionOnceWhereverTheFocusIs)
{
    const KeyCase cases[] = {
        {Where::AddressBox, Qt::Key_W, Qt::ControlModifier, "actClose"},
        {Where::Page, Qt::Key_W, Qt::ControlModifier, "actClose"},
        {Where::Page, Qt::Key_F4, Qt::ControlModifier | Qt::ShiftModifier, "actCloseAll"},
        {Where::AddressBox, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier, "actRefreshAll"},
        // These also have window shortcuts of their own, which must not run them a second time.
        {Where::Page, Qt::Key_F5, {}, "actRefresh"},
        {Where::AddressBox, Qt::Key_Escape, {}, "actStop"},
        {Where::Page, Qt::Key_Escape, Qt::ShiftModifier, "actStopAll"},
        {Where::Page, Qt::Key_Left, Qt::AltModifier, "actBack"},
        {Where::SideEdit, Qt::Key_Home, Qt::AltModifier, "actHome"},
        {Where::SideEdit, Qt::Key_F7, Qt::ShiftModifier, "actPreviousPage"},
        {Where::Page, Qt::Key_F8, {}, "actNextPage"},
        {Where::Page, Qt::Key_Up, Qt::ControlModifier, "actPreviousPage"},
        {Where::Page, Qt::Key_Tab, Qt::ControlModifier, "actNextPage"},
        {Where::Page, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, "actPreviousPage"},
        // Actions the program does not have yet leave the key to the widget.
        {Where::AddressBox, Qt::Key_L, Qt::ControlModifier, nullptr},
        {Where::Page, Qt::Key_F11, {}, nullptr},
    };
    InputLog addressLog(m_address), pageLog(m_view), sideLog(m_sideEdit);
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << std::hex << c.key << " modifiers " << c.modifiers.toInt());
        QWidget* widget = c.where == Where::AddressBox ? static_cast<QWidget*>(m_address)
            : c.where == Where::Page                   ? m_view
                                                       : m_sideEdit;
        InputLog& log = c.where == Where::AddressBox ? addressLog : c.where == Where::Page ? pageLog : sideLog;
        focus(widget);
        m_ran.clear();
        log.keys.clear();
        QTest::keyClick(widget, c.key, c.modifiers);
        if (c.runs) {
            EXPECT_EQ(m_ran, QStringList {QString::fromLatin1(c.runs)});
            EXPECT_FALSE(log.keys.contains(c.key));
        } else {
            EXPECT_TRUE(m_ran.isEmpty());
            EXPECT_TRUE(log.keys.contains(c.key));
        }
    }
}

TEST_F(MessageHookTest, DisabledActionOrExitingLeavesTheKeyAlone)
{
    InputLog log(m_view);
    focus(m_view);
    m_actions->action("actRefresh")->setEnabled(false);
    QTest::keyClick(m_view, Qt::Key_F5);
    EXPECT_TRUE(m_ran.isEmpty());
    EXPECT_EQ(log.keys, QList<int> {Qt::Key_F5});

    m_actions->action("actRefresh")->setEnabled(true);
    m_exiting = true;
    QTest::keyClick(m_view, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(m_ran.isEmpty());
}

TEST_F(MessageHookTest, DialogsKeepTheirOwnKeys)
{
    QDialog dialog(&m_window);
    auto* edit = new QLineEdit(&dialog);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(m_ran.isEmpty());
    EXPECT_FALSE(dialog.isVisible());  // Esc closed the dialog rather than stopping the page
}

TEST_F(MessageHookTest, AltGrTypesItsCharacter)
{
    focus(m_sideEdit);
    QApplication::clipboard()->setText(QStringLiteral("before"));

    // Ctrl with Alt is how the right Alt key arrives from some keyboards: a character, not Ctrl+C.
    QTest::sendKeyEvent(QTest::Click, m_sideEdit, Qt::Key_C, QStringLiteral("\u00a9"), Qt::ControlModifier | Qt::AltModifier);
    // On X11 the right Alt key comes first as a key of its own; what it types may also carry Alt.
    QTest::sendKeyEvent(QTest::Press, m_sideEdit, Qt::Key_AltGr, QString(), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, m_sideEdit, Qt::Key_D, QStringLiteral("\u00f0"), Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Click, m_sideEdit, Qt::Key_W, QStringLiteral("\u0142"), Qt::ControlModifier | Qt::GroupSwitchModifier);
    QTest::sendKeyEvent(QTest::Release, m_sideEdit, Qt::Key_AltGr, QString(), Qt::NoModifier);

    EXPECT_EQ(m_sideEdit->text(), QStringLiteral("\u00a9\u00f0\u0142"));
    EXPECT_EQ(QApplication::focusWidget(), m_sideEdit);  // Alt+D did not move to the address box
    EXPECT_TRUE(m_ran.isEmpty());                        // nor Ctrl+W close the page
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));

    // Once the right Alt key is up, Alt+D is the shortcut again.
    QTest::keyClick(m_sideEdit, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), m_address);
}

TEST_F(MessageHookTest, EditKeysGoToThePageInsideItAndToOtherWidgetsOwnEditing)
{
    InputLog log(m_view);
    focus(m_view);
    QTest::keyClick(m_view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(log.keys, QList<int> {Qt::Key_C});

    // A list selects all its items itself.
    focus(m_sideList);
    QTest::keyClick(m_sideList, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(m_sideList->selectedItems().size(), 3);

    focus(m_search);
    m_search->setEditText(QStringLiteral("query"));
    m_search->lineEdit()->selectAll();
    QTest::keyClick(m_search, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("query"));
    EXPECT_TRUE(m_search->currentText().isEmpty());
}

TEST_F(MessageHookTest, FocusKeysMoveToTheBoxesOnlyWhileTheirBarsShow)
{
    focus(m_view);
    QTest::keyClick(m_view, Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), m_address);
    EXPECT_EQ(m_address->selectedText(), m_address->text());

    focus(m_view);
    QTest::keyClick(m_view, Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(within(QApplication::focusWidget(), m_search));

    m_addressBarVisible = false;
    InputLog log(m_view);
    focus(m_view);
    QTest::keyClick(m_view, Qt::Key_F6);
    QTest::keyClick(m_view, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), m_view);
    EXPECT_EQ(log.keys, (QList<int> {Qt::Key_F6, Qt::Key_D}));
}

TEST_F(MessageHookTest, PageKeysReachThePagePastTheWindowShortcuts)
{
    InputLog log(m_view);
    for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Return}) {
        SCOPED_TRACE(key);
        focus(m_view);
        log.keys.clear();
        QTest::keyClick(m_view, key);
        EXPECT_EQ(log.keys, QList<int> {key});
    }
    EXPECT_TRUE(m_ran.isEmpty());
    EXPECT_EQ(m_userClicks, 1);  // Enter in the page counts as the user's own action

    // Outside the page the window's shortcut has the key.
    focus(m_status);
    QTest::keyClick(m_status, Qt::Key_Backspace);
    EXPECT_EQ(m_ran, QStringList {QStringLiteral("windowKeys")});
}

TEST_F(MessageHookTest, BrowserKeysRunTheirActionsAndAreAlwaysSwallowed)
{
    const std::pair<Qt::Key, const char*> cases[] = {
        {Qt::Key_Back, "actBack"},       {Qt::Key_Forward, "actForward"}, {Qt::Key_Refresh, "actRefresh"},
        {Qt::Key_Stop, "actStop"},       {Qt::Key_HomePage, "actHome"},   {Qt::Key_Search, nullptr},
        {Qt::Key_Favorites, nullptr},
    };
    InputLog log(m_view);
    focus(m_view);
    for (const auto& [key, action] : cases) {
        SCOPED_TRACE(key);
        m_ran.clear();
        QTest::keyClick(m_view, key);
        EXPECT_EQ(m_ran, action ? QStringList {QString::fromLatin1(action)} : QStringList {});
    }
    EXPECT_TRUE(log.keys.isEmpty());
}

TEST_F(MessageHookTest, RightHeldAndLeftClickGoesBackWithoutAMenu)
{
    InputLog log(m_view);
    press(m_view, Qt::RightButton);
    click(m_view, Qt::LeftButton);
    release(m_view, Qt::RightButton);
    EXPECT_EQ(m_ran, QStringList {QStringLiteral("actBack")});
    EXPECT_TRUE(log.presses.isEmpty());
    EXPECT_EQ(log.menus, 0);

    // The next plain right click is the user's own and brings its menu.
    click(m_view, Qt::RightButton);
    EXPECT_EQ(log.presses, QList<Qt::MouseButton> {Qt::RightButton});
    EXPECT_EQ(log.menus, 1);
    EXPECT_EQ(m_ran.size(), 1);
}

TEST_F(MessageHookTest, LeftHeldAndRightClickGoesForwardWithoutAMenu)
{
    InputLog log(m_view);
    press(m_view, Qt::LeftButton);
    click(m_view, Qt::RightButton);
    release(m_view, Qt::LeftButton);
    EXPECT_EQ(m_ran, QStringList {QStringLiteral("actForward")});
    EXPECT_EQ(log.presses, QList<Qt::MouseButton> {Qt::LeftButton});
    EXPECT_EQ(log.menus, 0);
}

TEST_F(MessageHookTest, WithoutGesturesTheRightButtonBelongsToThePage)
{
    m_gestures = false;
    InputLog log(m_view);
    press(m_view, Qt::RightButton);
    EXPECT_EQ(log.presses, QList<Qt::MouseButton> {Qt::RightButton});
    EXPECT_EQ(log.menus, 1);
    click(m_view, Qt::LeftButton);
    release(m_view, Qt::RightButton);
    EXPECT_TRUE(m_ran.isEmpty());
}

TEST_F(MessageHookTest, ExtraButtonsGoBackAndForwardAnywhereInTheWindow)
{
    InputLog pageLog(m_view), addressLog(m_address);
    click(m_view, Qt::BackButton);
    click(m_address, Qt::ForwardButton);
    EXPECT_EQ(m_ran, (QStringList {QStringLiteral("actBack"), QStringLiteral("actForward")}));
    EXPECT_TRUE(pageLog.presses.isEmpty());
    EXPECT_TRUE(addressLog.presses.isEmpty());
}

TEST_F(MessageHookTest, LeftClicksInsideThePageOpenTheUserClickWindow)
{
    struct Case {
        QWidget* widget;
        int userClicks;
        bool endsAddressEditing;
    };
    const Case cases[] = {
        {m_view, 2, true},  // the press and the release
        {m_address, 0, false},
        {m_sideEdit, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.widget->metaObject()->className());
        m_userClicks = 0;
        m_addressEditing.clear();
        click(c.widget, Qt::LeftButton);
        EXPECT_EQ(m_userClicks, c.userClicks);
        EXPECT_EQ(m_addressEditing, c.endsAddressEditing ? QList<bool> {false} : QList<bool> {});
    }

    // The page's window around its view is not the page.
    m_userClicks = 0;
    QTest::mouseClick(m_window.windowHandle(), Qt::LeftButton, {}, m_pageWindow->mapTo(&m_window, QPoint(2, 2)));
    EXPECT_EQ(m_userClicks, 0);

    // A click the program makes up itself is no user's.
    m_userClicks = 0;
    QMouseEvent made(QEvent::MouseButtonPress, QPointF(5, 5), m_view->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_view, &made);
    EXPECT_EQ(m_userClicks, 0);
}

TEST_F(MessageHookTest, MiddleClicksReachThePageUnchanged)
{
    InputLog log(m_view);
    click(m_view, Qt::MiddleButton);
    EXPECT_EQ(log.presses, QList<Qt::MouseButton> {Qt::MiddleButton});
    EXPECT_TRUE(m_ran.isEmpty());
    EXPECT_EQ(m_userClicks, 0);
}

TEST_F(MessageHookTest, WheelFocusesThePageUnlessTurnedOverTheBars)
{
    struct Case {
        QWidget* over;
        bool hasPage;
        bool focusesPage;
    };
    const Case cases[] = {
        {m_view, true, true},
        {m_status, true, true},
        {m_sideList, true, false},
        {m_address, true, false},
        {m_status, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.over->metaObject()->className());
        m_hasPage = c.hasPage;
        focus(m_sideEdit);
        const QPointF local = QRectF(c.over->rect()).center();
        QWheelEvent wheel(local, c.over->mapToGlobal(local), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        qApp->notify(c.over, &wheel);
        EXPECT_EQ(QApplication::focusWidget(), c.focusesPage ? m_view : static_cast<QWidget*>(m_sideEdit));
    }
}

}  // namespace
