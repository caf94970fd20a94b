#include "app/LaunchParameters.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "core/UniqueFd.h"

namespace {

constexpr std::array<std::string_view, 11> kCommandWords{
    "find",           "find_and_replace",   "adv_find_and_replace", "file_renamer",
    "file_toucher",   "file_list_printer",  "folder_size_lister",   "file_comparer",
    "file_line_counter", "quick_file_touch", "quick_file_list_print"};

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string BaseName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void ParseLaunchArgument(LaunchParameters& p, const std::string& arg) {
  if (!arg.empty() && (arg[0] == '/' || arg[0] == '-')) {
    const std::string_view flag = std::string_view(arg).substr(1);
    for (size_t i = 0; i < kCommandWords.size(); ++i) {
      if (EqualsNoCase(flag, kCommandWords[i])) {
        p.startModule = static_cast<int>(i);
        return;
      }
    }
    if (flag.size() >= 6 && EqualsNoCase(flag.substr(0, 6), "params")) {
      p.parameterFile = std::string(flag.substr(6));
      std::erase(p.parameterFile, '"');
      return;
    }
  }
  std::string plain = arg;
  std::erase(plain, '"');
  p.startFolder = plain;
}

LaunchParameters ParseCommandLine(const std::vector<std::string>& args) {
  LaunchParameters p;
  for (const auto& a : args) ParseLaunchArgument(p, a);
  return p;
}

ParameterFile ReadParameterFile(const std::string& path) {
  ParameterFile out;
  const std::string name = BaseName(path);
  const bool ours = name.size() > 7 && name.compare(0, 3, "QV_") == 0 && name.compare(name.size() - 4, 4, ".tmp") == 0;

  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
  if (!fd) {
    if (errno == ELOOP) out.problem = "the parameter file is a symbolic link";
    return out;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    out.problem = "the parameter file is not a regular file";
    return out;
  }
  if (st.st_uid != ::getuid()) {
    out.problem = "the parameter file does not belong to you";
    return out;
  }
  std::string data;
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    data.append(buf, static_cast<size_t>(n));
  }
  fd.reset();
  if (ours) ::unlink(path.c_str());

  out.read = true;
  size_t lineNo = 0;
  for (size_t pos = 0; pos < data.size();) {
    size_t end = data.find('\n', pos);
    if (end == std::string::npos) end = data.size();
    std::string line = data.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = end + 1;
    ++lineNo;
    if (line.empty()) continue;
    if (lineNo == 1) out.baseFolder = line;
    else out.paths.push_back(line);
  }
  return out;
}

StartInputs ApplyStartParameters(const LaunchParameters& p) {
  StartInputs in;
  in.folder = p.startFolder;
  if (!p.parameterFile.empty()) {
    ParameterFile file = ReadParameterFile(p.parameterFile);
    if (!file.baseFolder.empty()) in.folder = file.baseFolder;
    in.paths = std::move(file.paths);
  }
  in.module = p.startModule;
  if (in.IsQuickMode()) return in;
  if (!in.paths.empty()) {
    struct stat st {};
    if (::stat(in.paths.front().c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) in.filter = BaseName(in.paths.front());
  }
  if (!in.folder.empty() && in.folder.back() != '/' && in.folder.back() != '\\') in.folder += '/';
  if (in.module < 0 || in.module >= 9) in.module = 0;
  return in;
}
