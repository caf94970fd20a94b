#include <climits>
#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

#include "renamer/FroCapitalize.h"
#include "renamer/FroDecapitalize.h"
#include "renamer/FroFormat.h"
#include "renamer/FroReplace.h"
#include "renamer/FroTolower.h"
#include "renamer/FroToupper.h"
#include "renamer/RenameOperationFactory.h"
#include "renamer/RenamePreview.h"

namespace {

const bool kFixedLocale = [] {
  ::setenv("LC_ALL", "en_US.UTF-8", 1);
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  return true;
}();

std::string ApplyOnce(CFileRenameOperation& step, std::string_view name, std::string_view folder = "/nowhere/") {
  step.configured = true;
  std::string out;
  EXPECT_TRUE(step.Apply(name, folder, out));
  return out;
}

struct NameCase {
  const char* in;
  const char* out;
};

TEST(RenameOperations, CaseSteps) {
  CFroCapitalize cap;
  for (auto& c : {
           NameCase{"my file.txt", "My File.Txt"},
           NameCase{"mIXED case", "MIXED Case"},
           NameCase{"hello-world (draft).txt", "Hello-World (Draft).Txt"},
           NameCase{"été.txt", "été.Txt"},
           NameCase{"côte d'azur", "Côte D'Azur"},  // no byte of "ô" starts a word
           NameCase{"x´y`z", "X´Y`Z"},             // the acute accent as UTF-8 separates words
           NameCase{"a.b.c", "A.B.C"},
           NameCase{"1abc def", "1abc Def"},
           NameCase{"a+b=c!d?e;f,g[h]i{j}k\tl", "A+B=C!D?E;F,G[H]I{J}K\tL"},
       })
    EXPECT_EQ(ApplyOnce(cap, c.in), c.out) << c.in;

  CFroDecapitalize decap;
  for (auto& c : {NameCase{"My File.TXT", "my file.tXT"}, NameCase{"ABC DEF", "aBC dEF"}, NameCase{"ÉTÉ.TXT", "ÉTÉ.tXT"}})
    EXPECT_EQ(ApplyOnce(decap, c.in), c.out) << c.in;

  CFroToupper upper;
  CFroTolower lower;
  for (auto& c : {NameCase{"Été.txt", "ÉTÉ.TXT"}, NameCase{"Readme.txt", "README.TXT"}, NameCase{"mIx 1.Jpg", "MIX 1.JPG"}})
    EXPECT_EQ(ApplyOnce(upper, c.in), c.out) << c.in;
  for (auto& c : {NameCase{"ÉTÉ.TXT", "été.txt"}, NameCase{"README.TXT", "readme.txt"}})
    EXPECT_EQ(ApplyOnce(lower, c.in), c.out) << c.in;
}

TEST(RenameOperations, ReplaceNeverScansInsertedText) {
  struct {
    const char* find;
    const char* replace;
    const char* in;
    const char* out;
  } cases[] = {
      {"aa", "b", "aaa", "ba"},
      {"a", "aa", "banana", "baanaanaa"},
      {"A", "x", "banana", "banana"},  // case-sensitive
      {"", "x", "name.txt", "name.txt"},
      {".", "", "a.b.txt", "abtxt"},   // the extension is searched too
      {"old", "new", "old old.txt", "new new.txt"},
  };
  for (auto& c : cases) {
    CFroReplace r;
    r.findText = c.find;
    r.replaceText = c.replace;
    EXPECT_EQ(ApplyOnce(r, c.in), c.out) << c.find << " in " << c.in;
  }
}

TEST(RenameOperations, FormatBuildsNamesAndCounts) {
  CFroFormat f;
  f.format = "Photo %i\"2\"";
  f.configured = true;
  std::vector<std::string> got;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
    std::string out;
    ASSERT_TRUE(f.Apply(name, "/nowhere", out));
    got.push_back(out);
  }
  EXPECT_EQ(got, (std::vector<std::string>{"Photo 01.jpg", "Photo 02.jpg", "Photo 03.jpg"}));
  EXPECT_EQ(f.index, 4);

  struct {
    const char* format;
    bool leaveExtension;
    std::int32_t increment;
    const char* in;
    const char* first;
    const char* second;
  } cases[] = {
      {"%F", false, 1, "report.doc", "report", "report"},
      {"%F", true, 1, "report.doc", "report.doc", "report.doc"},
      {"a:b/c\\d", false, 1, "x.txt", "a_b_c_d", "a_b_c_d"},
      {"%p", false, 1, "x.txt", "_nowhere_", "_nowhere_"},  // a path never survives
      {"n%i", true, 0, "x.txt", "n1.txt", "n1.txt"},        // increment 0: the same number again
      {"n%i", true, 5, "x.txt", "n1.txt", "n6.txt"},
      {"%e-%i\"3\"", false, 1, "song.mp3", "mp3-001", "mp3-002"},
  };
  for (auto& c : cases) {
    CFroFormat s;
    s.format = c.format;
    s.leaveExtension = c.leaveExtension;
    s.increment = c.increment;
    EXPECT_EQ(ApplyOnce(s, c.in), c.first) << c.format;
    EXPECT_EQ(ApplyOnce(s, c.in), c.second) << c.format;
  }

  CFroFormat wrap;
  wrap.format = "%i";
  wrap.index = INT32_MAX;
  EXPECT_EQ(ApplyOnce(wrap, "x"), "2147483647");
  EXPECT_EQ(ApplyOnce(wrap, "x"), "-2147483648");
}

TEST(RenameOperations, UnconfiguredStepsDoNothing) {
  for (const char* cls : {"CFroCapitalize", "CFroDecapitalize", "CFroFormat", "CFroReplace", "CFroTolower", "CFroToupper"}) {
    auto step = CreateRenameOperation(cls);
    ASSERT_NE(step, nullptr) << cls;
    EXPECT_STREQ(step->ClassName(), cls);
    std::string out = "kept";
    EXPECT_FALSE(step->Apply("a.txt", "/", out)) << cls;
    EXPECT_EQ(out, "kept");
    EXPECT_TRUE(step->IsEnabled());
  }
  EXPECT_EQ(CreateRenameOperation("CFroformat"), nullptr);
}

TEST(RenameOperations, DescriptionsAndParameters) {
  CFroFormat f;
  f.format = "Photo %i\"2\"";
  f.index = 4;
  f.increment = 2;
  EXPECT_EQ(f.GetDescription(), "\"Photo %i\"2\"\", Index: 4, Incr: 2, LeaveExt: True");
  f.leaveExtension = false;
  EXPECT_EQ(f.GetDescription(), "\"Photo %i\"2\"\", Index: 4, Incr: 2, LeaveExt: False");
  CFroReplace r;
  r.findText = "old";
  r.replaceText = "";
  EXPECT_EQ(r.GetDescription(), "\"old\" -> \"\"");
  EXPECT_TRUE(f.HasParameters());
  EXPECT_TRUE(r.HasParameters());
  EXPECT_FALSE(CFroCapitalize().HasParameters());
  EXPECT_EQ(CFroCapitalize().GetDescription(), "Capitalize");
  EXPECT_EQ(CFroDecapitalize().GetDescription(), "Decapitalize");
  EXPECT_EQ(CFroTolower().GetDescription(), "Make lowercase");
  EXPECT_EQ(CFroToupper().GetDescription(), "Make uppercase");
}

TEST(RenameOperations, PreviewLeavesTheIndexWhereItWas) {
  CFroFormat f;
  f.format = "x%i";
  f.index = 7;
  f.configured = true;
  CFroToupper up;
  up.configured = true;
  up.enabled = false;  // skipped, keeps its place
  std::vector<CFileRenameOperation*> steps{&f, &up};
  auto pairs = PreviewRename(steps, "/nowhere", {"a.txt", "b.txt"});
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[0].second, "x7.txt");
  EXPECT_EQ(pairs[1].second, "x8.txt");
  EXPECT_EQ(f.index, 7);
  EXPECT_FALSE(f.running);
  // EndRun without a pass begun by BeginRun keeps what Apply reached, as a rename run does.
  ApplyOnce(f, "a.txt");
  f.EndRun();
  EXPECT_EQ(f.index, 8);
}

TEST(RenameOperations, CopyFromTakesTheCurrentValues) {
  CFroFormat a;
  a.format = "n%i";
  a.configured = true;
  a.enabled = false;
  a.index = 41;
  a.autoFillName = "x.jpg";
  CFroFormat copy;
  copy.CopyFrom(a);
  EXPECT_EQ(copy.Values().format, "n%i");
  EXPECT_EQ(copy.index, 41);
  EXPECT_TRUE(copy.configured);
  EXPECT_FALSE(copy.enabled);
  EXPECT_EQ(copy.autoFillName, "");

  CFroReplace r;
  r.findText = "kept";
  r.CopyFrom(a);  // another class: only the flags
  EXPECT_EQ(r.findText, "kept");
  EXPECT_TRUE(r.configured);
}

TEST(RenameOperations, AutoFillLooksBeforeTheLastDot) {
  struct {
    const char* name;
    const char* format;
    std::int32_t index;
  } cases[] = {
      {"IMG_0041.jpg", "IMG_%i\"4\"", 42},
      {"holiday.jpg", "holiday %i", 1},
      {"2004.txt", "%i\"4\"", 2005},
      {"readme", "readme %i", 1},
      {"track07", "track%i\"2\"", 8},
      {"x.2004.12.jpg", "x.2004.%i\"2\"", 13},
      {"n99999999999999.jpg", "n%i\"14\"", INT32_MAX},  // too large for the index: the largest
  };
  for (auto& c : cases) {
    CFroFormat f;
    f.increment = 9;
    f.leaveExtension = false;
    f.AutoFill(c.name);
    EXPECT_EQ(f.format, c.format) << c.name;
    EXPECT_EQ(f.index, c.index) << c.name;
    EXPECT_EQ(f.increment, 1);
    EXPECT_TRUE(f.leaveExtension);
    EXPECT_EQ(f.autoFillName, c.name);
  }
}

class FixedEditor : public IRenameStepEditor {
 public:
  bool ok = true;
  bool EditFormat(FormatStepValues& v) override {
    seenFormat = v;
    v = {"new %i", 5, 2, false};
    return ok;
  }
  bool EditReplace(std::string& find, std::string& replace) override {
    find = "f";
    replace = "r";
    return ok;
  }
  FormatStepValues seenFormat;
};

TEST(RenameOperations, EditTakesOverOnlyOnOk) {
  FixedEditor editor;
  CFroFormat f;
  f.format = "old";
  editor.ok = false;
  EXPECT_FALSE(f.Edit(editor));
  EXPECT_EQ(editor.seenFormat.format, "old");
  EXPECT_EQ(f.format, "old");
  EXPECT_FALSE(f.configured);
  editor.ok = true;
  EXPECT_TRUE(f.Edit(editor));
  EXPECT_EQ(f.GetDescription(), "\"new %i\", Index: 5, Incr: 2, LeaveExt: False");
  EXPECT_TRUE(f.configured);

  CFroReplace r;
  EXPECT_TRUE(r.Edit(editor));
  EXPECT_EQ(r.GetDescription(), "\"f\" -> \"r\"");
  CFroCapitalize c;
  EXPECT_TRUE(c.Edit(editor));
  EXPECT_TRUE(c.configured);
}

TEST(RenameOperations, FormatDialogSample) {
  EXPECT_EQ(FormatDialogSample("%F_%i\"3\"", 5, true), "sample filename_005.ext");
  EXPECT_EQ(FormatDialogSample("%F_%i\"3\"", 5, false), "sample filename_005");
  EXPECT_EQ(FormatDialogSample("a:b %e", 1, false), "a:b ext");  // shown before the replacement
}

}  // namespace
