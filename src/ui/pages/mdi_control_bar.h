#pragma once

#include <QToolBar>

class QToolButton;

namespace pelto::ui {

class ActionRegistry;

// The window-control bar "tbtMDIControl": eleven small buttons for stepping through the pages,
// arranging and closing them, and the minimise, restore and close boxes of the maximised page.
// A double click on a button runs its command twice, so a double click on Next moves on two
// pages.
class MdiControlBar : public QToolBar {
    Q_OBJECT
public:
    static constexpr int kButtonWidth = 21;
    static constexpr int kButtonHeight = 22;

    MdiControlBar(ActionRegistry& actions, QWidget* parent = nullptr);

    // The button of that object name ("btnNext"), or null.
    QToolButton* button(const QString& name) const;

private:
    void fitFloatingWidth(bool floating);
};

}  // namespace pelto::ui
