// The .fafrs layout byte for byte, load errors and their messages, and save failures.
#include <cerrno>
#include <string>

#include <gtest/gtest.h>

#include "AfrTestSupport.h"
#include "afr/AfrActionChangeCase.h"
#include "afr/AfrIfCondRegExFind.h"
#include "common/TempDir.h"
#include "core/ArchiveReader.h"
#include "core/Sys.h"

using namespace afrtest;

namespace {

std::string Class(const std::string& name) {
  return Bytes({0xFF, 0xFF, 0x01, 0x00, static_cast<int>(name.size()), 0x00}) + name;
}
std::string Int(int v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((static_cast<unsigned>(v) >> (8 * i)) & 0xFF);
  return s;
}

// Every class once, with settings that differ from the defaults where there are any.
CAfrScript EveryClassScript() {
  CAfrScript s;
  s.rules.push_back(Rule(Find("cat\\t", true), Replace("dog")));
  s.rules.push_back(Rule(True(), DeleteLine(), 0));
  s.rules.push_back(Rule(AtEnd(";"), Append("x")));
  s.rules.push_back(Rule(Regex("^a+$"), RemoveRange(2, 7)));
  s.rules.push_back(Rule(AtStart("#", true), Duplicate()));
  s.rules.push_back(Rule(True(), Wrap(80)));
  s.rules.push_back(Rule(Find("x"), Number("%i\"5\"|")));
  s.rules.push_back(Rule(True(), Case(CAfrActionChangeCase::kMakeSentences)));
  s.rules.push_back(Rule(True(), Prepend(std::string(300, 'p'))));
  return s;
}

TEST(AfrScriptFile, ByteLayouts) {
  CAfrScript empty;
  EXPECT_EQ(ScriptBytes(empty), Bytes({1, 0, 0, 0, 0, 0, 0, 0}));

  CAfrScript del;
  del.rules.push_back(Rule(True(), DeleteLine()));
  EXPECT_EQ(ScriptBytes(del), Int(1) + Int(1) + Int(1) + Class("CAfrIfCondTrue") + Int(1) + Class("CAfrActionDeleteLine"));

  CAfrScript longText;
  longText.rules.push_back(Rule(True(), Replace(std::string(300, 'r'))));
  EXPECT_EQ(ScriptBytes(longText), Int(1) + Int(1) + Int(1) + Class("CAfrIfCondTrue") + Int(1) +
                                       Class("CAfrActionReplaceWith") + Bytes({0xFF, 0x2C, 0x01}) +
                                       std::string(300, 'r'));

  // The second Find condition refers to class index 1; the second Replace action to index 3.
  CAfrScript shared;
  shared.rules.push_back(Rule(Find("a"), Replace("b")));
  shared.rules.push_back(Rule(Find("c", true), Replace("d")));
  EXPECT_EQ(ScriptBytes(shared), Int(1) + Int(2) +                                               //
                                     Int(1) + Class("CAfrIfCondFind") + "\x01" "a" + Int(0) +     //
                                     Int(1) + Class("CAfrActionReplaceWith") + "\x01" "b" +      //
                                     Int(1) + Bytes({0x01, 0x80}) + "\x01" "c" + Int(1) +       //
                                     Int(1) + Bytes({0x03, 0x80}) + "\x01" "d");
}

TEST(AfrScriptFile, SavedScriptsReadBackIdentically) {
  TempDir dir;
  CAfrScript s = EveryClassScript();
  s.SetChanged();
  std::string message;
  ASSERT_TRUE(s.Save(dir / "all.fafrs", &message)) << message;
  EXPECT_FALSE(s.IsChanged());
  EXPECT_EQ(dir.Read("all.fafrs"), ScriptBytes(s));

  CAfrScript back;
  back.SetChanged();
  AfrLoadResult r = back.Load(dir / "all.fafrs");
  ASSERT_TRUE(r.ok()) << r.message;
  EXPECT_FALSE(back.IsChanged());
  EXPECT_EQ(back.GetLines(), s.GetLines());
  EXPECT_EQ(back.rules[1]->enabled, 0);
  for (const auto& rule : back.rules) {
    EXPECT_EQ(rule->condition->initialized, 1);
    EXPECT_EQ(rule->actions[0]->initialized, 1);
  }
  EXPECT_EQ(ScriptBytes(back), ScriptBytes(s));
}

TEST(AfrScriptFile, LoadErrors) {
  const std::string p = "/d/s.fafrs";
  const std::string trueDelete = Int(1) + Class("CAfrIfCondTrue") + Int(1) + Class("CAfrActionDeleteLine");
  const std::string againTrueDelete = Int(1) + Bytes({0x01, 0x80}) + Int(1) + Bytes({0x03, 0x80});
  struct LoadCase {
    const char* what;
    std::string bytes;
    size_t rulesKept;
    std::string description;  // empty: loaded without error
  } cases[] = {
      {"fewer than 4 bytes", Bytes({1, 0}), 0, "An attempt was made to access /d/s.fafrs past its end."},
      {"cut in the third rule", Int(1) + Int(3) + trueDelete + againTrueDelete + Int(1) + Bytes({0x01}), 2,
       "An attempt was made to access /d/s.fafrs past its end."},
      {"count beyond the rules", Int(1) + Int(0x7FFFFFFF) + trueDelete, 1,
       "An attempt was made to access /d/s.fafrs past its end."},
      {"negative rule count", Int(1) + Int(-4), 0, ""},
      {"action where a condition belongs", Int(1) + Int(1) + Int(1) + Class("CAfrActionDeleteLine"), 0,
       "/d/s.fafrs contained an unexpected object."},
      {"condition where an action belongs", Int(1) + Int(1) + Int(1) + Class("CAfrIfCondTrue") + Int(1) +
                                                Bytes({0x01, 0x80}),
       0, "/d/s.fafrs contained an unexpected object."},
      {"a rename class", Int(1) + Int(1) + Int(1) + Class("CFroFormat"), 0,
       "/d/s.fafrs contained an unexpected object."},
      {"class name in another case", Int(1) + Int(1) + Int(1) + Class("CAfrIfCondtrue"), 0,
       "/d/s.fafrs contained an unexpected object."},
      {"schema 2", Int(1) + Int(1) + Int(1) + Bytes({0xFF, 0xFF, 0x02, 0x00, 14, 0}) + "CAfrIfCondTrue", 0,
       "/d/s.fafrs contains an incorrect schema."},
      {"reference to an object", Int(1) + Int(2) + trueDelete + Int(1) + Bytes({0x02, 0x80}), 1,
       "/d/s.fafrs has a bad format."},
      {"tag without a class", Int(1) + Int(1) + Int(1) + Bytes({0x01, 0x00}), 0, "/d/s.fafrs has a bad format."},
      {"8-byte string length", Int(1) + Int(1) + Int(1) + Class("CAfrIfCondFind") +
                                   Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0}),
       0, "An unknown error occurred while accessing /d/s.fafrs."},
      {"rule without actions", Int(1) + Int(1) + Int(1) + Class("CAfrIfCondTrue") + Int(0), 1, ""},
  };
  for (const auto& c : cases) {
    CAfrScript s;
    CArchiveReader in(c.bytes, p);
    std::string description;
    try {
      s.ReadFrom(in);
    } catch (const CArchiveException& e) {
      description = e.Description();
    }
    EXPECT_EQ(description, c.description) << c.what;
    EXPECT_EQ(s.rules.size(), c.rulesKept) << c.what;
  }
}

TEST(AfrScriptFile, WideStringsAreReadAsUtf8) {
  std::string bytes = Int(1) + Int(1) + Int(1) + Class("CAfrIfCondFind") +
                      Bytes({0xFF, 0xFE, 0xFF, 0x02, 0xE9, 0x00, 'x', 0x00}) + Int(0) + Int(0);
  CAfrScript s;
  CArchiveReader in(bytes, "mem");
  ASSERT_TRUE(s.ReadFrom(in));
  EXPECT_EQ(s.GetLines(), std::vector<std::string>{"1. If (Find \"\xC3\xA9x\") then ()"});
}

TEST(AfrScriptFile, LoadMessagesAndWhatStays) {
  TempDir dir;
  CAfrScript s;
  s.rules.push_back(Rule(True(), DeleteLine()));
  s.SetChanged();

  // A file that cannot be opened leaves the script as it was.
  AfrLoadResult r = s.Load(dir / "missing.fafrs");
  EXPECT_EQ(r.status, AfrLoadResult::kCannotOpen);
  EXPECT_EQ(r.message, "Unable to read from file:\n" + (dir / "missing.fafrs"));
  EXPECT_EQ(s.rules.size(), 1u);
  EXPECT_TRUE(s.IsChanged());

  dir.Write("v2.fafrs", Bytes({2, 0, 0, 0, 0, 0, 0, 0}));
  r = s.Load(dir / "v2.fafrs");
  EXPECT_EQ(r.status, AfrLoadResult::kIncompatibleVersion);
  EXPECT_EQ(r.message, "Cannot load the following file, because it was saved with an incompatible version:\n" +
                           (dir / "v2.fafrs"));
  EXPECT_TRUE(s.rules.empty());

  dir.Write("cut.fafrs", Int(1) + Int(2) + Int(1) + Class("CAfrIfCondTrue") + Int(1));
  r = s.Load(dir / "cut.fafrs");
  EXPECT_EQ(r.status, AfrLoadResult::kError);
  EXPECT_EQ(r.message, "The following error occured while loading \"" + (dir / "cut.fafrs") +
                           "\":\nAn attempt was made to access " + (dir / "cut.fafrs") + " past its end.");
  EXPECT_TRUE(s.rules.empty());
}

TEST(AfrScriptFile, InvalidRegexIsReportedAndKept) {
  CAfrScript bad;
  bad.rules.push_back(Rule(Regex("(a"), Replace("b")));
  std::string bytes = ScriptBytes(bad);
  CAfrScript s;
  CArchiveReader in(bytes, "mem");
  std::vector<std::string> reported;
  ASSERT_TRUE(s.ReadFrom(in, [&](CAfrIfCondRegExFind& c) { reported.push_back(InvalidRegexText(c.RegularExpression())); }));
  EXPECT_EQ(reported, std::vector<std::string>{
                          "The regular expression \"(a\" is invalid, please correct this before continuing."});
  ASSERT_EQ(s.rules.size(), 1u);
  EXPECT_EQ(s.GetLines()[0], "1. If (Regular Expression Find \"(a\") then (Replace with \"b\")");
}

TEST(AfrScriptFile, FailedSaveKeepsTheChangedMarkAndTheOldFile) {
  TempDir dir;
  std::string path = dir.Write("s.fafrs", "old");
  CAfrScript s = EveryClassScript();
  s.SetChanged();
  auto saved = qv::sys::ops();
  qv::sys::ops().write = [](int, const void*, size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };
  std::string message;
  EXPECT_FALSE(s.Save(path, &message));
  qv::sys::ops() = saved;
  EXPECT_EQ(message, "Disk full while accessing " + path + ".");
  EXPECT_TRUE(s.IsChanged());
  EXPECT_EQ(dir.Read("s.fafrs"), "old");

  EXPECT_FALSE(s.Save(dir / "no/such/folder/s.fafrs", &message));
  EXPECT_EQ(message, "Unable to write to file:\n" + (dir / "no/such/folder/s.fafrs"));
  EXPECT_TRUE(s.IsChanged());
}

// The fuzz target's seed corpus: scripts this writer makes, every prefix of them and single-byte
// changes. The reader must end each one with a script or an error, never a crash or a hang.
TEST(AfrScriptFile, ReaderSurvivesTheSeedCorpus) {
  std::vector<std::string> seeds = {ScriptBytes(EveryClassScript()), ScriptBytes(CAfrScript())};
  {
    CAfrScript twoActions;
    twoActions.rules.push_back(Rule(Find("a"), Replace("b")));
    twoActions.rules[0]->actions.push_back(Duplicate());
    seeds.push_back(ScriptBytes(twoActions));
  }
  const std::string base = seeds[0];
  for (size_t i = 0; i < base.size(); ++i) {
    seeds.push_back(base.substr(0, i));
    for (int v : {0x00, 0x7F, 0x80, 0xFE, 0xFF}) {
      std::string m = base;
      m[i] = static_cast<char>(v);
      seeds.push_back(m);
    }
  }
  int loaded = 0, failed = 0;
  for (const auto& seed : seeds) {
    CAfrScript s;
    CArchiveReader in(seed, "seed");
    try {
      s.ReadFrom(in);
      ++loaded;
      // Whatever loaded must also run without trouble.
      for (const auto& rule : s.rules) {
        if (rule->actions.empty()) continue;
        std::string out, error;
        long long changes = 0;
        CAfrProgress progress;
        rule->actions[0]->Apply("a cat\r\nb#;\n\nxx", out, *rule->condition, progress, changes, error);
      }
    } catch (const CArchiveException&) {
      ++failed;
    }
  }
  EXPECT_GT(loaded, 0);
  EXPECT_GT(failed, 0);
}

}  // namespace
