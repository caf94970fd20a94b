#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "ui/Desktop.h"
#include "ui/MyMessageBoxDlg.h"
#include "ui/MyMessageBoxWithListboxDlg.h"
#include "ui/WarningDlg.h"

namespace {
// Presses a key or a button in the next modal dialog once it is on screen.
void WhenShown(std::function<void(QDialog&)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}
QPushButton* ButtonNamed(QDialog& d, const QString& text) {
  for (auto* b : d.findChildren<QPushButton*>())
    if (b->text() == text && b->isVisible()) return b;
  return nullptr;
}
void PressEscape(QDialog& d) {
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&d, &esc);
}
}  // namespace

TEST(MyMessageBoxDlg, ButtonsAndResults) {
  struct Case {
    int buttons;
    QString press;  // empty: Escape
    bool closable;
    int expected;
  } cases[] = {
      {CMyMessageBoxDlg::kYesNo, "&Yes", true, IDYES},
      {CMyMessageBoxDlg::kYesNo, "&No", true, IDNO},
      {CMyMessageBoxDlg::kYesNo, "", true, IDNO},
      {CMyMessageBoxDlg::kOk, "OK", true, IDOK},
      {CMyMessageBoxDlg::kOk, "", true, IDOK},
      // Not closable: Escape does nothing, so the dialog is still open for the Yes press.
      {CMyMessageBoxDlg::kYesNo, "", false, IDYES},
  };
  for (const auto& c : cases) {
    CMyMessageBoxDlg box;
    box.SetButtons(c.buttons);
    box.SetClosable(c.closable);
    box.SetText("<B>Question</B>");
    WhenShown([&c](QDialog& d) {
      if (c.press.isEmpty()) {
        PressEscape(d);
        if (!c.closable) {
          ASSERT_TRUE(d.isVisible());
          ButtonNamed(d, "&Yes")->click();
        }
      } else {
        ASSERT_NE(ButtonNamed(d, c.press), nullptr) << c.press.toStdString();
        ButtonNamed(d, c.press)->click();
      }
    });
    EXPECT_EQ(box.DoModal(), c.expected) << c.press.toStdString();
  }
}

TEST(MyMessageBoxDlg, HelpButtonAndCheckBoxOnlyWhenAsked) {
  for (bool withHelp : {false, true}) {
    CMyMessageBoxDlg box;
    box.SetShowCheckBox(withHelp);
    if (withHelp) box.SetHelpTopic("Find.htm");
    bool helpShown = true, checkShown = true;
    WhenShown([&](QDialog& d) {
      helpShown = ButtonNamed(d, "&Help") != nullptr;
      checkShown = d.findChild<QCheckBox*>()->isVisible();
      d.findChild<QCheckBox*>()->setChecked(false);
      ButtonNamed(d, "OK")->click();
    });
    box.DoModal();
    EXPECT_EQ(helpShown, withHelp);
    EXPECT_EQ(checkShown, withHelp);
    EXPECT_FALSE(box.CheckValue());
  }
}

TEST(MyMessageBoxDlg, BodyGrowsWithItsText) {
  auto heightFor = [](const std::string& text) {
    CMyMessageBoxDlg box;
    box.SetText(text);
    int h = 0;
    WhenShown([&h](QDialog& d) {
      h = d.height();
      d.reject();
    });
    box.DoModal();
    return h;
  };
  EXPECT_GT(heightFor("one\ntwo\nthree\nfour\nfive\nsix"), heightFor("one"));
}

TEST(WarningDlg, DefaultsAndAnswers) {
  CWarningDlg warn;
  EXPECT_EQ(warn.windowTitle(), "Warning");
  EXPECT_FALSE(warn.CheckValue());
  warn.SetYesNo(true);
  warn.SetText("Are you sure you do not want to keep backup files?");
  WhenShown([](QDialog& d) {
    d.findChild<QCheckBox*>()->setChecked(true);
    EXPECT_EQ(d.findChild<QCheckBox*>()->text(), "&Don't display this warning again.");
    PressEscape(d);
  });
  EXPECT_EQ(warn.DoModal(), IDNO);
  EXPECT_TRUE(warn.CheckValue());
}

TEST(MyMessageBoxWithListboxDlg, LastAddedFirst) {
  CMyMessageBoxWithListboxDlg box;
  box.AddItem("a.txt", "first");
  box.AddItem("b.txt", "second");
  ASSERT_EQ(box.Items().size(), 2);
  EXPECT_EQ(box.Items()[0].first, "b.txt");
  EXPECT_EQ(box.Items()[1].second, "first");
  EXPECT_GE(box.minimumWidth(), 200);
}

TEST(Desktop, MissingHelpTopicIsReported) {
  QString shown;
  qv::ui::SetModalHook([&shown](QDialog& d) {
    if (auto* box = qobject_cast<QMessageBox*>(&d)) shown = box->text();
    return IDOK;
  });
  qv::ui::OpenHelpTopic("No_Such_Topic.htm");
  qv::ui::SetModalHook({});
  EXPECT_TRUE(shown.startsWith("Unable to display the helpfile ")) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("No_Such_Topic.htm.")) << shown.toStdString();
}
