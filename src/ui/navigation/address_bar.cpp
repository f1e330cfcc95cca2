#include "ui/navigation/address_bar.h"

#include "core/app/general_settings.h"
#include "core/app/menu_caption.h"
#include "core/navigation/address_rules.h"
#include "platform/keyword_plugin.h"
#include "platform/typed_addresses_store.h"
#include "ui/app/action_registry.h"
#include "ui/navigation/address_box.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>

#include <optional>
#include <string>

namespace pelto::ui {

namespace {

constexpr int kSpacerWidth = 4;
// An up-one-level item shows at most this much of its address; its hint holds all of it.
constexpr int kUpItemCaptionLength = 200;

QString fromUtf8(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* spacer(QWidget* parent)
{
    auto* widget = new QWidget(parent);
    widget->setFixedWidth(kSpacerWidth);
    return widget;
}

bool pathExists(std::string_view text)
{
    return QFileInfo::exists(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace

AddressBar::AddressBar(Host host, const core::GeneralSettings& settings, platform::KeyStore& keys,
                       QString programFolder, ActionRegistry& actions, QWidget* window)
    : QObject(window)
    , m_host(std::move(host))
    , m_settings(settings)
    , m_keys(keys)
    , m_programFolder(std::move(programFolder))
    , m_actions(actions)
{
    if (!m_host.keyboardModifiers)
        m_host.keyboardModifiers = [] { return QGuiApplication::queryKeyboardModifiers(); };
    if (!m_host.clipboardHasText)
        m_host.clipboardHasText = [] {
            const QMimeData* data = QGuiApplication::clipboard()->mimeData();
            return data && data->hasText();
        };
    if (!m_host.clipboardText)
        m_host.clipboardText = [] { return QGuiApplication::clipboard()->text(); };
    if (!m_host.initialised)
        m_host.initialised = [] { return true; };
    if (!m_host.closing)
        m_host.closing = [] { return false; };

    m_box = new AddressBox(window);
    m_box->setKeyHandler([this](int key, Qt::KeyboardModifiers modifiers) { keyDown(key, modifiers); });
    m_box->setKeyboardModifiers([this] { return m_host.keyboardModifiers(); });
    m_box->setDragTitle([this] { return m_host.hasPage() ? m_host.activePageTitle() : QString(); });
    // The history store becomes the second source once it exists.
    m_box->addCompletionSource([this](const QString& prefix) { return typedCompletions(prefix); });
    connect(m_box, &AddressBox::urlSelected, this, &AddressBar::urlSelected);
    connect(m_box, &AddressBox::addressChanged, this, &AddressBar::addressChanged);

    m_editingTimer.setInterval(kEditingTimeoutMs);
    m_editingTimer.setSingleShot(true);
    connect(&m_editingTimer, &QTimer::timeout, this, &AddressBar::stopAddressEditing);

    m_goMenu = new QMenu(window);
    m_goMenu->setObjectName(QStringLiteral("mGo"));
    m_goMenu->addAction(actions.action("actOpenAddress"));
    m_goMenu->addAction(actions.action("actOpenAddressNew"));
    m_goMenu->addSeparator();
    m_quickSearchPlace = m_goMenu->addSeparator();
    m_goMenu->addAction(actions.action("actGoFromClipboard"));

    m_upMenu = new QMenu(window);
    m_upMenu->setObjectName(QStringLiteral("mUpDir"));

    auto attach = [this](const char* name, void (AddressBar::*handler)()) {
        connect(m_actions.action(name), &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    attach("actGO", &AddressBar::goExecute);
    attach("actOpenAddress", &AddressBar::goExecute);
    attach("actOpenAddressNew", &AddressBar::openAddressNewExecute);
    attach("actGoFromClipboard", &AddressBar::goFromClipboardExecute);
    attach("actUpDir", &AddressBar::upDirExecute);
    auto hasText = [this] { return !m_box->text().isEmpty(); };
    actions.setEnabledRule("actGO", hasText);
    actions.setEnabledRule("actOpenAddress", hasText);
    actions.setEnabledRule("actOpenAddressNew", hasText);
    actions.setEnabledRule("actGoFromClipboard", [this] { return m_host.clipboardHasText(); });
    for (const char* name : {"actGO", "actOpenAddress", "actOpenAddressNew", "actUpDir"})
        actions.action(name)->setEnabled(false);

    reloadTypedAddresses();
}

AddressBar::~AddressBar() = default;

void AddressBar::fillToolBar(QToolBar* bar)
{
    m_bar = bar;
    bar->setObjectName(QStringLiteral("tbtAddressBar"));
    bar->addWidget(spacer(bar));
    auto* label = new QLabel(tr("A&ddress:"), bar);
    label->setObjectName(QStringLiteral("lblAddress"));
    label->setBuddy(m_box);
    bar->addWidget(label);
    bar->addWidget(spacer(bar));
    bar->addWidget(m_box);
    QWidget* right = spacer(bar);
    right->setObjectName(QStringLiteral("bvAddressRight"));
    m_rightSpacer = bar->addWidget(right);
    m_goButton = new QToolButton(bar);
    m_goButton->setObjectName(QStringLiteral("bGo"));
    m_goButton->setDefaultAction(m_actions.action("actGO"));
    m_goButton->setMenu(m_goMenu);
    m_goButton->setPopupMode(QToolButton::MenuButtonPopup);
    m_goButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_goButtonPlace = bar->addWidget(m_goButton);
    bar->installEventFilter(this);
    connect(bar, &QToolBar::topLevelChanged, this, &AddressBar::applyWidthRule);
    applyWidthRule();
}

QToolButton* AddressBar::makeUpButton(QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QStringLiteral("bUpDir"));
    button->setDefaultAction(m_actions.action("actUpDir"));
    button->setMenu(m_upMenu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    return button;
}

void AddressBar::setQuickSearchAction(QAction* action)
{
    m_goMenu->insertAction(m_quickSearchPlace, action);
}

void AddressBar::showAddress(const QString& address)
{
    m_box->setText(address);
}

void AddressBar::showSiteIcon(const QPixmap& icon)
{
    m_box->setSiteIcon(icon);
}

void AddressBar::focusAddressBox()
{
    QLineEdit* edit = m_box->lineEdit();
    edit->setFocus(Qt::OtherFocusReason);
    if (!edit->hasSelectedText())
        edit->end(false);
}

void AddressBar::startAddressEditing()
{
    if (!m_editing) {
        m_editing = true;
        m_host.setAddressEditing(true);
    }
    // A running timer is not restarted: the editing ends at most this long after it began.
    if (!m_editingTimer.isActive())
        m_editingTimer.start();
}

void AddressBar::stopAddressEditing()
{
    m_editingTimer.stop();
    if (m_editing) {
        m_editing = false;
        m_host.setAddressEditing(false);
    }
}

void AddressBar::reloadTypedAddresses()
{
    m_typed = platform::TypedAddressesStore(m_keys).load();
    QStringList list;
    for (const std::string& entry : m_typed)
        list.append(fromUtf8(entry));
    m_box->setTypedAddresses(list);
}

QStringList AddressBar::typedCompletions(const QString& prefix) const
{
    QStringList list;
    for (const std::string& entry : core::TypedAddressCompletions(m_typed, prefix.toStdString()))
        list.append(fromUtf8(entry));
    return list;
}

void AddressBar::keyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        startAddressEditing();
        return;
    }
    const core::EnterKeys keys {modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::ShiftModifier),
                                modifiers.testFlag(Qt::AltModifier)};
    std::string text;
    {
        // Loaded for this one answer: the library is never held between uses.
        const platform::KeywordPlugin plugin(platform::keywordPluginPath(m_programFolder));
        text = core::AddressOnEnter(m_box->text().toStdString(), keys, pathExists, plugin);
    }
    m_box->setText(fromUtf8(text));
    stopAddressEditing();
}

void AddressBar::urlSelected(const QString& url, Qt::KeyboardModifiers modifiers)
{
    stopAddressEditing();
    // The whole list is written back, which also cuts a list left corrupt or overlong.
    platform::TypedAddressesStore store(m_keys);
    store.save(core::AddTypedAddress(store.load(), url.toStdString()));
    reloadTypedAddresses();

    std::optional<std::string> address;
    {
        const platform::KeywordPlugin plugin(platform::keywordPluginPath(m_programFolder));
        address = core::AcceptedAddress(url.toStdString(), plugin);
    }
    if (address)
        openAt(fromUtf8(*address), modifiers.testFlag(Qt::ShiftModifier), m_settings.NewAddress);
}

void AddressBar::goExecute()
{
    std::optional<std::string> address;
    {
        const platform::KeywordPlugin plugin(platform::keywordPluginPath(m_programFolder));
        address = core::AcceptedAddress(m_box->text().toStdString(), plugin);
    }
    if (address)
        openAt(fromUtf8(*address), shiftHeld(), m_settings.NewAddress);
}

void AddressBar::openAddressNewExecute()
{
    if (const std::optional<std::string> address = core::OpenableAddress(m_box->text().toStdString()))
        m_host.openInNewPage(fromUtf8(*address));
}

void AddressBar::goFromClipboardExecute()
{
    const QString text = m_host.clipboardText();
    // The command may run after the clipboard lost its text: an empty address opens nothing.
    if (text.isEmpty())
        return;
    if (const std::optional<std::string> address = core::ClipboardAddress(text.toStdString()))
        openAt(fromUtf8(*address), shiftHeld(), m_settings.NewAddress);
}

void AddressBar::upDirExecute()
{
    QAction* up = m_actions.action("actUpDir");
    up->setEnabled(false);
    const std::string text = m_box->text().toStdString();
    if (!core::UpCommandEnabled(m_host.hasPage(), text))
        return;
    up->setEnabled(true);
    if (const std::optional<std::string> address = core::OpenableAddress(core::ParentAddress(text)))
        m_host.openInActivePage(fromUtf8(*address));
}

void AddressBar::addressChanged(const QString& text)
{
    const bool hasText = !text.isEmpty();
    for (const char* name : {"actGO", "actOpenAddress", "actOpenAddressNew"})
        m_actions.action(name)->setEnabled(hasText);
    if (!m_host.initialised())
        return;
    const std::string address = text.toStdString();
    m_actions.action("actUpDir")->setEnabled(core::UpCommandEnabled(m_host.hasPage(), address));

    m_upMenu->setUpdatesEnabled(false);
    m_upMenu->clear();
    for (const std::string& ancestor : core::UpOneLevelList(address)) {
        const QString target = fromUtf8(ancestor);
        QAction* item = m_upMenu->addAction(fromUtf8(core::MenuCaption(ancestor, kUpItemCaptionLength)));
        item->setStatusTip(target);
        item->setToolTip(target);
        item->setData(target);
        // Like every menu link: a new page only when there is no page or Shift is held.
        connect(item, &QAction::triggered, this, [this, target] {
            if (const std::optional<std::string> openable = core::OpenableAddress(target.toStdString()))
                openAt(fromUtf8(*openable), shiftHeld(), false);
        });
    }
    m_upMenu->setUpdatesEnabled(true);
}

void AddressBar::openAt(const QString& address, bool shift, bool newPageSwitch)
{
    if (core::WhereAddressOpens(m_host.hasPage(), shift, newPageSwitch) == core::AddressTarget::NewPage)
        m_host.openInNewPage(address);
    else
        m_host.openInActivePage(address);
}

bool AddressBar::shiftHeld() const
{
    return m_host.keyboardModifiers().testFlag(Qt::ShiftModifier);
}

void AddressBar::applyWidthRule()
{
    if (!m_bar || m_host.closing())
        return;
    const QRect client = m_bar->contentsRect();
    const bool goVisible = m_goButtonPlace && m_goButtonPlace->isVisible();
    const core::AddressBoxLayout layout = core::AddressBoxWidth(
        !m_bar->isFloating(), goVisible, client.x() + client.width(), m_box->x(), m_goButton->sizeHint().width());
    m_bar->setUpdatesEnabled(false);
    m_box->setFixedWidth(layout.width);
    if (layout.rightSpacerShown)
        m_rightSpacer->setVisible(*layout.rightSpacerShown);
    m_bar->setUpdatesEnabled(true);
}

bool AddressBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_bar && event->type() == QEvent::Resize)
        applyWidthRule();
    return QObject::eventFilter(watched, event);
}

}  // namespace pelto::ui
