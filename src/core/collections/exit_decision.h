#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/window_placement.h"
#include "core/collections/recent_pages.h"

namespace pelto::core {

// The values of the ActionWhenExit setting: what happens to the open pages at exit.
enum class ActionWhenExit : int {
    Prompt = 0,        // ask with the exit prompt
    Save = 1,          // save them for the next start
    ExitDirectly = 2,  // do not save them
};

// What an exit step does with pages.dat.
enum class PagesFileChange {
    Keep,   // leave it as it is
    Save,   // SaveOpenPages
    Clear,  // write it empty
};

// The first step of the close query.
struct ExitDecision {
    // Show the exit prompt modally; its answer decides (ResolveExitPrompt). When false,
    // closing is allowed and pages tells what to do with pages.dat.
    bool showExitPrompt = false;
    PagesFileChange pages = PagesFileChange::Keep;
    bool operator==(const ExitDecision&) const = default;
};

// The exit decision from the open pages' addresses (page-list order), the "Save All Opened
// Pages and Exit" request and the ActionWhenExit number. Pages that are all empty or
// "about:blank" are not worth a question and leave pages.dat alone; so does an unknown
// ActionWhenExit number.
ExitDecision DecideOpenPagesAtExit(const std::vector<std::string>& pageAddresses,
                                   bool saveOnExitRequested, int actionWhenExit);

// How the exit prompt was closed.
enum class ExitPromptAnswer { Yes, No, Cancel };

// What the exit prompt's answer does.
struct ExitPromptOutcome {
    bool allowClose = false;
    PagesFileChange pages = PagesFileChange::Keep;
    // The number to write to ActionWhenExit, or nothing to leave the setting alone.
    std::optional<int> actionWhenExit;
    bool operator==(const ExitPromptOutcome&) const = default;
};

// Yes saves the pages, No clears pages.dat; both allow closing and store the selected radio
// button's choice. Cancel (also the dialog's close box) refuses closing and changes nothing.
ExitPromptOutcome ResolveExitPrompt(ExitPromptAnswer answer, ActionWhenExit selected);

// Where the exit prompt of the given size opens: centred on the monitor that contains the
// stored main-window position (Left, Top), or on the first monitor when none does.
Rect ExitPromptBounds(const std::vector<Rect>& monitors, int storedLeft, int storedTop, int width,
                      int height);

// A page as the recent pages record it when it closes.
struct ClosingPageEntry {
    std::string_view caption;  // its tab caption
    std::string_view address;  // its PageAddress
};

// AddRecentPage: records a closing page in the list unless recent pages are off or the exit
// has begun (the exit records the pages itself). Returns whether the list changed, that is
// whether recents.dat must be written and the menu rebuilt.
bool AddRecentPage(RecentList& list, const ClosingPageEntry& page, bool enableRecentPages,
                   bool isExiting);

// RecordPagesAtExit: with recent pages on, every open page (page-list order, index 0 first) is
// added to the list. Returns whether recents.dat must be written. The caller marks the pages
// as closing and writes ProperlyClosed = "yes" in every case.
bool RecordPagesAtExit(RecentList& list, const std::vector<ClosingPageEntry>& pages,
                       bool enableRecentPages);

// What the start does with the pages saved by the last run.
enum class RestoreStep {
    Nothing,      // pages.dat is missing or holds no address
    Reopen,       // the last run ended properly: reopen them without a question
    AskRecover,   // the last run crashed: ask scfmRecover first (AnswerRecoverQuestion)
};

// RestoreOpenPages' plan.
struct RestorePlan {
    RestoreStep step = RestoreStep::Nothing;
    // The addresses to open with OpenInNewPage, in opening order (the file's last line first,
    // so that the page that was current ends up in front).
    std::vector<std::string> addresses;
    bool operator==(const RestorePlan&) const = default;
};

// The plan from the bytes of pages.dat (empty when it is missing) and the stored
// ProperlyClosed text: the run ended properly unless it is exactly "no". pages.dat is not
// emptied here: the saved pages stay on disk until they are reopened (the reopened pages
// rewrite the file as they load) or the user has answered No, so that a crash or a kill while
// the question is open loses nothing. While AskRecover is pending the caller passes
// recoveryPending to SaveOpenPages, so that pages opened meanwhile do not overwrite the file.
RestorePlan PlanRestoreOpenPages(std::string_view pagesFileBytes, std::string_view properlyClosed);

// What the answer to the recovery question does.
struct RecoverAnswer {
    bool reopen = false;          // open RestorePlan::addresses
    bool clearPagesFile = false;  // write pages.dat empty
    bool operator==(const RecoverAnswer&) const = default;
};

// Yes reopens the saved pages (they rewrite pages.dat as they load); No opens none and only
// then empties pages.dat.
RecoverAnswer AnswerRecoverQuestion(bool yes);

}  // namespace pelto::core
