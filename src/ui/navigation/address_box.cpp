#include "ui/navigation/address_box.h"

#include "core/navigation/address_rules.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDrag>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QStringListModel>
#include <QUrl>

#include <limits>

namespace pelto::ui {

namespace {

constexpr int kIconSize = 16;
constexpr int kIconLeft = 2;  // inside the edit, which sits a frame's width into the box
constexpr int kTextLeft = kIconLeft + kIconSize + 2;
constexpr int kVisibleRows = 16;

// The drag's data: the address as a link and as text, and address with title in the form
// other browsers read for a dragged link.
std::unique_ptr<QMimeData> addressDragData(const QString& address, const QString& title)
{
    auto data = std::make_unique<QMimeData>();
    data->setUrls({QUrl(address)});
    data->setText(address);
    const QString mozUrl = address + QLatin1Char('\n') + title;
    data->setData(QStringLiteral("text/x-moz-url"),
                  QByteArray(reinterpret_cast<const char*>(mozUrl.utf16()), mozUrl.size() * 2));
    return data;
}

}  // namespace

// The box's edit field: hands keys and mouse moves to the box before its own handling and
// draws the site icon in the room it leaves at its left end.
class AddressEdit final : public QLineEdit {
public:
    explicit AddressEdit(AddressBox& box)
        : QLineEdit(&box)
        , m_box(box)
    {
        setTextMargins(kTextLeft, 0, 0, 0);
        // A pasted address must never be cut short: a cut address is another address.
        setMaxLength(std::numeric_limits<int>::max());
        setClearButtonEnabled(false);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        m_box.keyPressed(event);
        if (!event->isAccepted())
            QLineEdit::keyPressEvent(event);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        m_box.mousePressedAt(mapTo(&m_box, event->position().toPoint()));
        QLineEdit::mousePressEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (m_box.mouseMovedTo(mapTo(&m_box, event->position().toPoint()), event->buttons()))
            return;
        QLineEdit::mouseMoveEvent(event);
    }

    void paintEvent(QPaintEvent* event) override
    {
        QLineEdit::paintEvent(event);
        if (m_box.m_siteIcon.isNull())
            return;
        QPainter painter(this);
        painter.drawPixmap(QRect(kIconLeft, (height() - kIconSize) / 2, kIconSize, kIconSize), m_box.m_siteIcon);
    }

private:
    AddressBox& m_box;
};

AddressBox::AddressBox(QWidget* parent)
    : QComboBox(parent)
{
    setObjectName(QStringLiteral("cbAddress"));
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(kVisibleRows);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    m_edit = new AddressEdit(*this);
    m_suggestions = new QStringListModel(this);
    m_completer = new QCompleter(m_suggestions, this);
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setMaxVisibleItems(kVisibleRows);
    // Set before the edit joins the box, so the box adds no completion of its own.
    m_edit->setCompleter(m_completer);
    setLineEdit(m_edit);

    m_keyboardModifiers = [] { return QGuiApplication::queryKeyboardModifiers(); };
    m_dragRunner = [this](std::unique_ptr<QMimeData> data) {
        auto* drag = new QDrag(this);
        drag->setMimeData(data.release());
        drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    };

    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_writing)
            emit addressChanged(text);
    });
    connect(m_edit, &QLineEdit::textEdited, this, &AddressBox::offerSuggestions);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            emit urlSelected(itemText(index), m_keyboardModifiers());
    });
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& text) {
                setText(text);
                emit urlSelected(text, m_keyboardModifiers());
            });
}

AddressBox::~AddressBox() = default;

QString AddressBox::text() const
{
    return m_edit->text();
}

void AddressBox::setText(const QString& text)
{
    m_writing = true;
    m_edit->setText(text);
    m_writing = false;
    emit addressChanged(m_edit->text());
}

void AddressBox::setSiteIcon(const QPixmap& icon)
{
    m_siteIcon = icon;
    m_edit->update();
}

void AddressBox::setTypedAddresses(const QStringList& addresses)
{
    // Refilling the list moves the box's current entry; the text the user sees stays.
    const QString text = m_edit->text();
    const int cursor = m_edit->cursorPosition();
    m_writing = true;
    clear();
    addItems(addresses);
    setCurrentIndex(-1);
    m_edit->setText(text);
    m_edit->setCursorPosition(cursor);
    m_writing = false;
}

QStringList AddressBox::typedAddresses() const
{
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list.append(itemText(i));
    return list;
}

QStringList AddressBox::suggestionsFor(const QString& prefix) const
{
    QStringList list;
    if (prefix.trimmed().isEmpty())
        return list;
    QSet<QString> seen;
    for (const CompletionSource& source : m_sources) {
        for (const QString& entry : source(prefix)) {
            if (list.size() >= kMaxSuggestions)
                return list;
            if (!seen.contains(entry)) {
                seen.insert(entry);
                list.append(entry);
            }
        }
    }
    return list;
}

QStringList AddressBox::currentSuggestions() const
{
    return m_suggestions->stringList();
}

void AddressBox::offerSuggestions(const QString& typed)
{
    const QStringList list = suggestionsFor(typed);
    m_suggestions->setStringList(list);
    if (list.isEmpty())
        m_completer->popup()->hide();
    else if (m_edit->isVisible())
        m_completer->complete();
}

void AddressBox::keyPressed(QKeyEvent* event)
{
    event->ignore();
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    QString listEntry;
    // Only an entry the user picked counts: the list also marks a row that merely begins with
    // the typed text, and Enter then opens what was typed.
    if (enter && m_completer->popup()->isVisible()) {
        const QModelIndexList chosen = m_completer->popup()->selectionModel()->selectedIndexes();
        if (!chosen.isEmpty())
            listEntry = chosen.first().data().toString();
    }
    if (m_keyHandler)
        m_keyHandler(key, event->modifiers());
    if (!enter)
        return;
    event->accept();
    m_completer->popup()->hide();
    if (!listEntry.isEmpty())
        setText(listEntry);
    emit urlSelected(text(), event->modifiers());
}

void AddressBox::mousePressedAt(QPoint boxPoint)
{
    m_pressPoint = boxPoint;
}

bool AddressBox::mouseMovedTo(QPoint boxPoint, Qt::MouseButtons buttons)
{
    const std::string address = text().toStdString();
    if (!core::StartsAddressDrag(address, boxPoint.x(), boxPoint.y(), height(),
                                 buttons.testFlag(Qt::LeftButton), m_pressPoint.x(), m_pressPoint.y()))
        return false;
    const QString title = m_dragTitle ? m_dragTitle() : QString();
    try {
        m_dragRunner(addressDragData(text(), title.isEmpty() ? text() : title));
    } catch (...) {
        // A drag that cannot start leaves the box as it was.
    }
    return true;
}

}  // namespace pelto::ui
