#pragma once

#include "ui/pages/page_host.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <string>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace pelto::ui {

class PageDisplay;
class PopupBlocker;
class WebControlFactory;
struct SharedState;

// The only way pages come into being, and the pages' view of the main window: creates pages in
// front of or behind the current one, opens texts from outside in new pages, keeps the pages in
// activation order (element 0 is the active page) and relays page events to the features.
class PageManager : public QObject, public PageHost {
    Q_OBJECT
public:
    struct Services {
        QMdiArea* area = nullptr;                 // the page area
        QWidget* mainWindow = nullptr;
        SharedState* state = nullptr;
        PageDisplay* display = nullptr;
        WebControlFactory* factory = nullptr;
        const PagePictures* pictures = nullptr;
        std::function<void(bool)> writeOpenMax;   // stores the "OpenMax" setting
    };

    explicit PageManager(Services services, QObject* parent = nullptr);
    ~PageManager() override;

    // Creates a page. forNewWindow: the page answers a document's new-window request and is
    // placed by its first navigation. mayOpenInFront: the caller allows the front (Ctrl held or
    // "PopupForeground" off still send it behind).
    TfrmPage* CreatePage(bool forNewWindow, bool mayOpenInFront);

    // Opens a text from outside (an address, a file path or an Internet shortcut file) in a new page.
    void OpenInNewPage(const std::string& text);

    int pageCount() const { return m_order.size(); }

    // The popup blocker that answers the pages' new-window requests (none: every one opens).
    void setPopupBlocker(PopupBlocker* blocker) { m_popupBlocker = blocker; }

    // The page the hosted toolbar bands were last handed to (none at start). Cleared when the
    // window comes back from the tray, so that the bands are handed over again.
    TfrmPage* bandPage() const { return m_bandPage; }
    void clearBandPage();
    // The activation timer: restarted by each page activation, it hands the bands over 300 ms
    // after the last one.
    const QTimer& activationTimer() const { return m_tmrPageActive; }

    // PageHost
    QList<TfrmPage*> pages() const override;
    void activatePage(TfrmPage* page) override;
    bool placingBehind(const TfrmPage* page) const override { return page && page == m_placingBehind; }
    QSize pageAreaSize() const override;
    int mainClientWidth() const override;
    const core::GeneralSettings& settings() const override;
    bool addressEditing() const override;
    bool closingInBulk() const override;
    void setClosingInBulk(bool on) override;
    bool isExiting() const override;
    void setOpenMax(bool on) override;
    std::uint32_t downloadFlags() const override;
    const PagePictures& pagePictures() const override;
    TfrmPage* lastActivatedPage() const override;
    void setLastActivatedPage(TfrmPage* page) override;
    TfrmPage* tabMenuPage() const override;
    void setTabMenuPage(TfrmPage* page) override;
    void showCaption(const QString& caption) override;
    void showAddress(const QString& address) override;
    void showStatusText(const QString& text) override;
    void showProgress(int position, int maximum) override;
    void showSecureState(int secureLockState) override;
    void showSiteIcon(const QPixmap& icon) override;
    void refreshBackMenu(const QStringList& titles) override;
    void refreshForwardMenu(const QStringList& titles) override;
    void clearPageDisplay() override;
    void focusAddressBox() override;
    void pageNavigated(TfrmPage* page) override;
    void pageClosing(TfrmPage* page) override;
    void pageDestroyed(TfrmPage* page) override;
    void tabChanged(TfrmPage* page) override;
    void restartActivationTimer() override;
    void restartFind() override;
    void contextMenuShown() override;
    void openUserClickWindow() override;
    WebControl* requestNewWindow(TfrmPage* opener, NewWindowRequest& request) override;

signals:
    // A page was added or removed.
    void pageCountChanged(int count);
    // A page's top-level navigation completed (the saved pages follow it).
    void pageNavigatedSignal(pelto::ui::TfrmPage* page);
    // A page is closing, with its tab caption and address (the recent pages take them).
    void pageClosingSignal(pelto::ui::TfrmPage* page);
    // A page's tab caption, hint or picture changed.
    void tabChangedSignal(pelto::ui::TfrmPage* page);
    // The activation timer handed the hosted toolbar bands to a newly active page.
    void bandPageChanged(pelto::ui::TfrmPage* page);

private:
    void onSubWindowActivated(QMdiSubWindow* window);
    void onActivationTimer();

    Services m_services;
    QList<QPointer<TfrmPage>> m_order;  // most recently activated first
    QTimer m_tmrPageActive;
    QPointer<TfrmPage> m_bandPage;
    QPointer<TfrmPage> m_placingBehind;
    PopupBlocker* m_popupBlocker = nullptr;
};

}  // namespace pelto::ui
