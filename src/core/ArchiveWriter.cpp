#include "ArchiveWriter.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/ArchiveException.h"
#include "core/Sys.h"
#include "core/UniqueFd.h"

void CArchiveWriter::WriteByte(uint8_t v) { bytes_ += static_cast<char>(v); }

void CArchiveWriter::WriteU16(uint16_t v) {
  bytes_ += static_cast<char>(v & 0xFF);
  bytes_ += static_cast<char>(v >> 8);
}

void CArchiveWriter::WriteU32(uint32_t v) {
  WriteU16(static_cast<uint16_t>(v & 0xFFFF));
  WriteU16(static_cast<uint16_t>(v >> 16));
}

void CArchiveWriter::WriteU64(uint64_t v) {
  WriteU32(static_cast<uint32_t>(v & 0xFFFFFFFFu));
  WriteU32(static_cast<uint32_t>(v >> 32));
}

void CArchiveWriter::WriteInt(int32_t v) { WriteU32(static_cast<uint32_t>(v)); }

void CArchiveWriter::WriteString(std::string_view s) {
  uint64_t n = s.size();
  if (n < 0xFF) {
    WriteByte(static_cast<uint8_t>(n));
  } else {
    WriteByte(0xFF);
    if (n < 0xFFFE) {
      WriteU16(static_cast<uint16_t>(n));
    } else {
      WriteU16(0xFFFF);
      if (n < 0xFFFFFFFFu) {
        WriteU32(static_cast<uint32_t>(n));
      } else {
        WriteU32(0xFFFFFFFFu);
        WriteU64(n);
      }
    }
  }
  bytes_.append(s);
}

void CArchiveWriter::WriteObjectClass(std::string_view name) {
  auto it = classes_.find(name);
  if (it == classes_.end()) {
    WriteU16(0xFFFF);
    WriteU16(1);  // schema
    WriteU16(static_cast<uint16_t>(name.size()));
    bytes_.append(name);
    classes_.emplace(std::string(name), nextIndex_++);
  } else if (it->second < 0x7FFF) {
    WriteU16(static_cast<uint16_t>(0x8000 + it->second));
  } else {
    WriteU16(0x7FFF);
    WriteU32(0x80000000u + it->second);
  }
  ++nextIndex_;  // the object's own index
}

bool CArchiveWriter::SaveToFile(const std::string& path, std::string* message) const {
  // Save through a link to its target, so that the link itself stays a link.
  std::string target = path;
  struct stat st {};
  bool exists = ::lstat(path.c_str(), &st) == 0;
  if (exists && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      target = real;
      ::free(real);
    }
    exists = ::stat(target.c_str(), &st) == 0;
  }
  mode_t mode = exists ? (st.st_mode & 07777) : 0666;

  static std::atomic<unsigned> counter{0};
  size_t slash = target.rfind('/');
  std::string dir = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temp;
  UniqueFd fd;
  for (int attempt = 0; attempt < 100 && !fd; ++attempt) {
    temp = dir + "." + base + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
    fd.reset(qv::sys::ops().open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (!fd && errno != EEXIST) break;
  }
  if (!fd) {
    *message = qv::archive::UnableToWriteText(path);
    return false;
  }
  // The creation mode went through the umask; an existing file keeps its own bits.
  if (exists) ::fchmod(fd.get(), mode);

  int err = 0;
  if (!qv::sys::writeAll(fd.get(), bytes_.data(), bytes_.size())) err = errno;
  if (!err && ::fsync(fd.get()) != 0 && errno != EINVAL) err = errno;
  if (!err && fd.reset() != 0) err = errno;
  if (!err && qv::sys::ops().rename(temp.c_str(), target.c_str()) != 0) err = errno;
  if (err) {
    fd.reset();
    qv::sys::ops().unlink(temp.c_str());
    *message = qv::archive::ErrorText(ArchiveErrorKind::FileError, path, err);
    return false;
  }
  return true;
}
