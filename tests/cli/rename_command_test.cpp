// End-to-end runs of `qv rename` on real folders.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "RunQv.h"
#include "common/TempDir.h"

namespace {

using Lines = std::vector<std::string>;

// Script files written byte by byte, as the file format lays them out.
std::string Int(std::int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
  return s;
}
std::string Str(const std::string& t) { return std::string(1, static_cast<char>(t.size())) + t; }
std::string NewClass(const std::string& name) {
  return std::string("\xFF\xFF\x01\x00", 4) + static_cast<char>(name.size()) + '\0' + name;
}
std::string FormatStep(const std::string& format, std::int32_t index = 1) {
  return NewClass("CFroFormat") + Int(1) + Str(format) + Int(index) + Int(1) + Int(1);
}
std::string ReplaceStep(const std::string& find, const std::string& replace, bool enabled = true) {
  return NewClass("CFroReplace") + Int(enabled ? 1 : 0) + Str(find) + Str(replace);
}
std::string Script(std::initializer_list<std::string> steps) {
  std::string s = Int(1) + Int(static_cast<std::int32_t>(steps.size()));
  for (auto& step : steps) s += step;
  return s;
}

class RenameCommandTest : public ::testing::Test {
 protected:
  QvResult Qv(std::vector<std::string> args) { return RunQv(args, "", {"LC_ALL=en_US.UTF-8"}); }
  TempDir dir_;
};

TEST_F(RenameCommandTest, ShowListsTheSteps) {
  std::string script = dir_.Write("s.frs", Script({FormatStep("Photo %i\"3\"", 7), ReplaceStep("a", "b", false)}));
  QvResult r = Qv({"rename", "--show", script});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "[x] \"Photo %i\"3\"\", Index: 7, Incr: 1, LeaveExt: True\n[ ] \"a\" -> \"b\"\n");
  r = Qv({"rename", "--show", script, "--json"});
  EXPECT_EQ(r.out,
            "{\"step\":1,\"class\":\"CFroFormat\",\"enabled\":true,\"description\":\"\\\"Photo %i\\\"3\\\"\\\", Index: 7, "
            "Incr: 1, LeaveExt: True\"}\n"
            "{\"step\":2,\"class\":\"CFroReplace\",\"enabled\":false,\"description\":\"\\\"a\\\" -> \\\"b\\\"\"}\n");
}

TEST_F(RenameCommandTest, DryRunPreviewsWithoutTouchingAnything) {
  for (const char* n : {"a.txt", "b.txt", "c.txt", "x2.txt"}) dir_.Write(n, n);
  std::string bytes = Script({FormatStep("x%i")});
  std::string script = dir_.Write("s.frs", bytes);
  QvResult r = Qv({"rename", "--script", script, "--dry-run", dir_ / "a.txt", dir_ / "b.txt", dir_ / "c.txt"});
  EXPECT_EQ(r.status, 0) << r.err;
  // The preview ignores names that exist: it shows what the script makes.
  EXPECT_EQ(r.out, dir_ / "a.txt\t" + dir_ / "x1.txt\n" + dir_ / "b.txt\t" + dir_ / "x2.txt\n" + dir_ / "c.txt\t" +
                       dir_ / "x3.txt\n");
  EXPECT_EQ(dir_.List(), (Lines{"a.txt", "b.txt", "c.txt", "s.frs", "x2.txt"}));
  EXPECT_EQ(dir_.Read("s.frs"), bytes);
}

TEST_F(RenameCommandTest, RunSkipsExistingNamesAndSavesIndexesOnlyWhenAsked) {
  for (const char* n : {"a.txt", "b.txt", "c.txt"}) dir_.Write(n, n);
  dir_.Write("x2.txt", "there before");
  std::string bytes = Script({FormatStep("x%i")});
  std::string script = dir_.Write("s.frs", bytes);
  QvResult r = Qv({"rename", "-q", "--script", script, dir_ / "a.txt", dir_ / "b.txt"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, dir_ / "a.txt\t" + dir_ / "x1.txt\n" + dir_ / "b.txt\t" + dir_ / "x3.txt\n");
  EXPECT_NE(r.err.find("While renaming, some files already existed."), std::string::npos) << r.err;
  EXPECT_EQ(dir_.Read("s.frs"), bytes);
  EXPECT_EQ(dir_.Read("x2.txt"), "there before");

  r = Qv({"rename", "-q", "--save-indexes", "--script", script, dir_ / "c.txt"});
  // The script still holds index 1: x1 to x3 are taken, so c.txt gets x4.
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, dir_ / "c.txt\t" + dir_ / "x4.txt\n");
  EXPECT_EQ(Qv({"rename", "--show", script}).out, "[x] \"x%i\", Index: 5, Incr: 1, LeaveExt: True\n");
  EXPECT_EQ(dir_.List(), (Lines{"s.frs", "x1.txt", "x2.txt", "x3.txt", "x4.txt"}));
}

TEST_F(RenameCommandTest, RelativeNamesAndJson) {
  dir_.Write("sub/Readme.txt", "r");
  std::string script = dir_.Write("s.frs", Script({ReplaceStep("Readme", "Liesmich")}));
  QvResult r = Qv({"rename", "-q", "--json", "--script", script, dir_ / "sub/Readme.txt", dir_ / "sub/gone.txt"});
  EXPECT_EQ(r.status, 2) << r.err;
  std::string sub = dir_ / "sub/";
  EXPECT_EQ(r.out, "{\"old\":\"" + sub + "Readme.txt\",\"new\":\"" + sub + "Liesmich.txt\"}\n" +
                       "{\"path\":\"" + sub + "gone.txt\",\"error\":true,\"reason\":16,\"message\":\"File does not exist\"}\n");
}

TEST_F(RenameCommandTest, ErrorsAndEarlyEnds) {
  struct {
    const char* what;
    std::string script;
    Lines files;
    int status;
    Lines errLines;  // each must appear on standard error
    Lines after;     // the folder afterwards
  } cases[] = {
      {"no numbering", Script({FormatStep("x")}), {"gone.txt", "a.txt", "b.txt"}, 8 | 2,
       {"A non-existing filename could not be created", "gone.txt\tFile does not exist"},
       {"b.txt", "s.frs", "x.txt"}},
      {"name with a slash", Script({ReplaceStep("a", "../a")}), {"a.txt"}, 2,
       {"There was an error while renaming the files in the list below.", "a.txt\tInvalid characters in new filename"},
       {"a.txt", "b.txt", "s.frs"}},
  };
  for (auto& c : cases) {
    TempDir dir;
    dir.Write("a.txt", "a");
    dir.Write("b.txt", "b");
    std::vector<std::string> args{"rename", "-q", "--script", dir.Write("s.frs", c.script)};
    for (auto& f : c.files) args.push_back(dir / f);
    QvResult r = Qv(args);
    EXPECT_EQ(r.status, c.status) << c.what << "\n" << r.err;
    for (auto& line : c.errLines) EXPECT_NE(r.err.find(line), std::string::npos) << c.what << ": " << line << "\n" << r.err;
    EXPECT_EQ(dir.List(), c.after) << c.what;
  }
}

TEST_F(RenameCommandTest, BadInputIsRefusedBeforeAnythingIsRenamed) {
  dir_.Write("a.txt", "a");
  dir_.Write("sub/b.txt", "b");
  std::string good = dir_.Write("s.frs", Script({FormatStep("x%i")}));
  std::string cut = dir_.Write("cut.frs", Script({FormatStep("x%i"), FormatStep("y%i")}).substr(0, 40));
  std::string empty = dir_.Write("empty.frs", Script({}));
  struct {
    Lines args;
    const char* message;
  } cases[] = {
      {{"--script", good, dir_ / "a.txt", dir_ / "sub/b.txt"}, "the files must lie in one folder"},
      {{"--script", dir_ / "missing.frs", dir_ / "a.txt"}, "Unable to read from file:"},
      {{"--script", cut, dir_ / "a.txt"}, "past its end."},
      {{"--script", empty, dir_ / "a.txt"}, "has no steps"},
      {{"--script", good}, "give --script FILE.frs and the files"},
      {{"--script", good, dir_ / "nofolder/a.txt"}, "does not exist"},
  };
  for (auto& c : cases) {
    std::vector<std::string> args{"rename"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    QvResult r = Qv(args);
    EXPECT_EQ(r.status, 255) << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
  EXPECT_EQ(dir_.List(), (Lines{"a.txt", "cut.frs", "empty.frs", "s.frs", "sub/", "sub/b.txt"}));
}

}  // namespace
