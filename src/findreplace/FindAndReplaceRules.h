#pragma once
// What the Find and Find And Replace pages compute from their inputs, as plain functions that
// the page calls and tests check without a window.
//
//   bool on = qv::findreplace::StartButtonEnabled(true, false, "/src", "old", "new");
//   std::string box = qv::findreplace::ReplaceSummary(inputs);
#include <cstdint>
#include <string>

namespace qv::findreplace {

// Find needs a folder; Find And Replace also a find text that differs (byte for byte) from the
// replace text. A running page keeps its button enabled: it is the Cancel button then.
bool StartButtonEnabled(bool replaceMode, bool running, const std::string& folder, const std::string& findText,
                        const std::string& replaceText);

struct ReplaceSummaryInput {
  std::string findText, replaceText, filter, folder;
  bool regex = false, recursive = false, matchCase = false, keepBackups = true;
};
// The markup of the box that confirms a replace run. Every text the user typed shows literally.
std::string ReplaceSummary(const ReplaceSummaryInput& in);

// The folder text a run uses: one trailing separator removed, except from the root folder itself.
std::string RunFolder(const std::string& typed);

// The message box text for a finished task's code ("" for codes that show nothing).
std::string FinishedMessage(std::int64_t code);

// "Finding in: ./sub/a.txt" / "Replacing in: ./sub/a.txt".
std::string CurrentFileStatus(bool replaceMode, const std::string& folder, const std::string& path);

// "Found 3 files."
std::string FoundFilesStatus(std::int64_t rows);

// The module's name and its start button's label when idle.
inline const char* ModuleName(bool replaceMode) { return replaceMode ? "Find And Replace" : "Find"; }
inline const char* StartLabel(bool replaceMode) { return replaceMode ? "&Replace..." : "&Find"; }

}  // namespace qv::findreplace
