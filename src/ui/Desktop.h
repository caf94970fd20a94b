#pragma once
// The few places where Quorvel hands something to the desktop or waits for the user: opening
// URLs and help topics, running a modal dialog, showing a short message. Tests replace the hooks
// so that nothing is launched and every box is answered without a person.
//
//   qv::ui::OpenHelpTopic("Find.htm");
//   if (qv::ui::ShowMessage(this, "Cannot close Quorvel while a task is running.") ...
//   qv::ui::SetModalHook([](QDialog& d) { return IDYES; });   // in a test
#include <functional>
#include <string>

#include <QString>
#include <QUrl>

class QDialog;
class QWidget;

// Results of the program's dialogs.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

namespace qv::ui {

enum class MessageIcon { None, Exclamation, Information, Question };

// Opens a URL with the user's default application (xdg-open); false when nothing could.
bool OpenUrl(const QUrl& url);
using UrlHook = std::function<bool(const QUrl&)>;
void SetUrlHook(UrlHook hook);  // empty: the desktop's own handler

// The folder that holds the installed help pages.
QString HelpFolder();
// Opens a help topic ("Find.htm") in the default browser; on failure tells the user
// "Unable to display the helpfile %s." with the help page's path.
void OpenHelpTopic(const QString& topic, QWidget* parent = nullptr);

// Runs `dialog` modally and returns its result (IDOK, IDYES, IDNO ...).
int RunModal(QDialog& dialog);
// Tests answer dialogs here; the hook may read and change the dialog before "pressing" a result.
using ModalHook = std::function<int(QDialog&)>;
void SetModalHook(ModalHook hook);

// A plain message box captioned "Quorvel" with an OK button (or Yes and No).
int ShowMessage(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::Exclamation,
                bool yesNo = false);
inline int ShowMessage(QWidget* parent, const std::string& text,
                       MessageIcon icon = MessageIcon::Exclamation, bool yesNo = false) {
  return ShowMessage(parent, QString::fromStdString(text), icon, yesNo);
}

}  // namespace qv::ui
