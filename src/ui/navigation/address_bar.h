#pragma once

#include "core/navigation/typed_addresses.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QAction;
class QMenu;
class QToolBar;
class QToolButton;

namespace pelto::core {
struct GeneralSettings;
}
namespace pelto::platform {
class KeyStore;
}

namespace pelto::ui {

class ActionRegistry;
class AddressBox;

// The address bar's feature: what Enter in the address box does, where accepted addresses
// open, the typed-address list, the Go menu, From Clipboard, the Up command with its
// up-one-level list, the address-editing switch and the width of the box in its toolbar.
class AddressBar : public QObject {
    Q_OBJECT
public:
    // What the bar needs of the rest of the program.
    struct Host {
        std::function<bool()> hasPage;                    // at least one page is open
        std::function<QString()> activePageTitle;         // caption of the page in front
        std::function<void(const QString&)> openInActivePage;  // sends the page in front there
        std::function<void(const QString&)> openInNewPage;     // a new page in front, sent there
        std::function<void(bool)> setAddressEditing;      // the main window's AddressEditing
        // Optional; default to the live keyboard, the system clipboard, always and never.
        std::function<Qt::KeyboardModifiers()> keyboardModifiers;
        std::function<bool()> clipboardHasText;
        std::function<QString()> clipboardText;
        std::function<bool()> initialised;  // the deferred initialisation has run
        std::function<bool()> closing;      // the main window is closing
    };

    // Time after which a typing burst ends the address editing.
    static constexpr int kEditingTimeoutMs = 2000;

    // Builds the box and the menus as children of the window and attaches the bar's commands.
    // The program folder is where the keyword-address plug-in is looked for.
    AddressBar(Host host, const core::GeneralSettings& settings, platform::KeyStore& keys,
               QString programFolder, ActionRegistry& actions, QWidget* window);
    ~AddressBar() override;

    // Fills the address toolbar, left to right: spacer, "A&ddress:" label, spacer, the box,
    // the right spacer and the Go split button with the Go menu.
    void fillToolBar(QToolBar* bar);
    // The Up split button, whose drop-down half is the up-one-level list.
    QToolButton* makeUpButton(QWidget* parent);

    AddressBox& box() { return *m_box; }
    QMenu& goMenu() { return *m_goMenu; }
    QMenu& upMenu() { return *m_upMenu; }
    // Puts the quick-search command into its place in the Go menu.
    void setQuickSearchAction(QAction* action);

    // Shows a page's address (unless the user is editing it) and site icon.
    void showAddress(const QString& address);
    void showSiteIcon(const QPixmap& icon);
    // Puts the keyboard focus into the box, the caret at the end unless text is selected.
    void focusAddressBox();

    // Starts the address editing (the new-page commands do, after focusing the box); it ends
    // kEditingTimeoutMs after its start unless something ends it sooner.
    void startAddressEditing();
    // Ends the address editing (a click elsewhere, the quick search, the timer).
    void stopAddressEditing();
    bool addressEditing() const { return m_editing; }

    // Reloads the drop-down from the stored typed-address list (after privacy cleaning).
    void reloadTypedAddresses();

    // The width rule, run whenever the toolbar changes size.
    void applyWidthRule();

    // The commands, also run by the toolbar buttons and menus.
    void goExecute();             // open the box's text as accepted
    void openAddressNewExecute(); // open the box's text, unchanged, in a new page
    void goFromClipboardExecute();
    void upDirExecute();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keyDown(int key, Qt::KeyboardModifiers modifiers);
    void urlSelected(const QString& url, Qt::KeyboardModifiers modifiers);
    void addressChanged(const QString& text);
    void openAt(const QString& address, bool shiftHeld, bool newPageSwitch);
    bool shiftHeld() const;
    QStringList typedCompletions(const QString& prefix) const;

    Host m_host;
    const core::GeneralSettings& m_settings;
    platform::KeyStore& m_keys;
    QString m_programFolder;
    ActionRegistry& m_actions;
    AddressBox* m_box = nullptr;
    QMenu* m_goMenu = nullptr;
    QMenu* m_upMenu = nullptr;
    QAction* m_quickSearchPlace = nullptr;
    QPointer<QToolBar> m_bar;
    QAction* m_rightSpacer = nullptr;
    QAction* m_goButtonPlace = nullptr;
    QToolButton* m_goButton = nullptr;
    QTimer m_editingTimer;
    core::TypedAddressList m_typed;
    bool m_editing = false;
};

}  // namespace pelto::ui
