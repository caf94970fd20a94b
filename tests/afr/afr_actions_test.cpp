// What each condition finds and each action makes of a text, as tables of cases.
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "AfrTestSupport.h"
#include "afr/AfrActionChangeCase.h"
#include "afr/AfrText.h"

using namespace afrtest;

namespace {

struct TextCase {
  const char* what;
  std::function<std::unique_ptr<CAfrIfCond>()> cond;
  std::function<std::unique_ptr<CAfrAction>()> action;
  std::string in;
  std::string out;
  long long changes;
};

void RunCases(const std::vector<TextCase>& cases) {
  for (const auto& c : cases) {
    auto cond = c.cond();
    auto action = c.action();
    std::string out, error;
    long long changes = 0;
    CAfrProgress progress;
    ASSERT_TRUE(action->Apply(c.in, out, *cond, progress, changes, error)) << c.what << ": " << error;
    EXPECT_EQ(out, c.out) << c.what;
    EXPECT_EQ(changes, c.changes) << c.what;
  }
}

TEST(AfrReplaceWith, Cases) {
  RunCases({
      {"cat to dog over lines", [] { return Find("cat"); }, [] { return Replace("dog"); }, "cat\ncat", "dog\ndog", 2},
      {"both on a CR LF line", [] { return Find("cat"); }, [] { return Replace("dog"); }, "a cat and a cat\r\n",
       "a dog and a dog\r\n", 2},
      {"case ignored", [] { return Find("cat"); }, [] { return Replace("dog"); }, "CAT Cat cAt", "dog dog dog", 3},
      {"match case", [] { return Find("cat", true); }, [] { return Replace("dog"); }, "CAT cat", "CAT dog", 1},
      {"only ASCII letters fold", [] { return Find("\xC3\xA9"); }, [] { return Replace("e"); }, "\xC3\x89\xC3\xA9",
       "\xC3\x89" "e", 1},
      {"escapes in find and replacement", [] { return Find("a\\tb"); }, [] { return Replace("\\n"); }, "xa\tby",
       "x\ny", 1},
      {"no match copies all", [] { return Find("zz"); }, [] { return Replace("y"); }, "abc\ndef\n", "abc\ndef\n", 0},
      {"match at the very end", [] { return Find("c"); }, [] { return Replace("C"); }, "abc", "abC", 1},
      {"at start: one per line, only at the start", [] { return AtStart("x"); }, [] { return Replace("y"); },
       "xx\naxb\nx", "yx\naxb\ny", 2},
      {"at end before CR LF", [] { return AtEnd(";"); }, [] { return Replace("."); }, "a;\r\nb;;\nc;x\n",
       "a.\r\nb;.\nc;x\n", 2},
      {"at end on a last line", [] { return AtEnd("ab"); }, [] { return Replace("X"); }, "ab\nzab", "X\nzX", 2},
      {"at end needs the whole text inside the line", [] { return AtEnd("xab"); }, [] { return Replace("X"); },
       "x\nab", "x\nab", 0},
      {"regex empty match everywhere", [] { return Regex("x*"); }, [] { return Replace("-"); }, "abc", "-a-b-c-", 4},
      {"regex ^ only at line starts", [] { return Regex("^a"); }, [] { return Replace("X"); }, "aaa\naa", "Xaa\nXa",
       2},
      {"regex \\< only at word starts", [] { return Regex("\\<a"); }, [] { return Replace("X"); }, "aa aa", "Xa Xa", 2},
      {"regex \\b after a match", [] { return Regex("\\bb"); }, [] { return Replace("X"); }, "bbb b", "Xbb X", 2},
      {"regex $ at line ends", [] { return Regex("$"); }, [] { return Replace(";"); }, "ab\ncd", "ab;\ncd;", 2},
      {"regex ignores case", [] { return Regex("CAT"); }, [] { return Replace("dog"); }, "cat Cat", "dog dog", 2},
      {"regex match case", [] { return Regex("CAT", true); }, [] { return Replace("dog"); }, "cat CAT", "cat dog", 1},
      {"true replaces every byte", [] { return True(); }, [] { return Replace("."); }, "ab\n", "...", 3},
      {"empty text", [] { return True(); }, [] { return Replace("x"); }, "", "", 0},
  });
}

TEST(AfrLineActions, Cases) {
  RunCases({
      {"true + delete keeps the empty line, drops the next", [] { return True(); }, [] { return DeleteLine(); },
       "a\n\nb\nc", "\n", 3},
      {"delete lines holding a find", [] { return Find("x"); }, [] { return DeleteLine(); }, "ax\nb\nxx\nc",
       "b\nc", 2},
      {"delete a last line without line feed", [] { return Find("c"); }, [] { return DeleteLine(); }, "a\nc",
       "a\n", 1},
      {"duplicate lines", [] { return Find("b"); }, [] { return Duplicate(); }, "a\nb\r\nc\n", "a\nb\r\nb\r\nc\n", 1},
      {"duplicate a lone last line: LF", [] { return True(); }, [] { return Duplicate(); }, "a", "a\na\n", 1},
      {"duplicate a last line: the text's CR LF", [] { return Find("y"); }, [] { return Duplicate(); }, "x\r\ny",
       "x\r\ny\r\ny\r\n", 1},
      {"line numbers on found lines only", [] { return Find("x"); }, [] { return Number("%i\"3\": "); },
       "ax\nb\nxx\n", "001: ax\nb\n002: xx\n", 2},
      {"line numbers, true", [] { return True(); }, [] { return Number("%i\"2\"\\t"); }, "a\nb", "01\ta\n02\tb", 2},
      {"uppercase", [] { return Find("b"); }, [] { return Case(CAfrActionChangeCase::kUpper); }, "ab\nbc\nxy",
       "AB\nBC\nxy", 4},
      {"lowercase", [] { return True(); }, [] { return Case(CAfrActionChangeCase::kLower); }, "AbC \xC3\x89", "abc \xC3\x89",
       2},
      {"capitalize words", [] { return True(); }, [] { return Case(CAfrActionChangeCase::kCapitalizeWords); },
       "hello-world foo.bar", "Hello-World Foo.Bar", 4},
      {"capitalize: UTF-8 bytes are no separators, the acute accent is", [] { return True(); },
       [] { return Case(CAfrActionChangeCase::kCapitalizeWords); }, "c\xC3\xB4te d\xC2\xB4or",
       "C\xC3\xB4te D\xC2\xB4Or", 3},
      {"capitalize starts again on every line", [] { return True(); },
       [] { return Case(CAfrActionChangeCase::kCapitalizeWords); }, "ab\ncd", "Ab\nCd", 2},
      {"sentences", [] { return True(); }, [] { return Case(CAfrActionChangeCase::kMakeSentences); },
       "one. two! three", "One. Two! Three", 3},
      {"sentences: a digit ends the sentence start", [] { return True(); },
       [] { return Case(CAfrActionChangeCase::kMakeSentences); }, "x. 5 apples", "X. 5 apples", 1},
      {"sentences carry over lines", [] { return True(); }, [] { return Case(CAfrActionChangeCase::kMakeSentences); },
       "end.\nnext", "End.\nNext", 2},
  });
}

TEST(AfrWordWrap, Cases) {
  const std::string a10(10, 'a'), b10(10, 'b'), c5(5, 'c');
  RunCases({
      {"25 bytes without blanks", [] { return True(); }, [] { return Wrap(10); }, a10 + b10 + c5,
       a10 + "\n" + b10 + "\n" + c5, 2},
      {"breaks follow the line's CR LF", [] { return True(); }, [] { return Wrap(10); }, a10 + b10 + c5 + "\r\n",
       a10 + "\r\n" + b10 + "\r\n" + c5 + "\r\n", 2},
      {"a last line takes the text's ending", [] { return Find("b"); }, [] { return Wrap(10); },
       "x\r\n" + a10 + b10, "x\r\n" + a10 + "\r\n" + b10, 1},
      {"exactly the width stays", [] { return True(); }, [] { return Wrap(10); }, a10 + "\n", a10 + "\n", 0},
      {"last segment of exactly the width", [] { return True(); }, [] { return Wrap(10); }, a10 + b10,
       a10 + "\n" + b10, 1},
      {"the blank gives way", [] { return True(); }, [] { return Wrap(10); }, "aaaa bbbb cccc dddd",
       "aaaa bbbb\ncccc dddd", 1},
      {"blank right after the width", [] { return True(); }, [] { return Wrap(4); }, "aaaa bbbb", "aaaa\nbbbb", 1},
      {"blank at the segment start", [] { return True(); }, [] { return Wrap(3); }, "abc  xyz", "abc\n\nxyz", 2},
  });
}

TEST(AfrPerLineActions, Cases) {
  RunCases({
      {"prepend, the line after the last line feed too", [] { return True(); }, [] { return Prepend(">"); }, "a\nb\n",
       ">a\n>b\n>", 3},
      {"empty text has one line", [] { return True(); }, [] { return Prepend(">"); }, "", ">", 1},
      {"append before CR LF", [] { return True(); }, [] { return Append(";"); }, "a\r\nb\nc", "a;\r\nb;\nc;", 3},
      {"append on found lines", [] { return Find("b"); }, [] { return Append("!"); }, "a\nb\n", "a\nb!\n", 1},
      {"regex ^ per line", [] { return Regex("^b"); }, [] { return Prepend(">"); }, "ab\nb", "ab\n>b", 1},
      {"remove 2 to 100, CR is content", [] { return True(); }, [] { return RemoveRange(2, 100); }, "abc\r\n", "a\n",
       1},
      {"remove beyond the line", [] { return True(); }, [] { return RemoveRange(5, 9); }, "abc\n", "abc\n", 0},
      {"remove 2 to 3", [] { return True(); }, [] { return RemoveRange(2, 3); }, "abcd\nxy", "ad\nx", 2},
      {"from 0 counts as 1", [] { return True(); }, [] { return RemoveRange(0, 1); }, "abc", "bc", 1},
      {"negative from counts as 1", [] { return True(); }, [] { return RemoveRange(-5, 2); }, "abc", "c", 1},
      {"to below from leaves the line", [] { return True(); }, [] { return RemoveRange(3, 2); }, "abcd", "abcd", 0},
      {"only lines that match", [] { return Find("x"); }, [] { return RemoveRange(1, 1); }, "xa\nb", "a\nb", 1},
  });
}

TEST(AfrConditions, FindAndItsRange) {
  struct FindCase {
    const char* what;
    std::function<std::unique_ptr<CAfrIfCond>()> cond;
    std::string text;
    size_t start, end;
    bool first;
    bool found;
    size_t ms, me;
  } cases[] = {
      {"find in range", [] { return Find("b"); }, "abcb", 2, 4, true, true, 3, 4},
      {"find may reach past end", [] { return Find("cd"); }, "abcd", 0, 2, true, true, 2, 4},
      {"find not past the text", [] { return Find("cd"); }, "abc", 0, 3, true, false, 0, 3},
      {"at start moves end to the line end on failure", [] { return AtStart("x"); }, "ab\ncd", 0, 5, true, false, 0,
       2},
      {"at end on a lone line feed", [] { return AtEnd("b"); }, "ab\ncd", 0, 5, true, true, 1, 2},
      {"at end not before the range", [] { return AtEnd("ab"); }, "ab\n", 1, 3, true, false, 1, 2},
      {"true takes one byte", [] { return True(); }, "ab", 1, 2, false, true, 1, 2},
      {"regex refuses a null start after the first", [] { return Regex("x*"); }, "ab", 0, 2, false, true, 1, 1},
      {"regex sees the byte before the range", [] { return Regex("\\<b"); }, "ab", 1, 2, false, false, 1, 2},
      {"regex ^ at a range after a line feed", [] { return Regex("^b"); }, "a\nb", 2, 3, false, true, 2, 3},
  };
  for (const auto& c : cases) {
    auto cond = c.cond();
    size_t s = c.start, e = c.end;
    EXPECT_EQ(cond->Find(c.text, s, e, c.first), c.found) << c.what;
    EXPECT_EQ(s, c.ms) << c.what;
    EXPECT_EQ(e, c.me) << c.what;
  }
}

TEST(AfrActions, UnusableSettingsAreAnInitializationError) {
  struct ErrCase {
    const char* what;
    std::function<std::unique_ptr<CAfrIfCond>()> cond;
    std::function<std::unique_ptr<CAfrAction>()> action;
  } cases[] = {
      {"action never initialized", [] { return True(); },
       [] {
         auto a = Replace("x");
         a->initialized = 0;
         return a;
       }},
      {"word wrap width 0", [] { return True(); }, [] { return Wrap(0); }},
      {"word wrap width negative", [] { return True(); }, [] { return Wrap(-3); }},
      {"empty find text", [] { return Find(""); }, [] { return Replace("x"); }},
      {"empty text at line start", [] { return AtStart(""); }, [] { return DeleteLine(); }},
      {"unknown case mode", [] { return True(); }, [] { return Case(9); }},
  };
  for (const auto& c : cases) {
    auto cond = c.cond();
    auto action = c.action();
    std::string out, error;
    long long changes = 0;
    CAfrProgress progress;
    EXPECT_FALSE(action->Apply("abc\n", out, *cond, progress, changes, error)) << c.what;
    EXPECT_EQ(error, "Data initialization error.") << c.what;
  }
}

TEST(AfrActions, ConditionNotInitializedFindsNothing) {
  auto cond = Find("a");
  cond->initialized = 0;
  auto action = Replace("b");
  std::string out, error;
  long long changes = 0;
  CAfrProgress progress;
  ASSERT_TRUE(action->Apply("aaa", out, *cond, progress, changes, error));
  EXPECT_EQ(out, "aaa");
}

TEST(AfrActions, ProgressIsPostedEvery128KiB) {
  std::string text(1 << 20, 'a');
  for (size_t i = 99; i < text.size(); i += 100) text[i] = '\n';
  std::vector<size_t> posted;
  CAfrProgress progress([&](size_t p) { posted.push_back(p); });
  auto cond = True();
  auto action = Prepend(">");
  std::string out, error;
  long long changes = 0;
  ASSERT_TRUE(action->Apply(text, out, *cond, progress, changes, error));
  ASSERT_FALSE(posted.empty());
  EXPECT_LE(posted.size(), 8u);
  for (size_t i = 1; i < posted.size(); ++i) EXPECT_GT(posted[i] - posted[i - 1], 131071u);
}

TEST(AfrNumberText, Formats) {
  struct NumCase {
    std::string format;
    long long n;
    std::string text;
  } cases[] = {
      {"%i\"3\": ", 1, "001: "},
      {"%i\"3\": ", 1000, "1000: "},
      {"%% i", 1, "% i"},
      {"%i\"abc\"", 7, "7"},
      {"%i", 5, "5"},
      {"%x", 1, "%x"},
      {"%x\"4\"z", 1, "%xz"},
      {"a%", 1, "a%"},
      {"%i\"3", 1, "\"3"},
      {"%i\"-5\"", 2, "2"},
      {"[% \"2\"]", 3, "[% ]"},
      {"%i\"999999999999\"", 1, std::string(254, '0') + "1"},
  };
  for (const auto& c : cases) EXPECT_EQ(qv::afr::NumberText(c.format, c.n), c.text) << c.format;
}

}  // namespace
