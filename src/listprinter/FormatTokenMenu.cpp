#include "FormatTokenMenu.h"

namespace {

FormatMenuItem Token(const char* text, const std::string& token) { return {text, "(" + token + ")", token, {}}; }

FormatMenuItem Separator() {
  FormatMenuItem s;
  s.separator = true;
  return s;
}

// A date (`letter` d) or time (t) submenu for one selector: sample texts with their pictures,
// then the locale's own format.
FormatMenuItem PictureSubmenu(const char* text, char letter, char selector) {
  static const std::pair<const char*, const char*> kDates[] = {
      {"27/1/70", "d'/'M'/'y"},
      {"27/01/70", "dd'/'MM'/'yy"},
      {"1/27/70", "M'/'d'/'y"},
      {"01/27/70", "MM'/'dd'/'yy"},
      {"Thu 27 Jan 1970", "ddd dd MMM yyyy"},
      {"Thursday 27 January 1970", "dddd dd MMMM yyyy"},
  };
  static const std::pair<const char*, const char*> kTimes[] = {
      {"2:3:4 (12-hour clock)", "h':'m':'s"},
      {"14:3:4 (24-hour clock)", "H':'m':'s"},
      {"02:03:04 (12-hour clock)", "hh':'mm':'ss"},
      {"14:03:04 (24-hour clock)", "HH':'mm':'ss"},
  };
  std::string token = std::string("%") + letter + selector;
  FormatMenuItem menu{text, "(" + token + ")", {}, {}};
  auto add = [&](const auto& pictures) {
    for (auto& [sample, picture] : pictures) menu.submenu.push_back(Token(sample, token + "\"" + picture + "\""));
  };
  if (letter == 'd')
    add(kDates);
  else
    add(kTimes);
  menu.submenu.push_back(Token("User System Format", token));
  return menu;
}

}  // namespace

std::vector<FormatMenuItem> FormatTokenMenuItems(bool withPresets, bool withTab) {
  std::vector<FormatMenuItem> items;
  if (withPresets) {
    FormatMenuItem presets{"&Presets", {}, {}, {}};
    presets.submenu.push_back({"001    2.57MB    Filename.ext", {}, "%i\"3\"\\t%s\\t%f", {}});
    presets.submenu.push_back({"26/02/2003    16:45    RA    2.57MB    Filename.ext", {},
                               "%dm\"dd/MM/yyyy\"\\t%tm\"HH:mm\"\\t%a\\t%s\\t%f", {}});
    items.push_back(std::move(presets));
    items.push_back(Separator());
  }
  items.push_back(Token("Folder (Path)", "%p"));
  items.push_back(Token("Filename.extension", "%f"));
  items.push_back(Token("Filename", "%F"));
  items.push_back(Token("Extension", "%e"));
  items.push_back(Token("Size", "%s"));
  items.push_back(Token("Size in Kilobytes", "%s\"k\""));
  items.push_back(Token("Size in Megabytes", "%s\"m\""));
  items.push_back(Token("Attributes", "%a"));
  items.push_back(PictureSubmenu("Date Modified", 'd', 'm'));
  items.push_back(PictureSubmenu("Date Created", 'd', 'c'));
  items.push_back(PictureSubmenu("Date Accessed", 'd', 'a'));
  items.push_back(PictureSubmenu("Current System Date", 'd', 's'));
  items.push_back(PictureSubmenu("Time Modified", 't', 'm'));
  items.push_back(PictureSubmenu("Time Created", 't', 'c'));
  items.push_back(PictureSubmenu("Time Accessed", 't', 'a'));
  items.push_back(PictureSubmenu("Current System Time", 't', 's'));
  items.push_back(Token("Number", "%i\"3\""));
  items.push_back(Token("File Type", "%E"));
  items.push_back(Separator());
  items.push_back(Token("Percent Character", "%%"));
  if (withTab) items.push_back(Token("Tab Character", "\\t"));
  return items;
}
