#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pelto::core {

// One of the five text sizes of the View menu; level is the action's tag (0 smallest to 4
// largest) and factor the zoom the page gets.
struct TextSize {
    std::string_view action;
    std::string_view caption;
    int level;
    double factor;
};

// The text sizes, largest first (the menu order).
std::span<const TextSize> TextSizes();
// The level a page starts at ("Medium").
inline constexpr int kTextSizeMedium = 2;
// The zoom factor of a level; levels outside the table give the start level's factor.
double TextSizeFactor(int level);
// The level whose factor the zoom is (within rounding), or none when the page was zoomed to
// some other factor.
std::optional<int> TextSizeLevelOf(double factor);
// The factor clamped into the zoom range the engine takes; a range with low above high, or
// values that are not numbers, fall back to 1.
double ClampZoom(double factor, double low, double high);

// One character set of the Encoding Language menu; index is the action's tag.
struct EncodingEntry {
    int index;
    std::string_view action;
    std::string_view caption;
    std::string_view charset;
};

// The 15 character sets in tag order.
std::span<const EncodingEntry> Encodings();
// The entry of a tag, or null.
const EncodingEntry* EncodingAt(int index);
// The entry whose character set is charset (compared without regard to case), or null.
const EncodingEntry* EncodingForCharset(std::string_view charset);
// The menu order of the encodings: tags, with -1 where a separator goes.
std::span<const int> EncodingMenuOrder();

// When a document command may run, from the state of the active page.
enum class DocumentRule {
    Always,    // whether or not a page exists
    Pages,     // at least one page exists
    Document,  // the active page has a document
    Address,   // the active page shows a non-empty address
    Edit,      // the active page's control says the edit command can run now
};

// What an enabling rule looks at. editAvailable is the control's answer for the command in
// question.
struct ActivePageState {
    bool hasPage = false;
    bool hasDocument = false;
    bool hasAddress = false;
    bool editAvailable = false;
};

// Whether the rule lets a command run in that state.
bool RuleAllows(DocumentRule rule, const ActivePageState& state);
// The rule of a document command by its action name; none for actions that are not document
// commands.
std::optional<DocumentRule> DocumentCommandRule(std::string_view action);

// Print options of a page: margins in inches, header and footer in the print header codes,
// the HTML header, and the orientation.
struct PrintOptions {
    double marginLeft = 0.75;
    double marginTop = 0.75;
    double marginRight = 0.75;
    double marginBottom = 0.75;
    std::string header = "&w&bPage &p of &P";
    std::string footer = "&u&b&d";
    std::string htmlHeader = "<HTML></HTML>";
    bool landscape = false;
};

// How the Properties dialog names the protocol of an address's scheme.
std::string ProtocolCaption(std::string_view scheme);
// A byte count as the Properties dialog shows it ("12,345 bytes"); negative counts are
// "Not available".
std::string SizeCaption(std::int64_t bytes);

// A file name for saving a page: the title with the characters file systems refuse (path
// separators, control characters, reserved punctuation) replaced, trimmed and cut to a safe
// length at a character boundary, falling back to the address's last path part and then to
// "page"; with extension appended (".html").
std::string SuggestedSaveName(std::string_view title, std::string_view address, std::string_view extension);

// The product's home page for the interface language file in use.
std::string ProductHomePage(std::string_view languageFile);
// The link that opens a mail to the developer with the comments subject.
std::string CommentsMailLink();

}  // namespace pelto::core
