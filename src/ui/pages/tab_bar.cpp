#include "ui/pages/tab_bar.h"

#include "core/app/general_settings.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "ui/pages/page_pictures.h"

#include <QMdiArea>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace pelto::ui {

namespace {

const QColor kLightEdge(0xFF, 0xFF, 0xFF);
const QColor kDarkEdge(0x6A, 0x6A, 0x6A);
const QColor kHoverCaption(0x00, 0x00, 0xFF);
constexpr int kSiteIconSide = 16;
constexpr int kDragThresholdSquared = 25;
const QString kBlank = QStringLiteral("about:blank");

QRect toQRect(const core::Rect& rect)
{
    return QRect(rect.left, rect.top, rect.width, rect.height);
}

}  // namespace

TTabButton::TTabButton(TfrmPage* page, const PagePictures& pictures, QWidget* parent)
    : QAbstractButton(parent)
    , m_page(page)
    , m_pictures(pictures)
{
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setText(kBlank);
    setToolTip(kBlank);
    resize(core::kPreferredTabWidth, core::kTabHeight);
    hide();
}

QSize TTabButton::sizeHint() const
{
    return QSize(core::kPreferredTabWidth, core::kTabHeight);
}

void TTabButton::setPictureIndex(int index)
{
    if (index == m_pictureIndex)
        return;
    m_pictureIndex = index;
    update(QRect(QPoint(1, 1), QPoint(22, height() - 2)));
}

void TTabButton::setSiteIcon(const QIcon& icon, bool hasSiteIcon)
{
    if (hasSiteIcon == m_hasSiteIcon && icon.cacheKey() == m_siteIcon.cacheKey())
        return;
    m_siteIcon = icon;
    m_hasSiteIcon = hasSiteIcon;
    update(QRect(QPoint(1, 1), QPoint(22, height() - 2)));
}

QPixmap TTabButton::glyph() const
{
    return m_pictures.picture(m_pictureIndex);
}

void TTabButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool down = isChecked() || isDown();
    const int p = down && isEnabled() ? 1 : 0;
    const int w = width();
    const int h = height();

    painter.setPen(down ? kDarkEdge : kLightEdge);
    painter.drawLine(0, h - 1, 0, 0);
    painter.drawLine(0, 0, w - 1, 0);
    painter.setPen(down ? kLightEdge : kDarkEdge);
    painter.drawLine(w - 1, 0, w - 1, h - 1);
    painter.drawLine(w - 1, h - 1, 0, h - 1);

    const QPixmap picture = glyph();
    const bool hasGlyph = !picture.isNull();
    const QSize glyphSize = hasGlyph ? picture.deviceIndependentSize().toSize() : QSize();

    QFont captionFont = font();
    captionFont.setBold(down);
    painter.setFont(captionFont);
    const QFontMetrics metrics(captionFont);
    const int available = std::max(0, hasGlyph ? w - glyphSize.width() - 12 : w - 8);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const int captionHeight = metrics.boundingRect(QRect(0, 0, available, h), flags, text()).height();
    const int captionTop = p + (h - captionHeight) / 2;
    const int captionLeft = p + 4 + (hasGlyph ? glyphSize.width() + 4 : 0);
    const QString shown = metrics.elidedText(text(), Qt::ElideRight, available, Qt::TextShowMnemonic);
    painter.setPen(m_hovering && m_hoverColouring ? kHoverCaption : palette().color(QPalette::ButtonText));
    painter.drawText(QRect(captionLeft, captionTop, available, captionHeight), flags, shown);

    if (!hasGlyph)
        return;
    const QPoint glyphAt(p + 4, p + (h - glyphSize.height()) / 2);
    if (m_pictureIndex == PagePictures::kPlainPage && m_hasSiteIcon)
        m_siteIcon.paint(&painter, QRect(glyphAt + QPoint(1, 1), QSize(kSiteIconSide, kSiteIconSide)));
    else
        painter.drawPixmap(glyphAt, picture);
}

void TTabButton::mousePressEvent(QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::MiddleButton:
        m_middlePressed = true;
        event->accept();
        return;
    case Qt::RightButton:
        m_rightPressed = true;
        event->accept();
        return;
    default:
        QAbstractButton::mousePressEvent(event);
    }
}

void TTabButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool inside = rect().contains(event->position().toPoint());
    switch (event->button()) {
    case Qt::MiddleButton: {
        const bool clicked = m_middlePressed && inside;
        m_middlePressed = false;
        event->accept();
        if (clicked)
            emit middleClicked(this);
        return;
    }
    case Qt::RightButton: {
        const bool clicked = m_rightPressed && inside;
        m_rightPressed = false;
        event->accept();
        if (clicked)
            emit rightClicked(this, event->globalPosition().toPoint());
        return;
    }
    default: {
        // The click is reported from within the base handler; the keys come from this event.
        m_releaseModifiers = event->modifiers();
        const bool wasDown = isDown();
        QPointer<TTabButton> self(this);
        QAbstractButton::mouseReleaseEvent(event);
        if (self && wasDown && inside && event->button() == Qt::LeftButton)
            emit tabClicked(this, m_releaseModifiers);
    }
    }
}

void TTabButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    QPointer<TTabButton> self(this);
    QAbstractButton::mousePressEvent(event);
    if (self)
        emit tabDoubleClicked(this);
}

void TTabButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    m_hovering = true;
    update();
}

void TTabButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    m_middlePressed = m_rightPressed = m_hovering = false;
    update();
}

TabBar::TabBar(PageManager& pages, const core::GeneralSettings& settings, const PagePictures& pictures,
               QWidget* parent)
    : QWidget(parent)
    , m_pages(pages)
    , m_settings(settings)
    , m_pictures(pictures)
{
    setObjectName(QStringLiteral("tbtTabs"));
    setFixedHeight(core::kTabHeight);
    connect(&m_pages, &PageManager::pageCountChanged, this, &TabBar::syncTabs);
    connect(&m_pages, &PageManager::tabChangedSignal, this, &TabBar::updateTab);
    syncTabs();
}

TabBar::~TabBar() = default;

void TabBar::syncTabs()
{
    const QList<TfrmPage*> pages = m_pages.pages();
    for (auto it = m_tabs.begin(); it != m_tabs.end();) {
        // A page being destroyed is already off the list; its pointer is only compared.
        if (!pages.contains(const_cast<TfrmPage*>(it.key()))) {
            removeTab(it.value());
            it = m_tabs.erase(it);
        } else {
            ++it;
        }
    }
    for (TfrmPage* page : pages) {
        if (m_tabs.contains(page))
            continue;
        auto* tab = new TTabButton(page, m_pictures, this);
        tab->setTabSlot(page->TabButton.slot);
        tab->installEventFilter(this);
        connect(tab, &TTabButton::tabClicked, this, &TabBar::tabClicked);
        connect(tab, &TTabButton::tabDoubleClicked, this, &TabBar::tabDoubleClicked);
        connect(tab, &TTabButton::middleClicked, this, &TabBar::tabMiddleClicked);
        connect(tab, &TTabButton::rightClicked, this, &TabBar::tabRightClicked);
        m_tabs.insert(page, tab);
        updateTab(page);
        watchArea(page);
    }
    LayoutTabs(true);
    updateDownTab();
}

void TabBar::removeTab(TTabButton* tab)
{
    if (tab->isDragging() || (m_dragSource >= 0 && tab->TabSlot() == m_dragSource))
        endDrag(tab);
    tab->removeEventFilter(this);
    tab->disconnect(this);
    tab->hide();
    // The tab may be inside one of its own handlers (a page closed from its tab menu).
    tab->deleteLater();
}

void TabBar::watchArea(TfrmPage* page)
{
    QMdiArea* area = page->mdiArea();
    if (!area || area == m_area)
        return;
    if (m_area)
        m_area->disconnect(this);
    m_area = area;
    // The page manager has put the page first by the time this arrives: it connected first.
    connect(area, &QMdiArea::subWindowActivated, this, &TabBar::updateDownTab);
}

void TabBar::updateTab(TfrmPage* page)
{
    TTabButton* tab = m_tabs.value(page);
    if (!tab)
        return;
    const TabState& state = page->TabButton;
    tab->setText(state.caption);
    tab->setToolTip(state.hint.isEmpty() ? state.caption : state.hint);
    tab->setSiteIcon(state.siteIcon, state.hasSiteIcon);
    tab->setPictureIndex(state.picture);
    updateDownTab();
}

void TabBar::updateDownTab()
{
    const TfrmPage* active = m_pages.activePage();
    for (TTabButton* tab : std::as_const(m_tabs))
        tab->setChecked(active && tab->page() == active);
}

void TabBar::LayoutTabs(bool renumber)
{
    if (m_layoutSuspended || m_tabs.isEmpty())
        return;
    m_layout = core::LayoutTabs(width(), int(m_tabs.size()));
    if (m_layout.tabsPerRow == 0)
        return;
    const QList<TTabButton*> tabs = tabsInSlotOrder();
    if (renumber) {
        for (int slot = 0; slot < tabs.size(); ++slot) {
            tabs[slot]->setTabSlot(slot);
            if (TfrmPage* page = tabs[slot]->page())
                page->TabButton.slot = slot;
        }
    }
    for (TTabButton* tab : tabs) {
        tab->setGeometry(toQRect(core::TabBounds(m_layout, tab->TabSlot())));
        tab->show();
    }
    if (m_layout.height != height()) {
        setFixedHeight(m_layout.height);
        update();
    }
}

QList<TTabButton*> TabBar::tabsInSlotOrder() const
{
    QList<TTabButton*> tabs = m_tabs.values();
    std::stable_sort(tabs.begin(), tabs.end(),
                     [](const TTabButton* a, const TTabButton* b) { return a->TabSlot() < b->TabSlot(); });
    return tabs;
}

TTabButton* TabBar::tabOf(const TfrmPage* page) const
{
    return m_tabs.value(page);
}

TfrmPage* TabBar::pageAt(QPoint position) const
{
    for (TTabButton* tab : std::as_const(m_tabs)) {
        if (tab->isVisible() && tab->geometry().contains(position))
            return tab->page();
    }
    return nullptr;
}

QPoint TabBar::dropMarker() const
{
    return m_marker.valid ? QPoint(m_marker.x, m_marker.y) : QPoint(-1, -1);
}

void TabBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_pages.isExiting())
        LayoutTabs(false);
}

void TabBar::paintEvent(QPaintEvent*)
{
    if (!m_marker.valid)
        return;
    QPainter painter(this);
    painter.setPen(QPen(Qt::red, 1, Qt::DotLine));
    painter.drawLine(m_marker.x, m_marker.y, m_marker.x, m_marker.y + core::kTabHeight - 1);
}

void TabBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit newPageRequested();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void TabBar::postClose(TfrmPage* page)
{
    // Posted, so that the tab's own handler has returned before its page goes.
    QMetaObject::invokeMethod(page, [page] { page->close(); }, Qt::QueuedConnection);
}

void TabBar::tabClicked(TTabButton* tab, Qt::KeyboardModifiers modifiers)
{
    TfrmPage* page = tab->page();
    if (!page)
        return;
    if (modifiers & Qt::ControlModifier) {
        postClose(page);
        return;
    }
    if (page->isMinimized()) {
        QMetaObject::invokeMethod(page, [page] {
            if (page->IsMaximized)
                page->SysCommandMaximize();
            else
                page->SysCommandRestore();
        }, Qt::QueuedConnection);
    } else {
        m_pages.activatePage(page);
    }
    m_pages.showAddress(page->PageAddress.isEmpty() ? kBlank : page->PageAddress);
    updateDownTab();
}

void TabBar::tabDoubleClicked(TTabButton* tab)
{
    if (m_settings.LDbClickClose && tab->page())
        postClose(tab->page());
}

void TabBar::tabMiddleClicked(TTabButton* tab)
{
    if (m_settings.MClickClose && tab->page())
        postClose(tab->page());
}

void TabBar::tabRightClicked(TTabButton* tab, QPoint globalPosition)
{
    QPointer<TfrmPage> page = tab->page();
    if (!page)
        return;
    m_pages.setTabMenuPage(page);
    const bool wasDown = tab->isChecked();
    const bool wasPressed = tab->isDown();
    QPointer<TTabButton> guard(tab);
    if (!wasDown)
        tab->setDown(true);
    emit tabMenuRequested(page, globalPosition);
    // The menu's command may have closed the page (or all pages) meanwhile.
    if (!guard || !page || !m_pages.tabMenuPage())
        return;
    if (wasDown) {
        tab->setChecked(true);
        m_pages.activatePage(page);
    } else if (tab->isDown() != wasPressed) {
        tab->setDown(wasPressed);
        tab->update();
    }
}

bool TabBar::eventFilter(QObject* watched, QEvent* event)
{
    auto* tab = qobject_cast<TTabButton*>(watched);
    if (tab && m_tabs.value(tab->page()) == tab)
        return tabMouseEvent(tab, event);
    return QWidget::eventFilter(watched, event);
}

bool TabBar::tabMouseEvent(TTabButton* tab, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove
        && type != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    const bool blocked = m_pages.closingInBulk() || m_pages.isExiting();

    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (mouse->button() == Qt::LeftButton && !blocked)
            tab->setDownPoint(at);
        return false;
    case QEvent::MouseMove: {
        if (!(mouse->buttons() & Qt::LeftButton))
            return false;
        if (tab->isDragging()) {
            dragOver(tab->mapTo(this, at));
            return true;
        }
        if (blocked || tab->downPoint() == QPoint(-1, -1) || m_dragSource >= 0)
            return false;
        const QPoint moved = at - tab->downPoint();
        if (moved.x() * moved.x() + moved.y() * moved.y() < kDragThresholdSquared)
            return false;
        tab->setDragging(true);
        m_dragSource = tab->TabSlot();
        // No click at the end of a drag.
        tab->setDown(false);
        dragOver(tab->mapTo(this, at));
        return true;
    }
    default:
        if (mouse->button() != Qt::LeftButton)
            return false;
        if (!tab->isDragging()) {
            tab->setDownPoint(QPoint(-1, -1));
            return false;
        }
        // Let go outside the bar, the drag is cancelled.
        if (const QPoint onBar = tab->mapTo(this, at); rect().contains(onBar)) {
            dragOver(onBar);
            drop();
        }
        endDrag(tab);
        return true;
    }
}

void TabBar::dragOver(QPoint position)
{
    if (!rect().contains(position))
        return;
    setMarker(core::DropMarkerAt(m_layout, position.x(), position.y()));
}

void TabBar::drop()
{
    if (!m_marker.valid || m_dragSource < 0)
        return;
    const int dropSlot = core::DropSlot(m_layout, m_marker);
    const int source = m_dragSource;
    for (TTabButton* tab : std::as_const(m_tabs)) {
        const int slot = core::SlotAfterDrop(tab->TabSlot(), source, dropSlot);
        tab->setTabSlot(slot);
        if (TfrmPage* page = tab->page())
            page->TabButton.slot = slot;
    }
    LayoutTabs(false);
}

void TabBar::endDrag(TTabButton* tab)
{
    setMarker(core::TabDropMarker {});
    if (tab) {
        tab->setDragging(false);
        tab->setDownPoint(QPoint(-1, -1));
    }
    m_dragSource = -1;
}

void TabBar::setMarker(const core::TabDropMarker& marker)
{
    if (marker == m_marker)
        return;
    const core::TabDropMarker old = m_marker;
    m_marker = marker;
    if (old.valid)
        update(markerRect(old));
    if (m_marker.valid)
        update(markerRect(m_marker));
}

QRect TabBar::markerRect(const core::TabDropMarker& marker) const
{
    return QRect(marker.x, marker.y, 1, core::kTabHeight);
}

}  // namespace pelto::ui
