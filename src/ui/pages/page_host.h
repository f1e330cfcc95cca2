#pragma once

#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace pelto::core {
struct GeneralSettings;
}

namespace pelto::ui {

class NewWindowRequest;
class PagePictures;
class TfrmPage;
class WebControl;

// What a page needs of the main window: the page list, the window-wide state, the display of
// the active page and the features that react to page events. The main window implements it;
// tests use a fake.
class PageHost {
public:
    virtual ~PageHost() = default;

    // The pages, most recently activated first: element 0 is the active page.
    virtual QList<TfrmPage*> pages() const = 0;
    TfrmPage* activePage() const { const QList<TfrmPage*> list = pages(); return list.isEmpty() ? nullptr : list.first(); }
    bool isActive(const TfrmPage* page) const { return page && activePage() == page; }

    // Makes the page the active one, in front of the others.
    virtual void activatePage(TfrmPage* page) = 0;
    // True while the page is being put behind the active page: the page area activates it for
    // a moment then, which must not count as its activation.
    virtual bool placingBehind(const TfrmPage* page) const = 0;
    // The size of the area the pages live in, and the main window's client width.
    virtual QSize pageAreaSize() const = 0;
    virtual int mainClientWidth() const = 0;

    // Window-wide state.
    virtual const core::GeneralSettings& settings() const = 0;
    virtual bool addressEditing() const = 0;
    virtual bool closingInBulk() const = 0;
    virtual void setClosingInBulk(bool on) = 0;
    virtual bool isExiting() const = 0;
    // The "OpenMax" switch: changes the window's state and writes the setting.
    virtual void setOpenMax(bool on) = 0;
    virtual std::uint32_t downloadFlags() const = 0;
    virtual const PagePictures& pagePictures() const = 0;

    // The page whose activation was processed last (none at start).
    virtual TfrmPage* lastActivatedPage() const = 0;
    virtual void setLastActivatedPage(TfrmPage* page) = 0;
    // The page whose tab was right-clicked last; cleared when that page closes.
    virtual TfrmPage* tabMenuPage() const = 0;
    virtual void setTabMenuPage(TfrmPage* page) = 0;

    // Display of the active page.
    virtual void showCaption(const QString& caption) = 0;      // the main window caption
    virtual void showAddress(const QString& address) = 0;      // the address box
    virtual void showStatusText(const QString& text) = 0;
    virtual void showProgress(int position, int maximum) = 0;
    virtual void showSecureState(int secureLockState) = 0;     // the two status bar pictures
    virtual void showSiteIcon(const QPixmap& icon) = 0;        // the address box's icon
    virtual void refreshBackMenu(const QStringList& titles) = 0;
    virtual void refreshForwardMenu(const QStringList& titles) = 0;
    virtual void clearPageDisplay() = 0;
    virtual void focusAddressBox() = 0;

    // Page events other features react to.
    virtual void pageNavigated(TfrmPage* page) = 0;  // a top-level navigation completed
    virtual void pageClosing(TfrmPage* page) = 0;    // the page is closing: its title and address go to the recent pages
    virtual void pageDestroyed(TfrmPage* page) = 0;  // the page is gone: take its tab off the tab bar
    virtual void tabChanged(TfrmPage* page) = 0;     // the page's tab caption, hint or picture changed
    virtual void restartActivationTimer() = 0;
    virtual void restartFind() = 0;                  // the next keyword find starts from the top
    virtual void contextMenuShown() = 0;             // the popup blocker notes context menus
    virtual void openUserClickWindow() = 0;          // a blank new window may open its own popup

    // The document asks for a new window: the popup decision, then a page for it. Returns the
    // control that is to show the window, or null when it is refused.
    virtual WebControl* requestNewWindow(TfrmPage* opener, NewWindowRequest& request) = 0;
};

}  // namespace pelto::ui
