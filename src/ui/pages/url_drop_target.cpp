#include "ui/pages/url_drop_target.h"

#include "core/pages/open_rules.h"
#include "ui/pages/page.h"
#include "ui/pages/page_manager.h"
#include "ui/pages/tab_bar.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace pelto::ui {

namespace {

// Larger texts are no address anyone dragged on purpose.
constexpr qsizetype kMaxDroppedText = 64 * 1024;

std::optional<QString> addressOfText(const QString& text)
{
    const QByteArray utf8 = text.left(kMaxDroppedText).toUtf8();
    const auto address = core::DroppedAddress(std::string_view(utf8.constData(), size_t(utf8.size())));
    if (!address)
        return std::nullopt;
    return QString::fromUtf8(address->data(), qsizetype(address->size()));
}

}  // namespace

UrlDropTarget::UrlDropTarget(QWidget& window, PageManager& pages, TabBar& tabs, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_pages(pages)
    , m_tabs(tabs)
{
}

void UrlDropTarget::registerTarget()
{
    m_window.setAcceptDrops(true);
    m_window.installEventFilter(this);
}

std::optional<QString> UrlDropTarget::addressOf(const QMimeData& data)
{
    if (data.hasUrls()) {
        const QList<QUrl> urls = data.urls();
        if (!urls.isEmpty()) {
            const QUrl& url = urls.first();
            if (url.isLocalFile())
                return addressOfText(url.toLocalFile());
            return addressOfText(url.toString(QUrl::FullyEncoded));
        }
    }
    if (data.hasText())
        return addressOfText(data.text());
    return std::nullopt;
}

void UrlDropTarget::dropAddress(QPoint windowPoint, const QString& address)
{
    if (m_pages.pageCount() > 0) {
        // The bar may float in a window of its own.
        const QPoint onBar = m_tabs.mapFromGlobal(m_window.mapToGlobal(windowPoint));
        if (m_tabs.rect().contains(onBar)) {
            if (TfrmPage* page = m_tabs.pageAt(onBar)) {
                NavigatePage(page, address);
                return;
            }
        }
    }
    NavigatePage(m_pages.CreatePage(false, true), address);
}

bool UrlDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (drag->mimeData() && addressOf(*drag->mimeData()))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const auto address = drop->mimeData() ? addressOf(*drop->mimeData()) : std::nullopt;
        if (!address) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        dropAddress(drop->position().toPoint(), *address);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

}  // namespace pelto::ui
