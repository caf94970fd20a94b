#include "findreplace/FindAndReplaceRules.h"

#include "core/DirReader.h"
#include "ui/Markup.h"

namespace qv::findreplace {

bool StartButtonEnabled(bool replaceMode, bool running, const std::string& folder, const std::string& findText,
                        const std::string& replaceText) {
  if (running) return true;
  if (folder.empty()) return false;
  if (!replaceMode) return true;
  return !findText.empty() && findText != replaceText;
}

std::string ReplaceSummary(const ReplaceSummaryInput& in) {
  using qv::ui::EscapeMarkup;
  auto flag = [](bool on) { return on ? "true" : "false"; };
  const std::string indent(9, ' ');
  std::string s = "<B>Find text";
  if (in.regex) s += " with regular expression";
  s += ": </B>" + EscapeMarkup(in.findText) + "\n";
  s += "<B>Replace with: </B>" + EscapeMarkup(in.replaceText) + "\n";
  s += "\nUsing the following parameters:\n";
  s += indent + "<B>Search in folder: </B>" + EscapeMarkup(in.folder) + "\n";
  s += indent + "<B>Use file filter: </B>" + EscapeMarkup(in.filter) + "\n";
  s += indent + "<B>Find recursively: </B>" + flag(in.recursive) + "\n";
  s += indent + "<B>Match case: </B>" + flag(in.matchCase) + "\n";
  s += indent + "<B>Keep backup files: </B>" + flag(in.keepBackups) + "\n";
  s += "\nAre you sure you want to continue?";
  return s;
}

std::string RunFolder(const std::string& typed) {
  if (typed == "/") return typed;
  return qv::StripTrailingSeparator(typed);
}

std::string FinishedMessage(std::int64_t code) {
  switch (code) {
    case 2:
      return "The regular expression used for the filter is invalid.\nEither correct the regular expression for "
             "the filter, or disable the \"Use true regular expressions in file-filters\" option in the Quorvel "
             "options.";
    case 4:
      return "The regular expression used for the \"Find Text\" is invalid.\nEither enter a correct regular "
             "expression or disable the option \"Find Text is a regular expression\".";
    case 8: return "There was an error while allocating memory.";
    default: return {};
  }
}

std::string CurrentFileStatus(bool replaceMode, const std::string& folder, const std::string& path) {
  std::string rel = qv::RelativeRowText(folder, path);
  if (!rel.empty() && rel[0] == '.') rel.erase(0, 1);
  return std::string(replaceMode ? "Replacing in: ." : "Finding in: .") + rel;
}

std::string FoundFilesStatus(std::int64_t rows) { return "Found " + std::to_string(rows) + " files."; }

}  // namespace qv::findreplace
