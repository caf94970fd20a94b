#pragma once
// Runs CFindAndReplaceTask over a temporary folder and hands back what it posted.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/TaskRunner.h"
#include "common/TempDir.h"
#include "core/Sys.h"
#include "findreplace/FindAndReplaceTask.h"

class FindReplaceTest : public testing::Test {
 protected:
  ~FindReplaceTest() override { qv::sys::ops() = qv::sys::realOps(); }

  TaskLog Find(const std::string& text, bool regex = false, bool matchCase = false) {
    CFindAndReplaceTask t;
    t.options.rootFolder = dir.path();
    t.options.findText = text;
    t.options.regex = regex;
    t.options.matchCase = matchCase;
    t.options.recursive = true;
    return RunTask(t);
  }

  TaskLog Replace(const std::string& text, const std::string& with, bool regex = false, bool matchCase = false,
                  bool keepBackups = false) {
    CFindAndReplaceTask t;
    t.options.replaceMode = true;
    t.options.rootFolder = dir.path();
    t.options.findText = text;
    t.options.replaceText = with;
    t.options.regex = regex;
    t.options.matchCase = matchCase;
    t.options.keepBackups = keepBackups;
    t.options.recursive = true;
    return RunTask(t);
  }

  // Row texts (./a.txt) of a log, sorted.
  std::vector<std::string> RowTexts(const TaskLog& log) const {
    std::vector<std::string> out;
    for (auto& r : log.Rows()) out.push_back("." + r.path.substr(dir.path().size()));
    std::sort(out.begin(), out.end());
    return out;
  }

  TempDir dir;
};
