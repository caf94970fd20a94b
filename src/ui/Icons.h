#pragma once
// The program's icons by their resource number (the module bar, banners, message boxes), taken
// from the desktop's icon theme, with a drawn fallback when the theme has none.
//
//   button->setIcon(qv::ui::ResourceIcon(157));   // the Find icon
#include <QIcon>

namespace qv::ui {

// 128 program, 157 find, 161 replace, 162 rename, 176 list printer, 210 compare, 211 touch,
// 212 folder size, 229 line counter, 218 question, 219 warning, 225 information.
QIcon ResourceIcon(int id);

// Picks a usable icon theme when the platform names none (offscreen, bare window managers).
void EnsureIconTheme();

}  // namespace qv::ui
