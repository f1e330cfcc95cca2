#pragma once

#include "core/app/window_placement.h"

#include <vector>

namespace pelto::core {

// The fixed measures of the tab bar, in pixels.
inline constexpr int kPreferredTabWidth = 160;
inline constexpr int kMinimumTabWidth = 60;
inline constexpr int kTabGap = 1;        // between two tabs of a row
inline constexpr int kRowGap = 1;        // between two rows
inline constexpr int kTabBarMargin = 1;  // left and right
inline constexpr int kTabBarTopMargin = 0;  // top and bottom
inline constexpr int kTabHeight = 22;

// Where the tabs of the tab bar go. tabsPerRow is 0 when not even one tab fits: then nothing
// is placed. height is the bar's height the tabs need, or -1 when the bar is to keep its own
// (no tabs, or none placed).
struct TabLayout {
    int tabCount = 0;
    int tabsPerRow = 0;
    int tabWidth = 0;
    int rows = 0;
    int height = -1;
    // The bounds of the tab in each slot, slot 0 first; empty when nothing is placed.
    std::vector<Rect> tabs;
};

// Lays tabCount tabs out on a bar barWidth wide: in one row of 160-wide tabs while they fit,
// then in one row of narrower tabs down to 60, then in several rows of equal tabs at least 60
// wide that share out the spare width.
TabLayout LayoutTabs(int barWidth, int tabCount);

// The bounds of the tab in a slot under a layout that places tabs.
Rect TabBounds(const TabLayout& layout, int slot);

// New slots 0 to n - 1 for tabs whose slots have gaps, in the order of their current slots
// (tabs with the same slot keep their order in the list).
std::vector<int> RenumberSlots(const std::vector<int>& slots);

// Where a dragged tab would go with the mouse at (x, y) on the bar: the gap before the tab at
// column on row (column = tabsPerRow is the gap after a row's last tab), and the marker's top
// left. valid is false when the layout places no tabs.
struct TabDropMarker {
    bool valid = false;
    int column = 0;
    int row = 0;
    int x = -1;
    int y = -1;
    bool operator==(const TabDropMarker&) const = default;
};

// The drop place for the mouse at (x, y) in the bar's coordinates. A place past the middle of
// a tab is the gap after it; the last, partly filled row ends just after its last tab.
// Positions above or left of the tabs count as the first row or column.
TabDropMarker DropMarkerAt(const TabLayout& layout, int x, int y);

// The slot the marker's gap stands for: the slot of the tab right of it.
int DropSlot(const TabLayout& layout, const TabDropMarker& marker);

// The slot a tab now at slot takes when the tab at source is dropped in the gap before
// dropSlot: the tabs between make room and the dragged tab takes the freed place. Dropping a
// tab just before or just after itself moves nothing.
int SlotAfterDrop(int slot, int source, int dropSlot);

}  // namespace pelto::core
