#include "core/pages/tab_layout.h"

#include <algorithm>
#include <numeric>

namespace pelto::core {

namespace {

constexpr int kRowStep = kTabHeight + kRowGap;

}  // namespace

TabLayout LayoutTabs(int barWidth, int tabCount)
{
    TabLayout layout;
    if (tabCount < 1)
        return layout;
    layout.tabCount = tabCount;
    const int room = barWidth - 2 * kTabBarMargin;
    // 64-bit products: a count near the 32-bit limit must not wrap into "fits".
    const long long n = tabCount;
    if (n * (kPreferredTabWidth + kTabGap) < room) {
        layout.tabWidth = kPreferredTabWidth;
        layout.tabsPerRow = tabCount;
    } else if (n * (kMinimumTabWidth + kTabGap) < room) {
        layout.tabWidth = (barWidth - 1) / tabCount - 1;
        layout.tabsPerRow = tabCount;
    } else {
        layout.tabWidth = kMinimumTabWidth;
        layout.tabsPerRow = std::max(0, (barWidth + 1 - 2 * kTabBarMargin) / (kMinimumTabWidth + kTabGap));
        const int rest = barWidth + 1 - (kMinimumTabWidth + kTabGap) * layout.tabsPerRow - 2 * kTabBarMargin;
        if (layout.tabsPerRow > 0 && rest > layout.tabsPerRow)
            layout.tabWidth = kMinimumTabWidth + rest / layout.tabsPerRow;
    }
    if (layout.tabsPerRow == 0) {
        layout.rows = 1;
        return layout;
    }
    layout.rows = tabCount / layout.tabsPerRow + (tabCount % layout.tabsPerRow != 0 ? 1 : 0);
    layout.height = kRowStep * layout.rows + 2 * kTabBarTopMargin - 1;
    layout.tabs.reserve(static_cast<size_t>(tabCount));
    // Row by row, as TabBounds places them, without a division per tab.
    const int step = layout.tabWidth + kTabGap;
    for (int top = kTabBarTopMargin, slot = 0; slot < tabCount; top += kRowStep) {
        for (int column = 0; column < layout.tabsPerRow && slot < tabCount; ++column, ++slot)
            layout.tabs.push_back(Rect {column * step + kTabBarMargin, top, layout.tabWidth, kTabHeight});
    }
    return layout;
}

Rect TabBounds(const TabLayout& layout, int slot)
{
    if (layout.tabsPerRow <= 0)
        return {};
    return Rect {(slot % layout.tabsPerRow) * (layout.tabWidth + kTabGap) + kTabBarMargin,
                 (slot / layout.tabsPerRow) * kRowStep + kTabBarTopMargin, layout.tabWidth, kTabHeight};
}

std::vector<int> RenumberSlots(const std::vector<int>& slots)
{
    std::vector<size_t> order(slots.size());
    std::iota(order.begin(), order.end(), size_t {0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return slots[a] < slots[b]; });
    std::vector<int> renumbered(slots.size());
    for (size_t place = 0; place < order.size(); ++place)
        renumbered[order[place]] = static_cast<int>(place);
    return renumbered;
}

TabDropMarker DropMarkerAt(const TabLayout& layout, int x, int y)
{
    TabDropMarker marker;
    if (layout.tabsPerRow <= 0 || layout.rows <= 0)
        return marker;
    const int slotWidth = layout.tabWidth + kTabGap;
    const int dx = std::max(0, x - kTabBarMargin);
    int column = dx / slotWidth + (dx % slotWidth > layout.tabWidth / 2 ? 1 : 0);
    const int row = std::min(std::max(0, y - kTabBarTopMargin) / kRowStep, layout.rows - 1);
    const int onLastRow = layout.tabCount % layout.tabsPerRow;
    if (row == layout.rows - 1 && onLastRow != 0)
        column = std::min(column, onLastRow);
    else
        column = std::min(column, layout.tabsPerRow);
    marker.valid = true;
    marker.column = column;
    marker.row = row;
    marker.x = column * slotWidth;
    marker.y = row * kRowStep;
    return marker;
}

int DropSlot(const TabLayout& layout, const TabDropMarker& marker)
{
    return marker.column + marker.row * layout.tabsPerRow;
}

int SlotAfterDrop(int slot, int source, int dropSlot)
{
    if (dropSlot < source) {
        if (slot == source)
            return dropSlot;
        if (slot >= dropSlot && slot < source)
            return slot + 1;
    } else if (dropSlot > source + 1) {
        if (slot == source)
            return dropSlot - 1;
        if (slot > source && slot < dropSlot)
            return slot - 1;
    }
    return slot;
}

}  // namespace pelto::core
