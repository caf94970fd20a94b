#pragma once
// The writing side of the object archive that script files are written in (see
// CArchiveReader): little-endian integers, strings with the shortest length prefix, and objects
// introduced by their class name the first time a class occurs in the file and by a class
// reference afterwards. The bytes are collected in memory and saved in one go, so that a failed
// save never leaves half a file behind.
//
//   CArchiveWriter out;
//   out.WriteInt(1);
//   out.WriteObjectClass("CAfrIfCondFind");   // FF FF 01 00 0E 00 "CAfrIfCondFind"
//   out.WriteString("cat");                   // 03 'c' 'a' 't'
//   std::string message;
//   if (!out.SaveToFile("/d/a.fafrs", &message)) show(message);
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

class CArchiveWriter {
 public:
  void WriteByte(uint8_t v);
  void WriteU16(uint16_t v);
  void WriteU32(uint32_t v);
  void WriteU64(uint64_t v);
  void WriteInt(int32_t v);
  // Length prefix (1, 3, 7 or 15 bytes, the shortest that holds the length), then the bytes.
  void WriteString(std::string_view s);
  // Introduces a new object of class `name`: the class name with schema 1 the first time, a
  // reference to the class's index afterwards. The object's fields follow.
  void WriteObjectClass(std::string_view name);

  const std::string& Bytes() const { return bytes_; }

  // Writes the bytes to a new temporary file beside `path`, flushes it and renames it over
  // `path` (a symbolic link is followed, so the link stays). On failure nothing at `path` has
  // changed, the temporary file is gone and *message holds the text to show:
  // "Unable to write to file:\n<path>" when no file can be created there, otherwise the file
  // error ("Disk full while accessing <path>.").
  bool SaveToFile(const std::string& path, std::string* message) const;

 private:
  std::string bytes_;
  std::map<std::string, uint32_t, std::less<>> classes_;  // class name -> index
  uint32_t nextIndex_ = 1;
};
