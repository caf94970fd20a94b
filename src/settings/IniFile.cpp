#include "IniFile.h"

#include <algorithm>

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view Trim(std::string_view s) {
  size_t b = s.find_first_not_of(kBlanks);
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(kBlanks);
  return s.substr(b, e - b + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

bool IsCommentStart(char c) { return c == ';' || c == '#' || c == '%'; }

}  // namespace

int CIniFile::Parse(std::string_view text, int* firstBadLine) {
  preamble_.clear();
  sections_.clear();
  int bad = 0;
  auto noteBad = [&](int line) {
    if (bad++ == 0 && firstBadLine) *firstBadLine = line;
  };
  Section* current = nullptr;
  size_t pos = 0;
  for (int lineNo = 1; pos < text.size(); ++lineNo) {
    size_t nl = text.find('\n', pos);
    std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
    pos = nl == std::string_view::npos ? text.size() : nl + 1;
    if (line.find('\0') != std::string_view::npos) {
      // Not a text file: nothing after this point can be trusted.
      noteBad(lineNo);
      break;
    }
    // CR LF files: every line may end in CR; a blank-only tail never matters.
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view t = Trim(line);
    if (t.empty()) {
      if (!current) preamble_.emplace_back(line);
      continue;
    }
    if (IsCommentStart(t.front())) {
      if (current)
        current->entries.push_back({std::string(line), {}, true});
      else
        preamble_.emplace_back(line);
      continue;
    }
    if (t.front() == '[') {
      if (t.back() != ']') {
        noteBad(lineNo);
        continue;
      }
      std::string_view name = Trim(t.substr(1, t.size() - 2));
      current = FindSectionMutable(name);
      if (!current) {
        sections_.push_back({std::string(name), {}});
        current = &sections_.back();
      }
      continue;
    }
    size_t eq = t.find('=');
    std::string_view key = eq == std::string_view::npos ? std::string_view{} : Trim(t.substr(0, eq));
    if (!current || key.empty()) {
      noteBad(lineNo);
      continue;
    }
    current->entries.push_back({std::string(key), DecodeValue(t.substr(eq + 1)), false});
  }
  return bad;
}

std::string CIniFile::Serialize(std::string_view lineEnd) const {
  std::string out;
  for (const auto& line : preamble_) out.append(line).append(lineEnd);
  for (const auto& s : sections_) {
    out.append("[").append(s.name).append("]").append(lineEnd);
    for (const auto& e : s.entries) {
      if (e.comment)
        out.append(e.key);
      else
        out.append(e.key).append("=").append(EncodeValue(e.value));
      out.append(lineEnd);
    }
  }
  return out;
}

CIniFile::Section* CIniFile::FindSectionMutable(std::string_view name) {
  for (auto& s : sections_)
    if (SameName(s.name, name)) return &s;
  return nullptr;
}

const CIniFile::Section* CIniFile::FindSection(std::string_view name) const {
  return const_cast<CIniFile*>(this)->FindSectionMutable(name);
}

const std::string* CIniFile::Find(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  for (const auto& e : s->entries)
    if (!e.comment && SameName(e.key, key)) return &e.value;
  return nullptr;
}

void CIniFile::Set(std::string_view section, std::string_view key, std::string value) {
  Section* s = FindSectionMutable(section);
  if (!s) {
    sections_.push_back({std::string(section), {}});
    s = &sections_.back();
  }
  for (auto& e : s->entries) {
    if (!e.comment && SameName(e.key, key)) {
      e.value = std::move(value);
      return;
    }
  }
  s->entries.push_back({std::string(key), std::move(value), false});
}

void CIniFile::ReplaceSection(std::string_view name, std::vector<Entry> entries) {
  if (Section* s = FindSectionMutable(name)) {
    s->entries = std::move(entries);
    return;
  }
  sections_.push_back({std::string(name), std::move(entries)});
}

void CIniFile::RemoveSection(std::string_view name) {
  std::erase_if(sections_, [&](const Section& s) { return SameName(s.name, name); });
}

std::string CIniFile::EncodeValue(std::string_view value) {
  if (value.empty()) return {};
  bool quote = kBlanks.find(value.front()) != std::string_view::npos ||
               kBlanks.find(value.back()) != std::string_view::npos ||
               value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos ||
               (value.size() >= 2 && value.front() == '"' && value.back() == '"');
  if (!quote) return std::string(value);
  std::string out = "\"";
  for (char c : value) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\0': out += "\\0"; break;
      default: out += c;
    }
  }
  out += '"';
  return out;
}

std::string CIniFile::DecodeValue(std::string_view raw) {
  std::string_view t = Trim(raw);
  if (t.size() < 2 || t.front() != '"' || t.back() != '"') return std::string(t);
  std::string_view inner = t.substr(1, t.size() - 2);
  std::string out;
  out.reserve(inner.size());
  for (size_t i = 0; i < inner.size(); ++i) {
    char c = inner[i];
    if (c == '\\' && i + 1 < inner.size()) {
      char n = inner[i + 1];
      char mapped = n == 'n' ? '\n' : n == 'r' ? '\r' : n == '0' ? '\0' : n == '\\' ? '\\' : 0;
      if (mapped || n == '0') {
        out += mapped;
        ++i;
        continue;
      }
    }
    // Any other backslash stays as it is, so a hand-quoted "C:\temp\" keeps its meaning.
    out += c;
  }
  return out;
}
