#include <gtest/gtest.h>

#include "findreplace/FindAndReplaceRules.h"
#include "ui/Markup.h"

namespace fr = qv::findreplace;

TEST(FindAndReplaceRules, StartButton) {
  struct Case {
    bool replace, running;
    const char *folder, *find, *replace_;
    bool enabled;
  } cases[] = {
      {false, false, "", "x", "", false},
      {false, false, "/d", "", "", true},  // Find lists every file without a find text
      {false, true, "", "", "", true},     // running: the button cancels
      {true, false, "/d", "", "", false},
      {true, false, "/d", "a", "a", false},
      {true, false, "/d", "a", "A", true},  // texts that differ in case only are different
      {true, false, "", "a", "b", false},
      {true, true, "", "", "", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fr::StartButtonEnabled(c.replace, c.running, c.folder, c.find, c.replace_), c.enabled)
        << c.replace << c.running << "'" << c.folder << "' '" << c.find << "' '" << c.replace_ << "'";
}

TEST(FindAndReplaceRules, ReplaceSummaryShowsTypedTextsLiterally) {
  fr::ReplaceSummaryInput in{"a<b>c", "<B>x", "*.h<", "/data/<I>dir/", true, false, true, true};
  const std::string markup = fr::ReplaceSummary(in);
  EXPECT_EQ(markup,
            "<B>Find text with regular expression: </B>a\\<b>c\n"
            "<B>Replace with: </B>\\<B>x\n"
            "\nUsing the following parameters:\n"
            "         <B>Search in folder: </B>/data/\\<I>dir/\n"
            "         <B>Use file filter: </B>*.h\\<\n"
            "         <B>Find recursively: </B>false\n"
            "         <B>Match case: </B>true\n"
            "         <B>Keep backup files: </B>true\n"
            "\nAre you sure you want to continue?");
  const std::string plain = qv::ui::MarkupPlainText(qv::ui::ParseMarkup(markup));
  EXPECT_NE(plain.find("Find text with regular expression: a<b>c\n"), std::string::npos);
  EXPECT_NE(plain.find("Search in folder: /data/<I>dir/\n"), std::string::npos);
  for (const auto& run : qv::ui::ParseMarkup(markup)) EXPECT_FALSE(run.italic);

  in.regex = false;
  EXPECT_EQ(fr::ReplaceSummary(in).rfind("<B>Find text: </B>", 0), 0u);
}

TEST(FindAndReplaceRules, TextsOfARun) {
  EXPECT_EQ(fr::RunFolder("/data/"), "/data");
  EXPECT_EQ(fr::RunFolder("/data\\"), "/data");
  EXPECT_EQ(fr::RunFolder("/data"), "/data");
  EXPECT_EQ(fr::RunFolder("/"), "/");
  EXPECT_EQ(fr::CurrentFileStatus(false, "/data", "/data/sub/a.txt"), "Finding in: ./sub/a.txt");
  EXPECT_EQ(fr::CurrentFileStatus(true, "/data", "/data/a.txt"), "Replacing in: ./a.txt");
  EXPECT_EQ(fr::FoundFilesStatus(3), "Found 3 files.");
  EXPECT_EQ(fr::FinishedMessage(0), "");
  EXPECT_EQ(fr::FinishedMessage(1), "");
  EXPECT_EQ(fr::FinishedMessage(8), "There was an error while allocating memory.");
  EXPECT_EQ(fr::FinishedMessage(4).rfind("The regular expression used for the \"Find Text\" is invalid.\n", 0), 0u);
  EXPECT_EQ(fr::FinishedMessage(2).rfind("The regular expression used for the filter is invalid.\n", 0), 0u);
}
