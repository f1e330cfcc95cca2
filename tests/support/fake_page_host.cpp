#include "support/fake_page_host.h"

#include "ui/pages/page.h"

#include <algorithm>

namespace pelto::test {

FakePageHost::FakePageHost()
{
    m_area.setObjectName(QStringLiteral("pageArea"));
    m_area.resize(1000, 700);
    m_area.show();
}

FakePageHost::~FakePageHost()
{
    // The pages report their end to this host, so they go while it is whole; closed pages
    // that wait for their deferred deletion are no longer listed by the area but are still
    // its children.
    const QList<ui::TfrmPage*> pages = m_area.viewport()->findChildren<ui::TfrmPage*>(Qt::FindDirectChildrenOnly);
    for (ui::TfrmPage* page : pages)
        delete page;
}

ui::TfrmPage* FakePageHost::createPage(const QRect& geometry)
{
    auto* page = new ui::TfrmPage(*this, factory);
    m_area.addSubWindow(page);
    page->setGeometry(geometry);
    page->SavedLeft = geometry.left();
    page->SavedTop = geometry.top();
    page->SavedClientWidth = geometry.width();
    page->SavedClientHeight = geometry.height();
    page->show();
    return page;
}

FakeWebControl* FakePageHost::control(const ui::TfrmPage* page)
{
    return page ? qobject_cast<FakeWebControl*>(page->WB()) : nullptr;
}

QList<ui::TfrmPage*> FakePageHost::pages() const
{
    // The area lists the oldest activation first, and a page added but never shown as the
    // latest: the active one is moved to the front.
    QList<ui::TfrmPage*> list;
    const QList<QMdiSubWindow*> windows = m_area.subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (auto* page = qobject_cast<ui::TfrmPage*>(*it))
            list.append(page);
    }
    if (auto* active = qobject_cast<ui::TfrmPage*>(m_area.activeSubWindow())) {
        list.removeOne(active);
        list.prepend(active);
    }
    return list;
}

void FakePageHost::activatePage(ui::TfrmPage* page)
{
    m_area.setActiveSubWindow(page);
}

QSize FakePageHost::pageAreaSize() const
{
    return m_area.viewport()->size();
}

void FakePageHost::setClosingInBulk(bool on)
{
    closingInBulkValue = on;
    closingInBulkWrites.append(on);
    calls << "setClosingInBulk";
}

void FakePageHost::setOpenMax(bool on)
{
    settingsValue.OpenMax = on;
    openMaxWrites.append(on);
    calls << "setOpenMax";
}

void FakePageHost::showProgress(int position, int maximum)
{
    progressPosition = position;
    progressMaximum = maximum;
    calls << "showProgress";
}

void FakePageHost::clearPageDisplay()
{
    ++clearPageDisplayCount;
    caption = QStringLiteral("Pelto Browser");
    address.clear();
    statusText.clear();
    progressPosition = 0;
    secureState = -1;
    calls << "clearPageDisplay";
}

void FakePageHost::pageClosing(ui::TfrmPage* page)
{
    closingPages.append(page);
    calls << "pageClosing";
}

ui::WebControl* FakePageHost::requestNewWindow(ui::TfrmPage* opener, ui::NewWindowRequest& request)
{
    newWindowRequests.append(request.address());
    calls << "requestNewWindow";
    return newWindowAnswer ? newWindowAnswer(opener, request) : nullptr;
}

void FakePageHost::clearRecords()
{
    calls.clear();
    caption.clear();
    address.clear();
    statusText.clear();
    progressPosition = progressMaximum = -1;
    secureState = -2;
    siteIcon = QPixmap();
    backMenu.clear();
    forwardMenu.clear();
    clearPageDisplayCount = focusAddressBoxCount = 0;
    openMaxWrites.clear();
    closingInBulkWrites.clear();
    navigatedPages.clear();
    closingPages.clear();
    destroyedPages.clear();
    tabChanges.clear();
    newWindowRequests.clear();
    activationTimerRestarts = findRestarts = contextMenus = userClickWindows = 0;
}

}  // namespace pelto::test
