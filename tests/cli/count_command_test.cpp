#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "RunQv.h"
#include "common/TempDir.h"

namespace {

const std::vector<std::string> kC = {"LC_ALL=C"};

class QvCount : public testing::Test {
 protected:
  void SetUp() override {
    dir.Write("a.c", "int a;\nint b;\n");
    dir.Write("b.h", "x\r\ny");
    dir.Write("empty.c", "");
    dir.Write("notes.txt", "one line");
    dir.Write("sub/c.c", std::string(1500, '\n'));
  }
  TempDir dir;
};

TEST_F(QvCount, PrintsRowsAndTheTotalsLine) {
  QvResult r = RunQv({"count", "-r", "-f", "*.c;*.h", dir.path()}, "", kC);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SortedLines(r.out), (std::vector<std::string>{"./a.c\t2 (+1 empty line)", "./b.h\t2", "./empty.c\t0",
                                                          "./sub/c.c\t1,500 (+1 empty line)"}));
  EXPECT_EQ(r.err, "Counted 1,504 lines in 4 files.\n");

  r = RunQv({"count", "--no-counting", dir.path()}, "", kC);
  EXPECT_EQ(r.err, "Counted 5 lines in 4 files.\n");
}

TEST_F(QvCount, JsonCountIsTheNumberOfLines) {
  QvResult r = RunQv({"count", "--json", "-f", "a.c", dir.path()}, "", kC);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "{\"row\":\"./a.c\",\"path\":\"" + dir / "a.c" +
                       "\",\"count\":2,\"error\":false,\"message\":\"2 (+1 empty line)\"}\n");
}

TEST_F(QvCount, BadInputs) {
  QvResult r = RunQv({"count", "--regex-filters", "-f", "(", dir.path()}, "", kC);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("The regular expression used for the filter is invalid."), std::string::npos);
  r = RunQv({"count", dir / "nothing"}, "", kC);
  EXPECT_EQ(r.status, 255);
}

}  // namespace
