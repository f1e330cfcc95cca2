#pragma once

#include <QComboBox>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QCompleter;
class QMimeData;
class QStringListModel;

namespace pelto::ui {

class AddressEdit;

// The address box: an editable combo box whose drop-down lists the typed addresses, with the
// site icon at its left end, a suggestion list while typing, and the address dragged out by its
// icon. It decides nothing about addresses; its owner hears its events and answers them.
class AddressBox : public QComboBox {
    Q_OBJECT
public:
    // Runs first for every key pressed in the box, before the box handles the key itself; it
    // may rewrite the text with setText.
    using KeyHandler = std::function<void(int key, Qt::KeyboardModifiers modifiers)>;
    // Suggestions for a typed prefix, best first.
    using CompletionSource = std::function<QStringList(const QString& prefix)>;
    // Carries out a drag of the address out of the box; the default runs a QDrag.
    using DragRunner = std::function<void(std::unique_ptr<QMimeData> data)>;

    // Most suggestions shown while typing.
    static constexpr int kMaxSuggestions = 50;

    explicit AddressBox(QWidget* parent = nullptr);
    ~AddressBox() override;

    // The address text.
    QString text() const;
    // Writes the address text and always raises addressChanged, also when nothing changed.
    void setText(const QString& text);

    // The 16 x 16 picture drawn at the left end of the box.
    void setSiteIcon(const QPixmap& icon);
    QPixmap siteIcon() const { return m_siteIcon; }

    // The typed-address list shown by the drop-down, most recent first. The text stays.
    void setTypedAddresses(const QStringList& addresses);
    QStringList typedAddresses() const;

    void setKeyHandler(KeyHandler handler) { m_keyHandler = std::move(handler); }
    // Adds a source of suggestions; the suggestions of earlier sources come first.
    void addCompletionSource(CompletionSource source) { m_sources.append(std::move(source)); }
    // The suggestions for a prefix from every source, without repeats; none for a blank one.
    QStringList suggestionsFor(const QString& prefix) const;
    // The suggestion list as last offered.
    QStringList currentSuggestions() const;

    // The title that a dragged-out address carries; the address itself when not set.
    void setDragTitle(std::function<QString()> title) { m_dragTitle = std::move(title); }
    void setDragRunner(DragRunner runner) { m_dragRunner = std::move(runner); }
    // Where the modifiers held at a choice from a list are read; the live keyboard by default.
    void setKeyboardModifiers(std::function<Qt::KeyboardModifiers()> modifiers)
    {
        m_keyboardModifiers = std::move(modifiers);
    }

signals:
    // The text changed: the user edited it or it was written.
    void addressChanged(const QString& text);
    // An address was accepted: Enter (the open list's entry when one is chosen, otherwise the
    // text) or a choice from the drop-down list; modifiers are those held at that moment.
    void urlSelected(const QString& url, Qt::KeyboardModifiers modifiers);

private:
    friend class AddressEdit;

    void keyPressed(QKeyEvent* event);
    void acceptEnter(Qt::KeyboardModifiers modifiers);
    void offerSuggestions(const QString& typed);
    void mousePressedAt(QPoint boxPoint);
    bool mouseMovedTo(QPoint boxPoint, Qt::MouseButtons buttons);

    AddressEdit* m_edit = nullptr;
    QCompleter* m_completer = nullptr;
    QStringListModel* m_suggestions = nullptr;
    QPixmap m_siteIcon;
    KeyHandler m_keyHandler;
    QList<CompletionSource> m_sources;
    std::function<QString()> m_dragTitle;
    DragRunner m_dragRunner;
    std::function<Qt::KeyboardModifiers()> m_keyboardModifiers;
    QPoint m_pressPoint;
    bool m_writing = false;
};

}  // namespace pelto::ui
