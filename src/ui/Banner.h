#pragma once
// The white strip at the top of Quorvel's dialogs: a 48 x 48 icon, a bold heading and a second
// line below it.
//
//   layout->addWidget(new CBanner(qv::ui::ResourceIcon(161), "Find And Replace", "Summary ...", this));
#include <QIcon>
#include <QWidget>

class QLabel;

class CBanner : public QWidget {
  Q_OBJECT
 public:
  CBanner(const QIcon& icon, const QString& heading, const QString& subHeading, QWidget* parent = nullptr);
  void SetIcon(const QIcon& icon);
  void SetHeading(const QString& heading);
  void SetSubHeading(const QString& subHeading);
  QString Heading() const;
  QString SubHeading() const;

 private:
  QLabel* icon_;
  QLabel* heading_;
  QLabel* subHeading_;
};
