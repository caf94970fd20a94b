#include "ArchiveReader.h"

#include "Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

#include "core/Sys.h"

namespace {

constexpr size_t kChunk = 64 * 1024;
constexpr size_t kMaxClassName = 64;

uint16_t Le16(const char* p) {
  auto* u = reinterpret_cast<const unsigned char*>(p);
  return static_cast<uint16_t>(u[0] | (u[1] << 8));
}

uint32_t Le32(const char* p) {
  auto* u = reinterpret_cast<const unsigned char*>(p);
  return static_cast<uint32_t>(u[0]) | (static_cast<uint32_t>(u[1]) << 8) |
         (static_cast<uint32_t>(u[2]) << 16) | (static_cast<uint32_t>(u[3]) << 24);
}


// UTF-16LE units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(const char* p, size_t units) {
  std::string out;
  out.reserve(units);
  for (size_t i = 0; i < units; ++i) {
    uint32_t u = Le16(p + 2 * i);
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < units) {
      uint32_t low = Le16(p + 2 * (i + 1));
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        ++i;
        continue;
      }
    }
    if (u >= 0xD800 && u < 0xE000) u = 0xFFFD;
    AppendUtf8(out, u);
  }
  return out;
}

}  // namespace

CArchiveReader::CArchiveReader(std::string data, std::string path)
    : size_(data.size()), buf_(std::move(data)), path_(std::move(path)) {}

CArchiveReader::CArchiveReader(UniqueFd fd, uint64_t size, std::string path)
    : fd_(std::move(fd)), size_(size), path_(std::move(path)) {}

std::unique_ptr<CArchiveReader> CArchiveReader::Open(const std::string& path, int* err) {
  // O_NONBLOCK so that a FIFO given by mistake does not block the open; it is refused below.
  UniqueFd fd(qv::sys::ops().open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0));
  if (!fd) {
    *err = errno;
    return nullptr;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    *err = errno;
    return nullptr;
  }
  if (!S_ISREG(st.st_mode)) {
    *err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return nullptr;
  }
  int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  return std::unique_ptr<CArchiveReader>(
      new CArchiveReader(std::move(fd), static_cast<uint64_t>(st.st_size), path));
}

void CArchiveReader::Fail(ArchiveErrorKind kind, int err) const { throw CArchiveException(kind, path_, err); }

const char* CArchiveReader::Need(uint64_t n) {
  if (n > BytesLeft()) Fail(ArchiveErrorKind::EndOfFile);
  size_t have = buf_.size() - pos_;
  if (have < n) {
    // Only a file-backed reader gets here: a memory reader holds all its bytes.
    buf_.erase(0, pos_);
    pos_ = 0;
    uint64_t want = std::max<uint64_t>(n - have, kChunk);
    want = std::min<uint64_t>(want, BytesLeft() - have);
    size_t old = buf_.size();
    buf_.resize(old + want);
    ssize_t got = fd_ ? qv::sys::readFull(fd_.get(), buf_.data() + old, want) : 0;
    if (got < 0) {
      int e = errno;
      buf_.resize(old);
      Fail(ArchiveErrorKind::FileError, e);
    }
    buf_.resize(old + static_cast<size_t>(got));
    if (buf_.size() < n) {
      // The file shrank while it was read.
      size_ = consumed_ + buf_.size();
      Fail(ArchiveErrorKind::EndOfFile);
    }
  }
  return buf_.data() + pos_;
}

uint8_t CArchiveReader::ReadByte() {
  uint8_t v = static_cast<uint8_t>(*Need(1));
  Take(1);
  return v;
}

uint16_t CArchiveReader::ReadU16() {
  uint16_t v = Le16(Need(2));
  Take(2);
  return v;
}

uint32_t CArchiveReader::ReadU32() {
  uint32_t v = Le32(Need(4));
  Take(4);
  return v;
}

uint64_t CArchiveReader::ReadU64() {
  const char* p = Need(8);
  uint64_t v = static_cast<uint64_t>(Le32(p)) | (static_cast<uint64_t>(Le32(p + 4)) << 32);
  Take(8);
  return v;
}

int32_t CArchiveReader::ReadInt() { return static_cast<int32_t>(ReadU32()); }

std::string CArchiveReader::ReadString() {
  bool wide = false;
  uint64_t len = ReadByte();
  if (len == 0xFF) {
    uint32_t w = ReadU16();
    if (w == 0xFFFE) {
      wide = true;
      len = ReadByte();
      if (len == 0xFF) w = ReadU16();
    }
    if (len == 0xFF) {
      if (w < 0xFFFF) {
        len = w;
      } else {
        uint32_t d = ReadU32();
        if (d < 0xFFFFFFFFu) {
          len = d;
        } else {
          len = ReadU64();
          if (len > 0x7FFFFFFFu) Fail(ArchiveErrorKind::Generic);
        }
      }
    }
  }
  uint64_t bytes = wide ? 2 * len : len;
  const char* p = Need(bytes);  // throws before anything is allocated for a length the data lacks
  std::string out = wide ? Utf16ToUtf8(p, static_cast<size_t>(len)) : std::string(p, static_cast<size_t>(bytes));
  Take(bytes);
  return out;
}

std::string CArchiveReader::ReadObjectClass(const std::function<bool(std::string_view)>& accept) {
  uint16_t t = ReadU16();
  uint32_t tag = t == 0x7FFF ? ReadU32() : ((static_cast<uint32_t>(t & 0x8000) << 16) | (t & 0x7FFF));
  if (!(tag & 0x80000000u)) Fail(ArchiveErrorKind::BadFormat);
  std::string name;
  if (t == 0xFFFF) {
    uint16_t schema = ReadU16();
    uint16_t n = ReadU16();
    if (n >= kMaxClassName || n > BytesLeft()) Fail(ArchiveErrorKind::UnexpectedObject);
    name.assign(Need(n), n);
    Take(n);
    if (!accept(name)) Fail(ArchiveErrorKind::UnexpectedObject);
    if (schema != 1) Fail(ArchiveErrorKind::BadSchema);
    table_.push_back(name);
  } else {
    uint32_t i = tag & 0x7FFFFFFFu;
    if (i == 0 || i >= table_.size() || table_[i].empty()) Fail(ArchiveErrorKind::BadFormat);
    name = table_[i];
    if (!accept(name)) Fail(ArchiveErrorKind::UnexpectedObject);
  }
  table_.push_back(std::string());  // the object's own index
  return name;
}
