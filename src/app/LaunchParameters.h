#pragma once
// The start parameters of quorvel: the command line (a module word such as /find or -find,
// /params<file>, a start folder) and the parameter file that the file-manager helper writes.
//
//   LaunchParameters p = ParseCommandLine({"/file_renamer", "/params/tmp/QV_ab12cd.tmp"});
//   StartInputs in = ApplyStartParameters(p);   // reads and deletes the parameter file
//   // in.module == 3, in.folder == "/data/", in.filter == "a.txt"
#include <string>
#include <vector>

struct LaunchParameters {
  int startModule = 0;        // 0..8 a module, 9 quick file touch, 10 quick file list print
  std::string startFolder;    // the last plain argument, double quotes removed
  std::string parameterFile;  // the rest of the /params word
};

// One argument, in order. Only the module words and /params... (or with '-') are flags; every
// other argument, /home/u/data included, is the start folder.
void ParseLaunchArgument(LaunchParameters& p, const std::string& arg);
LaunchParameters ParseCommandLine(const std::vector<std::string>& args);

struct ParameterFile {
  bool read = false;          // false: missing, unreadable or refused
  std::string baseFolder;     // first line
  std::vector<std::string> paths;  // later non-empty lines
  std::string problem;        // why it was refused ("" when read or simply missing)
};
// Reads the file (LF or CR LF) and deletes it. Files that are not regular, not the user's own
// or reached through a link are refused; only the user's own QV_*.tmp files are deleted.
ParameterFile ReadParameterFile(const std::string& path);

struct StartInputs {
  int module = 0;                  // 0..8, or a quick mode (9, 10)
  std::string folder;              // ends in '/' when not empty
  std::string filter;              // the first listed file's name, when it is a file
  std::vector<std::string> paths;  // every listed path
  bool IsQuickMode() const { return module == 9 || module == 10; }
};
StartInputs ApplyStartParameters(const LaunchParameters& p);
