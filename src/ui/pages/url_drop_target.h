#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

class QMimeData;
class QWidget;

namespace pelto::ui {

class PageManager;
class TabBar;

// Takes web addresses dragged onto the main window from other programs or from pages: dropped
// on a tab, the address replaces that tab's page; anywhere else, it opens in a new page.
class UrlDropTarget : public QObject {
    Q_OBJECT
public:
    UrlDropTarget(QWidget& window, PageManager& pages, TabBar& tabs, QObject* parent = nullptr);

    // Starts taking drops on the window.
    void registerTarget();

    // The address dragged data carries: its first address, or a text that names a web
    // address or a file. Nothing for anything else.
    static std::optional<QString> addressOf(const QMimeData& data);

    // Opens a dropped address for a drop point in the window's coordinates.
    void dropAddress(QPoint windowPoint, const QString& address);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    PageManager& m_pages;
    TabBar& m_tabs;
};

}  // namespace pelto::ui
