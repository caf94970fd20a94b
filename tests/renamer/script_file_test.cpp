#include "renamer/RenameScriptFile.h"

#include <cerrno>
#include <fstream>

#include <gtest/gtest.h>

#include "common/TempDir.h"
#include "core/ArchiveReader.h"
#include "core/ArchiveWriter.h"
#include "core/Sys.h"
#include "renamer/FroCapitalize.h"
#include "renamer/FroFormat.h"
#include "renamer/FroReplace.h"

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

std::string Le32(std::uint32_t v) { return Bytes({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)}); }

std::string Written(const RenameScript& script) {
  CArchiveWriter out;
  WriteRenameScript(out, script);
  return out.Bytes();
}

std::unique_ptr<CFroFormat> Format(const std::string& format, std::int32_t index = 1) {
  auto f = std::make_unique<CFroFormat>();
  f->format = format;
  f->index = index;
  f->configured = true;
  return f;
}

std::unique_ptr<CFroReplace> Replace(const char* find, const char* replace) {
  auto r = std::make_unique<CFroReplace>();
  r->findText = find;
  r->replaceText = replace;
  r->configured = true;
  return r;
}

TEST(RenameScriptFile, ByteLayouts) {
  RenameScript empty;
  EXPECT_EQ(Written(empty), Bytes({1, 0, 0, 0, 0, 0, 0, 0}));

  RenameScript one;
  one.push_back(Replace("old", "new"));
  std::string replaceObject = Bytes({0xFF, 0xFF, 1, 0, 11, 0}) + "CFroReplace" + Le32(1) + "\x03old\x03new";
  EXPECT_EQ(replaceObject.size(), 29u);
  EXPECT_EQ(Written(one), Le32(1) + Le32(1) + replaceObject);

  // Class CFroFormat is index 1, its object 2, class CFroCapitalize 3, its object 4: the third
  // step refers to class 1.
  RenameScript three;
  three.push_back(Format("a%i", 3));
  three.push_back(std::make_unique<CFroCapitalize>());
  three.push_back(Format("b"));
  three[2]->enabled = false;
  auto* f3 = static_cast<CFroFormat*>(three[2].get());
  f3->leaveExtension = false;
  f3->increment = -2;
  std::string expected = Le32(1) + Le32(3) +                                                    //
                         Bytes({0xFF, 0xFF, 1, 0, 10, 0}) + "CFroFormat" + Le32(1) + "\x03" "a%i" +  //
                         Le32(3) + Le32(1) + Le32(1) +                                            //
                         Bytes({0xFF, 0xFF, 1, 0, 14, 0}) + "CFroCapitalize" + Le32(1) +            //
                         Bytes({0x01, 0x80}) + Le32(0) + "\x01" "b" + Le32(1) + Le32(0xFFFFFFFE) + Le32(0);
  EXPECT_EQ(Written(three), expected);

  RenameScript longFormat;
  longFormat.push_back(Format(std::string(300, 'x')));
  std::string bytes = Written(longFormat);
  EXPECT_EQ(bytes.substr(8 + 6 + 10 + 4, 3), Bytes({0xFF, 0x2C, 0x01}));
}

TEST(RenameScriptFile, SavedScriptsLoadBackConfigured) {
  TempDir dir;
  RenameScript script;
  script.push_back(Format("Photo %i\"3\"", 42));
  script.push_back(Replace("a", ""));
  script.push_back(std::make_unique<CFroCapitalize>());
  script[1]->enabled = false;
  std::string path = dir / "s.frs";
  std::string message;
  ASSERT_TRUE(SaveRenameScript(path, script, &message)) << message;

  RenameScript loaded;
  loaded.push_back(std::make_unique<CFroCapitalize>());  // replaced by the file's steps
  RenameScriptLoadResult r = LoadRenameScript(path, loaded);
  ASSERT_TRUE(r.ok()) << r.message;
  ASSERT_EQ(loaded.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(loaded[i]->GetDescription(), script[i]->GetDescription());
    EXPECT_EQ(loaded[i]->IsEnabled(), script[i]->IsEnabled());
    EXPECT_TRUE(loaded[i]->configured);
  }
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"s.frs"}));  // no temporary file left behind
}

struct LoadCase {
  const char* what;
  std::string bytes;
  RenameScriptLoadResult::Status status;
  const char* error;  // the description after the path; %s stands for the path
  size_t steps;
};

TEST(RenameScriptFile, LoadErrors) {
  std::string header = Le32(1);
  std::string capitalize = Bytes({0xFF, 0xFF, 1, 0, 14, 0}) + "CFroCapitalize" + Le32(1);
  std::string wideReplace = Bytes({0xFF, 0xFF, 1, 0, 11, 0}) + "CFroReplace" + Le32(1) +
                            Bytes({0xFF, 0xFE, 0xFF, 2, 0xE9, 0, 'a', 0}) + "\x01z";
  const LoadCase cases[] = {
      {"short file", Bytes({1, 0}), RenameScriptLoadResult::ReadError, "An attempt was made to access %s past its end.", 0},
      {"version 2", Le32(2) + Le32(0), RenameScriptLoadResult::IncompatibleVersion, nullptr, 0},
      {"negative count", header + Le32(0xFFFFFFFF), RenameScriptLoadResult::Loaded, nullptr, 0},
      {"count too large", header + Le32(3) + capitalize + Bytes({0x01, 0x80}) + Le32(1),
       RenameScriptLoadResult::ReadError, "An attempt was made to access %s past its end.", 2},
      {"huge count", header + Le32(0x7FFFFFFF) + capitalize, RenameScriptLoadResult::ReadError,
       "An attempt was made to access %s past its end.", 1},
      {"class name case", header + Le32(1) + Bytes({0xFF, 0xFF, 1, 0, 10, 0}) + "CFroformat" + Le32(1),
       RenameScriptLoadResult::ReadError, "%s contained an unexpected object.", 0},
      {"foreign class", header + Le32(1) + Bytes({0xFF, 0xFF, 1, 0, 14, 0}) + "CAfrIfCondTrue",
       RenameScriptLoadResult::ReadError, "%s contained an unexpected object.", 0},
      {"schema 2", header + Le32(1) + Bytes({0xFF, 0xFF, 2, 0, 14, 0}) + "CFroCapitalize" + Le32(1),
       RenameScriptLoadResult::ReadError, "%s contains an incorrect schema.", 0},
      {"reference to an object", header + Le32(2) + capitalize + Bytes({0x02, 0x80}) + Le32(1),
       RenameScriptLoadResult::ReadError, "%s has a bad format.", 1},
      {"no class tag", header + Le32(1) + Bytes({0x01, 0x00}), RenameScriptLoadResult::ReadError,
       "%s has a bad format.", 0},
      {"step cut short", header + Le32(1) + Bytes({0xFF, 0xFF, 1, 0, 10, 0}) + "CFroFormat" + Le32(1) + "\x05" "ab",
       RenameScriptLoadResult::ReadError, "An attempt was made to access %s past its end.", 0},
      {"wide string", header + Le32(1) + wideReplace, RenameScriptLoadResult::Loaded, nullptr, 1},
  };
  TempDir dir;
  for (const auto& c : cases) {
    std::string path = dir.Write("case.frs", c.bytes);
    RenameScript script;
    RenameScriptLoadResult r = LoadRenameScript(path, script);
    EXPECT_EQ(r.status, c.status) << c.what;
    EXPECT_EQ(script.size(), c.steps) << c.what;
    if (c.status == RenameScriptLoadResult::IncompatibleVersion) {
      EXPECT_EQ(r.message, "Cannot load the following file, because it was saved with an incompatible version:\n" + path);
    }
    if (c.error) {
      std::string error = c.error;
      error.replace(error.find("%s"), 2, path);
      EXPECT_EQ(r.message, "The following error occured while loading \"" + path + "\":\n" + error) << c.what;
    }
  }
  // The wide form is converted to UTF-8.
  RenameScript script;
  ASSERT_TRUE(LoadRenameScript(dir.Write("w.frs", header + Le32(1) + wideReplace), script).ok());
  EXPECT_EQ(script[0]->GetDescription(), "\"éa\" -> \"z\"");
}

TEST(RenameScriptFile, UnreadableFileLeavesTheScript) {
  RenameScript script;
  script.push_back(std::make_unique<CFroCapitalize>());
  RenameScriptLoadResult r = LoadRenameScript("/nonexistent/x.frs", script);
  EXPECT_EQ(r.status, RenameScriptLoadResult::CannotOpen);
  EXPECT_EQ(r.message, "Unable to read from file:\n/nonexistent/x.frs");
  EXPECT_EQ(script.size(), 1u);
}

TEST(RenameScriptFile, FailedSaveKeepsTheOldFile) {
  TempDir dir;
  std::string path = dir.Write("s.frs", "old contents");
  RenameScript script;
  script.push_back(Format("x"));
  auto saved = qv::sys::ops();
  qv::sys::ops().write = [](int, const void*, size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };
  std::string message;
  bool ok = SaveRenameScript(path, script, &message);
  qv::sys::ops() = saved;
  EXPECT_FALSE(ok);
  EXPECT_EQ(message, "Disk full while accessing " + path + ".");
  EXPECT_EQ(dir.Read("s.frs"), "old contents");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"s.frs"}));

  EXPECT_FALSE(SaveRenameScript(dir / "missing/s.frs", script, &message));
  EXPECT_EQ(message, "Unable to write to file:\n" + dir / "missing/s.frs");
}

}  // namespace
