#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMenu;
class QToolButton;

namespace pelto::ui {

class WebControl;

// The Back and Forward drop-downs: the current page's nearest 16 history titles; choosing one
// moves the page that many steps.
class TravelMenus : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxEntries = 16;

    // control gives the current page's control (null when there is no page).
    explicit TravelMenus(std::function<WebControl*()> control, QObject* parent = nullptr);
    ~TravelMenus() override;

    QMenu* backMenu() const { return m_back; }
    QMenu* forwardMenu() const { return m_forward; }

    // Fills a menu with the titles; canGo is the page's CanGoBack or CanGoForward, hasPage
    // whether there is a page. The button shows its drop-down unless the page can go that way
    // but no title is known.
    void RefreshBackMenu(const QStringList& titles, bool hasPage, bool canGo);
    void RefreshForwardMenu(const QStringList& titles, bool hasPage, bool canGo);

    // The toolbar buttons whose drop-downs these are.
    void setButtons(QToolButton* back, QToolButton* forward);

private:
    void refresh(QMenu* menu, QToolButton* button, const QStringList& titles, int direction, bool hasPage, bool canGo);

    std::function<WebControl*()> m_control;
    QMenu* m_back;
    QMenu* m_forward;
    QToolButton* m_backButton = nullptr;
    QToolButton* m_forwardButton = nullptr;
};

}  // namespace pelto::ui
