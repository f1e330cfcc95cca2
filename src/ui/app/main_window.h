#pragma once

#include "ui/app/app_context.h"
#include "ui/app/shared_state.h"
#include "ui/pages/page_display.h"

#include <QByteArray>
#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <string>

class QComboBox;
class QToolBar;
class QMdiArea;

namespace pelto::ui {

class ActionRegistry;
class FocusFilter;
class PageManager;
class PagePictures;
class PageStatusBar;
class AddressBar;
class DocumentCommands;
class MessageHook;
class NavigationCommands;
class PopupBlocker;
class RecentPages;
class StandardButtons;
class TravelMenus;
class MdiControlBar;
class TabBar;
class TabMenu;
class UrlDropTarget;
class WindowCommands;

// The program's only top-level window. It is created by the start sequence, finishes its set-up
// in the deferred initialisation once the event loop runs, and ends the program through its
// close query, which closes the pages, writes the settings back and releases the
// single-instance channel. It composes the features; each owns its own commands and state.
class TfrmPeltoBrowser : public QMainWindow, private PageDisplay {
    Q_OBJECT
public:
    explicit TfrmPeltoBrowser(AppContext context, QWidget* parent = nullptr);
    ~TfrmPeltoBrowser() override;

    // Copies the general settings into the window's state and pushes the dependent ones to the
    // interface. Run at creation and again after the options change.
    void ApplySettings();

    // The general settings as last applied.
    const core::GeneralSettings& settings() const { return m_state.settings; }
    SharedState& state() { return m_state; }

    // Receiving side of a later start's hand-over.
    void receiveHandOver(const QByteArray& text);
    // Closes without asking anything: the system is ending the session. The open pages stay
    // saved for the next start.
    void closeForSessionEnd();
    // Brings the window to the front (a later start asked for it).
    void bringToFront();

    // True once the deferred initialisation has run.
    bool initialised() const { return m_initialised; }

    PageManager& pageManager() { return *m_pages; }
    ActionRegistry& actions() { return *m_actions; }
    PageStatusBar& statusBarView() { return *m_status; }
    QComboBox& addressBox() { return *m_address; }
    FocusFilter& focusFilter() { return *m_focusFilter; }
    WindowCommands& windowCommands() { return *m_windows; }
    QMdiArea& pageArea() { return *m_pageArea; }
    TabBar& tabBar() { return *m_tabs; }
    TabMenu& tabMenu() { return *m_tabMenu; }
    PopupBlocker& popupBlocker() { return *m_popupBlocker; }
    RecentPages& recentPages() { return *m_recent; }
    TravelMenus& travelMenus() { return *m_travel; }
    StandardButtons& standardButtons() { return *m_buttons; }
    AddressBar& addressBar() { return *m_addressBarControl; }
    DocumentCommands& documentCommands() { return *m_documents; }
    MdiControlBar& mdiControlBar() { return *m_mdiControl; }
    UrlDropTarget& urlDropTarget() { return *m_urlDrops; }

    // Both secure-site pictures hidden, status text and address emptied, progress 0, caption
    // "Pelto Browser".
    void ClearPageDisplay();

signals:
    // The deferred initialisation has finished (the settings file has been written).
    void initialisationFinished();
    // The close procedure has run to its end: the program may end.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void buildInterface();
    void buildMenus();
    void wireActions();
    void PlaceWindow();
    void TimerInitTimer();
    void OpenCommandLineAndPending();
    bool FormCloseQuery();
    void SaveWindowBounds();
    void updateActions();
    bool askYesNo(const QString& message);

    // PageDisplay
    void showCaption(const QString& caption) override;
    void showAddress(const QString& address) override;
    void showStatusText(const QString& text) override;
    void showProgress(int position, int maximum) override;
    void showSecureState(int secureLockState) override;
    void showSiteIcon(const QPixmap& icon) override;
    void refreshBackMenu(const QStringList& titles) override;
    void refreshForwardMenu(const QStringList& titles) override;
    void clearPageDisplay() override { ClearPageDisplay(); }
    void focusAddressBox() override;

    AppContext m_context;
    SharedState m_state;
    std::unique_ptr<PagePictures> m_pictures;
    ActionRegistry* m_actions = nullptr;
    QMdiArea* m_pageArea = nullptr;
    PageStatusBar* m_status = nullptr;
    QComboBox* m_address = nullptr;
    PageManager* m_pages = nullptr;
    FocusFilter* m_focusFilter = nullptr;
    WindowCommands* m_windows = nullptr;
    TabBar* m_tabs = nullptr;
    TabMenu* m_tabMenu = nullptr;
    PopupBlocker* m_popupBlocker = nullptr;
    AddressBar* m_addressBarControl = nullptr;
    NavigationCommands* m_navigation = nullptr;
    DocumentCommands* m_documents = nullptr;
    MessageHook* m_hook = nullptr;
    RecentPages* m_recent = nullptr;
    TravelMenus* m_travel = nullptr;
    StandardButtons* m_buttons = nullptr;
    QToolBar* m_addressBar = nullptr;
    MdiControlBar* m_mdiControl = nullptr;
    UrlDropTarget* m_urlDrops = nullptr;
    QTimer m_timerInit;
    bool m_initialised = false;
    bool m_closed = false;
};

}  // namespace pelto::ui
