#include <gtest/gtest.h>

#include "RunQv.h"
#include "common/TempDir.h"

namespace {

const std::vector<std::string> kC = {"LC_ALL=C"};

class QvSize : public testing::Test {
 protected:
  void SetUp() override {
    dir.Write("b/x", std::string(1000, 'x'));
    dir.Write("b/deep/y", std::string(24, 'x'));
    dir.Write("a/x", std::string(1023, 'x'));
    dir.MakeDir("c");
    dir.Write("top-level-file", "not a row");
  }
  TempDir dir;
};

TEST_F(QvSize, PrintsOneLinePerSubfolderInTheChosenUnit) {
  QvResult r = RunQv({"size", dir.path()}, "", kC);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "a\t1,023.00 B\t1\nb\t1.00 KB\t2\nc\t0.00 B\t0\n");

  r = RunQv({"size", "--unit", "byte", dir.path() + "/"}, "", kC);
  EXPECT_EQ(r.out, "a\t1,023.00 B\t1\nb\t1,024.00 B\t2\nc\t0.00 B\t0\n");
}

TEST_F(QvSize, JsonGivesBytesAndCounts) {
  QvResult r = RunQv({"size", "--json", dir.path()}, "", kC);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "{\"name\":\"a\",\"path\":\"" + dir / "a" + "\",\"size\":1023,\"files\":1}\n" +
                       "{\"name\":\"b\",\"path\":\"" + dir / "b" + "\",\"size\":1024,\"files\":2}\n" +
                       "{\"name\":\"c\",\"path\":\"" + dir / "c" + "\",\"size\":0,\"files\":0}\n");
}

TEST_F(QvSize, AFolderThatIsNotThereIsAUsageError) {
  QvResult r = RunQv({"size", dir / "nothing"}, "", kC);
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.err.find("does not exist"), std::string::npos);
  r = RunQv({"size", "--unit", "nibble", dir.path()}, "", kC);
  EXPECT_EQ(r.status, 255);
}

}  // namespace
