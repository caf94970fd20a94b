#pragma once
// The nine modules in the order of the module bar, the "&Tools" menu and Ctrl+1 ... Ctrl+9.
//
//   for (const ModuleInfo& m : kModules) menu->addAction(m.menuText);
#include <array>

struct ModuleInfo {
  const char* name;       // "Find"
  int icon;               // resource icon number (ui/Icons.h)
  const char* menuText;   // "&Find" (the shortcut is added by the menu)
  int commandId;
  const char* helpTopic;  // "Find.htm"
  const char* toolTip;    // with %i for the shortcut digit
  const char* statusTip;  // the menu item's prompt in the status line
};

inline constexpr int kModuleCount = 9;
inline constexpr int kQuickFileTouch = 9;
inline constexpr int kQuickFileListPrint = 10;
inline constexpr int kCommandRefresh = 32781;    // F5
inline constexpr int kCommandSelectAll = 32773;  // Ctrl+A

inline constexpr std::array<ModuleInfo, kModuleCount> kModules{{
    {"Find", 157, "&Find", 192, "Find.htm",
     "Find files with a filename query and/or find files which contains a certain string inside the file.\n\n(Shortcut: Ctrl+%i)",
     "Find files by name and by the text they contain"},
    {"Find And Replace", 161, "Find &And Replace", 193, "Find_And_Replace.htm",
     "Find files with a filename query and replace a specific string inside the file with another string.\n\n(Shortcut: Ctrl+%i)",
     "Replace a text inside files, keeping backups"},
    {"Advanced Find And Replace", 161, "A&dvanced Find And Replace", 202, "Advanced_Find_And_Replace.htm",
     "Execute an Advanced Find And Replace script on the contents of certain files.\n\n(Shortcut: Ctrl+%i)",
     "Run a script of find and replace rules over files"},
    {"File Renamer", 162, "File &Renamer", 194, "Rename.htm",
     "Rename files according to a user editable rename script.\n\n(Shortcut: Ctrl+%i)",
     "Rename files with a rename script"},
    {"File Toucher", 211, "File &Toucher", 32801, "Toucher.htm",
     "Change the creation-, modified- and last accessed date and attributes of files.\n\n(Shortcut: Ctrl+%i)",
     "Change the dates and attributes of files"},
    {"File List Printer", 176, "File List &Printer", 195, "FileListPrint.htm",
     "Print a list of files/folders.\nThe format of the list can be specified.\nYou can send the resulting list to a text file, the clipboard, a printer or an HTML file.\n\n(Shortcut: Ctrl+%i)",
     "Print a list of files and folders"},
    {"Folder Size Lister", 212, "Folder &Size Lister", 32804, "FolderSizeLister.htm",
     "Show the size of folders.\n\n(Shortcut: Ctrl+%i)", "Show the size of folders"},
    {"File Comparer", 210, "File &Comparer", 196, "Comparer.htm",
     "Compare several files to see if they are different or not. This can be done recursively if you want.\n\n(Shortcut: Ctrl+%i)",
     "Compare files or folder trees byte by byte"},
    {"File Line Counter", 229, "File &Line Counter", 32844, "LineCounter.htm",
     "Count the number of lines in your files. This can be done recursively if you want.\n\n(Shortcut: Ctrl+%i)",
     "Count the lines of files"},
}};
