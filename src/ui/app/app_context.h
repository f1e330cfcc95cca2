#pragma once

#include <QString>

#include <string>
#include <vector>

namespace pelto::core {
class PendingOpens;
}
namespace pelto::platform {
class HandOverServer;
class KeyStore;
class SettingsFile;
}  // namespace pelto::platform
namespace pelto::ui {
class WebControlFactory;
}

namespace pelto::ui {

// What the start sequence hands the main window: the process-wide values it created.
struct AppContext {
    platform::SettingsFile* settings = nullptr;
    platform::KeyStore* keyStore = nullptr;
    platform::HandOverServer* instanceServer = nullptr;  // null when another user's socket blocked us
    core::PendingOpens* pendingOpens = nullptr;
    WebControlFactory* webControls = nullptr;  // makes the pages' web controls
    QString programFolder;  // with a trailing slash
    QString dataFolder;     // with a trailing slash
    std::vector<std::string> arguments;  // the command line after the program's own name
    bool showInTaskBar = true;
    std::string languageFile;
};

}  // namespace pelto::ui
