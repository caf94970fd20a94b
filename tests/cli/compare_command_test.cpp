#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "RunQv.h"
#include "common/TempDir.h"

namespace {

const std::vector<std::string> kC = {"LC_ALL=C"};

class QvCompare : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* f : {"same.txt", "sub/same.txt"}) {
      dir.Write(std::string("one/") + f, "abc");
      dir.Write(std::string("two/") + f, "abc");
    }
    dir.Write("one/diff.txt", "abc");
    dir.Write("two/diff.txt", "abd");
    dir.Write("one/missing.txt", "abc");
    dir.Write("two/extra.txt", "abc");
  }
  TempDir dir;
};

TEST_F(QvCompare, FolderModePrintsDifferencesAndTheStatisticsLine) {
  QvResult r = RunQv({"compare", dir / "one", dir / "two"}, "", kC);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(SortedLines(r.out), (std::vector<std::string>{
                                    "./diff.txt\tFiles are different.",
                                    "./missing.txt\tFile does not exist in the Compare With folder.",
                                }));
  EXPECT_EQ(r.err.rfind("Compared 3 files (6.00 B [6 bytes]) with an average speed of ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(". 2 files were different.\n"), std::string::npos);

  r = RunQv({"compare", "-r", "--show-identical", "-f", "same*", dir / "one/", dir / "two"}, "", kC);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SortedLines(r.out), (std::vector<std::string>{"./same.txt\tIdentical", "./sub/same.txt\tIdentical"}));
}

TEST_F(QvCompare, TwoFilesAndJson) {
  QvResult r = RunQv({"compare", "--two-files", "--json", dir / "one/diff.txt", dir / "two/diff.txt"}, "", kC);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "{\"row\":\"./diff.txt\",\"path\":\"" + dir / "one/diff.txt" +
                       "\",\"count\":0,\"error\":true,\"message\":\"Files are different.\"}\n");
  r = RunQv({"compare", "--two-files", dir / "one/same.txt", dir / "two/sub/same.txt"}, "", kC);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
}

TEST_F(QvCompare, BadInputs) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* err;
  } cases[] = {
      {{"compare", dir / "one", dir / "nothing"}, 255, "does not exist"},
      {{"compare", "--two-files", dir / "one/nothing", dir / "two/same.txt"}, 255, "does not exist"},
      {{"compare", "--regex-filters", "-f", "[a-", dir / "one", dir / "two"}, 2, "The regular expression used"},
      {{"compare", dir / "one"}, 255, "FOLDER2"},
  };
  for (auto& c : cases) {
    QvResult r = RunQv(c.args, "", kC);
    EXPECT_EQ(r.status, c.status) << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
}

}  // namespace
