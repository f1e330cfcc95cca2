#include "ui/pages/page.h"

#include "core/app/general_settings.h"
#include "core/app/menu_caption.h"
#include "core/app/product.h"
#include "core/pages/page_rules.h"
#include "ui/pages/page_host.h"
#include "ui/pages/page_pictures.h"
#include "ui/pages/site_icon_fetcher.h"
#include "ui/pages/web_control.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace pelto::ui {

namespace {

const QString kBlank = QStringLiteral("about:blank");

QString applicationTitle()
{
    return QString::fromUtf8(core::kApplicationTitle.data(), qsizetype(core::kApplicationTitle.size()));
}

QString mainCaption(const QString& pageCaption)
{
    return pageCaption + QStringLiteral(" - ") + applicationTitle();
}

QString menuCaption(const QString& text)
{
    return QString::fromStdString(core::MenuCaption(text.toStdString(), 0));
}

QString siteIconAddress(const QString& address)
{
    return QString::fromStdString(core::SiteIconAddress(address.toStdString()));
}

constexpr int kIconSide = 16;

}  // namespace

TfrmPage::TfrmPage(PageHost& host, WebControlFactory& factory, QWidget* parent)
    : QMdiSubWindow(parent, kNormalFlags)
    , m_host(host)
{
    setObjectName(QStringLiteral("frmPage"));
    setWindowTitle(kBlank);

    m_pnlWB = new QWidget(this);
    m_pnlWB->setObjectName(QStringLiteral("pnlWB"));
    auto* fill = new QVBoxLayout(m_pnlWB);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->setSpacing(0);
    m_wb = factory.createControl(m_pnlWB);
    m_wb->setObjectName(QStringLiteral("WB"));
    if (!m_wb->parent())
        m_wb->setParent(this);
    if (QWidget* document = m_wb->widget()) {
        fill->addWidget(document);
        m_pnlWB->setFocusProxy(document);
    }
    setWidget(m_pnlWB);

    m_tmrRefresh = new QTimer(this);
    m_tmrRefresh->setObjectName(QStringLiteral("tmrRefresh"));
    connect(m_tmrRefresh, &QTimer::timeout, this, &TfrmPage::tmrRefreshTimer);

    m_auHTTPGet = new SiteIconFetcher(this);
    m_auHTTPGet->setObjectName(QStringLiteral("auHTTPGet"));
    connect(m_auHTTPGet, &SiteIconFetcher::iconReady, this, &TfrmPage::auHTTPGetDone);
    connect(m_auHTTPGet, &SiteIconFetcher::failed, this, &TfrmPage::auHTTPGetFailed);

    connect(m_wb, &WebControl::StatusTextChange, this, &TfrmPage::WBStatusTextChange);
    connect(m_wb, &WebControl::ProgressChange, this, &TfrmPage::WBProgressChange);
    connect(m_wb, &WebControl::CommandStateChange, this, &TfrmPage::WBCommandStateChange);
    connect(m_wb, &WebControl::DownloadBegin, this, &TfrmPage::WBDownloadBegin);
    connect(m_wb, &WebControl::DownloadComplete, this, &TfrmPage::WBDownloadComplete);
    connect(m_wb, &WebControl::TitleChange, this, &TfrmPage::WBTitleChange);
    connect(m_wb, &WebControl::BeforeNavigate2, this, &TfrmPage::WBBeforeNavigate2);
    connect(m_wb, &WebControl::NewWindow2, this, &TfrmPage::WBNewWindow2);
    connect(m_wb, &WebControl::NavigateComplete2, this, &TfrmPage::WBNavigateComplete2);
    connect(m_wb, &WebControl::DocumentComplete, this, &TfrmPage::WBDocumentComplete);
    // The document closing its window closes the page instead.
    connect(m_wb, &WebControl::WindowClosing, this, &QWidget::close);
    connect(m_wb, &WebControl::WindowSetResizable, this, &TfrmPage::WBWindowSetResizable);
    connect(m_wb, &WebControl::WindowSetLeft, this, &TfrmPage::WBWindowSetLeft);
    connect(m_wb, &WebControl::WindowSetTop, this, &TfrmPage::WBWindowSetTop);
    connect(m_wb, &WebControl::WindowSetWidth, this, &TfrmPage::WBWindowSetWidth);
    connect(m_wb, &WebControl::WindowSetHeight, this, &TfrmPage::WBWindowSetHeight);
    connect(m_wb, &WebControl::SetSecureLockIcon, this, &TfrmPage::WBSetSecureLockIcon);
    connect(m_wb, &WebControl::documentIconChanged, this, &TfrmPage::WBDocumentIconChanged);
    connect(m_wb, &WebControl::contextMenuShown, this, [this] { m_host.contextMenuShown(); });

    // The form's create handler.
    NudgeCount = 0;
    NewWindowPending = OpenBehind = ScriptPlaced = false;
    const QList<TfrmPage*> others = m_host.pages();
    TabButton.caption = kBlank;
    TabButton.picture = PagePictures::kPlainPage;
    TabButton.slot = int(others.size()) - (others.contains(this) ? 1 : 0);
    // With other pages open, the new page's caption reaches the window when it is activated:
    // a page that opens behind never shows its caption.
    if (others.isEmpty() || others == QList<TfrmPage*> {this})
        m_host.showCaption(mainCaption(kBlank));
    IsMaximized = IsClosing = CanGoBack = CanGoForward = false;
    ProgressPercent = 0;
    BackTitles.clear();
    ForwardTitles.clear();
    HighlightWords.clear();
    PageAddress = kBlank;
    StatusText.clear();
    SecureLockState = -1;
    m_host.tabChanged(this);
    m_wb->setDownloadOptions(m_host.downloadFlags());
    SiteIcon = plainPicture();
    TabButton.hasSiteIcon = false;
    m_wb->setFormsAutoComplete(m_host.settings().WebPageAutoComplete);

    SavedTop = y();
    SavedLeft = x();
    SavedClientHeight = height();
    SavedClientWidth = width();
    watchArea();
}

TfrmPage::~TfrmPage()
{
    disconnect(m_areaConnection);
    FormDestroy();
}

void TfrmPage::FormDestroy()
{
    try {
        m_auHTTPGet->disconnect(this);
        m_auHTTPGet->abort();
        m_wb->disconnect(this);
        if (m_wb->hasDocument())
            m_wb->loadBlank();
        BackTitles.clear();
        ForwardTitles.clear();
        HighlightWords.clear();
        // A later page may be made at this page's address; it must not pass for this one.
        if (m_host.lastActivatedPage() == this)
            m_host.setLastActivatedPage(nullptr);
        if (m_host.tabMenuPage() == this)
            m_host.setTabMenuPage(nullptr);
        m_host.pageDestroyed(this);
        SiteIcon = QPixmap();
    } catch (...) {
    }
}

bool TfrmPage::isActivePage() const
{
    return m_host.isActive(this);
}

QPixmap TfrmPage::plainPicture() const
{
    return m_host.pagePictures().picture(PagePictures::kPlainPage);
}

QPixmap TfrmPage::addressBoxIcon(const QPixmap& sheet) const
{
    const qreal ratio = sheet.isNull() ? 1.0 : sheet.devicePixelRatio();
    QPixmap icon(qRound(kIconSide * ratio), qRound(kIconSide * ratio));
    icon.setDevicePixelRatio(ratio);
    icon.fill(palette().color(QPalette::Base));
    if (!sheet.isNull()) {
        const qreal border = (sheet.deviceIndependentSize().width() - kIconSide) / 2.0;
        QPainter painter(&icon);
        painter.drawPixmap(QPointF(-border, -border), sheet);
    }
    return icon;
}

void TfrmPage::watchArea()
{
    QMdiArea* area = mdiArea();
    if (area == m_area)
        return;
    disconnect(m_areaConnection);
    m_area = area;
    if (area) {
        // The area's signal comes after it has recorded the activation, so that the page
        // list already has this page first.
        m_areaConnection = connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
            if (window == this && !m_host.placingBehind(this))
                FormActivate();
        });
    }
}

bool TfrmPage::event(QEvent* event)
{
    const bool result = QMdiSubWindow::event(event);
    if (event->type() == QEvent::ParentChange)
        watchArea();
    return result;
}

bool TfrmPage::PageIsClosing() const
{
    return IsClosing || m_host.closingInBulk();
}

void TfrmPage::NavigatePage(const QString& address)
{
    siteIconReset(address);
    if (address.isEmpty())
        return;
    SetPageAddress(address);
    if (!IsMaximized && windowFlags() != kNormalFlags)
        setWindowFlags(kNormalFlags);
    m_wb->Navigate2(QString::fromStdString(core::StripQuotes(address.toStdString())));
    // Out of the address box, so that the box is free for the page's address.
    if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == window() && !isAncestorOf(focus))
        focus->clearFocus();
}

void TfrmPage::SetPageAddress(const QString& address)
{
    PageAddress = address;
    if (isActivePage() && !m_host.addressEditing())
        m_host.showAddress(address.isEmpty() ? kBlank : address);
}

void TfrmPage::SetTabPicture(int index)
{
    if (TabButton.picture == index)
        return;
    TabButton.picture = index;
    m_host.tabChanged(this);
}

void TfrmPage::FormActivate()
{
    if (m_host.isExiting() || m_host.lastActivatedPage() == this)
        return;
    m_host.setLastActivatedPage(this);
    raise();
    m_host.restartFind();
    m_host.showSecureState(SecureLockState);
    if (!m_host.addressEditing())
        m_host.showAddress(PageAddress.isEmpty() ? kBlank : PageAddress);
    m_host.showProgress(ProgressPercent, 100);
    m_host.showStatusText(StatusText);
    if (!PageIsClosing()) {
        m_host.refreshBackMenu(BackTitles);
        m_host.refreshForwardMenu(ForwardTitles);
    }
    if (!m_wb->Busy())
        SetTabPicture(PagePictures::kPlainPage);
    m_wb->focusDocument();
    m_host.showCaption(mainCaption(windowTitle()));
    m_host.restartActivationTimer();
    m_host.showSiteIcon(addressBoxIcon(SiteIcon));
}

void TfrmPage::WBTitleChange(const QString& text)
{
    if (PageIsClosing())
        return;
    setWindowTitle(text);
    TabButton.caption = menuCaption(text);
    TabButton.hint = text;
    m_host.tabChanged(this);
    if (isActivePage())
        m_host.showCaption(mainCaption(text));
}

void TfrmPage::WBStatusTextChange(const QString& text)
{
    if (PageIsClosing())
        return;
    StatusText = QStringLiteral("  ") + menuCaption(text);
    if (isActivePage())
        m_host.showStatusText(StatusText);
}

void TfrmPage::WBProgressChange(int progress, int maximum)
{
    if (PageIsClosing())
        return;
    if (isActivePage()) {
        if (maximum > 0)
            m_host.showProgress(progress, maximum);
        else
            m_host.showProgress(0, 100);
    }
    SetTabPicture(core::ProgressPicture(progress, maximum));
    ProgressPercent = core::ProgressPercent(progress, maximum);
}

void TfrmPage::WBDownloadBegin()
{
    HighlightWords.clear();
}

void TfrmPage::WBDownloadComplete()
{
    if (NudgeCount > 8)
        return;
    // Some documents draw wrongly until their control changes size once.
    m_pnlWB->resize(m_pnlWB->width() + 1, m_pnlWB->height() + 1);
    if (QLayout* frame = layout()) {
        frame->invalidate();
        frame->activate();
    }
    ++NudgeCount;
}

void TfrmPage::WBDocumentComplete()
{
    if (PageIsClosing())
        return;
    if (!m_wb->Busy()) {
        SetTabPicture(PagePictures::kPlainPage);
        ProgressPercent = 0;
    }
    if (isActivePage())
        m_wb->focusDocument();
}

void TfrmPage::WBCommandStateChange(int command, bool enable)
{
    if (PageIsClosing())
        return;
    if (command == 1) {
        CanGoForward = enable;
        ForwardTitles.clear();
        if (m_wb->hasDocument())
            ForwardTitles = m_wb->forwardTitles();
        if (isActivePage())
            m_host.refreshForwardMenu(ForwardTitles);
    } else if (command == 2) {
        CanGoBack = enable;
        BackTitles.clear();
        if (m_wb->hasDocument())
            BackTitles = m_wb->backTitles();
        if (isActivePage())
            m_host.refreshBackMenu(BackTitles);
    }
}

void TfrmPage::WBBeforeNavigate2(bool topLevel, const QUrl& address)
{
    const QString text = address.toString();
    if (topLevel)
        siteIconReset(text);
    if (!NewWindowPending)
        return;

    if (m_host.settings().StopAutoPopup && (text.isEmpty() || text == kBlank))
        m_host.openUserClickWindow();
    if (OpenBehind) {
        move(x(), SavedTop);
        if (SavedClientWidth != 0)
            setClientWidth(SavedClientWidth);
        if (SavedClientHeight != 0)
            setClientHeight(SavedClientHeight);
        const QList<TfrmPage*> list = m_host.pages();
        if (isActivePage() && list.size() >= 2)
            m_host.activatePage(list.at(1));
        move(SavedLeft, y());
        OpenBehind = false;
    } else {
        show();
    }
    NewWindowPending = false;
    if (ScriptPlaced) {
        if (IsMaximized)
            RestorePage();
    } else if (m_host.settings().OpenMax && !IsMaximized) {
        MaximizePage();
    }
}

void TfrmPage::WBNavigateComplete2(bool topLevel, const QUrl& address)
{
    if (!topLevel)
        return;
    const QString text = address.toString();
    siteIconRequest(text);
    SetPageAddress(text);
    m_host.pageNavigated(this);
}

void TfrmPage::WBNewWindow2(NewWindowRequest* request)
{
    if (!request)
        return;
    if (WebControl* target = m_host.requestNewWindow(this, *request))
        request->accept(target);
    else
        request->refuse();
}

void TfrmPage::WBSetSecureLockIcon(int state)
{
    SecureLockState = state;
    // Only the active page speaks for the status bar; the others show theirs when activated.
    if (isActivePage())
        m_host.showSecureState(state);
}

void TfrmPage::tmrRefreshTimer()
{
    if (!m_wb->LocationURL().isEmpty())
        m_wb->Refresh();
}

void TfrmPage::clearSiteIcon()
{
    SiteIcon = plainPicture();
    TabButton.siteIcon = QIcon();
    TabButton.hasSiteIcon = false;
    m_host.tabChanged(this);
}

void TfrmPage::siteIconReset(const QString& address)
{
    const QString icon = siteIconAddress(address);
    if (icon == m_iconAddress)
        return;
    m_iconAddress = icon;
    m_requestedIconAddress.clear();
    // An answer still on its way belongs to the previous site.
    m_auHTTPGet->abort();
    m_declaredIcon = QIcon();
    m_iconFetchFailed = icon.isEmpty();
    clearSiteIcon();
    if (isActivePage())
        m_host.showSiteIcon(addressBoxIcon(SiteIcon));
}

void TfrmPage::siteIconRequest(const QString& address)
{
    // Engines do not always announce a navigation before completing it.
    siteIconReset(address);
    if (m_iconAddress.isEmpty() || m_iconAddress == m_requestedIconAddress)
        return;
    m_requestedIconAddress = m_iconAddress;
    m_iconFetchFailed = false;
    m_auHTTPGet->request(QUrl(m_iconAddress));
}

void TfrmPage::auHTTPGetDone(const QIcon& icon)
{
    if (!showSiteIcon(icon))
        auHTTPGetFailed();
}

void TfrmPage::auHTTPGetFailed()
{
    m_iconFetchFailed = true;
    if ((m_declaredIcon.isNull() || !showSiteIcon(m_declaredIcon)) && TabButton.hasSiteIcon)
        clearSiteIcon();
}

void TfrmPage::WBDocumentIconChanged(const QIcon& icon)
{
    if (icon.isNull())
        return;
    m_declaredIcon = icon;
    if (m_iconFetchFailed)
        showSiteIcon(icon);
}

bool TfrmPage::showSiteIcon(const QIcon& icon)
{
    const qreal ratio = m_host.pagePictures().devicePixelRatio();
    const QPixmap small = icon.pixmap(QSize(kIconSide, kIconSide), ratio);
    if (small.isNull())
        return false;

    const int side = PagePictures::kSize;
    QPixmap sheet(qRound(side * ratio), qRound(side * ratio));
    sheet.setDevicePixelRatio(ratio);
    sheet.fill(palette().color(QPalette::Base));
    {
        QPainter painter(&sheet);
        const qreal border = (side - kIconSide) / 2.0;
        painter.drawPixmap(QRectF(border, border, kIconSide, kIconSide), small, QRectF(small.rect()));
    }
    SiteIcon = sheet;
    TabButton.siteIcon = QIcon(small);
    TabButton.hasSiteIcon = true;
    m_host.tabChanged(this);
    if (isActivePage())
        m_host.showSiteIcon(addressBoxIcon(SiteIcon));
    return true;
}

void TfrmPage::closeEvent(QCloseEvent* event)
{
    if (m_closeHandled) {
        event->accept();
        return;
    }
    m_closeHandled = true;

    m_auHTTPGet->abort();
    if (m_wb->hasDocument())
        m_wb->Stop();
    setAttribute(Qt::WA_DeleteOnClose);
    IsClosing = true;
    if (m_host.tabMenuPage() == this)
        m_host.setTabMenuPage(nullptr);

    try {
        const bool active = isActivePage();
        if (active)
            m_host.showSiteIcon(addressBoxIcon(plainPicture()));
        m_host.pageClosing(this);
        if (active) {
            const bool lastPage = m_host.pages().size() <= 1;
            if (lastPage)
                m_host.focusAddressBox();
            if (lastPage && !m_host.isExiting())
                m_host.setClosingInBulk(false);
            m_host.clearPageDisplay();
        }
    } catch (...) {
    }
    QMdiSubWindow::closeEvent(event);
    event->accept();
}

void NavigatePage(TfrmPage* page, const QString& address)
{
    if (page)
        page->NavigatePage(address);
}

bool PageIsClosing(const TfrmPage* page)
{
    return page && page->PageIsClosing();
}

}  // namespace pelto::ui
