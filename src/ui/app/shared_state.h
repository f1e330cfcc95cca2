#pragma once

#include "core/app/general_settings.h"

#include <cstdint>

namespace pelto::ui {

class TfrmPage;

// The main window's state that the features share.
struct SharedState {
    core::GeneralSettings settings;       // copied from the settings store by ApplySettings
    bool InTray = false;                  // hidden in the tray
    bool SaveOnExitRequested = false;     // "Save All Opened Pages and Exit" was chosen
    bool ClosingInBulk = false;           // several pages are being closed by one command
    bool AddressEditing = false;          // the user is typing in the address box
    bool IsExiting = false;               // the exit is decided and the pages are closing
    bool SessionEnding = false;           // the system asked the program to end (log-out, shutdown)
    bool DisplayModeActive = false;       // full screen or full desktop
    std::uint32_t DownloadFlags = 0;      // download options of all pages
    TfrmPage* TabMenuPage = nullptr;      // page whose tab was right-clicked last
    TfrmPage* lastActivatedPage = nullptr;
};

}  // namespace pelto::ui
