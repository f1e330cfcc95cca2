#include "core/pages/window_arrangement.h"

#include <cmath>

namespace pelto::core {

int PreviousTabSlot(int currentSlot, int slotCount)
{
    return currentSlot < 1 ? slotCount - 1 : currentSlot - 1;
}

int NextTabSlot(int currentSlot, int slotCount)
{
    return currentSlot >= slotCount - 1 ? 0 : currentSlot + 1;
}

std::vector<Rect> TileBounds(int count, int areaWidth, int areaHeight, TileMode mode)
{
    std::vector<Rect> bounds;
    if (count <= 0 || areaWidth <= 0 || areaHeight <= 0)
        return bounds;
    // Lines run across the tiling direction: rows when tiling horizontally, columns otherwise.
    const int lines = count <= 3 ? count : static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int perLine = (count + lines - 1) / lines;
    const int across = mode == TileMode::Horizontal ? areaHeight : areaWidth;
    const int along = mode == TileMode::Horizontal ? areaWidth : areaHeight;
    int placed = 0;
    for (int line = 0; line < lines && placed < count; ++line) {
        const int inThisLine = std::min(perLine, count - placed);
        const int start = across * line / lines;
        const int end = across * (line + 1) / lines;
        for (int i = 0; i < inThisLine; ++i) {
            const int from = along * i / inThisLine;
            const int to = along * (i + 1) / inThisLine;
            if (mode == TileMode::Horizontal)
                bounds.push_back({from, start, to - from, end - start});
            else
                bounds.push_back({start, from, end - start, to - from});
        }
        placed += inThisLine;
    }
    return bounds;
}

}  // namespace pelto::core
