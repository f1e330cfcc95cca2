#include "core/system/key_store_document.h"

#include <utility>

namespace pelto::core {

namespace {

std::string fold(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

std::string_view untilNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

bool isControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

// Splits a key path into its non-empty segments; nothing when the path is refused.
std::optional<std::vector<std::string_view>> splitPath(std::string_view path)
{
    std::vector<std::string_view> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view segment = path.substr(start, end - start);
        if (!segment.empty()) {
            for (const char c : segment) {
                if (isControl(static_cast<unsigned char>(c)))
                    return std::nullopt;
            }
            if (segments.size() == KeyStoreDocument::kMaxKeyDepth)
                return std::nullopt;
            segments.push_back(segment);
        }
        start = end + 1;
    }
    return segments;
}

// Length of the well-formed UTF-8 sequence starting at text[i], or 0 when it is not one.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i)
{
    const auto at = [&](std::size_t k) -> unsigned {
        return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u;
    };
    const auto cont = [&](std::size_t k, unsigned lo = 0x80, unsigned hi = 0xBF) {
        const unsigned c = at(k);
        return c >= lo && c <= hi;
    };
    const unsigned c = at(0);
    if (c >= 0xC2 && c <= 0xDF)
        return cont(1) ? 2 : 0;
    if (c == 0xE0)
        return cont(1, 0xA0) && cont(2) ? 3 : 0;
    if ((c >= 0xE1 && c <= 0xEC) || c == 0xEE || c == 0xEF)
        return cont(1) && cont(2) ? 3 : 0;
    if (c == 0xED)
        return cont(1, 0x80, 0x9F) && cont(2) ? 3 : 0;
    if (c == 0xF0)
        return cont(1, 0x90) && cont(2) && cont(3) ? 4 : 0;
    if (c >= 0xF1 && c <= 0xF3)
        return cont(1) && cont(2) && cont(3) ? 4 : 0;
    if (c == 0xF4)
        return cont(1, 0x80, 0x8F) && cont(2) && cont(3) ? 4 : 0;
    return 0;
}

constexpr char kHexDigits[] = "0123456789abcdef";

void appendHexByte(std::string& out, unsigned char c)
{
    out += "\\x";
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 0x0F];
}

// Writes text between double quotes. Bytes that are not well-formed UTF-8 are escaped too,
// so that the file stays valid text while 8-bit values still round-trip.
void appendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '\\': out += "\\\\"; continue;
        case '"': out += "\\\""; continue;
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        default: break;
        }
        if (isControl(c)) {
            appendHexByte(out, c);
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const std::size_t length = utf8SequenceLength(text, i); length > 0) {
            out.append(text.substr(i, length));
            i += length - 1;
        } else {
            appendHexByte(out, c);
        }
    }
    out += '"';
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted text starting at line[pos] == '"'; leaves pos after the closing quote.
bool readQuoted(std::string_view line, std::size_t& pos, std::string& out)
{
    out.clear();
    ++pos;
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"')
            return true;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (pos >= line.size())
            return false;
        const char e = line[pos++];
        switch (e) {
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x': {
            if (pos + 2 > line.size())
                return false;
            const int high = hexValue(line[pos]);
            const int low = hexValue(line[pos + 1]);
            if (high < 0 || low < 0)
                return false;
            out += static_cast<char>(high * 16 + low);
            pos += 2;
            break;
        }
        default:
            return false;
        }
    }
    return false;
}

void skipBlanks(std::string_view line, std::size_t& pos)
{
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
}

std::string_view trimBlanks(std::string_view line)
{
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

struct ParsedValue {
    std::string name;
    std::variant<std::string, std::uint32_t> data;
};

std::optional<ParsedValue> parseValueLine(std::string_view line)
{
    ParsedValue parsed;
    std::size_t pos = 0;
    if (line[0] == '@') {
        pos = 1;
    } else if (!readQuoted(line, pos, parsed.name)) {
        return std::nullopt;
    }
    skipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=')
        return std::nullopt;
    ++pos;
    skipBlanks(line, pos);
    if (pos < line.size() && line[pos] == '"') {
        std::string text;
        if (!readQuoted(line, pos, text))
            return std::nullopt;
        skipBlanks(line, pos);
        if (pos != line.size())
            return std::nullopt;
        parsed.data = std::move(text);
        return parsed;
    }
    constexpr std::string_view kDword = "dword:";
    if (fold(line.substr(pos, kDword.size())) != kDword)
        return std::nullopt;
    const std::string_view digits = line.substr(pos + kDword.size());
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : digits) {
        const int digit = hexValue(c);
        if (digit < 0)
            return std::nullopt;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    parsed.data = number;
    return parsed;
}

}  // namespace

KeyStoreDocument KeyStoreDocument::parse(std::string_view text, std::size_t* skippedLines)
{
    KeyStoreDocument document;
    std::size_t skipped = 0;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    Node* current = nullptr;
    bool firstLine = true;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = trimBlanks(text.substr(start, end - start));
        start = end + 1;
        const bool isFirst = std::exchange(firstLine, false);

        if (line.empty() || line[0] == ';' || (isFirst && line == kHeader))
            continue;
        if (line[0] == '[') {
            // The last "]" closes the path, so a key name may itself contain brackets.
            Node* node = nullptr;
            if (line.size() >= 2 && line.back() == ']')
                node = document.createNode(line.substr(1, line.size() - 2));
            current = node;
            if (!node)
                ++skipped;
            continue;
        }
        if (current && (line[0] == '"' || line[0] == '@')) {
            if (auto value = parseValueLine(line)) {
                const std::string_view name = untilNul(value->name);
                if (auto* str = std::get_if<std::string>(&value->data))
                    str->resize(untilNul(*str).size());
                Value& slot = current->values[fold(name)];
                if (slot.name.empty())
                    slot.name = std::string(name);
                slot.data = std::move(value->data);
                continue;
            }
        }
        ++skipped;
    }
    if (skippedLines)
        *skippedLines = skipped;
    return document;
}

void KeyStoreDocument::serializeNode(const Node& node, std::string& path, std::string& out)
{
    const std::size_t mark = path.size();
    if (!path.empty())
        path += '\\';
    path += node.name;
    out += "\n[";
    out += path;
    out += "]\n";
    for (const auto& [folded, value] : node.values) {
        if (value.name.empty()) {
            out += '@';
        } else {
            appendQuoted(out, value.name);
        }
        out += '=';
        if (const auto* text = std::get_if<std::string>(&value.data)) {
            appendQuoted(out, *text);
        } else {
            const std::uint32_t number = std::get<std::uint32_t>(value.data);
            out += "dword:";
            for (int shift = 28; shift >= 0; shift -= 4)
                out += kHexDigits[(number >> shift) & 0x0F];
        }
        out += '\n';
    }
    for (const auto& [folded, child] : node.children)
        serializeNode(child, path, out);
    path.resize(mark);
}

std::string KeyStoreDocument::serialize() const
{
    std::string out(kHeader);
    out += '\n';
    std::string path;
    for (const auto& [folded, child] : m_root.children)
        serializeNode(child, path, out);
    return out;
}

const KeyStoreDocument::Node* KeyStoreDocument::findNode(std::string_view path) const
{
    const auto segments = splitPath(path);
    if (!segments || segments->empty())
        return nullptr;
    const Node* node = &m_root;
    for (const std::string_view segment : *segments) {
        const auto it = node->children.find(fold(segment));
        if (it == node->children.end())
            return nullptr;
        node = &it->second;
    }
    return node;
}

KeyStoreDocument::Node* KeyStoreDocument::findNode(std::string_view path)
{
    return const_cast<Node*>(std::as_const(*this).findNode(path));
}

KeyStoreDocument::Node* KeyStoreDocument::createNode(std::string_view path)
{
    const auto segments = splitPath(path);
    if (!segments || segments->empty())
        return nullptr;
    Node* node = &m_root;
    for (const std::string_view segment : *segments) {
        auto [it, inserted] = node->children.try_emplace(fold(segment));
        if (inserted)
            it->second.name = std::string(segment);
        node = &it->second;
    }
    return node;
}

void KeyStoreDocument::setValue(std::string_view path, std::string_view name,
                                std::variant<std::string, std::uint32_t> data)
{
    Node* node = createNode(path);
    if (!node)
        return;
    name = untilNul(name);
    Value& slot = node->values[fold(name)];
    if (slot.name.empty())
        slot.name = std::string(name);
    slot.data = std::move(data);
}

bool KeyStoreDocument::keyExists(std::string_view path) const
{
    return findNode(path) != nullptr;
}

void KeyStoreDocument::createKey(std::string_view path)
{
    createNode(path);
}

bool KeyStoreDocument::deleteKey(std::string_view path)
{
    const auto segments = splitPath(path);
    if (!segments || segments->empty())
        return false;
    Node* parent = &m_root;
    for (std::size_t i = 0; i + 1 < segments->size(); ++i) {
        const auto it = parent->children.find(fold((*segments)[i]));
        if (it == parent->children.end())
            return false;
        parent = &it->second;
    }
    return parent->children.erase(fold(segments->back())) > 0;
}

const KeyStoreDocument::Value* KeyStoreDocument::findValue(std::string_view path, std::string_view name) const
{
    const Node* node = findNode(path);
    if (!node)
        return nullptr;
    const auto it = node->values.find(fold(untilNul(name)));
    return it == node->values.end() ? nullptr : &it->second;
}

std::optional<std::string> KeyStoreDocument::readString(std::string_view path,
                                                        std::string_view name) const
{
    const Value* value = findValue(path, name);
    if (const auto* text = value ? std::get_if<std::string>(&value->data) : nullptr)
        return *text;
    return std::nullopt;
}

std::optional<std::uint32_t> KeyStoreDocument::readNumber(std::string_view path,
                                                          std::string_view name) const
{
    const Value* value = findValue(path, name);
    if (const auto* number = value ? std::get_if<std::uint32_t>(&value->data) : nullptr)
        return *number;
    return std::nullopt;
}

void KeyStoreDocument::writeString(std::string_view path, std::string_view name,
                                   std::string_view value)
{
    setValue(path, name, std::string(untilNul(value)));
}

void KeyStoreDocument::writeNumber(std::string_view path, std::string_view name,
                                   std::uint32_t value)
{
    setValue(path, name, value);
}

bool KeyStoreDocument::deleteValue(std::string_view path, std::string_view name)
{
    Node* node = findNode(path);
    return node && node->values.erase(fold(untilNul(name))) > 0;
}

std::vector<std::string> KeyStoreDocument::valueNames(std::string_view path) const
{
    std::vector<std::string> names;
    if (const Node* node = findNode(path)) {
        for (const auto& [folded, value] : node->values)
            names.push_back(value.name);
    }
    return names;
}

std::vector<std::string> KeyStoreDocument::subKeyNames(std::string_view path) const
{
    const auto segments = splitPath(path);
    const Node* node = segments && segments->empty() ? &m_root : findNode(path);
    std::vector<std::string> names;
    if (node) {
        for (const auto& [folded, child] : node->children)
            names.push_back(child.name);
    }
    return names;
}

}  // namespace pelto::core
