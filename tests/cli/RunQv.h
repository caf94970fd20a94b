#pragma once
// Runs the built `qv` with arguments (no shell) and captures what it printed.
//
//   QvResult r = RunQv({"find", "-t", "x", dir.path()});
//   EXPECT_EQ(r.status, 0);
//   EXPECT_EQ(r.out, "./a.txt\n");
#include <string>
#include <vector>

struct QvResult {
  int status = -1;  // exit status, or 128 + signal
  std::string out, err;
};

// `stdinText` is written to its standard input; `env` entries ("NAME=value") are added.
QvResult RunQv(const std::vector<std::string>& args, const std::string& stdinText = "",
               const std::vector<std::string>& env = {});

// The lines of a program's output, sorted (walk order is the file system's).
std::vector<std::string> SortedLines(const std::string& text);
