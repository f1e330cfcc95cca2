#include "ui/navigation/find_bar.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include "ui/pages/web_control.h"

namespace pelto::ui {

FindBar::FindBar(std::function<WebControl*()> target, QWidget* parent)
    : QWidget(parent)
    , m_target(std::move(target))
{
    setObjectName(QStringLiteral("FindBar"));
    setWindowTitle(QStringLiteral("Find on This Page"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 6, 4);
    row->addWidget(new QLabel(QStringLiteral("Find:"), this));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("edtFind"));
    m_text->setMinimumWidth(180);
    row->addWidget(m_text, 1);
    m_next = new QPushButton(QStringLiteral("Find Next"), this);
    m_next->setObjectName(QStringLiteral("btnFindNext"));
    m_next->setAutoDefault(false);
    row->addWidget(m_next);
    m_previous = new QPushButton(QStringLiteral("Find Previous"), this);
    m_previous->setObjectName(QStringLiteral("btnFindPrevious"));
    m_previous->setAutoDefault(false);
    row->addWidget(m_previous);
    m_matchCase = new QCheckBox(QStringLiteral("Match case"), this);
    m_matchCase->setObjectName(QStringLiteral("chbMatchCase"));
    row->addWidget(m_matchCase);
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblFindResult"));
    m_result->setMinimumWidth(90);
    row->addWidget(m_result);

    connect(m_next, &QPushButton::clicked, this, &FindBar::findNext);
    connect(m_previous, &QPushButton::clicked, this, &FindBar::findPrevious);
    connect(m_text, &QLineEdit::returnPressed, this, [this] {
        find((QApplication::keyboardModifiers() & Qt::ShiftModifier) != 0);
    });
    // Searching while typing; a changed case rule starts again from the current match.
    connect(m_text, &QLineEdit::textEdited, this, &FindBar::findNext);
    connect(m_matchCase, &QCheckBox::toggled, this, &FindBar::findNext);
}

void FindBar::activate()
{
    show();
    raise();
    activateWindow();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

void FindBar::findNext()
{
    find(false);
}

void FindBar::findPrevious()
{
    find(true);
}

QString FindBar::text() const
{
    return m_text->text();
}

QString FindBar::resultText() const
{
    return m_result->text();
}

void FindBar::find(bool backward)
{
    const int search = ++m_search;
    WebControl* control = m_target ? m_target() : nullptr;
    const QString text = m_text->text();
    if (!control || text.isEmpty()) {
        m_result->clear();
        if (control)
            control->findText(QString(), false, false, {});
        return;
    }
    QPointer<FindBar> self(this);
    control->findText(text, backward, m_matchCase->isChecked(), [self, search](const FindResult& result) {
        if (!self || search != self->m_search)
            return;
        self->m_result->setText(result.matches <= 0
                                    ? QStringLiteral("Not found")
                                    : QStringLiteral("%1 of %2").arg(result.active).arg(result.matches));
    });
}

void FindBar::hideEvent(QHideEvent* event)
{
    ++m_search;
    m_result->clear();
    if (WebControl* control = m_target ? m_target() : nullptr)
        control->findText(QString(), false, false, {});
    QWidget::hideEvent(event);
}

void FindBar::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace pelto::ui
