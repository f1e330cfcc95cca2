#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pelto::core {

// Hashes a name without regard to ASCII case; allows lookup by string_view.
// Deliberately not noexcept: libstdc++ then stores each entry's hash instead of
// recomputing it for every entry it passes during a lookup.
struct CaseInsensitiveHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const;
};

// Compares two names without regard to ASCII case; allows lookup by string_view.
struct CaseInsensitiveEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept;
};

// An INI text held in memory: sections of key=value lines, with every other
// line (comments, blank lines, junk) kept so that it is written back as read.
//
// Reading rules:
// - a UTF-8 byte-order mark at the very start is skipped; CR, LF and CRLF each
//   end a line, mixed freely; NUL and other bytes are ordinary characters;
// - a line whose first non-blank character is '[' and which holds a ']' is a
//   section header; the name is the text between that '[' and the last ']';
// - a line whose first non-blank character is ';' or '#' is a comment;
// - any other line holding '=' is a key line: the key is the text before the
//   first '=', trimmed of spaces and tabs; the value is the text after it,
//   exactly. Only when the character directly before the '=' is a space or a
//   tab (a hand-edited "key = value") is the value trimmed of leading and
//   trailing spaces and tabs. A key line with an empty key is not a key;
// - lines before the first header, and all other lines, are kept but are
//   never found as keys;
// - when a key repeats within a section, the first occurrence is read and
//   written; when a section name repeats, the first section is the one used.
//   The later ones are kept as they are.
// Section and key names match without regard to ASCII case; values are
// returned exactly as stored.
class IniDocument {
 public:
  // Builds a document from file text. Never fails: any bytes give a document.
  static IniDocument parse(std::string_view text);

  // The whole document as text: "[Section]" and "key=value" lines and the kept
  // lines as read, each ended by "\n". parse() of the result gives back the
  // same sections, keys and values, and serialises to the same bytes.
  std::string serialize() const;

  // Whether a section of this name exists.
  bool sectionExists(std::string_view section) const;
  // Whether the section holds this key.
  bool valueExists(std::string_view section, std::string_view key) const;
  // The stored value of a key, or nothing when the section or key is absent.
  std::optional<std::string> readValue(std::string_view section, std::string_view key) const;

  // Sets a key's value: replaces the value of its first occurrence, or adds
  // key=value after the last key of the section, creating the section at the
  // end of the document when it is missing. The key is matched trimmed of
  // spaces and tabs.
  // A CR or LF in the section name, key or value would split the line, so
  // each is written out as a space; the value reads back with spaces there.
  // A value may begin or end with spaces or tabs: the line is written without
  // a blank before '=' so it reads back unchanged.
  // A key that no line could carry is ignored: one that is empty, contains
  // '=', or begins with '[', ';' or '#'.
  void writeValue(std::string_view section, std::string_view key, std::string_view value);

  // Removes every section of this name with all its lines.
  void eraseSection(std::string_view section);

  // Names of all sections in document order, each name once, as first spelled.
  std::vector<std::string> sectionNames() const;
  // Keys of a section in document order, each key once, as first spelled.
  std::vector<std::string> keyNames(std::string_view section) const;

 private:
  struct Line {
    bool isKey = false;
    std::string key;   // key lines only
    std::string text;  // the value of a key line, the whole text of a kept line
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
    // First occurrence of each key, by position in lines.
    std::unordered_map<std::string, std::size_t, CaseInsensitiveHash, CaseInsensitiveEqual> index;
    std::size_t lastKeyLine = 0;  // one past the last key line; 0 when none
  };

  const Section* findSection(std::string_view name) const;
  void rebuildSectionIndex();

  std::vector<std::string> m_preamble;
  std::vector<Section> m_sections;
  // First section of each name, by position in m_sections.
  std::unordered_map<std::string, std::size_t, CaseInsensitiveHash, CaseInsensitiveEqual>
      m_sectionIndex;
};

}  // namespace pelto::core
