#pragma once

namespace pelto::core {

// A rectangle in screen pixels.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// The main window's default bounds on a primary screen of the given size: a tenth of the
// screen free on every side.
Rect DefaultMainWindowBounds(int screenWidth, int screenHeight);

// The main window's bounds from the stored ones: each stored value is used only while it keeps
// the window reachable on the monitor nearest to the stored position (at least 100 pixels of it
// on the monitor, at least 300 x 200 and no larger than the monitor); otherwise the default.
// currentWidth and currentHeight are the window's size before anything is applied.
Rect PlaceMainWindow(const Rect& stored, const Rect& defaults, const Rect& monitor, int currentWidth,
                     int currentHeight);

}  // namespace pelto::core

namespace pelto::core {

// Which of the main window's bounds are worth storing: each is stored only while it keeps the
// window reachable on the monitor nearest to its top-left corner.
struct StoredBounds {
    bool storeLeft = false;
    bool storeTop = false;
    bool storeWidth = false;
    bool storeHeight = false;
};

// The bounds of a window in its normal state measured against its monitor.
StoredBounds BoundsWorthStoring(const Rect& window, const Rect& monitor);

}  // namespace pelto::core
