#pragma once

#include "core/app/window_placement.h"

#include <vector>

namespace pelto::core {

// The slot Previous Window or Next Window goes to from the current tab's slot, among slotCount
// tabs: one back or on, wrapping round at either end.
int PreviousTabSlot(int currentSlot, int slotCount);
int NextTabSlot(int currentSlot, int slotCount);

// How tiling lays the pages out: horizontally puts them one above the other, vertically side
// by side; more than three pages form a grid whose last row or column takes up the rest.
enum class TileMode { Horizontal, Vertical };

// The bounds of count pages tiled over an area of the given size, in page order.
std::vector<Rect> TileBounds(int count, int areaWidth, int areaHeight, TileMode mode);

}  // namespace pelto::core
