#include "core/pages/popup_decision.h"

#include <array>
#include <climits>

namespace pelto::core {

void OpenUserClickWindow(PopupBlockerState& state, std::int64_t nowMs)
{
    state.userClickOpenedAtMs = nowMs;
}

void CloseUserClickWindow(PopupBlockerState& state)
{
    state.userClickOpenedAtMs.reset();
    state.contextMenuSeen = false;
}

bool UserClickWindowOpen(const PopupBlockerState& state, std::int64_t nowMs)
{
    if (!state.userClickOpenedAtMs)
        return false;
    const std::int64_t opened = *state.userClickOpenedAtMs;
    // Compared as a distance so that no sum can overflow near the ends of the range.
    return nowMs >= opened && static_cast<std::uint64_t>(nowMs) - static_cast<std::uint64_t>(opened) <
                                  static_cast<std::uint64_t>(kUserClickWindowMs);
}

NewWindowVerdict DecideNewWindow(const PopupBlockerState& state, const NewWindowRequest& request)
{
    NewWindowVerdict verdict;
    verdict.next = state;
    const bool userAsked = !request.blockerOn || UserClickWindowOpen(state, request.nowMs) ||
                           state.contextMenuSeen;
    if (!request.openerClosing && userAsked) {
        verdict.allow = true;
        CloseUserClickWindow(verdict.next);
        return verdict;
    }
    if (verdict.next.blockedCount < LLONG_MAX)
        ++verdict.next.blockedCount;
    verdict.next.colourStep = 1;
    verdict.playSound = request.playSound;
    verdict.startColourCycle = true;
    return verdict;
}

std::string BlockedCounterText(long long blockedCount)
{
    return std::to_string(blockedCount) + " ";
}

PopupColourTick PopupCounterColourTick(int colourStep)
{
    static constexpr std::array<std::uint32_t, kPopupColourSteps> kColours = {
        0xFF0000, 0x00FF00, 0xFF00FF, 0x0000FF, 0xFF0000, 0x00FF00, 0xFF00FF, 0x0000FF, 0x000000,
    };
    if (colourStep < 1 || colourStep > kPopupColourSteps)
        return {std::nullopt, kPopupColourSteps + 1, true};
    const int next = colourStep + 1;
    return {kColours[colourStep - 1], next, next > kPopupColourSteps};
}

}  // namespace pelto::core
