#include "core/app/window_placement.h"

namespace pelto::core {

Rect DefaultMainWindowBounds(int screenWidth, int screenHeight)
{
    const int marginX = screenWidth / 10;
    const int marginY = screenHeight / 10;
    return {marginX, marginY, screenWidth - 2 * marginX, screenHeight - 2 * marginY};
}

Rect PlaceMainWindow(const Rect& stored, const Rect& defaults, const Rect& monitor, int currentWidth,
                     int currentHeight)
{
    Rect result;
    result.left = (monitor.left + monitor.width - 100 >= stored.left && stored.left > monitor.left - currentWidth + 100)
        ? stored.left
        : defaults.left;
    result.top = (monitor.top + monitor.height - 100 >= stored.top && stored.top > monitor.top - currentHeight + 100)
        ? stored.top
        : defaults.top;
    result.height = (stored.height >= 200 && stored.height <= monitor.height) ? stored.height : defaults.height;
    result.width = (stored.width >= 300 && stored.width <= monitor.width) ? stored.width : defaults.width;
    return result;
}

}  // namespace pelto::core

namespace pelto::core {

StoredBounds BoundsWorthStoring(const Rect& window, const Rect& monitor)
{
    StoredBounds result;
    result.storeLeft = monitor.left + 100 - window.width < window.left
        && window.left <= monitor.left + monitor.width - 100;
    result.storeTop = monitor.top + 100 - window.height < window.top
        && window.top <= monitor.top + monitor.height - 100;
    result.storeHeight = window.height >= 200 && window.height <= monitor.height;
    result.storeWidth = window.width >= 300 && window.width <= monitor.width;
    return result;
}

}  // namespace pelto::core
