#include "ui/collections/travel_menus.h"

#include "core/app/menu_caption.h"
#include "ui/collections/menu_helpers.h"
#include "ui/pages/web_control.h"

#include <QMenu>
#include <QToolButton>

namespace pelto::ui {

TravelMenus::TravelMenus(std::function<WebControl*()> control, QObject* parent)
    : QObject(parent)
    , m_control(std::move(control))
    , m_back(new QMenu)
    , m_forward(new QMenu)
{
    m_back->setObjectName(QStringLiteral("mBack"));
    m_forward->setObjectName(QStringLiteral("mForward"));
}

TravelMenus::~TravelMenus()
{
    delete m_back;
    delete m_forward;
}

void TravelMenus::setButtons(QToolButton* back, QToolButton* forward)
{
    m_backButton = back;
    m_forwardButton = forward;
}

void TravelMenus::RefreshBackMenu(const QStringList& titles, bool hasPage, bool canGo)
{
    refresh(m_back, m_backButton, titles, -1, hasPage, canGo);
}

void TravelMenus::RefreshForwardMenu(const QStringList& titles, bool hasPage, bool canGo)
{
    refresh(m_forward, m_forwardButton, titles, 1, hasPage, canGo);
}

void TravelMenus::refresh(QMenu* menu, QToolButton* button, const QStringList& titles, int direction, bool hasPage,
                          bool canGo)
{
    ClearMenuFrom(menu, 0);
    const int count = std::min(int(titles.size()), kMaxEntries);
    for (int i = 0; i < count; ++i) {
        const std::string title = titles[i].toStdString();
        QAction* item = AddMenuItem(menu, QString::fromStdString(core::MenuCaption(title, 40)));
        const int offset = direction * (i + 1);
        item->setData(offset);
        connect(item, &QAction::triggered, this, [this, offset] {
            if (WebControl* control = m_control())
                control->goToHistoryOffset(offset);
        });
    }
    if (!button)
        return;
    const bool dropDown = !titles.isEmpty() || !hasPage || !canGo;
    button->setMenu(dropDown ? menu : nullptr);
    button->setPopupMode(dropDown ? QToolButton::MenuButtonPopup : QToolButton::DelayedPopup);
}

}  // namespace pelto::ui
