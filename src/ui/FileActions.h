#pragma once
// What a result list offers for its files, done the Linux desktop's way: open with the default
// application, show the file in the user's file manager, and Quorvel's own context menu (Open,
// Open With..., Open Containing Folder, Copy Path, Move to Trash, Delete...).
//
//   qv::ui::OpenWithDefault("/data/a.txt");
//   qv::ui::ShowFileContextMenu(list, {"/data/a.txt", "/data/b.txt"}, QCursor::pos());
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace qv::ui {

void OpenWithDefault(const std::string& path);
// Opens a folder in the file manager.
void ExploreFolder(const std::string& folder);
// Shows the file selected in the file manager (org.freedesktop.FileManager1.ShowItems), or opens
// its folder when no file manager answers.
void OpenContainingFolder(const std::string& path);

// True when every path can be opened for reading.
bool AllReadable(const std::vector<std::string>& paths);

inline constexpr const char* kContextMenuMissingFiles =
    "Cannot display context menu, because not all selected files exist!";

// Quorvel's menu for the given files at a screen position; returns once the chosen action is
// done. When a file cannot be read the menu is not shown; the user is told instead.
void ShowFileContextMenu(QWidget* parent, const std::vector<std::string>& paths, const QPoint& globalPos);
// Tests pick the menu's action here (nullptr: dismissed).
using MenuHook = std::function<QAction*(QMenu&)>;
void SetMenuHook(MenuHook hook);

}  // namespace qv::ui
