#include "ListFormat.h"

#include <chrono>
#include <optional>

#include "core/DatePicture.h"
#include "core/FileFacts.h"
#include "core/Format.h"

PathParts SplitPath(std::string_view path) {
  PathParts parts;
  size_t slash = path.rfind('/');
  std::string_view file = path;
  if (slash != std::string_view::npos) {
    parts.folder.assign(path.substr(0, slash + 1));
    file = path.substr(slash + 1);
  }
  size_t dot = file.rfind('.');
  if (dot != std::string_view::npos && dot + 1 < file.size()) {
    parts.name.assign(file.substr(0, dot));
    parts.extension.assign(file.substr(dot + 1));
  } else {
    // "name." keeps its dot in the name: the extension would be the dot alone.
    parts.name.assign(file);
  }
  return parts;
}

namespace {

// The facts of one path, read on first use so that a format of names and numbers never touches
// the file system.
class LazyFacts {
 public:
  explicit LazyFacts(const std::string& path) : path_(path) {}
  const PathParts& Parts() {
    if (!parts_) parts_ = SplitPath(path_);
    return *parts_;
  }
  const FileFacts& Facts() {
    if (!facts_) {
      facts_.emplace();
      ReadFileFacts(path_, *facts_);
    }
    return *facts_;
  }
  std::uint32_t Attributes() {
    if (!attributes_) attributes_ = FileAttributeBits(path_);
    return *attributes_;
  }
  const std::string& Path() const { return path_; }

 private:
  const std::string& path_;
  std::optional<PathParts> parts_;
  std::optional<FileFacts> facts_;
  std::optional<std::uint32_t> attributes_;
};

// printf's "%.<digits>i": at least `digits` digits, zero padded; 0 with no digits is empty.
std::string PaddedNumber(std::int32_t number, int digits) {
  std::int64_t v = number;
  bool negative = v < 0;
  std::string d = std::to_string(negative ? -v : v);
  if (digits == 0 && v == 0) d.clear();
  if (static_cast<int>(d.size()) < digits) d.insert(0, digits - d.size(), '0');
  return negative ? "-" + d : d;
}

// The leading decimal digits of a picture, capped so that a script cannot ask for a name of
// millions of zeros; no digits reads as 0.
int PictureDigits(std::string_view picture) {
  int n = 0;
  for (char c : picture) {
    if (c < '0' || c > '9') break;
    n = n * 10 + (c - '0');
    if (n > kMaxNumberDigits) n = kMaxNumberDigits + 1;  // keeps the value bounded
  }
  return n > kMaxNumberDigits ? kMaxNumberDigits : n;
}

std::string FormatListSize(std::uint64_t size, std::optional<std::string_view> picture) {
  char form = picture && !picture->empty() ? (*picture)[0] : 0;
  auto divided = [&](int powers) {
    double v = static_cast<double>(size);
    for (int i = 0; i < powers; ++i) v /= 1024.0;
    return FormatReal(v, 2);
  };
  auto scaledValue = [&](const ScaledSize& s) {
    return s.unit ? FormatReal(s.value, 2) : FormatCount64(size);
  };
  switch (form) {
    case 0: {
      ScaledSize s = ScaleSize(size);
      std::string t = scaledValue(s) + ' ';
      if (s.unit) t += s.unit;
      return t + 'B';
    }
    case 'a':
      return scaledValue(ScaleSize(size));
    case 'b':
      return FormatCount64(size);
    case 'k':
      return divided(1);
    case 'm':
      return divided(2);
    case 'g':
      return divided(3);
    case 't':
      return divided(4);
    case 'p':
      return divided(5);
    case 'e':
      return divided(6);
    default:
      return {};
  }
}

std::int64_t NowSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

const char* DateHeader(char selector, bool date) {
  switch (selector) {
    case 'c':
      return date ? "Creation Date" : "Creation Time";
    case 'a':
      return date ? "Last Accessed Date" : "Last Accessed Time";
    case 's':
      return date ? "Current System Date" : "Current System Time";
    default:
      return date ? "Last Modified Date" : "Last Modified Time";
  }
}

bool IsDateSelector(char c) { return c == 'm' || c == 'c' || c == 'a' || c == 's'; }

}  // namespace

bool ExpandListFormat(std::string& output, std::int32_t number, std::string_view format, const std::string* path,
                      bool keepExtension, bool headerMode) {
  if (!headerMode && !path) return false;
  std::optional<LazyFacts> file;
  if (!headerMode) file.emplace(*path);

  std::string out;
  size_t pos = 0;
  while (pos < format.size()) {
    char c = format[pos];
    if (c != '%') {
      out += c;
      ++pos;
      continue;
    }
    if (pos + 1 >= format.size()) {
      out += '%';
      break;
    }
    size_t letterPos = pos + 1;
    char letter = format[letterPos];

    // A picture opens at a quote on the letter or up to two characters after it.
    std::optional<std::string_view> picture;
    size_t afterPicture = 0;
    size_t open = format.find('"', letterPos);
    if (open != std::string_view::npos && open - letterPos <= 2) {
      size_t close = format.find('"', open + 1);
      if (close == std::string_view::npos) {
        // An unclosed picture: the token yields nothing and the quote is read as text.
        pos = letterPos + 1;
        continue;
      }
      picture = format.substr(open + 1, close - open - 1);
      afterPicture = close + 1;
    }

    size_t next = letterPos + 1;
    switch (letter) {
      case '%':
        out += '%';
        break;
      case 'p':
        out += headerMode ? "Folder" : file->Parts().folder;
        break;
      case 'f':
        if (headerMode) {
          out += "Filename";
        } else {
          auto& p = file->Parts();
          out += p.name;
          if (!p.extension.empty()) out += '.' + p.extension;
        }
        break;
      case 'F':
        out += headerMode ? "Filename" : file->Parts().name;
        break;
      case 'e':
        out += headerMode ? "Extension" : file->Parts().extension;
        break;
      case 'E':
        out += headerMode ? "Filetype" : FileTypeName(file->Path());
        break;
      case 'a':
        out += headerMode ? "Attributes" : AttributeLetters(file->Attributes());
        break;
      case 's':
        out += headerMode ? "Size" : FormatListSize(file->Facts().size, picture);
        break;
      case 'i':
        if (headerMode)
          out += "Number";
        else
          out += picture ? PaddedNumber(number, PictureDigits(*picture)) : std::to_string(number);
        break;
      case 'd':
      case 't': {
        bool date = letter == 'd';
        char selector = letterPos + 1 < format.size() ? format[letterPos + 1] : 0;
        if (IsDateSelector(selector)) ++next;
        else selector = 'm';
        if (headerMode) {
          out += DateHeader(selector, date);
          break;
        }
        std::int64_t stamp = selector == 's'   ? NowSeconds()
                             : selector == 'c' ? file->Facts().created
                             : selector == 'a' ? file->Facts().accessed
                                               : file->Facts().modified;
        LocalCalendar cal;
        ToLocalCalendar(stamp, cal);
        std::string_view pic = picture ? *picture : std::string_view();
        out += date ? FormatDatePicture(cal, pic) : FormatTimePicture(cal, pic);
        break;
      }
      default:
        out += '%';
        out += letter;
        break;
    }
    pos = picture ? afterPicture : next;
  }
  if (keepExtension && !headerMode) {
    const std::string& ext = file->Parts().extension;
    if (!ext.empty()) out += '.' + ext;
  }
  output += out;
  return true;
}
