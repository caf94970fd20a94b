#pragma once
// If (Regular Expression Find "expr"): a Perl-syntax regular expression, compiled whenever the
// text or the match case is set. An expression that does not compile keeps its text and
// description and never matches.
//
//   CAfrIfCondRegExFind cond;
//   cond.SetRegularExpression("\\<cat\\>");
//   if (!cond.IsCompiled()) show(InvalidRegexText(cond.RegularExpression()));
#include <memory>
#include <string>

#include <boost/regex.hpp>

#include "afr/AfrIfCond.h"

class CAfrIfCondRegExFind : public CAfrIfCond {
 public:
  static constexpr const char* kClassName = "CAfrIfCondRegExFind";

  void SetRegularExpression(std::string text);
  void SetMatchCase(int matchCase);
  const std::string& RegularExpression() const { return text_; }
  int MatchCase() const { return matchCase_; }
  bool IsCompiled() const { return compiled_ != nullptr; }

  const char* ClassName() const override { return kClassName; }
  void Write(CArchiveWriter& out) const override;
  void Read(CArchiveReader& in) override;
  std::string GetDescription() const override;
  int Edit(IAfrEditor& editor) override;
  bool Find(std::string_view text, size_t& start, size_t& end, bool first) override;
  void CopyFrom(const CAfrIfCond& other) override;

 private:
  // Replaces the compiled expression; none when the text does not compile.
  bool Compile();

  std::string text_;
  int matchCase_ = 0;
  std::unique_ptr<boost::regex> compiled_;
};

// "The regular expression "<expr>" is invalid, please correct this before continuing."
std::string InvalidRegexText(const std::string& expression);
