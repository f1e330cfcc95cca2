#include "core/collections/exit_decision.h"

#include <algorithm>

namespace pelto::core {

ExitDecision DecideOpenPagesAtExit(const std::vector<std::string>& pageAddresses,
                                   bool saveOnExitRequested, int actionWhenExit)
{
    const bool anyWorthSaving =
        std::any_of(pageAddresses.begin(), pageAddresses.end(),
                    [](const std::string& address) { return !address.empty() && address != "about:blank"; });
    if (!anyWorthSaving)
        return {};
    if (saveOnExitRequested || actionWhenExit == static_cast<int>(ActionWhenExit::Save))
        return {false, PagesFileChange::Save};
    if (actionWhenExit == static_cast<int>(ActionWhenExit::Prompt))
        return {true, PagesFileChange::Keep};
    if (actionWhenExit == static_cast<int>(ActionWhenExit::ExitDirectly))
        return {false, PagesFileChange::Clear};
    return {};
}

ExitPromptOutcome ResolveExitPrompt(ExitPromptAnswer answer, ActionWhenExit selected)
{
    switch (answer) {
    case ExitPromptAnswer::Yes:
        return {true, PagesFileChange::Save, static_cast<int>(selected)};
    case ExitPromptAnswer::No:
        return {true, PagesFileChange::Clear, static_cast<int>(selected)};
    case ExitPromptAnswer::Cancel:
        break;
    }
    return {};
}

Rect ExitPromptBounds(const std::vector<Rect>& monitors, int storedLeft, int storedTop, int width,
                      int height)
{
    if (monitors.empty())
        return {0, 0, width, height};
    const auto contains = [&](const Rect& m) {
        // 64-bit arithmetic: stored positions come from a file and may be anything.
        const long long x = storedLeft, y = storedTop;
        return x >= m.left && x < static_cast<long long>(m.left) + m.width && y >= m.top &&
               y < static_cast<long long>(m.top) + m.height;
    };
    const auto found = std::find_if(monitors.begin(), monitors.end(), contains);
    const Rect& monitor = found != monitors.end() ? *found : monitors.front();
    const auto centred = [](int start, int span, int size) {
        return static_cast<int>(start + (static_cast<long long>(span) - size) / 2);
    };
    return {centred(monitor.left, monitor.width, width), centred(monitor.top, monitor.height, height),
            width, height};
}

bool AddRecentPage(RecentList& list, const ClosingPageEntry& page, bool enableRecentPages,
                   bool isExiting)
{
    if (!enableRecentPages || isExiting)
        return false;
    return list.add(page.caption, page.address);
}

bool RecordPagesAtExit(RecentList& list, const std::vector<ClosingPageEntry>& pages,
                       bool enableRecentPages)
{
    if (!enableRecentPages || pages.empty())
        return false;
    for (const ClosingPageEntry& page : pages)
        list.add(page.caption, page.address);
    return true;
}

RestorePlan PlanRestoreOpenPages(std::string_view pagesFileBytes, std::string_view properlyClosed)
{
    std::vector<std::string> addresses = ReadOpenPages(pagesFileBytes);
    if (addresses.empty())
        return {};
    std::reverse(addresses.begin(), addresses.end());
    const RestoreStep step = properlyClosed == "no" ? RestoreStep::AskRecover : RestoreStep::Reopen;
    return {step, std::move(addresses)};
}

RecoverAnswer AnswerRecoverQuestion(bool yes)
{
    return yes ? RecoverAnswer{true, false} : RecoverAnswer{false, true};
}

}  // namespace pelto::core
