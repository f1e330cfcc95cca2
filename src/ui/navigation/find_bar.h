#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pelto::ui {

class WebControl;

// The Find on This Page bar: a text, Find Next and Find Previous, Match case, and a line that
// tells how many matches there are or that the text was not found. It searches the control the
// target function gives at each search (the active page's, or null when there is none), and
// removes the highlighting when it is hidden.
class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(std::function<WebControl*()> target, QWidget* parent = nullptr);

    // Shows the bar with the text selected and the keyboard focus in it.
    void activate();
    void findNext();
    void findPrevious();

    // The text searched for, and the result line as shown.
    QString text() const;
    QString resultText() const;

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void find(bool backward);

    std::function<WebControl*()> m_target;
    QLineEdit* m_text = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_previous = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QLabel* m_result = nullptr;
    // Each search's answer carries its number, so that a late answer to an older search does
    // not overwrite the newer one.
    int m_search = 0;
};

}  // namespace pelto::ui
