// Defaults, descriptions, copies and edits of the script objects.
#include <string>

#include <gtest/gtest.h>

#include "AfrTestSupport.h"
#include "afr/AfrActionAddLineNumber.h"
#include "afr/AfrActionAddStringToStartOrEndOfLine.h"
#include "afr/AfrActionChangeCase.h"
#include "afr/AfrActionDeleteLine.h"
#include "afr/AfrActionDuplicateLine.h"
#include "afr/AfrActionRemoveCharRangeFromLine.h"
#include "afr/AfrActionReplaceWith.h"
#include "afr/AfrActionWordWrapLine.h"
#include "afr/AfrEditor.h"
#include "afr/AfrIfCondFind.h"
#include "afr/AfrIfCondFindAtStartOrEndOfLine.h"
#include "afr/AfrIfCondRegExFind.h"
#include "afr/AfrIfCondTrue.h"
#include "afr/AfrRegistry.h"

using namespace afrtest;

namespace {

TEST(AfrModel, NewObjectsHaveTheirDefaults) {
  struct Default {
    const char* cls;
    std::string description;
    int initialized;
    bool hasSettings;
  } cases[] = {
      {"CAfrIfCondFind", "If (Find \"\")", 0, true},
      {"CAfrIfCondTrue", "If (True)", 1, false},
      {"CAfrIfCondFindAtStartOrEndOfLine", "If (Find \"\" at start of line)", 0, true},
      {"CAfrIfCondRegExFind", "If (Regular Expression Find \"\")", 0, true},
      {"CAfrActionReplaceWith", "Replace with \"\"", 0, true},
      {"CAfrActionDeleteLine", "Delete line", 1, false},
      {"CAfrActionAddStringToStartOrEndOfLine", "Prepend line with \"\"", 0, true},
      {"CAfrActionRemoveCharRangeFromLine", "Delete characters from position 1 to 1", 0, true},
      {"CAfrActionDuplicateLine", "Duplicate line", 1, false},
      {"CAfrActionWordWrapLine", "WordWrap line at character 132", 0, true},
      {"CAfrActionAddLineNumber", "Add line number with format: \"%i\"3\": \"", 0, true},
      {"CAfrActionChangeCase", "Change case: all to uppercase", 1, true},
  };
  for (const auto& c : cases) {
    std::unique_ptr<CAfrObject> o;
    if (IsAfrIfCondClass(c.cls)) {
      auto cond = CreateAfrIfCond(c.cls);
      EXPECT_EQ(cond->IsLineAnchored(), std::string(c.cls) == "CAfrIfCondFindAtStartOrEndOfLine");
      o = std::move(cond);
    } else {
      ASSERT_TRUE(IsAfrActionClass(c.cls)) << c.cls;
      o = CreateAfrAction(c.cls);
    }
    ASSERT_TRUE(o) << c.cls;
    EXPECT_STREQ(o->ClassName(), c.cls);
    EXPECT_EQ(o->GetDescription(), c.description) << c.cls;
    EXPECT_EQ(o->initialized, c.initialized) << c.cls;
    EXPECT_EQ(o->HasSettings(), c.hasSettings) << c.cls;
  }
  EXPECT_FALSE(CreateAfrIfCond("CAfrActionDeleteLine"));
  EXPECT_FALSE(CreateAfrAction("CAfrIfCondTrue"));
}

TEST(AfrModel, DescriptionsShowTypedTexts) {
  EXPECT_EQ(Find("a\\tb", true)->GetDescription(), "If (Find \"a\\tb\" [Match Case])");
  EXPECT_EQ(AtEnd(";")->GetDescription(), "If (Find \";\" at end of line)");
  EXPECT_EQ(Regex("x+", true)->GetDescription(), "If (Regular Expression Find \"x+\" [Match Case])");
  EXPECT_EQ(Append("\\n")->GetDescription(), "Add \"\\n\" to end of line");
  EXPECT_EQ(RemoveRange(0, 7)->GetDescription(), "Delete characters from position 0 to 7");
  EXPECT_EQ(Case(1)->GetDescription(), "Change case: all to lowercase");
  EXPECT_EQ(Case(2)->GetDescription(), "Change case: capitalize words");
  EXPECT_EQ(Case(3)->GetDescription(), "Change case: make sentences");

  auto rule = Rule(True(), DeleteLine());
  EXPECT_EQ(rule->GetText(1), "1. If (True) then (Delete line)");
  rule->actions.push_back(Duplicate());
  EXPECT_EQ(rule->GetText(12), "12. If (True) then (Delete lineDuplicate line)");
}

TEST(AfrModel, FindExpandsEscapesButShowsTheTypedText) {
  auto find = Find("a\\tb");
  size_t s = 0, e = 5;
  ASSERT_TRUE(find->Find("xa\tby", s, e, true));
  EXPECT_EQ(s, 1u);
  EXPECT_EQ(e, 4u);
}

TEST(AfrModel, CopiesRebuildWhatTheSettersBuild) {
  auto re = Regex("c.t");
  auto copy = re->Clone();
  re.reset();  // the copy owns its own compiled expression
  auto* rc = dynamic_cast<CAfrIfCondRegExFind*>(copy.get());
  ASSERT_TRUE(rc && rc->IsCompiled());
  size_t s = 0, e = 3;
  EXPECT_TRUE(copy->Find("cut", s, e, true));

  CAfrIfCondFind target;
  target.CopyFrom(*Find("x\\n", true));
  EXPECT_EQ(target.ExpandedText(), "x\n");
  EXPECT_EQ(target.MatchCase(), 1);
  EXPECT_EQ(target.initialized, 1);

  // Another class: only initialized is copied.
  CAfrIfCondFind other;
  other.SetFindText("keep");
  other.CopyFrom(*True());
  EXPECT_EQ(other.FindText(), "keep");
  EXPECT_EQ(other.initialized, 1);

  auto rule = Rule(AtStart("#"), Number("%i"), 0);
  auto dup = rule->Duplicate();
  EXPECT_EQ(dup->enabled, 0);
  EXPECT_EQ(dup->GetText(1), rule->GetText(1));
  EXPECT_NE(dup->condition.get(), rule->condition.get());
}

TEST(AfrModel, InvalidRegexKeepsItsTextAndNeverMatches) {
  CAfrIfCondRegExFind re;
  re.SetRegularExpression("(a");
  re.initialized = 1;
  EXPECT_FALSE(re.IsCompiled());
  EXPECT_EQ(re.GetDescription(), "If (Regular Expression Find \"(a\")");
  size_t s = 0, e = 3;
  EXPECT_FALSE(re.Find("(aa", s, e, true));
}

// A page editor that confirms with new values, or cancels.
class FakeEditor : public IAfrEditor {
 public:
  bool confirm = true;
  int calls = 0;
  bool Edit(CAfrIfCondFind& c) override { return Done([&] { c.SetFindText("edited"); }); }
  bool Edit(CAfrIfCondFindAtStartOrEndOfLine& c) override { return Done([&] { c.SetAtStart(0); }); }
  bool Edit(CAfrIfCondRegExFind& c) override { return Done([&] { c.SetRegularExpression("e+"); }); }
  bool Edit(CAfrActionReplaceWith& a) override { return Done([&] { a.SetReplacement("edited"); }); }
  bool Edit(CAfrActionAddStringToStartOrEndOfLine& a) override { return Done([&] { a.SetPrepend(0); }); }
  bool Edit(CAfrActionRemoveCharRangeFromLine& a) override { return Done([&] { a.SetTo(9); }); }
  bool Edit(CAfrActionWordWrapLine& a) override { return Done([&] { a.SetWidth(40); }); }
  bool Edit(CAfrActionAddLineNumber& a) override { return Done([&] { a.SetFormat("%i:"); }); }
  bool Edit(CAfrActionChangeCase& a) override { return Done([&] { a.SetMode(2); }); }

 private:
  template <class F>
  bool Done(F change) {
    ++calls;
    change();  // the editor works on a copy: this must not show in a cancelled edit
    return confirm;
  }
};

TEST(AfrModel, EditWorksOnACopy) {
  const char* withSettings[] = {"CAfrIfCondFind", "CAfrIfCondFindAtStartOrEndOfLine", "CAfrIfCondRegExFind",
                                "CAfrActionReplaceWith", "CAfrActionAddStringToStartOrEndOfLine",
                                "CAfrActionRemoveCharRangeFromLine", "CAfrActionWordWrapLine",
                                "CAfrActionAddLineNumber", "CAfrActionChangeCase"};
  for (const char* cls : withSettings) {
    std::unique_ptr<CAfrObject> o;
    if (IsAfrIfCondClass(cls))
      o = CreateAfrIfCond(cls);
    else
      o = CreateAfrAction(cls);
    const std::string before = o->GetDescription();
    const int initializedBefore = o->initialized;
    FakeEditor editor;
    editor.confirm = false;
    EXPECT_EQ(o->Edit(editor), kAfrEditCancelled) << cls;
    EXPECT_EQ(o->GetDescription(), before) << cls;
    EXPECT_EQ(o->initialized, initializedBefore) << cls;
    editor.confirm = true;
    EXPECT_EQ(o->Edit(editor), kAfrEditConfirmed) << cls;
    EXPECT_NE(o->GetDescription(), before) << cls;
    EXPECT_EQ(o->initialized, 1) << cls;
    EXPECT_EQ(editor.calls, 2) << cls;
  }
  FakeEditor editor;
  EXPECT_EQ(CAfrIfCondTrue().Edit(editor), kAfrEditConfirmed);
  EXPECT_EQ(CAfrActionDeleteLine().Edit(editor), kAfrEditConfirmed);
  EXPECT_EQ(CAfrActionDuplicateLine().Edit(editor), kAfrEditConfirmed);
  EXPECT_EQ(editor.calls, 0);
}

}  // namespace
