// quorvel: the desktop application.
#include <QApplication>
#include <QTimer>

#include "app/CrashHandler.h"
#include "app/LaunchParameters.h"
#include "app/MainWindowDlg.h"
#include "app/Version.h"
#include "settings/Settings.h"
#include "ui/Desktop.h"
#include "ui/Icons.h"

int main(int argc, char** argv) {
  // The settings object exists before anything else runs, so the crash handler can export it.
  CSettings& settings = CSettings::Instance();
  const std::string version = QuorvelVersion();
  CCrashHandler::Install(version, [&settings] { return settings.SettingsText(); });

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorvel"));
  QApplication::setOrganizationName(QStringLiteral("Ambrel"));
  QApplication::setApplicationVersion(QString::fromStdString(version));
  QApplication::setDesktopFileName(QStringLiteral("quorvel"));
  qv::ui::EnsureIconTheme();

  if (const std::string report = CCrashHandler::TakeLastReport(); !report.empty())
    qv::ui::ShowMessage(nullptr,
                        QStringLiteral("Quorvel ended unexpectedly the last time it ran.\nA crash report was saved to:\n%1")
                            .arg(QString::fromStdString(report)),
                        qv::ui::MessageIcon::Information);

  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  CMainWindowDlg window(settings, ApplyStartParameters(ParseCommandLine(args)));
  if (!window.Initialise()) return 0;
  window.show();
  QTimer::singleShot(0, &window, [&window] { window.ShowFirstRunIfDue(); });
  return app.exec();
}
