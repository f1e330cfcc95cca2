#include "core/app/panel_auto_hide.h"

#include <string>

namespace pelto::core {

namespace {

std::optional<int> moveTo(const FloatingPanel& panel, int top)
{
    if (panel.top == top)
        return std::nullopt;
    return top;
}

std::optional<int> hide(const FloatingPanel& panel, int hiddenTop)
{
    if (panel.dropDownOpen)
        return std::nullopt;
    return moveTo(panel, hiddenTop);
}

}  // namespace

AutoHideMoves DecidePanelAutoHide(const AutoHideInput& input)
{
    AutoHideMoves moves;
    const int y = input.mouseY;
    const int h = input.windowHeight;
    const FloatingPanel& topPanel = input.topPanel;
    if (topPanel.floats) {
        if (topPanel.mouseOver) {
            if (y > topPanel.height - 12 && input.pageShowsPdf)
                moves.topPanelTop = hide(topPanel, -h);
            return moves;
        }
        if (y <= 10 && topPanel.top != 2)
            moves.topPanelTop = 2;
        else if (topPanel.visible && y > topPanel.height)
            moves.topPanelTop = hide(topPanel, -h);
    }
    const FloatingPanel& bottomPanel = input.bottomPanel;
    if (bottomPanel.floats) {
        const int hiddenTop = h + 10;
        if (bottomPanel.mouseOver) {
            if (y < bottomPanel.top + 4 && input.pageShowsPdf)
                moves.bottomPanelTop = hide(bottomPanel, hiddenTop);
            return moves;
        }
        const int shownTop = h - bottomPanel.height - 1;
        if (y >= h - 8 && bottomPanel.top != shownTop)
            moves.bottomPanelTop = shownTop;
        else if (bottomPanel.visible && y < bottomPanel.top)
            moves.bottomPanelTop = hide(bottomPanel, hiddenTop);
    }
    return moves;
}

bool PageShowsPdf(std::string_view address)
{
    std::string lower(address);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    // The first occurrence decides, at a 1-based position above 5.
    const std::size_t at = lower.find(".pdf");
    return at != std::string::npos && at >= 5;
}

}  // namespace pelto::core
