#include "core/navigation/document_tables.h"

#include "core/app/product.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace pelto::core {

namespace {

constexpr std::array kTextSizes = {
    TextSize {"actTSLargest", "Largest", 4, 1.5},
    TextSize {"actTSLarger", "Larger", 3, 1.25},
    TextSize {"actTSMedium", "Medium", 2, 1.0},
    TextSize {"actTSSmaller", "Smaller", 1, 0.85},
    TextSize {"actTSSmallest", "Smallest", 0, 0.7},
};

constexpr std::array kEncodings = {
    EncodingEntry {0, "actLArabic", "Arabic", "windows-1256"},
    EncodingEntry {1, "actLBaltic", "Baltic", "windows-1257"},
    EncodingEntry {2, "actLCentralEuropean", "Central European", "windows-1250"},
    EncodingEntry {3, "actLChineseSimplified", "Chinese Simplified", "gb2312"},
    EncodingEntry {4, "actLChineseTraditional", "Chinese Traditional", "big5"},
    EncodingEntry {5, "actLCyrillic", "Cyrillic", "windows-1251"},
    EncodingEntry {6, "actLEnglish", "English (Unicode)", "utf-8"},
    EncodingEntry {7, "actLGreek", "Greek", "windows-1253"},
    EncodingEntry {8, "actLHebrew", "Hebrew", "windows-1255"},
    EncodingEntry {9, "actLJapanese", "Japanese", "euc-jp"},
    EncodingEntry {10, "actLKorean", "Korean", "euc-kr"},
    EncodingEntry {11, "actLThai", "Thai", "windows-874"},
    EncodingEntry {12, "actLTurkish", "Turkish", "windows-1254"},
    EncodingEntry {13, "actLVietnamese", "Vietnamese", "windows-1258"},
    EncodingEntry {14, "actLWesternEuropean", "Western European", "Windows-1252"},
};

constexpr std::array kEncodingMenu = {6, -1, 2, 14, -1, 3, 4, -1, 9, 10, 11, -1, 0, 1, 5, 7, 8, 12, 13};

struct NamedRule {
    std::string_view action;
    DocumentRule rule;
};

constexpr std::array kCommandRules = {
    NamedRule {"actOpen", DocumentRule::Always},
    NamedRule {"actSave", DocumentRule::Document},
    NamedRule {"actProperties", DocumentRule::Document},
    NamedRule {"actPageSetup", DocumentRule::Document},
    NamedRule {"actPrintPreview", DocumentRule::Document},
    NamedRule {"actPrintDlg", DocumentRule::Document},
    NamedRule {"actPrint", DocumentRule::Document},
    NamedRule {"actCopy", DocumentRule::Edit},
    NamedRule {"actCut", DocumentRule::Edit},
    NamedRule {"actPaste", DocumentRule::Edit},
    NamedRule {"actSelectAll", DocumentRule::Edit},
    NamedRule {"actFind", DocumentRule::Document},
    NamedRule {"actSource", DocumentRule::Document},
    NamedRule {"actHelp", DocumentRule::Always},
    NamedRule {"actPBrowserHOME", DocumentRule::Always},
    NamedRule {"actComments", DocumentRule::Always},
};

// A file name of a page stays well inside every file system's limit, with room for the
// extension and the engine's "_files" folder beside it.
constexpr std::size_t kMaxSaveNameBytes = 100;

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

// Replaces what file systems refuse, then trims the spaces and dots that Windows drops or
// that would hide the file, and cuts the name at a character boundary.
std::string cleanFileName(std::string_view text)
{
    std::string name;
    name.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool refused = byte < 0x20 || byte == 0x7f || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos;
        name.push_back(refused ? '_' : c);
    }
    const auto keep = [](char c) { return c != ' ' && c != '.' && c != '_'; };
    const auto first = std::find_if(name.begin(), name.end(), keep);
    const auto last = std::find_if(name.rbegin(), name.rend(), keep).base();
    name = first < last ? std::string(first, last) : std::string();
    if (name.size() > kMaxSaveNameBytes) {
        std::size_t cut = kMaxSaveNameBytes;
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
        while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
            name.pop_back();
    }
    // Device names that Windows opens instead of a file, with or without an extension.
    static constexpr std::array kDevices = {"con", "prn", "aux", "nul", "com1", "com2", "com3", "com4", "com5",
                                            "com6", "com7", "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4",
                                            "lpt5", "lpt6", "lpt7", "lpt8", "lpt9"};
    const std::string_view stem = std::string_view(name).substr(0, name.find('.'));
    for (const std::string_view device : kDevices) {
        if (equalsIgnoringCase(stem, device)) {
            name.insert(name.begin(), '_');
            break;
        }
    }
    return name;
}

// The last part of an address's path without its extension, or the host when the path has
// none.
std::string addressName(std::string_view address)
{
    address = address.substr(0, address.find_first_of("?#"));
    const std::size_t scheme = address.find("://");
    std::string_view rest = scheme == std::string_view::npos ? address : address.substr(scheme + 3);
    const std::size_t slash = rest.find('/');
    const std::string_view host = rest.substr(0, slash);
    std::string_view path = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    while (!path.empty() && path.back() == '/')
        path.remove_suffix(1);
    std::string_view last = path.substr(path.rfind('/') + 1);
    const std::size_t dot = last.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        last = last.substr(0, dot);
    return std::string(last.empty() ? host : last);
}

}  // namespace

std::span<const TextSize> TextSizes()
{
    return kTextSizes;
}

double TextSizeFactor(int level)
{
    for (const TextSize& size : kTextSizes) {
        if (size.level == level)
            return size.factor;
    }
    return TextSizeFactor(kTextSizeMedium);
}

std::optional<int> TextSizeLevelOf(double factor)
{
    for (const TextSize& size : kTextSizes) {
        // The engine keeps zoom as a level of its own and gives back a nearby factor.
        if (std::fabs(size.factor - factor) < 0.005)
            return size.level;
    }
    return std::nullopt;
}

double ClampZoom(double factor, double low, double high)
{
    if (!std::isfinite(factor) || !std::isfinite(low) || !std::isfinite(high) || low > high)
        return 1.0;
    return std::clamp(factor, low, high);
}

std::span<const EncodingEntry> Encodings()
{
    return kEncodings;
}

const EncodingEntry* EncodingAt(int index)
{
    if (index < 0 || index >= static_cast<int>(kEncodings.size()))
        return nullptr;
    return &kEncodings[static_cast<std::size_t>(index)];
}

const EncodingEntry* EncodingForCharset(std::string_view charset)
{
    for (const EncodingEntry& entry : kEncodings) {
        if (equalsIgnoringCase(entry.charset, charset))
            return &entry;
    }
    return nullptr;
}

std::span<const int> EncodingMenuOrder()
{
    return kEncodingMenu;
}

bool RuleAllows(DocumentRule rule, const ActivePageState& state)
{
    switch (rule) {
    case DocumentRule::Always:
        return true;
    case DocumentRule::Pages:
        return state.hasPage;
    case DocumentRule::Document:
        return state.hasPage && state.hasDocument;
    case DocumentRule::Address:
        return state.hasPage && state.hasAddress;
    case DocumentRule::Edit:
        return state.hasPage && state.editAvailable;
    }
    return false;
}

std::optional<DocumentRule> DocumentCommandRule(std::string_view action)
{
    for (const NamedRule& entry : kCommandRules) {
        if (entry.action == action)
            return entry.rule;
    }
    for (const TextSize& size : kTextSizes) {
        if (size.action == action)
            return DocumentRule::Document;
    }
    for (const EncodingEntry& entry : kEncodings) {
        if (entry.action == action)
            return DocumentRule::Document;
    }
    return std::nullopt;
}

std::string ProtocolCaption(std::string_view scheme)
{
    struct Known {
        std::string_view scheme;
        std::string_view caption;
    };
    static constexpr std::array kKnown = {
        Known {"http", "HyperText Transfer Protocol"},
        Known {"https", "HyperText Transfer Protocol with Privacy"},
        Known {"file", "File Protocol"},
        Known {"ftp", "File Transfer Protocol"},
        Known {"about", "About Protocol"},
        Known {"data", "Data Protocol"},
        Known {"view-source", "Source View"},
    };
    for (const Known& known : kKnown) {
        if (equalsIgnoringCase(known.scheme, scheme))
            return std::string(known.caption);
    }
    const bool plain = !scheme.empty() && std::all_of(scheme.begin(), scheme.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    });
    if (!plain)
        return "Unknown Protocol";
    std::string caption;
    for (const char c : scheme)
        caption.push_back((c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c);
    return caption + " Protocol";
}

std::string SizeCaption(std::int64_t bytes)
{
    if (bytes < 0)
        return "Not available";
    std::string digits = std::to_string(bytes);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits + (bytes == 1 ? " byte" : " bytes");
}

std::string SuggestedSaveName(std::string_view title, std::string_view address, std::string_view extension)
{
    std::string name = cleanFileName(title);
    if (name.empty())
        name = cleanFileName(addressName(address));
    if (name.empty())
        name = "page";
    return name + std::string(extension);
}

std::string ProductHomePage(std::string_view languageFile)
{
    const std::size_t slash = languageFile.find_last_of("/\\");
    const std::string_view file = slash == std::string_view::npos ? languageFile : languageFile.substr(slash + 1);
    std::string address(kProductWebAddress);
    if (equalsIgnoringCase(file, "chs.lng"))
        address += "zh/";
    return address;
}

std::string CommentsMailLink()
{
    return "mailto:comments@peltobrowser.org?SUBJECT=COMMENTS";
}

}  // namespace pelto::core
