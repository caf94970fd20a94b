#pragma once
// Quorvel's fatal-signal handler. On SIGSEGV, SIGBUS, SIGILL, SIGFPE or SIGABRT it writes a crash
// report (title, signal, backtrace, then the settings as the export file writes them) into a new
// file of the temporary folder, created exclusively with mode 0600, and notes its path so that
// the next start can tell the user where it is.
//
//   CCrashHandler::Install("0.1.0", [] { return CSettings::Instance().SettingsText(); });
//   if (auto report = CCrashHandler::TakeLastReport(); !report.empty()) tell the user;
#include <functional>
#include <string>

class CCrashHandler {
 public:
  // `settingsText` is called from the handler after the backtrace is safely written; it may fail.
  static void Install(const std::string& version, std::function<std::string()> settingsText);
  // The report left by a crash of an earlier run ("" when none); the note is removed.
  static std::string TakeLastReport();
  // Where the note of the last report is kept ($XDG_CACHE_HOME/quorvel/last-crash).
  static std::string NotePath();
  // $TMPDIR, else /tmp.
  static std::string TempFolder();
  // Writes a report for `signal` now (what the handler does), returns its path or "".
  static std::string WriteReport(int signal);
};
