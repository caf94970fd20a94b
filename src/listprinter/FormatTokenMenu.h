#pragma once
// The items of the format token menu, the popup that inserts tokens and ready-made formats into a
// format field. The widget that shows them comes with the pages; this is the data it shows.
//
//   for (const FormatMenuItem& item : FormatTokenMenuItems(false, false))
//     if (!item.separator) addAction(item.Label());   // "Filename.extension\t(%f)"
//
// A chosen item's `insert` is the text to put into the format field.
#include <string>
#include <vector>

struct FormatMenuItem {
  std::string text;    // "Date Created"
  std::string hint;    // "(%dc)", shown in the accelerator column; empty for none
  std::string insert;  // the text inserted when chosen; empty for a submenu or separator
  std::vector<FormatMenuItem> submenu;
  bool separator = false;

  // The item's label: the text, a tab and the hint.
  std::string Label() const { return hint.empty() ? text : text + "\t" + hint; }
};

// The whole menu, top to bottom. `withPresets` adds the "&Presets" submenu and a separator at the
// top; `withTab` adds the "Tab Character" item (inserting backslash and t) at the end.
std::vector<FormatMenuItem> FormatTokenMenuItems(bool withPresets, bool withTab);
