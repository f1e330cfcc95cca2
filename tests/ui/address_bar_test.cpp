#include "core/app/general_settings.h"
#include "core/navigation/address_rules.h"
#include "platform/key_store.h"
#include "platform/typed_addresses_store.h"
#include "ui/app/action_registry.h"
#include "ui/navigation/address_bar.h"
#include "ui/navigation/address_box.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace pelto;

namespace {

// Where the bar sent an address.
struct Opened {
    QString address;
    bool newPage = false;
    bool operator==(const Opened&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Opened& opened)
{
    return out << (opened.newPage ? "new page: " : "active page: ") << opened.address.left(80).toStdString();
}

// An address bar on a plain window, with a host that records what the bar asks of it.
class AddressBarTest : public ::testing::Test {
protected:
    void SetUp() override { build(); }

    // (Re)builds the window and the bar, so that a test can change the program folder first.
    void build()
    {
        m_window.reset();
        m_window = std::make_unique<QMainWindow>();
        m_actions = new ui::ActionRegistry(m_window.get());
        ui::AddressBar::Host host;
        host.hasPage = [this] { return m_hasPage; };
        host.activePageTitle = [this] { return m_pageTitle; };
        host.openInActivePage = [this](const QString& address) { m_opened.push_back({address, false}); };
        host.openInNewPage = [this](const QString& address) { m_opened.push_back({address, true}); };
        host.setAddressEditing = [this](bool on) { m_editing.push_back(on); };
        host.keyboardModifiers = [this] { return m_modifiers; };
        host.clipboardHasText = [this] { return m_clipboard.has_value(); };
        host.clipboardText = [this] { return m_clipboard.value_or(QString()); };
        host.initialised = [this] { return m_initialised; };
        m_bar = new ui::AddressBar(host, m_settings, m_keys, m_programDir.path(), *m_actions, m_window.get());
        m_toolbar = new QToolBar(m_window.get());
        m_window->addToolBar(m_toolbar);
        m_bar->fillToolBar(m_toolbar);
    }

    ui::AddressBox& box() { return m_bar->box(); }
    QLineEdit& edit() { return *box().lineEdit(); }
    QAction& action(const char* name) { return *m_actions->action(name); }

    // Types the text into the box key by key, then presses Enter with the modifiers.
    void typeAndEnter(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        box().setText(QString());
        QTest::keyClicks(&edit(), text);
        QTest::keyClick(&edit(), Qt::Key_Return, modifiers);
    }

    // Puts the text into the box as a paste would, then presses Enter.
    void pasteAndEnter(const QString& text)
    {
        box().setText(QString());
        QGuiApplication::clipboard()->setText(text);
        edit().paste();
        QTest::keyClick(&edit(), Qt::Key_Return);
    }

    // Lets pending resizes and layouts run.
    static void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QCoreApplication::processEvents();
        }
    }

    core::TypedAddressList storedList() { return platform::TypedAddressesStore(m_keys).load(); }

    // Copies a test plug-in into the program folder under the name the bar looks for.
    void installPlugin(const char* path)
    {
        QFile::remove(m_programDir.filePath("cnstd.so"));
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(path), m_programDir.filePath("cnstd.so")));
        build();
    }

    QTemporaryDir m_programDir;
    platform::MemoryKeyStore m_keys;
    core::GeneralSettings m_settings;
    bool m_hasPage = true;
    bool m_initialised = true;
    QString m_pageTitle = QStringLiteral("Page Title");
    Qt::KeyboardModifiers m_modifiers = Qt::NoModifier;
    std::optional<QString> m_clipboard;
    std::vector<Opened> m_opened;
    std::vector<bool> m_editing;
    // Last, so that the window and the bar go before what their host refers to.
    std::unique_ptr<QMainWindow> m_window;
    ui::ActionRegistry* m_actions = nullptr;
    ui::AddressBar* m_bar = nullptr;
    QToolBar* m_toolbar = nullptr;
};

TEST_F(AddressBarTest, EnterCleansCompletesAndPrefixesTheTypedText)
{
    // Relative names are looked up from the current folder.
    ASSERT_TRUE(QDir(m_programDir.path()).mkdir("folder"));
    QFile file(m_programDir.filePath("page.html"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_programDir.path());

    struct Case {
        QString typed;
        Qt::KeyboardModifiers modifiers;
        QString opened;
        bool newPage;
    };
    const Case cases[] = {
        {"  \"b.c\"", Qt::NoModifier, "http://b.c", false},
        {"\"\" b.c", Qt::NoModifier, "http:// b.c", false},
        {"w", Qt::ControlModifier, "http://www.w.com", false},
        {"w", Qt::AltModifier, "http://www.w.net", false},
        {"b.com", Qt::ControlModifier, "http://www.b.com.com", false},
        {"w", Qt::ControlModifier | Qt::ShiftModifier, "http://w", true},
        {"C:\\dir\\page.html", Qt::NoModifier, "C:\\dir\\page.html", false},
        {"\\\\server\\share", Qt::NoModifier, "\\\\server\\share", false},
        {"ftp://b.c/", Qt::NoModifier, "ftp://b.c/", false},
        {"mailto:a@b.c", Qt::NoModifier, "http://mailto:a@b.c", false},
        {"data:text/html,x", Qt::NoModifier, "http://data:text/html,x", false},
        {"folder", Qt::NoModifier, "folder", false},
        {"page.html", Qt::NoModifier, "page.html", false},
        {"nosuch", Qt::NoModifier, "http://nosuch", false},
        {"", Qt::NoModifier, "http://", false},
    };
    for (const Case& c : cases) {
        m_opened.clear();
        typeAndEnter(c.typed, c.modifiers);
        EXPECT_EQ(m_opened, (std::vector<Opened> {{c.opened, c.newPage}})) << c.typed.toStdString();
        EXPECT_EQ(box().text(), c.opened) << "the box shows what it opened";
    }
    QDir::setCurrent(previous);
}

TEST_F(AddressBarTest, WhereAnAcceptedAddressOpens)
{
    struct Case {
        bool hasPage;
        bool newAddress;
        Qt::KeyboardModifiers modifiers;
        bool newPage;
    };
    const Case cases[] = {
        {true, false, Qt::NoModifier, false},
        {true, false, Qt::ShiftModifier, true},
        {true, true, Qt::NoModifier, true},
        {false, false, Qt::NoModifier, true},
    };
    for (const Case& c : cases) {
        m_hasPage = c.hasPage;
        m_settings.NewAddress = c.newAddress;
        m_opened.clear();
        typeAndEnter("http://b.c/", c.modifiers);
        // Go, Open and From Clipboard follow the same rule, with the live keyboard.
        m_modifiers = c.modifiers;
        action("actGO").trigger();
        action("actOpenAddress").trigger();
        m_clipboard = "http://b.c/";
        m_bar->goFromClipboardExecute();
        m_modifiers = Qt::NoModifier;
        EXPECT_EQ(m_opened, std::vector<Opened>(4, {"http://b.c/", c.newPage}))
            << "page " << c.hasPage << " NewAddress " << c.newAddress << " Shift " << (c.modifiers != 0);
    }
    // Open in a New Window always makes a page, and neither cleans nor completes.
    m_opened.clear();
    m_hasPage = true;
    m_settings.NewAddress = false;
    box().setText("  \"b.c\"");
    action("actOpenAddressNew").trigger();
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"  \"b.c\"", true}}));
}

TEST_F(AddressBarTest, TypingSwitchesAddressEditingOnAndEnterOff)
{
    QTest::keyClicks(&edit(), "abc");
    EXPECT_TRUE(m_bar->addressEditing());
    EXPECT_EQ(m_editing, std::vector<bool> {true}) << "reported once per burst";
    QTest::keyClick(&edit(), Qt::Key_Return);
    EXPECT_FALSE(m_bar->addressEditing());
    EXPECT_EQ(m_editing, (std::vector<bool> {true, false}));
    m_bar->startAddressEditing();
    m_bar->stopAddressEditing();
    EXPECT_EQ(m_editing, (std::vector<bool> {true, false, true, false}));
}

TEST_F(AddressBarTest, AcceptedAddressesGoToTheTopOfTheStoredListOfAtMost25)
{
    for (int i = 1; i <= 30; ++i)
        typeAndEnter(QStringLiteral("http://site%1.example/").arg(i));
    typeAndEnter("http://site20.example/");
    core::TypedAddressList list = storedList();
    ASSERT_EQ(list.size(), 25u);
    EXPECT_EQ(list[0], "http://site20.example/");
    EXPECT_EQ(list[1], "http://site30.example/");
    EXPECT_EQ(list[24], "http://site6.example/");
    EXPECT_EQ(std::count(list.begin(), list.end(), "http://site20.example/"), 1);
    EXPECT_EQ(m_keys.readString(platform::kTypedUrlsKey, "Url1"), "http://site20.example/");
    EXPECT_FALSE(m_keys.readString(platform::kTypedUrlsKey, "Url26"));

    const QStringList shown = box().typedAddresses();
    ASSERT_EQ(shown.size(), 25);
    EXPECT_EQ(shown.front(), "http://site20.example/");
    EXPECT_EQ(box().text(), "http://site20.example/") << "refilling the list keeps the text";
}

TEST_F(AddressBarTest, ACorruptOrOverlongStoredListIsCutToValidEntries)
{
    const std::string_view key = platform::kTypedUrlsKey;
    m_keys.writeString(key, "Url1", "javascript:alert(1)");
    m_keys.writeString(key, "Url2", "http://kept.example/");
    m_keys.writeNumber(key, "Url3", 7);
    m_keys.writeString(key, "Url4", std::string("bad\x01text"));
    m_keys.writeString(key, "Url5", std::string(5000, 'a'));
    m_keys.writeString(key, "Url6", "http://kept.example/");
    for (int i = 7; i <= 60; ++i)
        m_keys.writeString(key, "Url" + std::to_string(i), "http://e" + std::to_string(i) + ".example/");
    m_bar->reloadTypedAddresses();
    const QStringList shown = box().typedAddresses();
    ASSERT_EQ(shown.size(), 25);
    EXPECT_EQ(shown.front(), "http://kept.example/");
    EXPECT_EQ(shown.count("http://kept.example/"), 1);
    EXPECT_FALSE(shown.join(' ').contains("javascript"));

    // The next accepted address writes the sound list back: the junk is gone from the store.
    typeAndEnter("http://new.example/");
    std::size_t urlValues = 0;
    for (const std::string& name : m_keys.valueNames(key))
        urlValues += name.rfind("Url", 0) == 0;
    EXPECT_EQ(urlValues, 25u);
    EXPECT_EQ(m_keys.readString(key, "Url1"), "http://new.example/");
    EXPECT_EQ(m_keys.readString(key, "Url2"), "http://kept.example/");

    // A store that cannot be written never stops the address from opening.
    m_keys.setWritable(false);
    m_opened.clear();
    typeAndEnter("http://unsaved.example/");
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"http://unsaved.example/", false}}));
}

TEST_F(AddressBarTest, AChoiceFromTheDropDownOpensTheEntryAsItStands)
{
    m_keys.writeString(platform::kTypedUrlsKey, "Url1", "http://one.example/");
    m_keys.writeString(platform::kTypedUrlsKey, "Url2", "two.example");
    m_bar->reloadTypedAddresses();
    m_window->show();
    box().setText("typed text");
    box().showPopup();
    QAbstractItemView* view = box().view();
    view->setCurrentIndex(view->model()->index(1, 0));
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"two.example", false}})) << "no cleaning, no prefix";
    EXPECT_EQ(storedList(), (core::TypedAddressList {"two.example", "http://one.example/"}));
}

TEST_F(AddressBarTest, SuggestionsWhileTypingComeFromEverySourceInTurn)
{
    typeAndEnter("http://www.example.com/");
    typeAndEnter("http://news.other.org/");
    box().addCompletionSource([](const QString& prefix) {
        return QStringList {"http://www.example.com/", "http://" + prefix + ".history/"};
    });
    box().setText(QString());
    QTest::keyClicks(&edit(), "exa");
    EXPECT_EQ(box().currentSuggestions(),
              (QStringList {"http://www.example.com/", "http://exa.history/"}));
    QTest::keyClicks(&edit(), "\b\b\b");
    EXPECT_TRUE(box().currentSuggestions().isEmpty());

    // Enter opens what was typed, unless the user picked an entry of the open list.
    m_window->show();
    m_opened.clear();
    QTest::keyClicks(&edit(), "http://www.ex");
    QAbstractItemView* popup = edit().completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(&edit(), Qt::Key_Return);
    EXPECT_FALSE(popup->isVisible());
    box().setText(QString());
    QTest::keyClicks(&edit(), "exa");
    ASSERT_TRUE(popup->isVisible());
    popup->setCurrentIndex(popup->model()->index(1, 0));
    QTest::keyClick(&edit(), Qt::Key_Return);
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"http://www.ex", false}, {"http://exa.history/", false}}));
}

TEST_F(AddressBarTest, UpOneLevelListAndCommandFollowTheAddressText)
{
    m_bar->showAddress("s://news.b.c/a/b/c.html");
    EXPECT_TRUE(action("actUpDir").isEnabled());
    QStringList hints;
    for (QAction* item : m_bar->upMenu().actions())
        hints.append(item->statusTip());
    EXPECT_EQ(hints, (QStringList {"s://news.b.c/a/b/", "s://news.b.c/a/", "s://news.b.c/", "s://www.b.c"}));

    // An item opens like a menu link: NewAddress does not apply, Shift or no page does.
    m_settings.NewAddress = true;
    m_bar->upMenu().actions().at(2)->trigger();
    m_modifiers = Qt::ShiftModifier;
    m_bar->upMenu().actions().at(3)->trigger();
    m_modifiers = Qt::NoModifier;
    action("actUpDir").trigger();
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"s://news.b.c/", false}, {"s://www.b.c", true},
                                              {"s://news.b.c/a/b/", false}}));

    m_bar->showAddress("s://www.b.c/");
    EXPECT_FALSE(action("actUpDir").isEnabled());
    EXPECT_TRUE(m_bar->upMenu().actions().isEmpty());

    m_hasPage = false;
    m_bar->showAddress("s://news.b.c/a/");
    EXPECT_FALSE(action("actUpDir").isEnabled()) << "no page, no Up";
    EXPECT_EQ(m_bar->upMenu().actions().size(), 2);

    // Before the deferred initialisation the list is left alone.
    m_hasPage = true;
    m_initialised = false;
    m_bar->showAddress("s://news.b.c/a/b/c/d/");
    EXPECT_EQ(m_bar->upMenu().actions().size(), 2);
}

TEST_F(AddressBarTest, FromClipboardOpensTheWholeTextOrNothing)
{
    const QString longAddress = "http://b.c/" + QString(300, 'x');
    m_clipboard = longAddress;
    m_bar->goFromClipboardExecute();
    m_clipboard = QString::fromUtf8("  b.c/\x01p", 8);
    m_bar->goFromClipboardExecute();
    m_clipboard = "javascript:alert(document.cookie)";
    m_bar->goFromClipboardExecute();
    m_clipboard = QString();
    m_bar->goFromClipboardExecute();
    EXPECT_EQ(m_opened, (std::vector<Opened> {{longAddress, false}, {"  b.c/p", false}}))
        << "never cut, no script, nothing for an empty text";
    EXPECT_TRUE(storedList().empty()) << "the clipboard does not feed the typed list";
}

TEST_F(AddressBarTest, FromClipboardIsDisabledWhileTheSystemClipboardHoldsNoText)
{
    // The default host reads the system clipboard.
    ui::ActionRegistry actions(m_window.get());
    ui::AddressBar::Host host;
    host.hasPage = [] { return true; };
    host.activePageTitle = [] { return QString(); };
    host.openInActivePage = [this](const QString& address) { m_opened.push_back({address, false}); };
    host.openInNewPage = [this](const QString& address) { m_opened.push_back({address, true}); };
    host.setAddressEditing = [](bool) {};
    ui::AddressBar bar(host, m_settings, m_keys, m_programDir.path(), actions, m_window.get());

    auto* binary = new QMimeData;
    binary->setData("application/octet-stream", QByteArray("\x00\xff\xfe\x01", 4));
    QGuiApplication::clipboard()->setMimeData(binary);
    actions.updateAll();
    EXPECT_FALSE(actions.action("actGoFromClipboard")->isEnabled());
    bar.goFromClipboardExecute();
    EXPECT_TRUE(m_opened.empty());

    QGuiApplication::clipboard()->setText("http://b.c/");
    actions.updateAll();
    EXPECT_TRUE(actions.action("actGoFromClipboard")->isEnabled());
    actions.action("actGoFromClipboard")->trigger();
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"http://b.c/", false}}));
}

TEST_F(AddressBarTest, HostileTextNeverOpensWhatTheUserDidNotAskFor)
{
    // A megabyte pasted opens once, whole, and is too long to be remembered.
    const QString huge = QString(1024 * 1024, 'a');
    pasteAndEnter(huge);
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0].address, "http://" + huge);
    EXPECT_TRUE(storedList().empty());
    m_opened.clear();

    // Control characters and NUL bytes are dropped from what opens and from the list.
    pasteAndEnter(QString::fromUtf8("b.c/\x01p\tq\r\n", 10) + QChar(0) + "r");
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"http://b.c/pqr", false}}));
    EXPECT_EQ(storedList(), core::TypedAddressList {"http://b.c/pqr"});
    m_opened.clear();

    // Script addresses: prefixed into a harmless web address, or refused when they keep their
    // scheme, and then not remembered.
    typeAndEnter("javascript:alert(1)");
    typeAndEnter("JavaScript://%0Aalert(1)");
    box().setText("javascript:alert(1)");
    action("actGO").trigger();
    action("actOpenAddressNew").trigger();
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"http://javascript:alert(1)", false}}));
    m_opened.clear();

    // data: from Go opens as typed, as a page of its own address.
    box().setText("data:text/html,<b>x</b>");
    action("actGO").trigger();
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"data:text/html,<b>x</b>", false}}));
    for (const std::string& entry : storedList())
        EXPECT_FALSE(core::IsScriptAddress(entry)) << entry;
}

TEST_F(AddressBarTest, TheKeywordPlugInConvertsOrStaysOutOfTheWay)
{
    // Absent: the prefix rule alone.
    typeAndEnter("kw:news");
    EXPECT_EQ(m_opened.back().address, "http://kw:news");

#if defined(PELTO_CNSTD_FULL)
    installPlugin(PELTO_CNSTD_FULL);
    m_opened.clear();
    typeAndEnter("kw:news");
    typeAndEnter("kwoverrun");  // an unsound answer opens the keyword itself
    typeAndEnter("b.c");
    box().setText("kw:go");
    action("actGO").trigger();
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"http://www.news.example/", false}, {"kwoverrun", false},
                                              {"http://b.c", false}, {"http://www.go.example/", false}}));
    EXPECT_EQ(storedList().at(1), "kwoverrun") << "the list keeps what was typed";
#endif
#if defined(PELTO_CNSTD_UNUSABLE)
    installPlugin(PELTO_CNSTD_UNUSABLE);
    m_opened.clear();
    typeAndEnter("b.c");
    EXPECT_EQ(m_opened, (std::vector<Opened> {{"b.c", false}})) << "an unusable library adds no prefix";
#endif
}

TEST_F(AddressBarTest, TheAddressIsDraggedOutByItsIcon)
{
    std::vector<std::unique_ptr<QMimeData>> drags;
    box().setDragRunner([&](std::unique_ptr<QMimeData> data) { drags.push_back(std::move(data)); });
    m_window->resize(600, 200);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));

    auto dragFrom = [&](QPoint press, QPoint to) {
        const QPoint at = edit().mapFrom(&box(), press);
        QTest::mousePress(&edit(), Qt::LeftButton, Qt::NoModifier, at);
        QMouseEvent move(QEvent::MouseMove, QPointF(edit().mapFrom(&box(), to)),
                         edit().mapToGlobal(QPointF(edit().mapFrom(&box(), to))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&edit(), &move);
        QTest::mouseRelease(&edit(), Qt::LeftButton, Qt::NoModifier, edit().mapFrom(&box(), to));
    };
    const int y = box().height() / 2;
    box().setText(QString());
    dragFrom({10, y}, {10, y + 6});
    box().setText("http://b.c/a");
    dragFrom({60, y}, {60, y + 6});  // over the text, not the icon
    dragFrom({10, y}, {12, y + 2});  // too short a move
    EXPECT_TRUE(drags.empty());

    dragFrom({10, y}, {14, y + 5});
    m_hasPage = false;
    dragFrom({10, y}, {14, y + 5});
    ASSERT_EQ(drags.size(), 2u);
    EXPECT_EQ(drags[0]->urls(), QList<QUrl> {QUrl("http://b.c/a")});
    EXPECT_EQ(drags[0]->text(), "http://b.c/a");
    const QByteArray moz = drags[0]->data("text/x-moz-url");
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(moz.constData()), moz.size() / 2),
              "http://b.c/a\nPage Title");
    const QByteArray noPage = drags[1]->data("text/x-moz-url");
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(noPage.constData()), noPage.size() / 2),
              "http://b.c/a\nhttp://b.c/a") << "without a page the address is its own title";
}

TEST_F(AddressBarTest, TheBoxFillsTheDockedToolbarUpToTheGoButton)
{
    m_window->resize(900, 200);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    auto* go = m_toolbar->findChild<QToolButton*>("bGo");
    ASSERT_TRUE(go);
    settle();
    EXPECT_TRUE(go->isVisible());
    EXPECT_GT(go->geometry().left(), box().geometry().right());
    EXPECT_GT(box().width(), 500);
    EXPECT_LE(go->geometry().right(), m_toolbar->width());

    m_window->resize(260, 200);
    settle();
    EXPECT_EQ(box().width(), 200);

    // Floating, the box has its fixed width.
    QToolBar floating;
    ui::ActionRegistry actions(&floating);
    ui::AddressBar::Host host;
    host.hasPage = [] { return false; };
    host.activePageTitle = [] { return QString(); };
    host.openInActivePage = [](const QString&) {};
    host.openInNewPage = [](const QString&) {};
    host.setAddressEditing = [](bool) {};
    auto* bar = new ui::AddressBar(host, m_settings, m_keys, QString(), actions, &floating);
    bar->fillToolBar(&floating);
    floating.resize(900, 30);
    floating.show();
    settle();
    EXPECT_EQ(bar->box().width(), 380);
}

}  // namespace
