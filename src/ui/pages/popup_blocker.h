#pragma once

#include "core/pages/popup_decision.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <string_view>

class QLabel;
class QSoundEffect;
class QStatusBar;

namespace pelto::ui {

class ActionRegistry;
class NewWindowRequest;
class TfrmPage;
struct SharedState;

// How a page's request for a new window is answered.
enum class NewWindowAnswer {
    Refuse,       // blocked: no window opens
    Open,         // a new page, placed the way new pages are
    OpenBehind,   // a link the user middle-clicked: a new page behind the current one
    OpenInFront,  // a link the user middle-clicked: a new page in front
};

// The popup blocker: lets a page open a new window only when the user plausibly asked for it
// (the blocker is off, the user clicked or pressed Enter in the page a moment ago, the page's
// context menu was used, or the user middle-clicked a link), counts and announces the rest on
// the status bar, and owns its three switch commands.
class PopupBlocker : public QObject {
    Q_OBJECT
public:
    struct Services {
        SharedState* state = nullptr;
        QStatusBar* statusBar = nullptr;  // gets the counter and the sound pictures
        // Writes a switch to the settings at once.
        std::function<void(std::string_view key, bool on)> writeSwitch;
        // Whether a widget belongs to the active page's view (the user's own input there counts).
        std::function<bool(const QObject* widget)> insideActivePage;
        // Plays the sound file; by default through the sound system, silent when it cannot.
        std::function<void(const QString& file)> playSound;
    };

    explicit PopupBlocker(Services services, QObject* parent = nullptr);
    ~PopupBlocker() override;

    // Attaches the three switch commands and shows the switches' states.
    void attach(ActionRegistry& actions);
    // Follows the switches after the settings changed.
    void settingsChanged();

    // The answer to a page's new-window request.
    NewWindowAnswer decide(const TfrmPage* opener, const NewWindowRequest& request);

    // A user action inside the active page (or a blank new window) opens the user-click window
    // for 300 ms.
    void OpenUserClickWindow();
    void CloseUserClickWindow();
    bool userClickWindowOpen() const;
    // The page's context menu was shown: the window asked for from it is allowed.
    void contextMenuShown();

    // The counter's text ("0 ", "1 ", ...), and setting it back to "0 ".
    QString counterText() const;
    void resetCounter();
    long long blockedCount() const { return m_state.blockedCount; }

    QLabel* counter() const { return m_fpStopper; }
    QLabel* volumePicture() const { return m_imgVolume; }
    QLabel* mutePicture() const { return m_imgMute; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::int64_t now() const { return m_clock.elapsed(); }
    void colourTick();
    void showSoundPicture();
    void playDefault(const QString& file);

    Services m_services;
    core::PopupBlockerState m_state;
    QElapsedTimer m_clock;
    QTimer m_uTimer;
    QTimer m_timerPopup;
    // When the middle button last went down inside the active page (-1: never).
    std::int64_t m_middlePressedAt = -1;
    bool m_contextMenuOpen = false;
    QLabel* m_fpStopper = nullptr;
    QLabel* m_imgVolume = nullptr;
    QLabel* m_imgMute = nullptr;
    QSoundEffect* m_sound = nullptr;
    ActionRegistry* m_actions = nullptr;
};

}  // namespace pelto::ui
