#include "renamer/RenameTask.h"

#include <cerrno>
#include <functional>

#include <gtest/gtest.h>

#include "common/TaskRunner.h"
#include "common/TempDir.h"
#include "renamer/FroFormat.h"
#include "renamer/FroReplace.h"
#include "renamer/FroToupper.h"

namespace {

using Names = std::vector<std::string>;

// A run whose file-system calls can be watched and changed.
class HookedRenameTask : public CRenameTask {
 public:
  std::function<void(const std::string&)> beforeExists;
  std::function<int(const std::string&, const std::string&)> rename;
  int RealRename(const std::string& from, const std::string& to) { return CRenameTask::RenameNoReplace(from, to); }

 protected:
  bool Exists(const std::string& name) override {
    if (beforeExists) beforeExists(name);
    return CRenameTask::Exists(name);
  }
  int RenameNoReplace(const std::string& from, const std::string& to) override {
    return rename ? rename(from, to) : CRenameTask::RenameNoReplace(from, to);
  }
};

class RenameTaskTest : public ::testing::Test {
 protected:
  TaskLog Run(std::vector<CFileRenameOperation*> steps, Names names) {
    task_.folder = dir_.path() + "/";
    task_.steps = std::move(steps);
    task_.names = std::move(names);
    return RunTask(task_);
  }
  static CFroFormat Format(const char* format, std::int32_t index = 1) {
    CFroFormat f;
    f.format = format;
    f.index = index;
    f.configured = true;
    return f;
  }
  TempDir dir_;
  HookedRenameTask task_;
};

TEST_F(RenameTaskTest, NumberingSkipsNamesThatExist) {
  for (const char* n : {"a.txt", "b.txt", "c.txt"}) dir_.Write(n, n);
  dir_.Write("x2.txt", "there before");
  CFroFormat f = Format("x%i");
  TaskLog log = Run({&f}, {"a.txt", "b.txt", "c.txt"});
  EXPECT_EQ(log.result, RENAME_FILES_EXISTED);
  EXPECT_EQ(dir_.List(), (Names{"x1.txt", "x2.txt", "x3.txt", "x4.txt"}));
  EXPECT_EQ(dir_.Read("x1.txt"), "a.txt");
  EXPECT_EQ(dir_.Read("x2.txt"), "there before");
  EXPECT_EQ(dir_.Read("x3.txt"), "b.txt");
  EXPECT_EQ(dir_.Read("x4.txt"), "c.txt");
  EXPECT_EQ(f.index, 5);  // the run keeps the advanced index
  EXPECT_EQ(log.Texts(WM_TASK_CURRENTFILE), (Names{"a.txt", "b.txt", "c.txt"}));
  EXPECT_TRUE(task_.errors.empty());
}

TEST_F(RenameTaskTest, ScriptWithoutNumberingStopsAtTheFirstCollision) {
  for (const char* n : {"a.txt", "b.txt", "c.txt"}) dir_.Write(n, n);
  CFroFormat f = Format("x");
  TaskLog log = Run({&f}, {"a.txt", "b.txt", "c.txt"});
  EXPECT_EQ(log.result, RENAME_NO_NUMBERING);
  EXPECT_EQ(dir_.List(), (Names{"b.txt", "c.txt", "x.txt"}));
  EXPECT_EQ(dir_.Read("x.txt"), "a.txt");
}

TEST_F(RenameTaskTest, ErrorsGatheredBeforeAnEarlyEndAreStillReported) {
  for (const char* n : {"a.txt", "b.txt"}) dir_.Write(n, n);
  CFroFormat f = Format("x");
  TaskLog log = Run({&f}, {"gone.txt", "a.txt", "b.txt"});
  EXPECT_EQ(log.result, RENAME_NO_NUMBERING | RENAME_ERRORS);
  ASSERT_EQ(task_.errors.size(), 1u);
  EXPECT_EQ(task_.errors[0], (CFileError{dir_.path() + "/gone.txt", RENAME_ERROR_NOT_FOUND, 0}));
}

TEST_F(RenameTaskTest, CancelBetweenAttemptsKeepsTheErrorsAndTheFiles) {
  for (const char* n : {"a.txt", "b.txt"}) dir_.Write(n, n);
  CFroToupper up;
  up.configured = true;
  task_.beforeExists = [&](const std::string& name) {
    if (name == "a.txt") task_.SignalStop();
  };
  TaskLog log = Run({&up}, {"gone.txt", "a.txt", "b.txt"});
  EXPECT_EQ(log.result, RENAME_ERRORS);
  EXPECT_EQ(task_.errors.size(), 1u);
  EXPECT_EQ(dir_.List(), (Names{"a.txt", "b.txt"}));
}

TEST_F(RenameTaskTest, MissingFileIsAnErrorRowAndTheRunGoesOn) {
  dir_.Write("a.txt", "a");
  CFroToupper up;
  up.configured = true;
  TaskLog log = Run({&up}, {"gone.txt", "a.txt"});
  EXPECT_EQ(log.result, RENAME_ERRORS);
  ASSERT_EQ(task_.errors.size(), 1u);
  EXPECT_EQ(RenameErrorReasonText(task_.errors[0]), "File does not exist");
  EXPECT_EQ(dir_.List(), (Names{"A.TXT"}));
}

TEST_F(RenameTaskTest, CaseOnlyRenames) {
  dir_.Write("Readme.txt", "r");
  CFroToupper up;
  up.configured = true;
  TaskLog log = Run({&up}, {"Readme.txt"});
  EXPECT_EQ(log.result, 0);
  EXPECT_EQ(dir_.List(), (Names{"README.TXT"}));
}

TEST_F(RenameTaskTest, CaseOnlyRenameNeverReplacesAnotherFile) {
  // On a case-sensitive file system both names can exist: the rename is refused, nothing is lost.
  dir_.Write("readme.txt", "small");
  dir_.Write("README.TXT", "capital");
  CFroToupper up;
  up.configured = true;
  TaskLog log = Run({&up}, {"readme.txt"});
  EXPECT_EQ(log.result, RENAME_ERRORS);
  ASSERT_EQ(task_.errors.size(), 1u);
  EXPECT_EQ(task_.errors[0].reason, RENAME_ERROR_EXISTS_OR_DENIED);
  EXPECT_EQ(dir_.Read("readme.txt"), "small");
  EXPECT_EQ(dir_.Read("README.TXT"), "capital");
}

TEST_F(RenameTaskTest, TargetAppearingJustBeforeTheRenameIsNotOverwritten) {
  dir_.Write("a.txt", "mine");
  task_.rename = [&](const std::string& from, const std::string& to) {
    // Another program creates the name after the run found it free.
    dir_.Write("b.txt", "theirs");
    return task_.RealRename(from, to);
  };
  CFroReplace r;
  r.findText = "a";
  r.replaceText = "b";
  r.configured = true;
  TaskLog log = Run({&r}, {"a.txt"});
  EXPECT_EQ(log.result, RENAME_ERRORS);
  ASSERT_EQ(task_.errors.size(), 1u);
  EXPECT_EQ(RenameErrorReasonText(task_.errors[0]), "No write permission or a file with the new name already exist");
  EXPECT_EQ(dir_.Read("a.txt"), "mine");
  EXPECT_EQ(dir_.Read("b.txt"), "theirs");
}

TEST_F(RenameTaskTest, NamesThatLeaveTheFolderAreInvalid) {
  dir_.MakeDir("sub");
  dir_.Write("a.txt", "a");
  struct {
    std::string find, replace;
  } cases[] = {
      {"a", "../a"}, {"a", "sub/a"}, {"a.txt", ""}, {"a.txt", ".."}, {"a.txt", "."}, {"a", std::string(300, 'n')},
  };
  for (auto& c : cases) {
    CFroReplace r;
    r.findText = c.find;
    r.replaceText = c.replace;
    r.configured = true;
    CRenameTask task;
    task.folder = dir_.path() + "/";
    task.steps = {&r};
    task.names = {"a.txt"};
    TaskLog log = RunTask(task);
    EXPECT_EQ(log.result, RENAME_ERRORS) << c.replace;
    ASSERT_EQ(task.errors.size(), 1u);
    EXPECT_EQ(RenameErrorReasonText(task.errors[0]), "Invalid characters in new filename");
    EXPECT_EQ(dir_.List(), (Names{"a.txt", "sub/"})) << c.replace;
  }
}

TEST_F(RenameTaskTest, UnchangedAndDisabledScriptsTouchNothing) {
  dir_.Write("a.txt", "a");
  dir_.Write("b.txt", "b");
  CFroToupper up;
  up.configured = true;
  up.enabled = false;
  CFroReplace none;
  none.findText = "zzz";
  none.configured = true;
  int renames = 0;
  task_.rename = [&](const std::string&, const std::string&) { return ++renames, 0; };
  TaskLog log = Run({&up, &none}, {"a.txt", "b.txt"});
  EXPECT_EQ(log.result, 0);
  EXPECT_EQ(renames, 0);
  EXPECT_TRUE(task_.errors.empty());
  EXPECT_EQ(dir_.List(), (Names{"a.txt", "b.txt"}));
}

TEST_F(RenameTaskTest, FailingStepStopsTheRun) {
  dir_.Write("a.txt", "a");
  dir_.Write("b.txt", "b");
  CFroToupper up;
  up.configured = true;
  CFroReplace unset;  // never configured: its Apply fails
  // The first file goes through while the failing step is still switched off.
  unset.enabled = false;
  task_.rename = [&](const std::string& from, const std::string& to) {
    unset.enabled = true;
    return task_.RealRename(from, to);
  };
  TaskLog log = Run({&up, &unset}, {"a.txt", "b.txt"});
  EXPECT_EQ(log.result, RENAME_SCRIPT_ERROR);
  EXPECT_EQ(dir_.List(), (Names{"A.TXT", "b.txt"}));
}

TEST_F(RenameTaskTest, OtherFailuresCarryTheSystemMessage) {
  dir_.Write("a.txt", "a");
  CFroToupper up;
  up.configured = true;
  task_.rename = [](const std::string&, const std::string&) { return EXDEV; };
  TaskLog log = Run({&up}, {"a.txt"});
  EXPECT_EQ(log.result, RENAME_ERRORS);
  ASSERT_EQ(task_.errors.size(), 1u);
  EXPECT_EQ(task_.errors[0].reason, RENAME_ERROR_OTHER);
  EXPECT_EQ(RenameErrorReasonText(task_.errors[0]), "Invalid cross-device link");
}

TEST(RenameNames, ValidityAndCase) {
  EXPECT_TRUE(IsValidFileName("a b.txt"));
  EXPECT_TRUE(IsValidFileName("..."));
  EXPECT_TRUE(IsValidFileName(std::string(255, 'x')));
  EXPECT_FALSE(IsValidFileName(std::string(256, 'x')));
  EXPECT_FALSE(IsValidFileName(std::string("a\0b", 3)));
  EXPECT_TRUE(EqualsIgnoringCase("Readme.TXT", "README.txt"));
  EXPECT_TRUE(EqualsIgnoringCase("été", "ÉTÉ"));
  EXPECT_FALSE(EqualsIgnoringCase("a[", "A{"));  // '[' and '{' differ by the case bit, but are no letters
  EXPECT_FALSE(EqualsIgnoringCase("a", "ab"));
}

}  // namespace
