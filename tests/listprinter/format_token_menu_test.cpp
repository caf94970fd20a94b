#include "listprinter/FormatTokenMenu.h"

#include <gtest/gtest.h>

namespace {

// Follows item texts down the menu; nullptr when a text is not there.
const FormatMenuItem* Find(const std::vector<FormatMenuItem>& items, std::initializer_list<const char*> path) {
  const std::vector<FormatMenuItem>* level = &items;
  const FormatMenuItem* found = nullptr;
  for (const char* text : path) {
    found = nullptr;
    for (auto& item : *level)
      if (item.text == text) found = &item;
    if (!found) return nullptr;
    level = &found->submenu;
  }
  return found;
}

TEST(FormatTokenMenu, ItemsInsertTheirTokens) {
  auto items = FormatTokenMenuItems(true, true);
  struct {
    std::initializer_list<const char*> path;
    const char* label;
    const char* insert;
  } cases[] = {
      {{"Folder (Path)"}, "Folder (Path)\t(%p)", "%p"},
      {{"Size in Kilobytes"}, "Size in Kilobytes\t(%s\"k\")", "%s\"k\""},
      {{"Number"}, "Number\t(%i\"3\")", "%i\"3\""},
      {{"Percent Character"}, "Percent Character\t(%%)", "%%"},
      {{"Tab Character"}, "Tab Character\t(\\t)", "\\t"},
      {{"Date Created", "27/01/70"}, "27/01/70\t(%dc\"dd'/'MM'/'yy\")", "%dc\"dd'/'MM'/'yy\""},
      {{"Current System Date", "User System Format"}, "User System Format\t(%ds)", "%ds"},
      {{"Time Accessed", "02:03:04 (12-hour clock)"}, "02:03:04 (12-hour clock)\t(%ta\"hh':'mm':'ss\")",
       "%ta\"hh':'mm':'ss\""},
      {{"&Presets", "001    2.57MB    Filename.ext"}, "001    2.57MB    Filename.ext", "%i\"3\"\\t%s\\t%f"},
  };
  for (auto& c : cases) {
    const FormatMenuItem* item = Find(items, c.path);
    ASSERT_NE(item, nullptr) << c.label;
    EXPECT_EQ(item->Label(), c.label);
    EXPECT_EQ(item->insert, c.insert);
  }
  EXPECT_EQ(Find(items, {"Date Modified"})->submenu.size(), 7u);
  EXPECT_EQ(Find(items, {"Time Modified"})->submenu.size(), 5u);
}

TEST(FormatTokenMenu, PresetsAndTabOnlyWhenAsked) {
  auto plain = FormatTokenMenuItems(false, false);
  EXPECT_EQ(plain.front().text, "Folder (Path)");
  EXPECT_EQ(plain.back().text, "Percent Character");
  EXPECT_EQ(Find(plain, {"&Presets"}), nullptr);
  auto full = FormatTokenMenuItems(true, true);
  EXPECT_EQ(full.front().text, "&Presets");
  EXPECT_TRUE(full[1].separator);
  EXPECT_EQ(full.back().text, "Tab Character");
  EXPECT_EQ(full.size(), plain.size() + 3);
}

}  // namespace
