#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pelto::core {

// How long after a user action inside the active page a new window is still allowed.
inline constexpr std::int64_t kUserClickWindowMs = 300;
// Interval of the blocked-popup counter's colour cycle (TimerPopup).
inline constexpr int kPopupColourIntervalMs = 350;
// Colour steps of one cycle; a step above this means the cycle has finished.
inline constexpr int kPopupColourSteps = 9;

// The popup blocker's state between events. Times are milliseconds of one monotonic clock.
struct PopupBlockerState {
    // When the user-click window was last opened; nothing while it is closed.
    std::optional<std::int64_t> userClickOpenedAtMs;
    // The page's context menu was shown and no message has passed the message hook since.
    bool contextMenuSeen = false;
    // Blocked windows since the start (or the last reset of the counter).
    long long blockedCount = 0;
    // Position in the counter's colour cycle, 1 to 9; above 9 the cycle has finished.
    int colourStep = kPopupColourSteps + 1;
    bool operator==(const PopupBlockerState&) const = default;
};

// OpenUserClickWindow: a left click, a left button release or Enter inside the active page
// (or a new page whose first address is empty or "about:blank") opens the window anew for
// kUserClickWindowMs from now; the caller restarts its uTimer.
void OpenUserClickWindow(PopupBlockerState& state, std::int64_t nowMs);

// CloseUserClickWindow: closes the window and clears the context-menu mark; run when uTimer
// fires and whenever a window is let through.
void CloseUserClickWindow(PopupBlockerState& state);

// Whether the user-click window is open at nowMs: opened, and less than kUserClickWindowMs
// ago. A late uTimer therefore never lets a window through after its time; a clock that went
// back counts as closed.
bool UserClickWindowOpen(const PopupBlockerState& state, std::int64_t nowMs);

// A page's request for a new window, with the switches that decide it.
struct NewWindowRequest {
    bool blockerOn = true;       // the StopAutoPopup switch
    bool openerClosing = false;  // PageIsClosing for the asking page
    bool playSound = true;       // the KPPlaySound switch
    std::int64_t nowMs = 0;
};

// The verdict on a new-window request. Either way the caller first stops the middle-click
// handling of the message hook and clears its state.
struct NewWindowVerdict {
    // Open the window as a new page (CreatePage for a new-window request); otherwise cancel
    // the request so that no window opens.
    bool allow = false;
    // Play the sound file (KPSound); only for a block with KPPlaySound on.
    bool playSound = false;
    // Restart the counter's colour cycle (TimerPopup) and show the new counter text.
    bool startColourCycle = false;
    // The state after the request: an allowed window closes the user-click window, so that a
    // second request after the same click is blocked; a block counts and restarts the colour
    // cycle at step 1.
    PopupBlockerState next;
};

// The decision on a new-window request: a page that is closing never gets one (counted as
// blocked even with the blocker off); otherwise it is allowed when the blocker is off, the
// user-click window is open or the context menu was seen.
NewWindowVerdict DecideNewWindow(const PopupBlockerState& state, const NewWindowRequest& request);

// The counter's text on the status bar: the number followed by one space ("0 ", "1 ").
std::string BlockedCounterText(long long blockedCount);

// One tick of the colour cycle.
struct PopupColourTick {
    // The counter's new text colour as 0xRRGGBB, or nothing when the cycle has finished.
    std::optional<std::uint32_t> colour;
    int nextStep = kPopupColourSteps + 1;
    // Stop TimerPopup: the cycle has ended (in black).
    bool stopTimer = false;
    bool operator==(const PopupColourTick&) const = default;
};

// The tick at a colour step: red, green, magenta, blue twice over, then black, after which
// the timer stops. A step outside 1 to 9 changes nothing and stops the timer.
PopupColourTick PopupCounterColourTick(int colourStep);

}  // namespace pelto::core
