#include "ui/PatternMenu.h"

#include <QLineEdit>
#include <QMenu>

#include "core/PatternMenu.h"

namespace {
QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
}  // namespace

void CPatternMenu::Fill(QMenu& menu, bool withRegex) {
  for (const auto& item : kEscapeMenuItems) {
    // "&" would become a mnemonic; none of these labels holds one.
    QAction* a = menu.addAction(Q(item.label) + QLatin1Char('\t') + Q(item.hint));
    a->setData(Q(item.inserts));
  }
  if (!withRegex) return;
  QMenu* sub = menu.addMenu(Q(kRegexSubmenuTitle));
  for (const auto& item : kRegexMenuItems) {
    QString label = Q(item.label);
    label.replace(QLatin1Char('&'), QLatin1String("&&"));
    QAction* a = sub->addAction(label);
    a->setData(Q(item.inserts));
  }
}

std::string CPatternMenu::Choose(QWidget* button, bool withRegex) {
  QMenu menu(button);
  Fill(menu, withRegex);
  QAction* chosen = menu.exec(button->mapToGlobal(button->rect().bottomLeft()));
  return chosen ? chosen->data().toString().toStdString() : std::string();
}

void CPatternMenu::InsertToken(QLineEdit* field, std::string_view token) {
  if (token.empty() || !field) return;
  field->insert(Q(token));
  field->setFocus();
}
