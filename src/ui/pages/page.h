#pragma once

#include <QIcon>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QStringList>

class QMdiArea;
class QTimer;

namespace pelto::ui {

class NewWindowRequest;
class PageHost;
class SiteIconFetcher;
class WebControl;
class WebControlFactory;

// What the page's tab shows: its caption (ampersands doubled), its hint, the page picture it
// shows unless the site's icon is known, that icon, and the tab's place on the tab bar.
struct TabState {
    QString caption;
    QString hint;
    int picture = 9;
    QIcon siteIcon;
    bool hasSiteIcon = false;
    int slot = 0;
};

// A browser page: a sub-window of the main window's page area that hosts one web control and
// turns its events into what the main window shows while the page is the active one. It keeps
// its own frameless maximised state (the toolkit's maximised state is never used), places
// itself when a script asks, fetches its site's icon, and hands its title and address on when
// it closes. Pages are made by the page manager; the main window lists them, the active first.
class TfrmPage : public QMdiSubWindow {
    Q_OBJECT
public:
    // The page creates its control with the factory and reports to the host, which must
    // outlive it.
    TfrmPage(PageHost& host, WebControlFactory& factory, QWidget* parent = nullptr);
    ~TfrmPage() override;

    // The hosted control, and the panel that holds its widget.
    WebControl* WB() const { return m_wb; }
    QWidget* pnlWB() const { return m_pnlWB; }
    // The auto-refresh timer: off until the auto-refresh feature sets its interval and starts
    // it; each tick reloads the page unless it has no address.
    QTimer* tmrRefresh() const { return m_tmrRefresh; }
    // The page's site-icon client.
    SiteIconFetcher& auHTTPGet() const { return *m_auHTTPGet; }

    // Sends the page to an address as given by the user or another program: resets the site
    // icon, shows the address, strips leading spaces and enclosing quotes and loads it.
    // Nothing is loaded for an empty address.
    void NavigatePage(const QString& address);
    // Stores the address of the page's document; the active page shows it in the address box
    // unless the user is editing there ("about:blank" for an empty address).
    void SetPageAddress(const QString& address);
    // Gives the tab the page picture at index (nothing when it shows it already).
    void SetTabPicture(int index);
    // The page's own maximised state: frameless, covering the page area; it also switches
    // "OpenMax" on. RestorePage returns to the saved placement with the frame back.
    void MaximizePage();
    void RestorePage();
    // Remembers the current position and client size for the return from the maximised state.
    void SavePlacement();
    // True while the page itself or a bulk close is closing it: the control's display events
    // are ignored meanwhile.
    bool PageIsClosing() const;

    // The window commands maximise and restore, as the title bar, the window menu and the
    // main window give them: maximise runs MaximizePage, restore switches "OpenMax" off and
    // runs RestorePage; both bring the page to the front.
    void SysCommandMaximize();
    void SysCommandRestore();

    // The size of the client area, which holds the control, and setting it (the frame adds to
    // it).
    int clientWidth() const;
    int clientHeight() const;
    void setClientWidth(int width);
    void setClientHeight(int height);

    // Titles of the back and forward history, nearest first.
    QStringList BackTitles;
    QStringList ForwardTitles;
    // Set when the page begins to close or a bulk close has marked it.
    bool IsClosing = false;
    // Last download progress in percent.
    int ProgressPercent = 0;
    // Last secure-lock state of the control; -1 before the first.
    int SecureLockState = -1;
    // Last status text, after two spaces.
    QString StatusText;
    // Layout nudges done so far (at most 9 in the page's life).
    int NudgeCount = 0;
    // The site's icon centred on a page-picture-sized bitmap (the plain page picture until the
    // icon is known); shown in the address box while the page is active.
    QPixmap SiteIcon;
    // Address of the page's top-level document.
    QString PageAddress = QStringLiteral("about:blank");
    // Placement to return to from the maximised state; a client size of 0 leaves that
    // dimension as it is.
    int SavedTop = 0;
    int SavedLeft = 0;
    int SavedClientHeight = 0;
    int SavedClientWidth = 0;
    // The page's tab.
    TabState TabButton;
    // The page is in its own maximised state.
    bool IsMaximized = false;
    // Last availability of Back and Forward.
    bool CanGoBack = false;
    bool CanGoForward = false;
    // Keywords highlighted in the document; emptied when a download begins.
    QStringList HighlightWords;
    // The page was made for a new-window request and waits for its first navigation to be
    // placed; it then opens behind the current page when OpenBehind is set.
    bool NewWindowPending = false;
    bool OpenBehind = false;
    // A script sized or moved the page before its first navigation.
    bool ScriptPlaced = false;

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The window flags of a page in the normal state: title bar, window menu, minimise,
    // maximise and close buttons, sizing frame.
    static constexpr Qt::WindowFlags kNormalFlags = Qt::SubWindow | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

    bool isActivePage() const;
    QPixmap plainPicture() const;
    QPixmap addressBoxIcon(const QPixmap& sheet) const;
    void watchArea();

    void FormActivate();
    void FormDestroy();
    void WBTitleChange(const QString& text);
    void WBStatusTextChange(const QString& text);
    void WBProgressChange(int progress, int maximum);
    void WBDownloadBegin();
    void WBDownloadComplete();
    void WBDocumentComplete();
    void WBCommandStateChange(int command, bool enable);
    void WBBeforeNavigate2(bool topLevel, const QUrl& address);
    void WBNavigateComplete2(bool topLevel, const QUrl& address);
    void WBNewWindow2(NewWindowRequest* request);
    void WBWindowSetResizable(bool resizable);
    void WBWindowSetLeft(int left);
    void WBWindowSetTop(int top);
    void WBWindowSetWidth(int width);
    void WBWindowSetHeight(int height);
    void WBSetSecureLockIcon(int state);
    void WBDocumentIconChanged(const QIcon& icon);
    void tmrRefreshTimer();

    // Site icon: reset when a navigation leads to another icon address, request when it
    // completes, and the client's answers.
    void siteIconReset(const QString& address);
    void siteIconRequest(const QString& address);
    void auHTTPGetDone(const QIcon& icon);
    void auHTTPGetFailed();
    bool showSiteIcon(const QIcon& icon);
    void clearSiteIcon();

    // Common part of the script placement requests: leaves the maximised state or marks the
    // page as placed, and tells whether the value is to be applied now or only saved.
    bool prepareScriptPlacement();

    PageHost& m_host;
    QWidget* m_pnlWB = nullptr;
    WebControl* m_wb = nullptr;
    QTimer* m_tmrRefresh = nullptr;
    SiteIconFetcher* m_auHTTPGet = nullptr;
    QPointer<QMdiArea> m_area;
    QMetaObject::Connection m_areaConnection;
    // The icon address the site icon belongs to (empty: a page without a host), and the one
    // last fetched for it; a page that stays on one host fetches its icon once.
    QString m_iconAddress;
    QString m_requestedIconAddress;
    // The icon the document declares; used when there is no site icon to fetch or the fetch
    // failed.
    QIcon m_declaredIcon;
    bool m_iconFetchFailed = true;
    // Set while the page changes its own window state, which is then not a window command.
    bool m_changingState = false;
    bool m_closeHandled = false;
};

// The page operations by their program-wide names; a null page does nothing (false).
void NavigatePage(TfrmPage* page, const QString& address);
void MaximizePage(TfrmPage* page);
void RestorePage(TfrmPage* page);
bool PageIsClosing(const TfrmPage* page);

}  // namespace pelto::ui
