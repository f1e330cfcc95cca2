#include "ui/pages/page.h"

#include "core/pages/page_rules.h"
#include "ui/pages/page_host.h"

#include <QScopedValueRollback>
#include <QWindowStateChangeEvent>

// The page's placement: its client size, its own maximised state and the window commands that
// lead to it, and the size and position requests of scripts.

namespace pelto::ui {

void TfrmPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && !m_changingState) {
        auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if (!change->isOverride()) {
            const Qt::WindowStates before = change->oldState();
            const Qt::WindowStates now = windowState();
            if ((now & Qt::WindowMaximized) && !(before & Qt::WindowMaximized)) {
                // The title bar or window menu asked for the toolkit's maximised state: undo
                // it before the sub-window acts on it and maximise the page's own way.
                overrideWindowState(before);
                SysCommandMaximize();
                return;
            }
            if ((before & Qt::WindowMinimized) && !(now & (Qt::WindowMinimized | Qt::WindowMaximized))) {
                // Restore from the minimised state: the sub-window shows its contents again
                // first.
                QMdiSubWindow::changeEvent(event);
                SysCommandRestore();
                return;
            }
        }
    }
    QMdiSubWindow::changeEvent(event);
}

int TfrmPage::clientWidth() const
{
    return contentsRect().width();
}

int TfrmPage::clientHeight() const
{
    return contentsRect().height();
}

void TfrmPage::setClientWidth(int width)
{
    const QMargins frame = contentsMargins();
    resize(width + frame.left() + frame.right(), height());
}

void TfrmPage::setClientHeight(int height)
{
    const QMargins frame = contentsMargins();
    resize(width(), height + frame.top() + frame.bottom());
}

void TfrmPage::SavePlacement()
{
    SavedTop = y();
    SavedLeft = x();
    SavedClientWidth = clientWidth();
    SavedClientHeight = clientHeight();
}

void TfrmPage::MaximizePage()
{
    if (isMinimized()) {
        const QScopedValueRollback<bool> own(m_changingState, true);
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    // Saved before the one-pixel nudge below, so that a page does not shrink by a pixel with
    // every maximise and restore.
    if (!IsMaximized)
        SavePlacement();
    // One pixel smaller first, so that the control lays itself out again even when the final
    // size is the one it had.
    resize(width() - 1, height() - 1);
    if (!(windowFlags() & Qt::FramelessWindowHint))
        setWindowFlags(Qt::SubWindow | Qt::FramelessWindowHint);
    const QSize area = m_host.pageAreaSize();
    // Without a frame there is nothing to hide past the edges: the page covers the area exactly.
    setGeometry(0, 0, area.width(), area.height());
    m_host.setOpenMax(true);
    IsMaximized = true;
}

void TfrmPage::RestorePage()
{
    IsMaximized = false;
    // A minimised sub-window puts back its own remembered geometry when it leaves that state,
    // so the state goes first and the saved placement after it.
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) {
        const QScopedValueRollback<bool> own(m_changingState, true);
        setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    }
    if (SavedClientWidth != 0)
        setClientWidth(SavedClientWidth - 1);
    if (SavedClientHeight != 0)
        setClientHeight(SavedClientHeight - 1);
    if (windowFlags() & Qt::FramelessWindowHint)
        setWindowFlags(kNormalFlags);
    move(SavedLeft, SavedTop);
    if (SavedClientWidth != 0)
        setClientWidth(SavedClientWidth);
    if (SavedClientHeight != 0)
        setClientHeight(SavedClientHeight);
}

void TfrmPage::SysCommandMaximize()
{
    MaximizePage();
    m_host.activatePage(this);
    raise();
}

void TfrmPage::SysCommandRestore()
{
    m_host.setOpenMax(false);
    RestorePage();
    m_host.activatePage(this);
    raise();
}

bool TfrmPage::prepareScriptPlacement()
{
    if (NewWindowPending)
        ScriptPlaced = true;
    else if (IsMaximized)
        RestorePage();
    return !(NewWindowPending && OpenBehind);
}

void TfrmPage::WBWindowSetResizable(bool resizable)
{
    if (!resizable && IsMaximized)
        RestorePage();
}

void TfrmPage::WBWindowSetLeft(int left)
{
    if (!core::AcceptScriptLeft(left, m_host.mainClientWidth()))
        return;
    if (prepareScriptPlacement())
        move(left, y());
    else
        SavedLeft = left;
}

void TfrmPage::WBWindowSetTop(int top)
{
    if (!core::AcceptScriptTop(top, m_host.pageAreaSize().height()))
        return;
    if (prepareScriptPlacement())
        move(x(), top);
    else
        SavedTop = top;
}

void TfrmPage::WBWindowSetWidth(int width)
{
    if (!core::AcceptScriptWidth(width))
        return;
    if (prepareScriptPlacement())
        setClientWidth(width);
    else
        SavedClientWidth = width;
}

void TfrmPage::WBWindowSetHeight(int height)
{
    if (!core::AcceptScriptHeight(height))
        return;
    if (prepareScriptPlacement())
        setClientHeight(height);
    else
        SavedClientHeight = height;
}

void MaximizePage(TfrmPage* page)
{
    if (page)
        page->MaximizePage();
}

void RestorePage(TfrmPage* page)
{
    if (page)
        page->RestorePage();
}

}  // namespace pelto::ui
