#pragma once
// The folder field of the pages that show a folder's items. "/" is the separator on Linux, so
// every key is accepted and pasted text is kept as it is; the field completes subfolders.
//
//   auto* folder = new CPathEditControl(this);
#include "ui/ACEdit.h"

class CPathEditControl : public CACEdit {
  Q_OBJECT
 public:
  explicit CPathEditControl(QWidget* parent = nullptr) : CACEdit(parent) {
    SetFolderMode(true);
    SetDropMode(DropMode::Folder);
  }
};
