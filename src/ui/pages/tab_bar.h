#pragma once

#include "core/pages/tab_layout.h"

#include <QAbstractButton>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace pelto::core {
struct GeneralSettings;
}

namespace pelto::ui {

class PageManager;
class PagePictures;
class TfrmPage;

// A page's tab: a flat button showing the page's caption and its loading picture or site
// icon, pressed while its page is the active one. The tab reports its clicks; the tab bar acts
// on them.
class TTabButton : public QAbstractButton {
    Q_OBJECT
public:
    // A tab for a page, hidden until the tab bar lays it out; it draws the page's pictures.
    TTabButton(TfrmPage* page, const PagePictures& pictures, QWidget* parent = nullptr);

    // The page the tab belongs to (null once the page is gone).
    TfrmPage* page() const { return m_page; }

    // Position of the tab among all tabs, from 0.
    int TabSlot() const { return m_tabSlot; }
    void setTabSlot(int slot) { m_tabSlot = slot; }
    // Which page picture the tab shows; changing it repaints the glyph only.
    int PictureIndex() const { return m_pictureIndex; }
    void setPictureIndex(int index);
    // The site's icon, shown instead of the plain page picture while hasSiteIcon is set.
    void setSiteIcon(const QIcon& icon, bool hasSiteIcon);
    bool hasSiteIcon() const { return m_hasSiteIcon; }
    // The caption turns blue while the mouse is over the tab.
    bool hoverColouring() const { return m_hoverColouring; }
    void setHoverColouring(bool on) { m_hoverColouring = on; }
    bool isHovering() const { return m_hovering; }

    // Where the left button went down, for the drag threshold ((-1, -1): nowhere), and
    // whether the tab is being dragged.
    QPoint downPoint() const { return m_downPoint; }
    void setDownPoint(QPoint point) { m_downPoint = point; }
    bool isDragging() const { return m_dragging; }
    void setDragging(bool on) { m_dragging = on; }

    QSize sizeHint() const override;

signals:
    // A left click ended inside the tab, with the keys held when it ended.
    void tabClicked(pelto::ui::TTabButton* tab, Qt::KeyboardModifiers modifiers);
    // The left button was double-clicked on the tab.
    void tabDoubleClicked(pelto::ui::TTabButton* tab);
    // The middle or right button went down and came up inside the tab; the right click with
    // the mouse position on the screen.
    void middleClicked(pelto::ui::TTabButton* tab);
    void rightClicked(pelto::ui::TTabButton* tab, QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    // The tab's down state follows the active page, never a click.
    void nextCheckState() override {}

private:
    QPixmap glyph() const;

    QPointer<TfrmPage> m_page;
    const PagePictures& m_pictures;
    bool m_middlePressed = false;
    bool m_rightPressed = false;
    QPoint m_downPoint {-1, -1};
    bool m_dragging = false;
    int m_tabSlot = 0;
    int m_pictureIndex = 9;
    bool m_hovering = false;
    bool m_hoverColouring = true;
    QIcon m_siteIcon;
    bool m_hasSiteIcon = false;
    Qt::KeyboardModifiers m_releaseModifiers;
};

// The tab bar "tbtTabs": one tab per page, in rows of equal tabs when they do not fit in one,
// ordered by their slots. It follows the pages of the page manager, presses the active page's
// tab, acts on clicks (activate, close by middle or double click as the settings say), lets
// tabs be dragged to another place, and asks for a new page when its empty part is
// double-clicked.
class TabBar : public QWidget {
    Q_OBJECT
public:
    // A bar that follows the pages of the page manager; the settings decide which clicks close
    // a page; the tabs draw the page pictures.
    TabBar(PageManager& pages, const core::GeneralSettings& settings, const PagePictures& pictures,
           QWidget* parent = nullptr);
    ~TabBar() override;

    // Places the tabs for the bar's width and sets the bar's height; renumber closes the gaps
    // in the slots that closed pages left. Does nothing while suspended (the program is in the
    // tray); the next layout catches up.
    void LayoutTabs(bool renumber);
    void setLayoutSuspended(bool suspended) { m_layoutSuspended = suspended; }

    // The tabs, slot 0 first.
    QList<TTabButton*> tabsInSlotOrder() const;
    // The tab of a page (null for a page without one).
    TTabButton* tabOf(const TfrmPage* page) const;
    // The page whose tab is at a point in the bar's coordinates (null for none).
    TfrmPage* pageAt(QPoint position) const;
    // The result of the last layout.
    const core::TabLayout& lastLayout() const { return m_layout; }
    // The slot of the tab being dragged (-1: none), and the drawn drop marker's top left
    // ((-1, -1): none).
    int dragSource() const { return m_dragSource; }
    QPoint dropMarker() const;

signals:
    // The empty part of the bar was double-clicked: the New command.
    void newPageRequested();
    // A tab was right-clicked: the tab menu is to pop up for its page at a screen position.
    // The tab shows pressed until the receiver returns.
    void tabMenuRequested(pelto::ui::TfrmPage* page, QPoint globalPosition);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void syncTabs();
    void updateTab(TfrmPage* page);
    void updateDownTab();
    void watchArea(TfrmPage* page);
    void removeTab(TTabButton* tab);
    void postClose(TfrmPage* page);

    void tabClicked(TTabButton* tab, Qt::KeyboardModifiers modifiers);
    void tabDoubleClicked(TTabButton* tab);
    void tabMiddleClicked(TTabButton* tab);
    void tabRightClicked(TTabButton* tab, QPoint globalPosition);

    // Dragging a tab: start past the threshold, follow the mouse with the marker, drop or
    // cancel.
    bool tabMouseEvent(TTabButton* tab, QEvent* event);
    void dragOver(QPoint position);
    void drop();
    void endDrag(TTabButton* tab);
    void setMarker(const core::TabDropMarker& marker);
    QRect markerRect(const core::TabDropMarker& marker) const;

    PageManager& m_pages;
    const core::GeneralSettings& m_settings;
    const PagePictures& m_pictures;
    QHash<const TfrmPage*, TTabButton*> m_tabs;
    core::TabLayout m_layout;
    bool m_layoutSuspended = false;
    QPointer<QWidget> m_area;
    int m_dragSource = -1;
    core::TabDropMarker m_marker;
};

}  // namespace pelto::ui
