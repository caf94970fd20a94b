#include "ui/Markup.h"

#include <cctype>
#include <cstdio>

namespace qv::ui {
namespace {

// Whether the text at `s` (which begins with '<') opens a tag this language knows.
bool IsTagStart(std::string_view s) {
  if (s.size() < 2) return false;
  size_t i = 1;
  if (s[i] == '/') ++i;
  if (i >= s.size()) return false;
  switch (std::toupper(static_cast<unsigned char>(s[i]))) {
    case 'B': case 'I': case 'C': case 'T': case 'U': case 'D': case 'S': return true;
    default: return false;
  }
}

class Builder {
 public:
  explicit Builder(bool ignoreColors) : ignoreColors_(ignoreColors) {}

  void Char(char c) {
    if (runs_.empty() || runs_.back().bold != bold_ || runs_.back().italic != italic_ ||
        runs_.back().color != Current())
      runs_.push_back({std::string(), bold_, italic_, Current()});
    runs_.back().text += c;
  }

  void Tag(std::string_view tag) {  // the text between '<' and '>'
    bool closing = !tag.empty() && tag[0] == '/';
    if (closing) tag.remove_prefix(1);
    if (tag.empty()) return;
    char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(tag[0])));
    switch (kind) {
      case 'B': bold_ = !closing; break;
      case 'I': italic_ = !closing; break;
      case 'C':
        if (ignoreColors_) break;
        if (closing) Pop();
        else Push(ColourOf(tag));
        break;
      case 'T':
        if (tag.size() < 2 || tag[1] != '1' || (tag.size() > 2 && std::isdigit(static_cast<unsigned char>(tag[2]))))
          break;  // only heading style 1 exists
        if (closing) {
          Pop();
          bold_ = false;
        } else if (!ignoreColors_) {
          Push(MarkupColor{0, 0, 128});
          bold_ = true;
        }
        break;
      default: break;  // <U>, <D>, <S>: accepted and removed
    }
  }

  std::vector<MarkupRun> Take() { return std::move(runs_); }

 private:
  std::optional<MarkupColor> Current() const {
    if (stack_.empty()) return std::nullopt;
    return stack_.back();
  }
  void Push(MarkupColor c) { stack_.push_back(c); }
  void Pop() {
    if (!stack_.empty()) stack_.pop_back();
  }

  // `tag` starts with the C: "C 255,0,0" or "C C1".
  MarkupColor ColourOf(std::string_view tag) {
    std::string rest(tag.size() > 2 ? tag.substr(2) : std::string_view());
    if (!rest.empty() && std::toupper(static_cast<unsigned char>(rest[0])) == 'C') {
      if (rest.size() >= 2 && rest[1] == '1' && (rest.size() == 2 || !std::isdigit(static_cast<unsigned char>(rest[2]))))
        return MarkupColor{0, 0, 255};
      return last_;
    }
    int r = 0, g = 0, b = 0;
    if (std::sscanf(rest.c_str(), "%d,%d,%d", &r, &g, &b) == 3) {
      auto clamp = [](int v) { return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
      last_ = MarkupColor{clamp(r), clamp(g), clamp(b)};
    }
    return last_;
  }

  bool ignoreColors_;
  bool bold_ = false, italic_ = false;
  std::vector<MarkupColor> stack_;
  MarkupColor last_{0, 0, 0};  // the last colour read; black until one is read
  std::vector<MarkupRun> runs_;
};

}  // namespace

std::vector<MarkupRun> ParseMarkup(std::string_view s, bool ignoreColors) {
  Builder out(ignoreColors);
  for (size_t i = 0; i < s.size();) {
    char c = s[i];
    if (c == '\\' && i + 1 < s.size() && s[i + 1] == '<') {
      out.Char('<');
      i += 2;
    } else if (c == '<' && IsTagStart(s.substr(i))) {
      size_t end = s.find('>', i);
      if (end == std::string_view::npos) end = s.size();
      out.Tag(s.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      out.Char(c);
      ++i;
    }
  }
  return out.Take();
}

std::string MarkupPlainText(const std::vector<MarkupRun>& runs) {
  std::string text;
  for (const auto& r : runs) text += r.text;
  return text;
}

std::string EscapeMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '<') out += '\\';
    out += c;
  }
  return out;
}

std::string FormatMessageText(std::string_view pattern, const std::vector<std::string>& args) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c != '%' || i + 1 >= pattern.size()) {
      out += c;
      continue;
    }
    char n = pattern[++i];
    if (n >= '1' && n <= '9') {
      size_t index = static_cast<size_t>(n - '1');
      if (index < args.size()) out += args[index];
    } else {
      out += n;
    }
  }
  return out;
}

}  // namespace qv::ui
