#pragma once
// A temporary folder for one test, removed with everything in it when the test ends.
//
//   TempDir dir;
//   dir.Write("sub/a.txt", "hello");
//   EXPECT_EQ(dir.Read("sub/a.txt"), "hello");
#include <string>
#include <vector>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // Full path of a relative name inside the folder.
  std::string operator/(const std::string& rel) const { return path_ + "/" + rel; }

  // Writes a file, creating its folders; returns its full path.
  std::string Write(const std::string& rel, const std::string& contents, unsigned mode = 0644) const;
  std::string MakeDir(const std::string& rel) const;
  std::string Read(const std::string& rel) const;
  bool Exists(const std::string& rel) const;
  // The names in the tree, relative and sorted ("a.txt", "sub/b.txt"); folders end in "/".
  std::vector<std::string> List() const;

 private:
  std::string path_;
};

// Reads a whole file by full path (empty when it cannot be read).
std::string ReadFile(const std::string& path);
