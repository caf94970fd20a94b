#pragma once
// The menu under the ">" button next to a search text: escape characters, and with a regular
// expression the "&Regular Expression" submenu. The chosen token replaces the field's selection.
//
//   connect(button, &QPushButton::clicked, [=] {
//     CPatternMenu::InsertToken(field, CPatternMenu::Choose(button, regexBox->isChecked()));
//   });
#include <string>
#include <string_view>

class QLineEdit;
class QMenu;
class QWidget;

class CPatternMenu {
 public:
  // Builds the menu; each action's data is the token it inserts.
  static void Fill(QMenu& menu, bool withRegex);
  // Opens the menu at the button's lower left corner; the token, or "" when dismissed.
  static std::string Choose(QWidget* button, bool withRegex);
  // Replaces the selection of `field` by `token`, caret after it, focus on the field. An empty
  // token changes nothing.
  static void InsertToken(QLineEdit* field, std::string_view token);
};
