#include <gtest/gtest.h>

#include <string>

#include "settings/IniFile.h"

using namespace std::string_literals;

namespace {

// Texts an INI line cannot hold as they are, and plain texts that must be written unchanged.
struct ValueCase {
  const char* name;
  std::string value;
  std::string written;  // "" = same as value
};

const ValueCase kValueCases[] = {
    {"plain", "*.txt;*.htm", ""},
    {"equals and semicolon", "a=b;c=d ;x", ""},
    {"brackets", "[General]", ""},
    {"backslashes stay plain", R"(C:\bak\ \d+\n)", ""},
    {"utf8", "côte d’Ivoire – 日本語", ""},
    {"inner quote", "say \"hi\" now", ""},
    {"one quote", "\"", ""},
    {"leading blanks", "  lead", "\"  lead\""},
    {"trailing tab", "trail\t", "\"trail\t\""},
    {"only blanks", "   ", "\"   \""},
    {"line feed", "a\nb", "\"a\\nb\""},
    {"cr lf", "a\r\nb", "\"a\\r\\nb\""},
    {"nul", std::string("a\0b", 3), "\"a\\0b\""},
    {"quoted text", "\"x\"", "\"\"x\"\""},
    {"blank and backslash", R"( C:\n)", R"(" C:\\n")"},
    {"empty", "", ""},
};

TEST(IniFileTest, EveryValueRoundTripsByteForByte) {
  for (const auto& c : kValueCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CIniFile::EncodeValue(c.value), c.written.empty() ? c.value : c.written);
    for (const char* lineEnd : {"\n", "\r\n"}) {
      CIniFile ini;
      ini.Set("General", "Key", c.value);
      CIniFile back;
      EXPECT_EQ(back.Parse(ini.Serialize(lineEnd)), 0);
      const std::string* read = back.Find("General", "Key");
      ASSERT_NE(read, nullptr);
      EXPECT_EQ(*read, c.value);
    }
  }
}

TEST(IniFileTest, ReadsLinesAsIniReadersDo) {
  CIniFile ini;
  int bad = 0;
  EXPECT_EQ(ini.Parse("% header\r\n\r\n[HistFilter]\r\n9=nine\r\n10=ten\r\n x = y \r\n; note\r\n"
                      "[general]\nKEY=first\nkey=second\n\"q\"=\"C:\\temp\\\"\n",
                      &bad),
            0);
  ASSERT_EQ(ini.Preamble().size(), 2u);
  EXPECT_EQ(ini.Preamble()[0], "% header");
  EXPECT_EQ(ini.Preamble()[1], "");

  // File order, not sorted order: "10" comes after "9".
  const auto* hist = ini.FindSection("HistFilter");
  ASSERT_NE(hist, nullptr);
  ASSERT_EQ(hist->entries.size(), 4u);
  EXPECT_EQ(hist->entries[0].key, "9");
  EXPECT_EQ(hist->entries[1].key, "10");
  EXPECT_EQ(hist->entries[2].key, "x");
  EXPECT_EQ(hist->entries[2].value, "y");
  EXPECT_TRUE(hist->entries[3].comment);

  // Names ignore letter case; the first of two equal keys wins; an unknown escape stays.
  EXPECT_EQ(*ini.Find("GENERAL", "key"), "first");
  EXPECT_EQ(*ini.Find("General", "\"q\""), "C:\\temp\\");
}

TEST(IniFileTest, CountsLinesThatAreNotIni) {
  const struct {
    const char* name;
    std::string text;
    int bad;
    int firstBad;
  } cases[] = {
      {"text before a section", "hello\n[General]\nA=1\n", 1, 1},
      {"key before a section", "A=1\n", 1, 1},
      {"unclosed section", "[General]\n[Hist\nA=1\n", 1, 2},
      {"line without equals", "[General]\nA=1\njunk\nB=2\n", 1, 3},
      {"empty key", "[General]\n=1\n", 1, 2},
      {"nul byte ends the parse", "[General]\nA=1\nB\0=2\nC=3\n"s, 1, 3},
      {"good file", "% c\n\n[General]\n# c\nA=\n", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CIniFile ini;
    int first = 0;
    EXPECT_EQ(ini.Parse(c.text, &first), c.bad);
    EXPECT_EQ(first, c.firstBad);
  }
  CIniFile ini;
  ini.Parse("[General]\nA=1\njunk\nB=2\n");
  EXPECT_EQ(*ini.Find("General", "B"), "2") << "lines after a bad one still count";
}

TEST(IniFileTest, EditsKeepOrderAndOtherSections) {
  CIniFile ini;
  ini.Parse("% head\n[General]\nA=1\nB=2\n[WndPos]\nMainWnd=AB\n[HistFilter]\n0=x\n");
  ini.Set("general", "b", "20");
  ini.Set("General", "C", "3");
  ini.ReplaceSection("HistFilter", {{"0", "y", false}, {"1", "z", false}});
  ini.ReplaceSection("HistFindText", {{"0", "f", false}});
  EXPECT_EQ(ini.Serialize("\n"),
            "% head\n[General]\nA=1\nB=20\nC=3\n[WndPos]\nMainWnd=AB\n[HistFilter]\n0=y\n1=z\n"
            "[HistFindText]\n0=f\n");
  ini.RemoveSection("wndpos");
  EXPECT_EQ(ini.FindSection("WndPos"), nullptr);
}

}  // namespace
