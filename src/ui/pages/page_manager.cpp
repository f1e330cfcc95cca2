#include "ui/pages/page_manager.h"

#include "core/pages/open_rules.h"
#include "core/pages/page_rules.h"
#include "platform/atomic_file.h"
#include "ui/app/shared_state.h"
#include "ui/pages/page.h"
#include "ui/pages/popup_blocker.h"
#include "ui/pages/page_display.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

namespace pelto::ui {

namespace {

constexpr int kOffScreenLeft = -200000;
constexpr qint64 kMaxShortcutFileBytes = 1024 * 1024;

}  // namespace

PageManager::PageManager(Services services, QObject* parent)
    : QObject(parent)
    , m_services(std::move(services))
{
    m_tmrPageActive.setObjectName(QStringLiteral("tmrPageActive"));
    m_tmrPageActive.setInterval(300);
    m_tmrPageActive.setSingleShot(true);
    connect(&m_tmrPageActive, &QTimer::timeout, this, &PageManager::onActivationTimer);
    connect(m_services.area, &QMdiArea::subWindowActivated, this, &PageManager::onSubWindowActivated);
}

PageManager::~PageManager() = default;

TfrmPage* PageManager::CreatePage(bool forNewWindow, bool mayOpenInFront)
{
    TfrmPage* previous = activePage();
    auto* page = new TfrmPage(*this, *m_services.factory);
    // A new page takes the last place until it is activated.
    m_order.append(page);
    m_services.area->addSubWindow(page);
    // A new page starts at three quarters of the page area, the size it returns to from its
    // maximised state and the one a script's window keeps where it sets no size.
    const QSize area = pageAreaSize();
    page->resize(std::max(300, area.width() * 3 / 4), std::max(200, area.height() * 3 / 4));
    emit pageCountChanged(pageCount());

    const bool ctrlHeld = QApplication::queryKeyboardModifiers() & Qt::ControlModifier;
    const bool inFront = mayOpenInFront && !ctrlHeld && settings().PopupForeground;
    page->SavedTop = page->y();
    page->SavedLeft = page->x();
    page->SavedClientHeight = page->height();
    page->SavedClientWidth = page->width();
    page->NewWindowPending = forNewWindow;
    page->OpenBehind = !inFront;

    auto showBehind = [&] {
        const int left = page->x();
        page->move(kOffScreenLeft, page->y());
        // Showing a page activates it; behind another page, that passes unnoticed.
        if (previous)
            m_placingBehind = page;
        page->show();
        if (previous)
            activatePage(previous);
        m_placingBehind = nullptr;
        return left;
    };

    if (forNewWindow) {
        if (page->OpenBehind)
            showBehind();
        return page;
    }
    if (settings().OpenMax)
        page->MaximizePage();
    if (inFront) {
        page->show();
        activatePage(page);
    } else {
        const int left = showBehind();
        page->move(left, page->y());
    }
    return page;
}

void PageManager::OpenInNewPage(const std::string& text)
{
    if (text.empty())
        return;
    if (core::IsInternetShortcutText(text)) {
        TfrmPage* page = CreatePage(false, true);
        std::string target;
        const platform::ReadResult file =
            platform::readWholeFile(QString::fromUtf8(text.data(), static_cast<int>(text.size())).trimmed(),
                                    kMaxShortcutFileBytes);
        if (file.status == platform::ReadStatus::Ok) {
            target = core::InternetShortcutTarget(std::string_view(file.data.constData(),
                                                                   static_cast<size_t>(file.data.size())))
                         .value_or(std::string());
        }
        NavigatePage(page, QString::fromUtf8(target.data(), static_cast<int>(target.size())));
        return;
    }
    const std::string address = core::StripQuotes(text);
    TfrmPage* page = CreatePage(false, true);
    NavigatePage(page, QString::fromUtf8(address.data(), static_cast<int>(address.size())));
}

QList<TfrmPage*> PageManager::pages() const
{
    QList<TfrmPage*> list;
    for (const QPointer<TfrmPage>& page : m_order) {
        if (page)
            list.append(page.data());
    }
    return list;
}

void PageManager::activatePage(TfrmPage* page)
{
    if (!page)
        return;
    m_services.area->setActiveSubWindow(page);
    // The area may already count it as active (it was shown last): keep our order right too.
    onSubWindowActivated(page);
}

void PageManager::onSubWindowActivated(QMdiSubWindow* window)
{
    auto* page = qobject_cast<TfrmPage*>(window);
    if (!page || placingBehind(page))
        return;
    const int index = m_order.indexOf(page);
    if (index > 0)
        m_order.move(index, 0);
    else if (index < 0)
        m_order.prepend(page);
}

QSize PageManager::pageAreaSize() const
{
    return m_services.area->viewport()->size();
}

int PageManager::mainClientWidth() const
{
    return m_services.mainWindow ? m_services.mainWindow->width() : m_services.area->width();
}

const core::GeneralSettings& PageManager::settings() const { return m_services.state->settings; }
bool PageManager::addressEditing() const { return m_services.state->AddressEditing; }
bool PageManager::closingInBulk() const { return m_services.state->ClosingInBulk; }
void PageManager::setClosingInBulk(bool on) { m_services.state->ClosingInBulk = on; }
bool PageManager::isExiting() const { return m_services.state->IsExiting; }

void PageManager::setOpenMax(bool on)
{
    m_services.state->settings.OpenMax = on;
    if (m_services.writeOpenMax)
        m_services.writeOpenMax(on);
}

std::uint32_t PageManager::downloadFlags() const { return m_services.state->DownloadFlags; }
const PagePictures& PageManager::pagePictures() const { return *m_services.pictures; }
TfrmPage* PageManager::lastActivatedPage() const { return m_services.state->lastActivatedPage; }
void PageManager::setLastActivatedPage(TfrmPage* page) { m_services.state->lastActivatedPage = page; }
TfrmPage* PageManager::tabMenuPage() const { return m_services.state->TabMenuPage; }
void PageManager::setTabMenuPage(TfrmPage* page) { m_services.state->TabMenuPage = page; }

void PageManager::showCaption(const QString& caption) { m_services.display->showCaption(caption); }
void PageManager::showAddress(const QString& address) { m_services.display->showAddress(address); }
void PageManager::showStatusText(const QString& text) { m_services.display->showStatusText(text); }
void PageManager::showProgress(int position, int maximum) { m_services.display->showProgress(position, maximum); }
void PageManager::showSecureState(int state) { m_services.display->showSecureState(state); }
void PageManager::showSiteIcon(const QPixmap& icon) { m_services.display->showSiteIcon(icon); }
void PageManager::refreshBackMenu(const QStringList& titles) { m_services.display->refreshBackMenu(titles); }
void PageManager::refreshForwardMenu(const QStringList& titles) { m_services.display->refreshForwardMenu(titles); }
void PageManager::clearPageDisplay() { m_services.display->clearPageDisplay(); }
void PageManager::focusAddressBox() { m_services.display->focusAddressBox(); }

void PageManager::pageNavigated(TfrmPage* page) { emit pageNavigatedSignal(page); }
void PageManager::pageClosing(TfrmPage* page) { emit pageClosingSignal(page); }

void PageManager::pageDestroyed(TfrmPage* page)
{
    m_order.removeAll(page);
    m_order.removeAll(nullptr);
    if (m_services.state->lastActivatedPage == page)
        m_services.state->lastActivatedPage = nullptr;
    if (m_services.state->TabMenuPage == page)
        m_services.state->TabMenuPage = nullptr;
    emit pageCountChanged(pageCount());
}

void PageManager::tabChanged(TfrmPage* page) { emit tabChangedSignal(page); }

void PageManager::restartActivationTimer()
{
    m_tmrPageActive.stop();
    m_tmrPageActive.start();
}

void PageManager::onActivationTimer()
{
    if (isExiting())
        return;
    m_tmrPageActive.stop();
    TfrmPage* page = activePage();
    if (!page || page == m_bandPage)
        return;
    m_bandPage = page;
    // The hosted toolbar bands attach themselves to this page's control.
    emit bandPageChanged(page);
}

void PageManager::clearBandPage()
{
    m_bandPage = nullptr;
}

void PageManager::restartFind()
{
    // Keyword find starts from the top of the document again; find comes with the keyword search.
}

void PageManager::contextMenuShown()
{
    if (m_popupBlocker)
        m_popupBlocker->contextMenuShown();
}

void PageManager::openUserClickWindow()
{
    if (m_popupBlocker)
        m_popupBlocker->OpenUserClickWindow();
}

WebControl* PageManager::requestNewWindow(TfrmPage* opener, NewWindowRequest& request)
{
    const NewWindowAnswer answer = m_popupBlocker ? m_popupBlocker->decide(opener, request) : NewWindowAnswer::Open;
    if (answer == NewWindowAnswer::Refuse)
        return nullptr;
    TfrmPage* page = CreatePage(true, answer != NewWindowAnswer::OpenBehind);
    return page ? page->WB() : nullptr;
}

}  // namespace pelto::ui
