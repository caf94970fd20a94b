#include "RequiredLiteral.h"

#include <cctype>

std::string RequiredLiteral(std::string_view re) {
  std::string best, run;
  auto endRun = [&] {
    if (run.size() > best.size()) best = run;
    run.clear();
  };
  int depth = 0;
  for (size_t i = 0; i < re.size(); ++i) {
    char c = re[i];
    // A quantifier after this atom decides whether the atom is required.
    auto quantified = [&](size_t next) { return next < re.size() && (re[next] == '*' || re[next] == '?' || re[next] == '{' || re[next] == '+'); };
    if (c == '|') return {};
    if (c == '\\') {
      if (i + 1 >= re.size()) return {};
      char n = re[i + 1];
      if (n == 'Q' || n == 'E') return {};
      ++i;
      // \< \> \` \' are word and buffer anchors in Boost's syntax, not literal bytes.
      bool anchor = n == '<' || n == '>' || n == '`' || n == '\'';
      if (anchor || std::isalnum(static_cast<unsigned char>(n)) || static_cast<unsigned char>(n) >= 0x80) {
        // Escapes with arguments (\x41, \p{L}, \1 ...) are not worth reading: give up.
        if (std::string_view("xcpPNkgouUlLQE0123456789").find(n) != std::string_view::npos) return {};
        if (depth == 0) endRun();  // a class or an anchor
        continue;
      }
      if (depth > 0) continue;
      if (quantified(i + 1)) {
        if (re[i + 1] == '+') run.push_back(n);
        endRun();
      } else {
        run.push_back(n);
      }
      continue;
    }
    if (c == '{') {
      size_t close = re.find('}', i);
      if (close == std::string_view::npos) return {};
      i = close;
      if (depth == 0) endRun();
      continue;
    }
    if (c == '[') {
      // Skip the class: a ']' right after '[' or '[^' is a member, escapes hide the next byte.
      size_t j = i + 1;
      if (j < re.size() && re[j] == '^') ++j;
      if (j < re.size() && re[j] == ']') ++j;
      while (j < re.size() && re[j] != ']') {
        if (re[j] == '\\') ++j;
        else if (re[j] == '[' && j + 1 < re.size() && re[j + 1] == ':') {
          size_t close = re.find(":]", j + 2);
          if (close == std::string_view::npos) return {};
          j = close + 1;
        }
        ++j;
      }
      if (j >= re.size()) return {};
      i = j;
      if (depth == 0) endRun();
      continue;
    }
    if (c == '(') {
      if (i + 1 < re.size() && re[i + 1] == '?') return {};  // inline flags and assertions
      ++depth;
      endRun();
      continue;
    }
    if (c == ')') {
      if (depth == 0) return {};
      --depth;
      continue;
    }
    if (depth > 0) continue;
    if (c == '.' || c == '^' || c == '$' || c == '*' || c == '?' || c == '+' || c == '}') {
      endRun();
      continue;
    }
    if (quantified(i + 1)) {
      if (re[i + 1] == '+') run.push_back(c);
      endRun();
    } else {
      run.push_back(c);
    }
  }
  if (depth != 0) return {};
  endRun();
  return best;
}
