#pragma once
// A label that shows markup text (see Markup.h), wrapped to its width. Disabled, it is drawn
// engraved: once in the light colour one pixel down and right, then in the disabled text colour.
//
//   auto* text = new CFormattedStatic(this);
//   text->SetText("<B>Note:</B> " + qv::ui::EscapeMarkup(folder));
#include <string>

#include <QWidget>

class CFormattedStatic : public QWidget {
  Q_OBJECT
 public:
  explicit CFormattedStatic(QWidget* parent = nullptr);

  void SetText(std::string markup);
  const std::string& Text() const { return text_; }
  // Height the text takes at `width` (no height limit).
  int MeasureHeight(int width) const;

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent*) override;
  void changeEvent(QEvent* event) override;

 private:
  std::string text_;
};
