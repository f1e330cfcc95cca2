#include "core/app/ini_document.h"

#include <cstdint>
#include <cstring>

namespace pelto::core {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

char foldAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::uint64_t loadWord(const char* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Lower-cases the ASCII letters among the eight bytes of a word at once.
std::uint64_t foldWord(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
  const std::uint64_t low7 = word & ~kHigh;
  const std::uint64_t atLeastA = low7 + (0x80 - 'A') * kOnes;
  const std::uint64_t aboveZ = low7 + (0x80 - 'Z' - 1) * kOnes;
  // High bit set in each byte that is 'A' to 'Z' (and was below 0x80).
  const std::uint64_t upper = atLeastA & ~aboveZ & ~word & kHigh;
  return word | (upper >> 2);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::size_t firstNonBlank(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && isBlank(text[i])) ++i;
  return i;
}

// Appends text with each CR and LF turned into a space, so it stays on one line.
void appendOneLine(std::string& out, std::string_view text) {
  for (char c : text) out.push_back(c == '\r' || c == '\n' ? ' ' : c);
}

// Whether a key, already trimmed, can be written as a line that reads back as
// the same key once each CR and LF in it has become a space.
bool isWritableKey(std::string_view key) {
  if (key.empty() || key.find('=') != std::string_view::npos) return false;
  const char first = key.front();
  const char last = key.back();
  if (first == '[' || first == ';' || first == '#') return false;
  // A CR or LF at either end would be written as a blank that the reader trims.
  return first != '\r' && first != '\n' && last != '\r' && last != '\n';
}

}  // namespace

std::size_t CaseInsensitiveHash::operator()(std::string_view text) const {
  // Eight bytes at a time, folded to lower case, mixed by multiplication.
  std::uint64_t hash = 0x9E3779B97F4A7C15ULL ^ text.size();
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    hash = (hash ^ foldWord(loadWord(text.data() + i))) * 0xFF51AFD7ED558CCDULL;
    hash ^= hash >> 29;
  }
  if (i < text.size()) {
    std::uint64_t rest = 0;
    std::memcpy(&rest, text.data() + i, text.size() - i);
    hash = (hash ^ foldWord(rest)) * 0xC4CEB9FE1A85EC53ULL;
  }
  hash ^= hash >> 32;
  return static_cast<std::size_t>(hash);
}

bool CaseInsensitiveEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  if (a.size() != b.size()) return false;
  std::size_t i = 0;
  for (; i + 8 <= a.size(); i += 8) {
    const std::uint64_t x = loadWord(a.data() + i);
    const std::uint64_t y = loadWord(b.data() + i);
    if (x != y && foldWord(x) != foldWord(y)) return false;
  }
  for (; i < a.size(); ++i) {
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  }
  return true;
}

IniDocument IniDocument::parse(std::string_view text) {
  IniDocument doc;
  if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());

  Section* current = nullptr;
  std::size_t pos = 0;
  while (pos < text.size()) {
    // A plain loop: find_first_of tests every byte against the set one by one.
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    const std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size()) {
      pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
    }

    const std::size_t lead = firstNonBlank(line);
    if (lead < line.size() && line[lead] == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos && close > lead) {
        Section section;
        section.name = std::string(line.substr(lead + 1, close - lead - 1));
        doc.m_sectionIndex.try_emplace(section.name, doc.m_sections.size());
        doc.m_sections.push_back(std::move(section));
        current = &doc.m_sections.back();
        continue;
      }
    }
    if (current == nullptr) {
      doc.m_preamble.emplace_back(line);
      continue;
    }

    Line entry;
    const std::size_t equals = line.find('=');
    const bool comment = lead < line.size() && (line[lead] == ';' || line[lead] == '#');
    if (!comment && equals != std::string_view::npos) {
      const std::string_view key = trimBlanks(line.substr(0, equals));
      if (!key.empty()) {
        std::string_view value = line.substr(equals + 1);
        if (equals > 0 && isBlank(line[equals - 1])) value = trimBlanks(value);
        entry.isKey = true;
        entry.key = std::string(key);
        entry.text = std::string(value);
        current->index.try_emplace(entry.key, current->lines.size());
        current->lines.push_back(std::move(entry));
        current->lastKeyLine = current->lines.size();
        continue;
      }
    }
    entry.text = std::string(line);
    current->lines.push_back(std::move(entry));
  }
  return doc;
}

std::string IniDocument::serialize() const {
  std::size_t size = 0;
  for (const auto& line : m_preamble) size += line.size() + 1;
  for (const auto& section : m_sections) {
    size += section.name.size() + 3;
    for (const auto& line : section.lines) size += line.key.size() + line.text.size() + 2;
  }

  std::string out;
  out.reserve(size + kUtf8Bom.size());
  // The reader drops one BOM at the start, so a first line that itself begins
  // with one needs another in front to read back whole.
  if (!m_preamble.empty() && m_preamble.front().starts_with(kUtf8Bom)) out += kUtf8Bom;
  for (const auto& line : m_preamble) {
    out += line;
    out += '\n';
  }
  for (const auto& section : m_sections) {
    out += '[';
    appendOneLine(out, section.name);
    out += "]\n";
    for (const auto& line : section.lines) {
      if (line.isKey) {
        appendOneLine(out, line.key);
        out += '=';
        appendOneLine(out, line.text);
      } else {
        out += line.text;
      }
      out += '\n';
    }
  }
  return out;
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const {
  const auto it = m_sectionIndex.find(name);
  return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

void IniDocument::rebuildSectionIndex() {
  m_sectionIndex.clear();
  for (std::size_t i = 0; i < m_sections.size(); ++i) m_sectionIndex.try_emplace(m_sections[i].name, i);
}

bool IniDocument::sectionExists(std::string_view section) const { return findSection(section) != nullptr; }

bool IniDocument::valueExists(std::string_view section, std::string_view key) const {
  const Section* found = findSection(section);
  return found != nullptr && found->index.find(trimBlanks(key)) != found->index.end();
}

std::optional<std::string> IniDocument::readValue(std::string_view section, std::string_view key) const {
  const Section* found = findSection(section);
  if (found == nullptr) return std::nullopt;
  const auto it = found->index.find(trimBlanks(key));
  if (it == found->index.end()) return std::nullopt;
  return found->lines[it->second].text;
}

void IniDocument::writeValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view name = trimBlanks(key);
  if (!isWritableKey(name)) return;

  auto sectionIt = m_sectionIndex.find(section);
  if (sectionIt == m_sectionIndex.end()) {
    Section created;
    created.name = std::string(section);
    sectionIt = m_sectionIndex.try_emplace(created.name, m_sections.size()).first;
    m_sections.push_back(std::move(created));
  }
  Section& target = m_sections[sectionIt->second];

  const auto keyIt = target.index.find(name);
  if (keyIt != target.index.end()) {
    target.lines[keyIt->second].text = std::string(value);
    return;
  }

  // New keys go after the last key, so that comments and blank lines that
  // close the section stay between it and the next header.
  std::size_t at = target.lastKeyLine;
  if (target.index.empty()) {
    at = target.lines.size();
    while (at > 0 && trimBlanks(target.lines[at - 1].text).empty()) --at;
  }
  Line entry;
  entry.isKey = true;
  entry.key = std::string(name);
  entry.text = std::string(value);
  target.index.try_emplace(entry.key, at);
  target.lines.insert(target.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
  target.lastKeyLine = at + 1;
}

void IniDocument::eraseSection(std::string_view section) {
  if (findSection(section) == nullptr) return;
  const CaseInsensitiveEqual equal;
  std::erase_if(m_sections, [&](const Section& s) { return equal(s.name, section); });
  rebuildSectionIndex();
}

std::vector<std::string> IniDocument::sectionNames() const {
  std::vector<std::string> names;
  names.reserve(m_sectionIndex.size());
  for (std::size_t i = 0; i < m_sections.size(); ++i) {
    const auto it = m_sectionIndex.find(m_sections[i].name);
    if (it != m_sectionIndex.end() && it->second == i) names.push_back(m_sections[i].name);
  }
  return names;
}

std::vector<std::string> IniDocument::keyNames(std::string_view section) const {
  std::vector<std::string> names;
  const Section* found = findSection(section);
  if (found == nullptr) return names;
  names.reserve(found->index.size());
  for (std::size_t i = 0; i < found->lines.size(); ++i) {
    const Line& line = found->lines[i];
    if (!line.isKey) continue;
    const auto it = found->index.find(line.key);
    if (it != found->index.end() && it->second == i) names.push_back(line.key);
  }
  return names;
}

}  // namespace pelto::core
