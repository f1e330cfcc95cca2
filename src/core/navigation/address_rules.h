#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/navigation/keyword_converter.h"

// Rules of the address bar. All texts are UTF-8 and every rule is plain text work: nothing is
// decoded, so invalid percent escapes, unknown schemes and bytes that are not UTF-8 pass through
// unchanged, and every rule runs in time linear in the text (an address of megabytes is fine).
//
// Hostile input:
// - Control characters (below 0x20, and 0x7F) are removed from what the user typed, pasted or a
//   plug-in returned, as a web address cannot contain them; a NUL byte never cuts a text short.
// - A script address ("javascript:" or "vbscript:", in any case, behind any spaces, control
//   characters and quotes) typed, pasted or chosen in the box is never opened, so a pasted text
//   cannot run in the page that happens to be in front. "data:" and other schemes without "://"
//   get the "http://" prefix on Enter like "mailto:" does; from the Go commands they open as
//   typed, as top-level pages of their own.
// - A text longer than kMaxAddressLength is not opened at all (the engine refuses such addresses;
//   cutting it would open some other address).

namespace pelto::core {

// Longest address the address bar opens.
inline constexpr std::size_t kMaxAddressLength = 2 * 1024 * 1024;

// Most ancestors the up-one-level list shows.
inline constexpr std::size_t kMaxUpLevels = 30;

// The host part of an address: the text after the first "://" (or the whole address), up to
// the first "/" that is not its first character. Empty when that part has no "." or begins
// with one, so that single-word hosts ("localhost") and "about:" addresses give no host.
std::string ExtractHost(std::string_view address);

// True when the address has a parent: a path below its host (a "/" after the host that is not
// the last character), or a host of three or more labels whose first is not "www" (its parent
// is the same host with "www" as first label).
bool CanGoUp(std::string_view address);

// The address one level up: the address cut after the last "/" before its last character;
// for a bare host of three or more labels, the host with its first label replaced by "www"
// (no "/" is added); otherwise empty.
std::string ParentAddress(std::string_view address);

// The up-one-level list: the ancestors of the address, nearest first, at most kMaxUpLevels.
std::vector<std::string> UpOneLevelList(std::string_view address);

// Whether the Up command is enabled: there is a page and its address can go up.
bool UpCommandEnabled(bool hasPage, std::string_view address);

// The modifier keys held when Enter was pressed in the address box.
struct EnterKeys {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// Tells whether a text names an existing file or folder (relative ones from the current folder).
using PathExists = std::function<bool(std::string_view text)>;

// The text without control characters.
std::string RemoveControlCharacters(std::string_view text);

// Enter's cleaning: control characters removed, then leading spaces, then while it begins with a
// double quote, that quote (and a double quote at its end, when there is one).
std::string CleanTypedText(std::string_view text);

// Enter's completion: Ctrl without Shift gives "http://www." + text + ".com", otherwise Alt gives
// "http://www." + text + ".net"; otherwise the text stays.
std::string CompleteByKeys(std::string_view text, EnterKeys keys);

// True when the text needs the "http://" prefix: it holds neither "\\", nor ":\", nor "://", and
// names no existing file or folder (asked only when the text tests leave it open).
bool NeedsHttpPrefix(std::string_view text, const PathExists& pathExists);

// The prefix rule with the keyword plug-in: without a library the prefix goes on whenever the
// text needs it; with a usable library only when it is not a keyword; with an unusable library
// never.
std::string ApplyPrefixRule(std::string_view text, const PathExists& pathExists,
                            const KeywordConverter& keywords);

// The box's new text when Enter is pressed: cleaning, completion, then the prefix rule. An empty
// box becomes "http://". The caller then clears AddressEditing and accepts the text.
std::string AddressOnEnter(std::string_view text, EnterKeys keys, const PathExists& pathExists,
                           const KeywordConverter& keywords);

// True for a script address (see the file comment).
bool IsScriptAddress(std::string_view address);

// The address as sent to a page from the address bar, or nothing when it must not be opened:
// control characters are removed, then a script address or one longer than kMaxAddressLength is
// refused. Every command of the bar opens through this gate.
std::optional<std::string> OpenableAddress(std::string_view address);

// What an accepted address opens (the box's accepted text, Go and Open): the plug-in's address
// for a keyword it converts (the text itself when it gives none), through OpenableAddress.
std::optional<std::string> AcceptedAddress(std::string_view url, const KeywordConverter& keywords);

// What From Clipboard opens: the clipboard text through OpenableAddress, with no other cleaning.
std::optional<std::string> ClipboardAddress(std::string_view clipboardText);

// Where an address of the bar opens.
enum class AddressTarget {
    ActivePage,  // the page in front is sent there
    NewPage,     // a new page is made in front and sent there
};

// The open rule: a new page when there is no page, Shift is held or the feature's switch
// (NewAddress for the box, Go and From Clipboard) asks for one; otherwise the active page.
// The up-one-level list passes false for the switch.
AddressTarget WhereAddressOpens(bool hasPage, bool shiftHeld, bool newPageSwitch);

// The address box's width and the right spacer, from the toolbar's state.
struct AddressBoxLayout {
    int width = 0;
    std::optional<bool> rightSpacerShown;  // nothing: left as it is (floating toolbar)
    bool operator==(const AddressBoxLayout&) const = default;
};

// Least width of the box on a docked toolbar.
inline constexpr int kMinAddressBoxWidth = 200;
// Width of the box on a floating toolbar.
inline constexpr int kFloatingAddressBoxWidth = 380;

// The width rule: docked, the box fills the toolbar up to the Go button (less 12) or the toolbar's
// end (less 3), at least kMinAddressBoxWidth, with the right spacer shown exactly when the Go
// button is; floating, the box is kFloatingAddressBoxWidth wide.
AddressBoxLayout AddressBoxWidth(bool docked, bool goButtonVisible, int toolbarClientWidth,
                                 int boxLeft, int goButtonWidth);

// Whether a mouse move in the box starts dragging the address out: there is an address, the
// pointer is over the site icon (x at most 20) and not below the box, the left button is down,
// and it moved more than 24 squared pixels from where it was pressed.
bool StartsAddressDrag(std::string_view addressText, int x, int y, int boxHeight,
                       bool leftButtonDown, int pressX, int pressY);

}  // namespace pelto::core
