#include "TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

namespace fs = std::filesystem;

TempDir::TempDir() {
  const char* tmp = std::getenv("TMPDIR");
  std::string tmpl = std::string(tmp && *tmp ? tmp : "/tmp") + "/qvtest.XXXXXX";
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Give back write permission first so that read-only fixtures can be removed.
  for (auto it = fs::recursive_directory_iterator(path_, fs::directory_options::skip_permission_denied, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (!it->is_symlink()) ::chmod(it->path().c_str(), 0755);
  }
  ::chmod(path_.c_str(), 0755);
  fs::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& rel, const std::string& contents, unsigned mode) const {
  std::string full = *this / rel;
  fs::create_directories(fs::path(full).parent_path());
  {
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  }
  ::chmod(full.c_str(), mode);
  return full;
}

std::string TempDir::MakeDir(const std::string& rel) const {
  std::string full = *this / rel;
  fs::create_directories(full);
  return full;
}

std::string TempDir::Read(const std::string& rel) const { return ReadFile(*this / rel); }

bool TempDir::Exists(const std::string& rel) const {
  struct stat st;
  return ::lstat((*this / rel).c_str(), &st) == 0;
}

std::vector<std::string> TempDir::List() const {
  std::vector<std::string> out;
  for (auto& e : fs::recursive_directory_iterator(path_)) {
    std::string rel = fs::relative(e.path(), path_).string();
    if (e.is_directory() && !e.is_symlink()) rel += "/";
    out.push_back(rel);
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}
