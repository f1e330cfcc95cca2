#pragma once

#include "core/app/general_settings.h"
#include "support/fake_web_control.h"
#include "ui/pages/page_host.h"
#include "ui/pages/page_pictures.h"

#include <QList>
#include <QMdiArea>
#include <QPixmap>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

namespace pelto::test {

// The main window as pages see it, for page tests: a real page area (so that activation,
// stacking and geometry behave as in the program) and a record of everything a page showed or
// reported. `calls` lists the names of the calls in order, for tests of an order.
class FakePageHost : public ui::PageHost {
public:
    FakePageHost();
    ~FakePageHost() override;

    // A page made the way the page manager makes one: added to the area at the given
    // geometry, shown, and so activated.
    ui::TfrmPage* createPage(const QRect& geometry = QRect(20, 30, 400, 300));
    // The fake control of a page.
    static FakeWebControl* control(const ui::TfrmPage* page);

    QMdiArea& area() { return m_area; }
    FakeWebControlFactory factory;

    // PageHost
    QList<ui::TfrmPage*> pages() const override;
    void activatePage(ui::TfrmPage* page) override;
    bool placingBehind(const ui::TfrmPage*) const override { return false; }
    QSize pageAreaSize() const override;
    int mainClientWidth() const override { return mainClientWidthValue; }
    const core::GeneralSettings& settings() const override { return settingsValue; }
    bool addressEditing() const override { return addressEditingValue; }
    bool closingInBulk() const override { return closingInBulkValue; }
    void setClosingInBulk(bool on) override;
    bool isExiting() const override { return exitingValue; }
    void setOpenMax(bool on) override;
    std::uint32_t downloadFlags() const override { return downloadFlagsValue; }
    const ui::PagePictures& pagePictures() const override { return m_pictures; }
    ui::TfrmPage* lastActivatedPage() const override { return m_lastActivated; }
    void setLastActivatedPage(ui::TfrmPage* page) override { m_lastActivated = page; }
    ui::TfrmPage* tabMenuPage() const override { return m_tabMenuPage; }
    void setTabMenuPage(ui::TfrmPage* page) override { m_tabMenuPage = page; }

    void showCaption(const QString& text) override { caption = text; calls << "showCaption"; }
    void showAddress(const QString& text) override { address = text; calls << "showAddress"; }
    void showStatusText(const QString& text) override { statusText = text; calls << "showStatusText"; }
    void showProgress(int position, int maximum) override;
    void showSecureState(int state) override { secureState = state; calls << "showSecureState"; }
    void showSiteIcon(const QPixmap& icon) override { siteIcon = icon; calls << "showSiteIcon"; }
    void refreshBackMenu(const QStringList& titles) override { backMenu = titles; calls << "refreshBackMenu"; }
    void refreshForwardMenu(const QStringList& titles) override { forwardMenu = titles; calls << "refreshForwardMenu"; }
    void clearPageDisplay() override;
    void focusAddressBox() override { ++focusAddressBoxCount; calls << "focusAddressBox"; }

    void pageNavigated(ui::TfrmPage* page) override { navigatedPages.append(page); calls << "pageNavigated"; }
    void pageClosing(ui::TfrmPage* page) override;
    void pageDestroyed(ui::TfrmPage* page) override { destroyedPages.append(page); calls << "pageDestroyed"; }
    void tabChanged(ui::TfrmPage* page) override { tabChanges.append(page); }
    void restartActivationTimer() override { ++activationTimerRestarts; }
    void restartFind() override { ++findRestarts; }
    void contextMenuShown() override { ++contextMenus; }
    void openUserClickWindow() override { ++userClickWindows; }
    ui::WebControl* requestNewWindow(ui::TfrmPage* opener, ui::NewWindowRequest& request) override;

    // Forgets what was shown and called (not the window state).
    void clearRecords();

    // Window state the test sets.
    core::GeneralSettings settingsValue;
    bool addressEditingValue = false;
    bool closingInBulkValue = false;
    bool exitingValue = false;
    std::uint32_t downloadFlagsValue = 0;
    int mainClientWidthValue = 1000;
    // The answer to new-window requests; none refuses them.
    std::function<ui::WebControl*(ui::TfrmPage*, ui::NewWindowRequest&)> newWindowAnswer;

    // What pages showed and reported.
    QStringList calls;
    QString caption;
    QString address;
    QString statusText;
    int progressPosition = -1;
    int progressMaximum = -1;
    int secureState = -2;
    QPixmap siteIcon;
    QStringList backMenu;
    QStringList forwardMenu;
    int clearPageDisplayCount = 0;
    int focusAddressBoxCount = 0;
    QList<bool> openMaxWrites;
    QList<bool> closingInBulkWrites;
    QList<QPointer<ui::TfrmPage>> navigatedPages;
    QList<QPointer<ui::TfrmPage>> closingPages;
    QList<ui::TfrmPage*> destroyedPages;  // gone: compare addresses only
    QList<QPointer<ui::TfrmPage>> tabChanges;
    QList<QUrl> newWindowRequests;
    int activationTimerRestarts = 0;
    int findRestarts = 0;
    int contextMenus = 0;
    int userClickWindows = 0;

private:
    ui::PagePictures m_pictures;
    QMdiArea m_area;
    QPointer<ui::TfrmPage> m_lastActivated;
    QPointer<ui::TfrmPage> m_tabMenuPage;
};

}  // namespace pelto::test
