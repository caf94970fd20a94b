#pragma once
// The listing format language: a line of literal text and %-tokens that stand for facts about one
// file or folder, expanded for a path (value mode) or into column titles (header mode).
//
//   std::string line;
//   std::string path = "/data/photo.jpg";
//   ExpandListFormat(line, 7, "%i\"3\"\t%s\t%f", &path, false, false);  // "007<TAB>2.57 MB<TAB>photo.jpg"
//   ExpandListFormat(line, 0, "%dm\"dd/MM/yyyy\"\t%s", nullptr, false, true);
//                                                      // "Last Modified Date<TAB>Size"
//
// Tokens: %% %p %f %F %e %E %a %s %i, %d and %t with the selectors m c a s. A token takes a
// picture in double quotes when the opening quote stands at most two characters after the token
// letter: %i"3" pads the number to three digits, %s"k" gives kilobytes, %dm"dd/MM/yyyy" a date.
// Unknown tokens, bad pictures and unreadable files all produce text; nothing fails.
#include <cstdint>
#include <string>
#include <string_view>

// Appends the expansion of `format` to `output`. `path` is the file or folder described; it may
// be null in header mode only. With `keepExtension`, the path's extension (with its dot) is
// appended after the expansion. Returns false, leaving `output` untouched, when `path` is null in
// value mode.
bool ExpandListFormat(std::string& output, std::int32_t number, std::string_view format, const std::string* path,
                      bool keepExtension, bool headerMode);

// The longest zero padding a number picture may ask for; larger pictures are capped.
inline constexpr int kMaxNumberDigits = 255;

// The parts of a path as the tokens show them: "/data/folder/sample.ext" gives the folder
// "/data/folder/", the name "sample" and the extension "ext". A bare trailing dot ("name.") is
// no extension.
struct PathParts {
  std::string folder;
  std::string name;
  std::string extension;  // without its dot
};
PathParts SplitPath(std::string_view path);
