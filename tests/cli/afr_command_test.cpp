// End-to-end runs of `qv afr` over a temporary tree, standard input and script files.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "RunQv.h"
#include "common/TempDir.h"
#include "core/ArchiveWriter.h"

namespace {

// .fafrs bytes: If (Find "cat") then (Replace with "dog"), then If (True) then (Prepend line with ">").
std::string CatDogPrependScript(int version = 1, int wrapWidth = 0) {
  CArchiveWriter w;
  w.WriteInt(version);
  w.WriteInt(wrapWidth ? 3 : 2);
  w.WriteInt(1);
  w.WriteObjectClass("CAfrIfCondFind");
  w.WriteString("cat");
  w.WriteInt(0);
  w.WriteInt(1);
  w.WriteObjectClass("CAfrActionReplaceWith");
  w.WriteString("dog");
  w.WriteInt(1);
  w.WriteObjectClass("CAfrIfCondTrue");
  w.WriteInt(1);
  w.WriteObjectClass("CAfrActionAddStringToStartOrEndOfLine");
  w.WriteInt(1);
  w.WriteString(">");
  if (wrapWidth) {
    w.WriteInt(1);
    w.WriteObjectClass("CAfrIfCondTrue");
    w.WriteInt(1);
    w.WriteObjectClass("CAfrActionWordWrapLine");
    w.WriteInt(wrapWidth);
  }
  return w.Bytes();
}

class QvAfr : public testing::Test {
 protected:
  void SetUp() override {
    script = tmp.Write("s.fafrs", CatDogPrependScript());
    dir.Write("a.txt", "cat\ncat");
    dir.Write("b.log", "cat");
    dir.Write("sub/c.txt", "x\n");
  }
  TempDir tmp, dir;
  std::string script;
};

TEST_F(QvAfr, RunsOverATreeWithTheRowsOfReplace) {
  QvResult r = RunQv({"afr", "--script", script, "-f", "*.txt", "-r", dir.path() + "/"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(SortedLines(r.out), (std::vector<std::string>{"./a.txt\t4\tOK", "./sub/c.txt\t2\tOK"}));
  EXPECT_EQ(r.err, "Found 2 files.\n");
  EXPECT_EQ(dir.Read("a.txt"), ">dog\n>dog");
  EXPECT_EQ(dir.Read("sub/c.txt"), ">x\n>");
  EXPECT_EQ(dir.Read("a.txt.backup"), "cat\ncat");
  EXPECT_EQ(dir.Read("b.log"), "cat");

  r = RunQv({"afr", "--script", script, "-f", "b.log", "--no-keep-backups", "--json", dir.path()});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "{\"row\":\"./b.log\",\"path\":\"" + dir.path() +
                       "/b.log\",\"count\":2,\"error\":false,\"message\":\"OK\"}\n");
  EXPECT_FALSE(dir.Exists("b.log.backup"));
}

TEST_F(QvAfr, FailuresGiveErrorRowsAndStatus1) {
  std::string wrap0 = tmp.Write("wrap0.fafrs", CatDogPrependScript(1, -1));
  QvResult r = RunQv({"afr", "--script", wrap0, "-f", "a.txt", dir.path()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "./a.txt\t4\tError in rule 3: Data initialization error. Original file has been restored.\n");
  EXPECT_EQ(dir.Read("a.txt"), "cat\ncat");

  r = RunQv({"afr", "--script", script, "-f", "[", "--regex-filters", dir.path()});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("The regular expression used for the filter is invalid."), std::string::npos);
}

TEST_F(QvAfr, StdinIsTheClipboard) {
  QvResult r = RunQv({"afr", "--script", script, "--stdin"}, "a cat\r\nb");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, ">a dog\r\n>b");
  EXPECT_EQ(r.err, "Clipboard\t3\tOK\n");

  r = RunQv({"afr", "--script", script, "--stdin", "--json"}, "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "{\"row\":\"Clipboard\",\"path\":\"Clipboard\",\"count\":0,\"error\":true,"
                   "\"message\":\"There is no text available on the clipboard.\"}\n");
}

TEST_F(QvAfr, ShowListsRulesAndLoadErrors) {
  QvResult r = RunQv({"afr", "--show", script});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "1. If (Find \"cat\") then (Replace with \"dog\")\n2. If (True) then (Prepend line with \">\")\n");
  EXPECT_EQ(r.err, "");

  std::string bytes = CatDogPrependScript();
  std::string cut = tmp.Write("cut.fafrs", bytes.substr(0, bytes.size() - 1));
  r = RunQv({"afr", "--show", cut});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "1. If (Find \"cat\") then (Replace with \"dog\")\n");
  EXPECT_EQ(r.err, "The following error occured while loading \"" + cut + "\":\nAn attempt was made to access " + cut +
                       " past its end.\n");

  std::string v2 = tmp.Write("v2.fafrs", CatDogPrependScript(2));
  r = RunQv({"afr", "--show", v2});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Cannot load the following file, because it was saved with an incompatible version:\n" + v2 + "\n");
}

TEST_F(QvAfr, ScriptsThatCannotBeLoadedAreNotRun) {
  std::string bytes = CatDogPrependScript();
  std::string cut = tmp.Write("cut.fafrs", bytes.substr(0, bytes.size() - 1));
  QvResult r = RunQv({"afr", "--script", cut, dir.path()});
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(dir.Read("a.txt"), "cat\ncat");

  r = RunQv({"afr", "--script", tmp / "missing.fafrs", dir.path()});
  EXPECT_EQ(r.status, 255);
  EXPECT_EQ(r.err, "Unable to read from file:\n" + (tmp / "missing.fafrs") + "\n");

  EXPECT_EQ(RunQv({"afr", "--script", script}).status, 255);                        // neither FOLDER nor --stdin
  EXPECT_EQ(RunQv({"afr", "--script", script, "--stdin", dir.path()}).status, 255);  // both
  EXPECT_EQ(RunQv({"afr", dir.path()}).status, 255);                                  // no script
}

}  // namespace
