#pragma once
// A one-line link: blue text that shows the hand cursor while the mouse is over the text and
// emits clicked() when the left button is released there. The parent decides what a click does.
//
//   auto* mail = new CHyperlinkStatic(QStringLiteral("quorvel@example.org"), this);
//   connect(mail, &CHyperlinkStatic::clicked, this, [] { OpenUrl(mailto); });
#include <QWidget>

class CHyperlinkStatic : public QWidget {
  Q_OBJECT
 public:
  explicit CHyperlinkStatic(QString text = {}, QWidget* parent = nullptr);
  void SetText(const QString& text);
  QString Text() const { return text_; }
  QSize sizeHint() const override;

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString text_;
  QRect textRect_;
};
