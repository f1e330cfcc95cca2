#pragma once

#include <QObject>

#include <QString>

#include <functional>
#include <optional>

namespace pelto::ui {

class ActionRegistry;
class PageManager;
struct SharedState;

// The New family (blank, current, home page, from the clipboard, and New, which runs the one
// the settings make the default), Back, Forward, Stop, Refresh and Home.
class NavigationCommands : public QObject {
    Q_OBJECT
public:
    struct Host {
        // After a new page from the New family: the address box takes the focus and the typing,
        // when the address bar is shown.
        std::function<void()> startAddressTyping;
        // The clipboard's text, or nothing when it holds no text.
        std::function<std::optional<QString>()> clipboardText;
    };

    NavigationCommands(PageManager& pages, SharedState& state, Host host, QObject* parent = nullptr);

    void attach(ActionRegistry& actions);
    // Shows the default entry of the New menu after the settings changed.
    void settingsChanged();

    void New();
    void newBlank();
    void newCurrent();
    void newHomepage();
    void newFromClipboard();
    void back();
    void forward();
    void stop();
    void refresh();
    void home();

private:
    PageManager& m_pages;
    SharedState& m_state;
    Host m_host;
    ActionRegistry* m_actions = nullptr;
};

}  // namespace pelto::ui
