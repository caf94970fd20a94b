#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <unistd.h>

#include "RunQv.h"
#include "common/TempDir.h"

namespace {

class QvFindReplace : public testing::Test {
 protected:
  void SetUp() override {
    dir.Write("a.txt", "Hello world\n");
    dir.Write("b.log", "hello log\n");
    dir.Write("sub/c.txt", "say HELLO\n");
    dir.Write("sub/d.txt", "nothing\n");
  }
  TempDir dir;
};

TEST_F(QvFindReplace, FindPrintsRowTextsAndTheClosingLine) {
  QvResult r = RunQv({"find", "-t", "hello", "-f", "*.txt", "-r", dir.path() + "/"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SortedLines(r.out), (std::vector<std::string>{"./a.txt", "./sub/c.txt"}));
  EXPECT_EQ(r.err, "Found 2 files.\n");

  r = RunQv({"find", "-t", "hello", "--match-case", dir.path()});
  EXPECT_EQ(r.out, "./b.log\n");
}

TEST_F(QvFindReplace, FindJsonRowsHaveExactlyTheDocumentedKeys) {
  QvResult r = RunQv({"find", "-t", "log", "--json", dir.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "{\"row\":\"./b.log\",\"path\":\"" + dir.path() +
                       "/b.log\",\"count\":0,\"error\":false,\"message\":null}\n");
}

TEST_F(QvFindReplace, AStartFolderThatIsALinkIsSearchedButLinksInsideAreNot) {
  TempDir links;
  ::symlink(dir.path().c_str(), (links / "tree").c_str());
  ::symlink((dir / "sub").c_str(), (dir / "sublink").c_str());
  QvResult r = RunQv({"find", "-t", "hello", "-r", links / "tree"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SortedLines(r.out), (std::vector<std::string>{"./a.txt", "./b.log", "./sub/c.txt"}));
}

TEST_F(QvFindReplace, JsonStaysValidForAnyFileName) {
  TempDir odd;
  odd.Write("bad\xff\"\t.txt", "x");
  QvResult r = RunQv({"find", "--json", odd.path()});
  EXPECT_EQ(r.out, "{\"row\":\"./bad\xEF\xBF\xBD\\\"\\t.txt\",\"path\":\"" + odd.path() +
                       "/bad\xEF\xBF\xBD\\\"\\t.txt\",\"count\":0,\"error\":false,\"message\":null}\n");
}

TEST_F(QvFindReplace, ReplacePrintsCountsAndMessagesAndKeepsBackups) {
  dir.Write("ro.txt", "hello", 0444);
  QvResult r = RunQv({"replace", "-t", "hello", "--with", "bye", "-f", "*.txt", dir.path()});
  EXPECT_EQ(r.status, 1);  // the read-only file failed
  EXPECT_EQ(SortedLines(r.out),
            (std::vector<std::string>{"./a.txt\t1\tOK", "./ro.txt\t0\tError, file is read-only."}));
  EXPECT_EQ(r.err, "Found 2 files.\n");
  EXPECT_EQ(dir.Read("a.txt"), "bye world\n");
  EXPECT_EQ(dir.Read("a.txt.backup"), "Hello world\n");

  r = RunQv({"replace", "-t", "say", "--with", "\\t", "-r", "-f", "c.txt", "--no-keep-backups", "--json", dir.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "{\"row\":\"./sub/c.txt\",\"path\":\"" + dir.path() +
                       "/sub/c.txt\",\"count\":1,\"error\":false,\"message\":\"OK\"}\n");
  EXPECT_EQ(dir.Read("sub/c.txt"), "\t HELLO\n");
  EXPECT_FALSE(dir.Exists("sub/c.txt.backup"));
}

TEST_F(QvFindReplace, ResultCodesAndTheirMessages) {
  struct {
    std::vector<std::string> args;
    int status;
    std::string err;
  } cases[] = {
      {{"find", "-t", "x", "-f", "[a-", "--regex-filters"}, 2,
       "The regular expression used for the filter is invalid.\nEither correct the regular expression for the "
       "filter, or disable the \"Use true regular expressions in file-filters\" option in the Quorvel options.\n"
       "Found 0 files.\n"},
      {{"find", "-e", "-t", "(x"}, 4,
       "The regular expression used for the \"Find Text\" is invalid.\nEither enter a correct regular expression or "
       "disable the option \"Find Text is a regular expression\".\nFound 0 files.\n"},
  };
  for (auto& c : cases) {
    c.args.push_back(dir.path());
    QvResult r = RunQv(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(QvFindReplace, UsageErrorsExitWith255) {
  EXPECT_EQ(RunQv({"replace", "-t", "x", dir.path()}).status, 255);  // no --with
  EXPECT_EQ(RunQv({"find", "--bogus", dir.path()}).status, 255);
  QvResult r = RunQv({"find", "-t", "x", dir / "missing"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.err.find("does not exist"), std::string::npos);
}

}  // namespace
