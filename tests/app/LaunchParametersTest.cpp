#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "app/LaunchParameters.h"
#include "common/TempDir.h"

TEST(LaunchParameters, CommandLineWords) {
  struct Case {
    std::vector<std::string> args;
    int module;
    std::string folder, params;
  } cases[] = {
      {{}, 0, "", ""},
      {{"/find"}, 0, "", ""},
      {{"/FIND_AND_REPLACE"}, 1, "", ""},
      {{"-file_renamer"}, 3, "", ""},
      {{"/quick_file_touch"}, 9, "", ""},
      {{"/quick_file_list_print"}, 10, "", ""},
      {{"/file_comparer", "/file_line_counter"}, 8, "", ""},  // a later word wins
      {{"find"}, 0, "find", ""},                               // no slash: the start folder
      {{"/home/u/data"}, 0, "/home/u/data", ""},               // a path is not a flag on Linux
      {{"/unknown", "-x"}, 0, "-x", ""},
      {{"\"/home/u/my data\""}, 0, "/home/u/my data", ""},
      {{"/file_toucher", "/params/tmp/QV_ab12cd.tmp"}, 4, "", "/tmp/QV_ab12cd.tmp"},
      {{"-PARAMS\"/tmp/QV_1.tmp\""}, 0, "", "/tmp/QV_1.tmp"},
      {{"/a", "/b"}, 0, "/b", ""},
  };
  for (const auto& c : cases) {
    LaunchParameters p = ParseCommandLine(c.args);
    std::string shown = c.args.empty() ? "(none)" : c.args.front();
    EXPECT_EQ(p.startModule, c.module) << shown;
    EXPECT_EQ(p.startFolder, c.folder) << shown;
    EXPECT_EQ(p.parameterFile, c.params) << shown;
  }
}

TEST(LaunchParameters, ParameterFileGivesFolderAndFilter) {
  TempDir dir;
  dir.Write("data/a.txt", "x");
  dir.MakeDir("data/sub");
  struct Case {
    const char* name;
    std::string contents;
    int module;
    std::string folder, filter;
    size_t paths;
  } cases[] = {
      // Two files with Find: the folder with a separator, the first file's name as the filter.
      {"files", dir / "data/" + "\n\n" + dir / "data/a.txt" + "\n" + dir / "data/b.txt" + "\n", 0, dir / "data/", "a.txt", 2},
      // One folder with the list printer: the folder gets its separator, no filter.
      {"folder", dir / "data" + "\n" + dir / "data" + "\n\n", 5, dir / "data/", "", 1},
      // An empty first line: no folder, the first file still gives the filter.
      {"emptyfirst", "\n" + dir / "data/a.txt" + "\n", 0, "", "a.txt", 1},
      // A first path that is a folder gives no filter; CR LF line ends are read too.
      {"crlf", dir / "data" + "/\r\n" + dir / "data/sub" + "\r\n\r\n", 6, dir / "data/", "", 1},
  };
  for (const auto& c : cases) {
    const std::string file = dir.Write(std::string("QV_") + c.name + ".tmp", c.contents, 0600);
    LaunchParameters p;
    p.startModule = c.module;
    p.parameterFile = file;
    StartInputs in = ApplyStartParameters(p);
    EXPECT_EQ(in.module, c.module) << c.name;
    EXPECT_EQ(in.folder, c.folder) << c.name;
    EXPECT_EQ(in.filter, c.filter) << c.name;
    EXPECT_EQ(in.paths.size(), c.paths) << c.name;
    EXPECT_NE(access(file.c_str(), F_OK), 0) << c.name << ": the parameter file is deleted";
  }
}

TEST(LaunchParameters, MissingFileKeepsCommandLineFolder) {
  LaunchParameters p = ParseCommandLine({"/folder_size_lister", "/srv/data", "/params/nonexistent/QV_x.tmp"});
  StartInputs in = ApplyStartParameters(p);
  EXPECT_EQ(in.module, 6);
  EXPECT_EQ(in.folder, "/srv/data/");
  EXPECT_TRUE(in.paths.empty());
}

TEST(LaunchParameters, QuickModesKeepTheirListAndOutOfRangeModulesAreFind) {
  TempDir dir;
  const std::string file = dir.Write("QV_q.tmp", "/x/\n/x/a\n/x/b\n", 0600);
  LaunchParameters p{9, "", file};
  StartInputs in = ApplyStartParameters(p);
  EXPECT_TRUE(in.IsQuickMode());
  EXPECT_EQ(in.paths, (std::vector<std::string>{"/x/a", "/x/b"}));
  EXPECT_EQ(ApplyStartParameters(LaunchParameters{42, "", ""}).module, 0);
}

TEST(LaunchParameters, RefusesLinksAndKeepsFilesNotNamedLikeOurs) {
  TempDir dir;
  const std::string target = dir.Write("secret.txt", "/etc\n");
  const std::string link = dir / "QV_link.tmp";
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  ParameterFile viaLink = ReadParameterFile(link);
  EXPECT_FALSE(viaLink.read);
  EXPECT_FALSE(viaLink.problem.empty());
  EXPECT_TRUE(dir.Exists("secret.txt"));

  // A file of another name is read but never deleted.
  const std::string other = dir.Write("notes.txt", "/home/u/\n");
  ParameterFile read = ReadParameterFile(other);
  EXPECT_TRUE(read.read);
  EXPECT_EQ(read.baseFolder, "/home/u/");
  EXPECT_TRUE(dir.Exists("notes.txt"));
}
