#pragma once

#include <optional>
#include <string_view>

namespace pelto::core {

// A bar panel that Full Screen or Full Desktop mode has detached for auto-hiding, as the mouse
// finds it. Positions are in the main window's client coordinates.
struct FloatingPanel {
    bool floats = false;        // detached for auto-hiding; otherwise it is left alone
    bool visible = true;
    int top = 0;
    int height = 0;
    bool mouseOver = false;     // the mouse is over the panel
    bool dropDownOpen = false;  // the address or search box docked in it has its list open
};

// What the mouse move sees.
struct AutoHideInput {
    int mouseY = 0;
    int windowHeight = 0;
    bool pageShowsPdf = false;  // there is a page and it shows a PDF (PageShowsPdf)
    FloatingPanel topPanel;
    FloatingPanel bottomPanel;
};

// The new tops of the panels; nothing where a panel stays where it is.
struct AutoHideMoves {
    std::optional<int> topPanelTop;
    std::optional<int> bottomPanelTop;
    bool operator==(const AutoHideMoves&) const = default;
};

// Slides the floating panels on a mouse move: the top panel shows (top 2) when the mouse comes
// within 10 pixels of the top edge and hides (top minus the window height) when the mouse goes
// below it; the bottom panel shows just above the bottom edge when the mouse comes within 8
// pixels of it and hides (window height + 10) when the mouse goes above it. Over a PDF, which
// takes the mouse away from the window, a panel also hides when the mouse reaches its inner
// edge. A panel never hides while its drop-down list is open. While the mouse is over the top
// panel the bottom panel is not looked at.
AutoHideMoves DecidePanelAutoHide(const AutoHideInput& input);

// Whether the active page's address shows a PDF: ".pdf" occurs in the lower-cased address
// beyond its fifth character.
bool PageShowsPdf(std::string_view address);

}  // namespace pelto::core
