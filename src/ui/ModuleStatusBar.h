#pragma once
// The status strip along the bottom of every module page: the page's status text on the left,
// "Learn more about this module..." on the right; a click anywhere on it asks for the module's
// help topic.
//
//   status_ = new CModuleStatusBar(this);
//   status_->SetText("Found 3 files.");
//   connect(status_, &CModuleStatusBar::helpRequested, this, &Page::ShowHelp);
#include <QWidget>

class CModuleStatusBar : public QWidget {
  Q_OBJECT
 public:
  explicit CModuleStatusBar(QWidget* parent = nullptr);
  void SetText(const QString& text);
  QString Text() const { return text_; }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  static inline const QString kLinkText = QStringLiteral("Learn more about this module...");

 signals:
  void helpRequested();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString text_;
};
