#include "ui/pages/close_checked_dialog.h"

#include "ui/pages/page.h"
#include "ui/pages/page_pictures.h"
#include "ui/pages/web_control.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelto::ui {

namespace {

constexpr int kPageRole = Qt::UserRole;

}  // namespace

TfrmCloseChecked::TfrmCloseChecked(const QList<TfrmPage*>& pages, const PagePictures& pictures, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCloseChecked"));
    setWindowTitle(QStringLiteral("Close Checked"));

    auto* label = new QLabel(QStringLiteral("Please select the browser windows you want to close:"), this);
    label->setObjectName(QStringLiteral("lblSelect"));
    m_lvPages = new QListWidget(this);
    m_lvPages->setObjectName(QStringLiteral("lvPages"));
    m_lvPages->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lvPages->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lvPages->setIconSize(QSize(PagePictures::kSize, PagePictures::kSize));
    m_lvPages->viewport()->installEventFilter(this);
    m_lvPages->installEventFilter(this);

    const QIcon image(pictures.picture(0));
    for (TfrmPage* page : pages) {
        auto* item = new QListWidgetItem(image, entryCaption(*page), m_lvPages);
        // The list itself never toggles: every click on an entry does, once (see eventFilter).
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Checked);
        item->setData(kPageRole, int(m_pages.size()));
        m_pages.append(page);
    }

    auto* selectAllButton = new QPushButton(QStringLiteral("Select All"), this);
    selectAllButton->setObjectName(QStringLiteral("btnSelectAll"));
    auto* invertButton = new QPushButton(QStringLiteral("Invert Selection"), this);
    invertButton->setObjectName(QStringLiteral("btnInvert"));
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("btnOK"));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("btnCancel"));
    connect(selectAllButton, &QPushButton::clicked, this, &TfrmCloseChecked::selectAll);
    connect(invertButton, &QPushButton::clicked, this, &TfrmCloseChecked::invertSelection);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(selectAllButton);
    side->addWidget(invertButton);
    side->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_lvPages, 1);
    middle->addLayout(side);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(okButton);
    bottom->addWidget(cancelButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(label);
    column->addLayout(middle, 1);
    column->addLayout(bottom);

    setFixedSize(448, 408);
    if (parent) {
        const QRect owner = parent->window()->frameGeometry();
        move(owner.center() - rect().center());
    }
}

QString TfrmCloseChecked::entryCaption(const TfrmPage& page)
{
    const QString name = page.WB() ? page.WB()->LocationName() : QString();
    if (!name.isEmpty() && name != QLatin1String("about:blank"))
        return page.windowTitle();
    return page.PageAddress;
}

QList<TfrmPage*> TfrmCloseChecked::checkedPages() const
{
    QList<TfrmPage*> checked;
    for (int row = 0; row < m_lvPages->count(); ++row) {
        const QListWidgetItem* item = m_lvPages->item(row);
        const QPointer<TfrmPage>& page = m_pages.at(item->data(kPageRole).toInt());
        if (item->checkState() == Qt::Checked && page)
            checked.append(page.data());
    }
    return checked;
}

void TfrmCloseChecked::selectAll()
{
    for (int row = 0; row < m_lvPages->count(); ++row)
        m_lvPages->item(row)->setCheckState(Qt::Checked);
}

void TfrmCloseChecked::invertSelection()
{
    for (int row = 0; row < m_lvPages->count(); ++row)
        toggle(m_lvPages->item(row));
}

void TfrmCloseChecked::toggle(QListWidgetItem* item)
{
    if (item)
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

bool TfrmCloseChecked::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lvPages->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            // On the check box or on the text, a click toggles the entry once.
            toggle(m_lvPages->itemAt(mouse->position().toPoint()));
        }
    } else if (watched == m_lvPages && event->type() == QEvent::KeyPress
               && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        toggle(m_lvPages->currentItem());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pelto::ui
