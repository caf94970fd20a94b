#pragma once
// What the File Renamer tells the user after a run, in this order: the script error, the missing
// numbering, the error list (whenever it has rows), the files that existed.
//
//   if (flags & RENAME_SCRIPT_ERROR) warn(kRenameScriptErrorText);
//   if (flags & RENAME_NO_NUMBERING) warn(kRenameNoNumberingText);
//   if (!task.errors.empty()) showList(kRenameErrorHeading, kRenameErrorSubheading, task.errors);
//   if ((flags & RENAME_FILES_EXISTED) && showWarning) warn(kRenameFilesExistedText);

inline constexpr const char* kRenameScriptErrorText =
    "There was an error while running the rename script.\nCheck the different actions in your script.";
inline constexpr const char* kRenameNoNumberingText =
    "A non-existing filename could not be created, because the rename script does not contain any numbering "
    "which could be incremented.\nYou can use the \"Format\" script-item to add a numbering-action to the script.";
inline constexpr const char* kRenameErrorHeading = "File Renamer: Error";
inline constexpr const char* kRenameErrorSubheading = "There was an error while renaming the files in the list below.";
inline constexpr const char* kRenameFilesExistedText =
    "While renaming, some files already existed.\nThe renamer simply incremented the file number until a file number "
    "was found that didn't exist.";
