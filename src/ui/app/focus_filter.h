#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace pelto::ui {

// Keeps the keyboard focus where the user works: while the user types an address, no page may
// take the focus from the address box; otherwise a page in the background may not take it from
// the active page. At most 31 moves are held back within one quiet period of two seconds, so a
// page that insists is not fought forever.
class FocusFilter : public QObject {
    Q_OBJECT
public:
    struct Rules {
        std::function<bool()> addressEditing;
        // True when the widget lies inside the web control of any page / of the active page.
        std::function<bool(const QWidget*)> insideAnyPage;
        std::function<bool(const QWidget*)> insideActivePage;
        std::function<bool()> hasPage;
        // Puts the focus back into the address box (the caret after the text when nothing is selected).
        std::function<void()> focusAddressBox;
    };

    explicit FocusFilter(Rules rules, QObject* parent = nullptr);

    // Starts and stops watching the application's focus changes.
    void install();
    void remove();

    // How many moves were held back since the last quiet period.
    int preventedCount() const { return m_count; }

    // Decides on one focus move; true when the move was held back. Public for tests.
    bool filterMove(QWidget* losing, QWidget* gaining);

private:
    Rules m_rules;
    int m_count = 0;
    bool m_installed = false;
    bool m_restoring = false;
    QTimer m_tmrFocus;
};

}  // namespace pelto::ui
