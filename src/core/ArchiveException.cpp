#include "ArchiveException.h"

#include <cerrno>

namespace {

// Replaces every "%1" of the template with the path.
std::string Fill(const char* tmpl, const std::string& path) {
  std::string out;
  for (const char* p = tmpl; *p; ++p) {
    if (p[0] == '%' && p[1] == '1') {
      out += path;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

const char* FileErrorTemplate(int err) {
  switch (err) {
    case ENOENT: return "%1 was not found.";
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: return "%1 contains an invalid path.";
    case EMFILE:
    case ENFILE: return "The file %1 could not be opened because there are too many open files.";
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return "Access to %1 was denied.";
    case EBADF: return "An invalid file handle was associated with %1.";
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return "Disk full while accessing %1.";
    case EIO: return "A hardware I/O error was reported while accessing %1.";
    case ETXTBSY:
    case EBUSY: return "A sharing violation occurred while accessing %1.";
    case ESPIPE: return "Seek failed on %1";
    default: return "An unexpected error occurred while accessing %1.";
  }
}

// Cuts a UTF-8 text to at most `max` bytes without splitting a character.
std::string CutText(std::string s, size_t max) {
  if (s.size() <= max) return s;
  size_t n = max;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  s.resize(n);
  return s;
}

}  // namespace

namespace qv::archive {

std::string ErrorText(ArchiveErrorKind kind, const std::string& path, int err) {
  const char* tmpl = "";
  switch (kind) {
    case ArchiveErrorKind::EndOfFile: tmpl = "An attempt was made to access %1 past its end."; break;
    case ArchiveErrorKind::BadFormat: tmpl = "%1 has a bad format."; break;
    case ArchiveErrorKind::UnexpectedObject: tmpl = "%1 contained an unexpected object."; break;
    case ArchiveErrorKind::BadSchema: tmpl = "%1 contains an incorrect schema."; break;
    case ArchiveErrorKind::Generic: tmpl = "An unknown error occurred while accessing %1."; break;
    case ArchiveErrorKind::FileError: tmpl = FileErrorTemplate(err); break;
  }
  return CutText(Fill(tmpl, path), 255);
}

std::string UnableToReadText(const std::string& path) { return "Unable to read from file:\n" + path; }

std::string UnableToWriteText(const std::string& path) { return "Unable to write to file:\n" + path; }

std::string IncompatibleVersionText(const std::string& path) {
  return "Cannot load the following file, because it was saved with an incompatible version:\n" + path;
}

std::string LoadErrorText(const std::string& path, const std::string& description) {
  return "The following error occured while loading \"" + path + "\":\n" + description;
}

}  // namespace qv::archive

CArchiveException::CArchiveException(ArchiveErrorKind kind, const std::string& path, int err)
    : kind_(kind), errno_(err), description_(qv::archive::ErrorText(kind, path, err)) {}
