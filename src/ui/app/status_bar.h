#pragma once

#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace pelto::ui {

// The main window's status bar: the active page's status text, its load progress and the two
// pictures that tell a secure site from an ordinary one.
class PageStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit PageStatusBar(QWidget* parent = nullptr);

    void setStatusText(const QString& text);
    // A maximum of 0 or less shows no progress.
    void setProgress(int position, int maximum);
    // Less than 0: both pictures hidden; 0: the ordinary picture; above 0: the secure picture
    // with the hint that fits the state.
    void setSecureState(int secureLockState);
    // Empties the text and the progress and hides both pictures.
    void clearDisplay();

    QString statusText() const;
    int progressValue() const;
    bool securePictureShown() const;
    bool ordinaryPictureShown() const;
    QString securePictureHint() const;

private:
    QLabel* m_text;
    QProgressBar* m_progress;
    QLabel* m_secure;
    QLabel* m_ordinary;
};

}  // namespace pelto::ui
