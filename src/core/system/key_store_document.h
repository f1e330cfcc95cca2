#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace pelto::core {

// The program's registry stand-in: a tree of keys holding named string and number values,
// kept as one text file. Keys are backslash-separated paths ("HKEY_CURRENT_USER\Software\...")
// matched without regard to ASCII case; a key keeps the spelling it was first written with.
// Empty segments (a leading, trailing or doubled backslash) are ignored. A path is refused
// (reads find nothing, changes do nothing) when it has no segment, more than kMaxKeyDepth
// segments, or a control character in a key name. Value names are matched the same way as key
// names; the name "" is the key's default value. Strings are 8-bit text and end at the first NUL.
class KeyStoreDocument {
public:
    // Deepest key path accepted, the same limit as the registry's.
    static constexpr std::size_t kMaxKeyDepth = 512;

    // First line of every file the program writes.
    static constexpr std::string_view kHeader = "Pelto Browser key store 1";

    // Reads a key store file. Never throws: lines it cannot read are skipped (and counted into
    // skippedLines when given), values under an unreadable key line are skipped with it.
    static KeyStoreDocument parse(std::string_view text, std::size_t* skippedLines = nullptr);

    // The file text: the header, then one "[path]" line per key followed by its values.
    // Keys and values are in case-insensitive name order, so equal contents give equal bytes.
    std::string serialize() const;

    // True when the key is there.
    bool keyExists(std::string_view path) const;
    // Creates the key and every missing parent.
    void createKey(std::string_view path);
    // Removes the key with all its subkeys and values; false when there was no such key.
    bool deleteKey(std::string_view path);

    // The string value, or nothing when the key or value is missing or the value is a number.
    std::optional<std::string> readString(std::string_view path, std::string_view name) const;
    // The number value, or nothing when the key or value is missing or the value is a string.
    std::optional<std::uint32_t> readNumber(std::string_view path, std::string_view name) const;
    // Sets a string value (replacing a value of either type), creating the key when missing.
    void writeString(std::string_view path, std::string_view name, std::string_view value);
    // Sets a number value (replacing a value of either type), creating the key when missing.
    void writeNumber(std::string_view path, std::string_view name, std::uint32_t value);
    // Removes one value; false when there was no such value.
    bool deleteValue(std::string_view path, std::string_view name);

    // Names of the key's values as stored, in case-insensitive order ("" for the default value).
    std::vector<std::string> valueNames(std::string_view path) const;
    // Names of the key's direct subkeys as stored, in case-insensitive order. The empty path
    // lists the top-level keys.
    std::vector<std::string> subKeyNames(std::string_view path) const;

    // True when nothing is stored.
    bool empty() const { return m_root.children.empty(); }

    friend bool operator==(const KeyStoreDocument&, const KeyStoreDocument&) = default;

private:
    struct Value {
        std::string name;  // as first written
        std::variant<std::string, std::uint32_t> data;
        friend bool operator==(const Value&, const Value&) = default;
    };
    // Values and children are keyed by their case-folded names.
    struct Node {
        std::string name;  // as first written
        std::map<std::string, Value> values;
        std::map<std::string, Node> children;
        friend bool operator==(const Node&, const Node&) = default;
    };

    const Node* findNode(std::string_view path) const;
    // The named value of the key at path, or null.
    const Value* findValue(std::string_view path, std::string_view name) const;
    Node* findNode(std::string_view path);
    Node* createNode(std::string_view path);
    void setValue(std::string_view path, std::string_view name,
                  std::variant<std::string, std::uint32_t> data);
    static void serializeNode(const Node& node, std::string& path, std::string& out);

    Node m_root;
};

}  // namespace pelto::core
