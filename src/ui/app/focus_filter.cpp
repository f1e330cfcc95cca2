#include "ui/app/focus_filter.h"

#include <QApplication>

namespace pelto::ui {

FocusFilter::FocusFilter(Rules rules, QObject* parent)
    : QObject(parent)
    , m_rules(std::move(rules))
{
    m_tmrFocus.setObjectName(QStringLiteral("TmrFocus"));
    m_tmrFocus.setInterval(2000);
    m_tmrFocus.setSingleShot(true);
    connect(&m_tmrFocus, &QTimer::timeout, this, [this] { m_count = 0; });
}

void FocusFilter::install()
{
    if (m_installed)
        return;
    m_installed = true;
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (!m_restoring)
            filterMove(old, now);
    });
}

void FocusFilter::remove()
{
    if (!m_installed)
        return;
    m_installed = false;
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    m_tmrFocus.stop();
}

bool FocusFilter::filterMove(QWidget* losing, QWidget* gaining)
{
    if (!gaining || m_count > 30)
        return false;
    if (m_rules.addressEditing()) {
        if (!m_rules.insideAnyPage(gaining))
            return false;
        m_restoring = true;
        m_rules.focusAddressBox();
        m_restoring = false;
    } else if (losing && m_rules.hasPage() && m_rules.insideActivePage(losing) && m_rules.insideAnyPage(gaining)
               && !m_rules.insideActivePage(gaining)) {
        QPointer<QWidget> back(losing);
        m_restoring = true;
        back->setFocus(Qt::OtherFocusReason);
        m_restoring = false;
    } else {
        return false;
    }
    ++m_count;
    m_tmrFocus.start();
    return true;
}

}  // namespace pelto::ui
