#include <gtest/gtest.h>

#include "ui/Markup.h"

using qv::ui::MarkupColor;
using qv::ui::MarkupRun;
using qv::ui::ParseMarkup;

namespace {
constexpr MarkupColor kRed{255, 0, 0};
constexpr MarkupColor kBlue{0, 0, 255};
constexpr MarkupColor kNavy{0, 0, 128};

MarkupRun Plain(std::string t) { return {std::move(t), false, false, std::nullopt}; }
MarkupRun Bold(std::string t) { return {std::move(t), true, false, std::nullopt}; }
MarkupRun Coloured(std::string t, MarkupColor c, bool bold = false) { return {std::move(t), bold, false, c}; }
}  // namespace

struct MarkupCase {
  const char* name;
  const char* markup;
  std::vector<MarkupRun> runs;
};

class MarkupParse : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(MarkupParse, GivesRuns) {
  EXPECT_EQ(ParseMarkup(GetParam().markup), GetParam().runs) << GetParam().markup;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkupParse,
    ::testing::Values(
        MarkupCase{"EscapedLess", "a\\<b", {Plain("a<b")}},
        MarkupCase{"UnknownTagIsText", "a<x>b", {Plain("a<x>b")}},
        MarkupCase{"LessThenBlank", "1 < 2", {Plain("1 < 2")}},
        MarkupCase{"TagsIgnoreCase", "<b>bold</B> plain", {Bold("bold"), Plain(" plain")}},
        MarkupCase{"BoldIsASwitch", "<B><B>x</B>y", {Bold("x"), Plain("y")}},
        MarkupCase{"Italic", "<i>it</I>", {{"it", false, true, std::nullopt}}},
        MarkupCase{"NestedColours",
                   "<C 255,0,0>red <C 0,0,255>blue</C> red again</C> end",
                   {Coloured("red ", kRed), Coloured("blue", kBlue), Coloured(" red again", kRed), Plain(" end")}},
        MarkupCase{"PopEmptyStack", "</C>x", {Plain("x")}},
        MarkupCase{"ColourC1IsBlue", "<C C1>x</C>", {Coloured("x", kBlue)}},
        MarkupCase{"ColourWithoutNumbersIsBlackFirst", "<C>x", {Coloured("x", MarkupColor{0, 0, 0})}},
        MarkupCase{"ColourWithoutNumbersRepeatsLast", "<C 255,0,0>a</C><C>b", {Coloured("ab", kRed)}},
        MarkupCase{"OtherCNumberRepeatsLast", "<C 255,0,0>a</C><C C2>b", {Coloured("ab", kRed)}},
        MarkupCase{"Heading", "<T1>Head</T1> body", {Coloured("Head", kNavy, true), Plain(" body")}},
        MarkupCase{"OtherHeadingsDoNothing", "<T2>x</T2>", {Plain("x")}},
        MarkupCase{"RemovedTags", "<U>u</U><D>d</D><S>s</S>", {Plain("uds")}},
        MarkupCase{"UnclosedTagRunsToEnd", "x<B", {Plain("x")}},
        MarkupCase{"LineFeedKept", "a\nb", {Plain("a\nb")}},
        MarkupCase{"Empty", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Markup, IgnoredColoursKeepBoldAndDropHeadings) {
  EXPECT_EQ(ParseMarkup("<C 255,0,0><B>x</B></C><T1>y</T1>", true), (std::vector<MarkupRun>{Bold("x"), Plain("y")}));
}

TEST(Markup, EscapedTextShowsLiterally) {
  for (const char* text : {"<B>x", "a<C 255,0,0>b", "C:\\<dir>", "plain", "x\\"}) {
    EXPECT_EQ(qv::ui::MarkupPlainText(ParseMarkup(qv::ui::EscapeMarkup(text))), text) << text;
    auto runs = ParseMarkup("<B>" + qv::ui::EscapeMarkup(text) + "</B>");
    for (const auto& r : runs) EXPECT_TRUE(r.bold && !r.color) << text;
  }
}

TEST(Markup, FormatMessageText) {
  EXPECT_EQ(qv::ui::FormatMessageText("version %1.%\nnext", {"1.2"}), "version 1.2.\nnext");
  EXPECT_EQ(qv::ui::FormatMessageText("100%% %2 %1", {"a", "b"}), "100% b a");
  EXPECT_EQ(qv::ui::FormatMessageText("%3 missing", {"a"}), " missing");
  EXPECT_EQ(qv::ui::FormatMessageText("trailing %", {}), "trailing %");
}
