#pragma once
// The reading side of the object archive that script files are written in: little-endian
// integers, length-prefixed strings and objects introduced by class references, with one index
// table per file shared by classes and objects. Every length read from the data is checked
// against the bytes left before anything is allocated for it. Errors throw CArchiveException.
//
//   int err = 0;
//   auto in = CArchiveReader::Open("/d/a.fafrs", &err);
//   if (!in) show(qv::archive::UnableToReadText(path));
//   int version = in->ReadInt();
//   std::string cls = in->ReadObjectClass([](std::string_view n) { return n == "CAfrIfCondTrue"; });
//   std::string text = in->ReadString();
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/ArchiveException.h"
#include "core/UniqueFd.h"

class CArchiveReader {
 public:
  // Reads from bytes held in memory; `path` is the name the error texts give.
  CArchiveReader(std::string data, std::string path);
  // Opens a regular file for reading; nullptr with *err set (errno) when it cannot be opened.
  static std::unique_ptr<CArchiveReader> Open(const std::string& path, int* err);

  uint8_t ReadByte();
  uint16_t ReadU16();
  uint32_t ReadU32();
  uint64_t ReadU64();
  int32_t ReadInt();
  // A length-prefixed string; the wide (UTF-16LE) form is converted to UTF-8.
  std::string ReadString();
  // Reads the class reference that introduces a new object and gives the object its index.
  // Returns the class name. A name that `accept` refuses, that is 64 bytes or longer or that is
  // cut short is an unexpected object; a schema other than 1 an incorrect schema; a tag that
  // refers to no class of this file a bad format.
  std::string ReadObjectClass(const std::function<bool(std::string_view)>& accept);

  uint64_t BytesLeft() const { return size_ - consumed_; }
  const std::string& Path() const { return path_; }

 private:
  CArchiveReader(UniqueFd fd, uint64_t size, std::string path);
  // Makes n bytes available at buf_[pos_] or throws; does not consume them.
  const char* Need(uint64_t n);
  void Take(uint64_t n) { pos_ += n; consumed_ += n; }
  [[noreturn]] void Fail(ArchiveErrorKind kind, int err = 0) const;

  UniqueFd fd_;
  uint64_t size_ = 0;      // bytes of the whole input
  uint64_t consumed_ = 0;  // bytes read so far
  std::string buf_;
  size_t pos_ = 0;  // next unread byte in buf_
  std::string path_;
  // Index table: entry i (from 1) holds the class name, or an empty string for an object.
  std::vector<std::string> table_{std::string()};
};
