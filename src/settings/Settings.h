#pragma once
// The settings store: every option, every module's last inputs, the five text histories and the
// change signals, kept in memory and read from / written to the user's profile
// ($XDG_CONFIG_HOME/Ambrel/Quorvel.ini).
//
//   CSettings& s = CSettings::Instance();
//   s.Load();                                   // once, when the main window starts
//   s.UseTrueRegexpFiltersChanged.connect([&](int on) { ReapplyFilter(on); });
//   s.SetFindFolder("/home/u/src");
//   s.AddToHistory(History::Filter, "*.cpp;*.h");
//   s.Save();                                   // once, when the main window closes
//
// All users are on the UI thread; workers get copies of the values they need. Values of section
// "General" live in memory between Load and Save; only DoNotAddQVToShellContextMenus (which the
// file-manager menus read) and the direct values (ShownFirstRunForVersion, window placements)
// reach the profile at once.
#include <boost/signals2/signal.hpp>
#include <cstdint>
#include <functional>
#include <utility>
#include <string>
#include <variant>
#include <vector>

// Every entry of section "General", in the order the profile and the export file list them.
// X(Type, Name, Default): Type is INT (int), TEXT (std::string) or BINARY (Bytes, default none).
#define QV_SETTINGS_ENTRIES(INT, TEXT, BINARY)  \
  INT(FindRecursively, 0)                       \
  INT(FindMatchCase, 0)                         \
  TEXT(FindFolder, "")                          \
  TEXT(FindFilter, "")                          \
  INT(FindUseRegExpFind, 0)                     \
  INT(FindTreatFilesAsUnicode, 0)               \
  INT(ReplaceRecursively, 0)                    \
  INT(ReplaceMatchCase, 0)                      \
  INT(ReplaceKeepBackupFiles, 1)                \
  TEXT(ReplaceFolder, "")                       \
  TEXT(ReplaceFilter, "")                       \
  INT(ReplaceUseRegExpFind, 0)                  \
  INT(ReplaceTreatFilesAsUnicode, 0)            \
  INT(AFRRecursively, 0)                        \
  INT(AFRRunReplaceScriptOnClipboard, 0)        \
  TEXT(AFRFolder, "")                           \
  TEXT(AFRFilter, "")                           \
  INT(AFRKeepBackupFiles, 1)                    \
  INT(AFRTreatFilesAsUnicode, 0)                \
  INT(RenameDoNotChangeExtension, 1)            \
  INT(RenamePreviewVisible, 0)                  \
  BINARY(RenameFolderPIDL)                      \
  TEXT(RenameFilter, "")                        \
  INT(ToucherChangeToCurrentDate, 1)            \
  BINARY(ToucherFolderPIDL)                     \
  TEXT(ToucherFilter, "")                       \
  INT(ToucherRecursive, 0)                      \
  TEXT(ToucherSubfolderFilesFilter, "")         \
  INT(PrintRecursively, 0)                      \
  INT(PrintTotalFilesizePerFolder, 1)           \
  INT(PrintTotalFilesize, 1)                    \
  INT(PrintTo, 0)                               \
  INT(PrintHeader, 1)                           \
  TEXT(PrintFolder, "")                         \
  TEXT(PrintFilter, "")                         \
  INT(PrintFontSize, -1)                        \
  TEXT(PrintHtmlPropsFilename, "")              \
  TEXT(PrintHtmlPropsPresetName, "")            \
  INT(PrintWriteUnicodeTxtFiles, 1)             \
  INT(FolderSizeListerSizeFormat, 0)            \
  BINARY(FolderSizeListerFolderPIDL)            \
  INT(ComparerRecursively, 0)                   \
  INT(ComparerShowIdenticalFiles, 1)            \
  INT(ComparerCompareTwoFiles, 0)               \
  TEXT(ComparerFolder, "")                      \
  TEXT(ComparerFilter, "")                      \
  TEXT(ComparerWithFolder, "")                  \
  TEXT(ComparerWithFilter, "")                  \
  INT(LineCounterRecursively, 0)                \
  TEXT(LineCounterFolder, "")                   \
  TEXT(LineCounterFilter, "")                   \
  TEXT(CurrFolder, "")                          \
  INT(DisableFileCounting, 0)                   \
  TEXT(BackupFolder, ".")                       \
  INT(ShowOutlookBarToolTips, 1)                \
  INT(UseTrueRegexpFilters, 0)                  \
  INT(UseDOSStarDotStarBehaviour, 1)            \
  INT(DoNotAddQVToShellContextMenus, 0)         \
  INT(ShowSmallOutlookBarIcons, 0)              \
  INT(ReplaceInSparseFiles, 0)                  \
  INT(ShowWarningDeleteHistoryAll, 1)           \
  INT(ShowWarningDeleteHistoryFilter, 1)        \
  INT(ShowWarningDeleteHistoryFindText, 1)      \
  INT(ShowWarningDeleteHistoryReplaceText, 1)   \
  INT(ShowWarningDeleteHistoryFilenameFormat, 1) \
  INT(ShowWarningAutoFill, 1)                   \
  INT(ShowWarningReplace, 1)                    \
  INT(ShowWarningRenameFilesExisted, 1)         \
  INT(ShowWarningUncheckKeepBackupFiles, 1)     \
  INT(ShowWarningRenameScriptChanged, 1)        \
  INT(ShowWarningAFRScriptChanged, 1)           \
  INT(ShowWarningAFR, 1)                        \
  INT(ShowWarningFileCounting, 1)               \
  INT(ShowWarningCheckTreatAsUnicode, 1)

// Bytes of a binary value (a folder identifier list, a window placement).
using Bytes = std::vector<std::uint8_t>;

// Identifies an entry of section "General" (same names as the entries).
enum class SettingId {
#define QV_SETTING_ID(name, ...) name,
  QV_SETTINGS_ENTRIES(QV_SETTING_ID, QV_SETTING_ID, QV_SETTING_ID)
#undef QV_SETTING_ID
      Count_
};

// The five histories, each a list of texts, oldest first.
enum class History { Filter, FindText, ReplaceText, FilenameFormat, PrintFormat };
inline constexpr int kHistoryCount = 5;
// Profile section of a history: "HistFilter", "HistFindText", "HistReplaceText",
// "HistFilenameFormat", "HistPrintFormat".
const char* HistorySection(History list);

// A history holds at most this many texts (the oldest goes when a new one comes).
inline constexpr std::size_t kHistoryMaxEntries = 101;

// The message of a failed export (formatted with the path).
inline constexpr const char* kExportWriteError = "There was an error writing to the following file:\n%s";

class CSettings {
 public:
  using Value = std::variant<int, std::string, Bytes>;

  // The process-wide object, created on first use with the user's profile path.
  static CSettings& Instance();
  // $XDG_CONFIG_HOME/Ambrel/Quorvel.ini (~/.config/Ambrel/Quorvel.ini when XDG_CONFIG_HOME is unset).
  static std::string DefaultProfilePath();

  // An object holding the defaults (no signal fires), bound to `profilePath`.
  explicit CSettings(std::string profilePath = DefaultProfilePath());
  CSettings(const CSettings&) = delete;
  CSettings& operator=(const CSettings&) = delete;

  const std::string& ProfilePath() const { return profilePath_; }

  // ---- The profile ---------------------------------------------------------------------------
  // Reads the five histories (adding to what they hold), then every entry with its default for a
  // missing key; each of the five value signals fires right after its value is read. A profile
  // that cannot be read or parsed is moved aside to "Quorvel.ini.corrupt" (said once on standard
  // error) and the defaults stay; returns false then, and LoadProblem() holds the text.
  bool Load();
  // Writes the five histories and every entry into the profile, keeping its other sections and
  // keys, atomically. False (with `error` set) when the file could not be written.
  bool Save(std::string* error = nullptr);
  // Every entry back to its default, firing the signals of values that change. Histories stay.
  void RestoreDefaults();
  // The text of the last Load's problem ("" after a clean Load), for the main window's status line.
  const std::string& LoadProblem() const { return loadProblem_; }

  // ---- Export and import (the settings file of the options dialog) -----------------------------
  // Writes the header lines, the history sections and section "General" to `path` with CR LF line
  // ends, atomically. On failure returns false with `error` = kExportWriteError formatted with the
  // path; nothing is left at `path` (an existing file there stays as it was).
  bool ExportSettings(const std::string& path, std::string* error = nullptr);
  // Reads `path` (LF or CR LF) like Load: missing keys take their defaults, the signals fire, the
  // history sections are added to the histories (then HistoriesChanged fires). Lines it does not
  // understand are skipped; a file without a "General" section imports every value as its default
  // (`hadSettings` tells the caller). False with `error` set, and nothing changed, when `path`
  // cannot be read.
  bool ImportSettings(const std::string& path, std::string* error = nullptr, bool* hadSettings = nullptr);
  // The text ExportSettings writes after its header (histories, then "General"), with `lineEnd`.
  std::string SettingsText(const std::string& lineEnd = "\r\n") const;

  // ---- Histories -----------------------------------------------------------------------------
  const std::vector<std::string>& HistoryEntries(History list) const;
  // Removes the first exact (case-sensitive) equal entry, drops the oldest while more than 100
  // remain, and appends `text` as the newest. No signal fires.
  void AddToHistory(History list, const std::string& text);
  // Empties one history, or all of them; HistoriesChanged fires afterwards.
  void DeleteHistory(History list);
  void DeleteAllHistories();

  // ---- Change signals ------------------------------------------------------------------------
  // Fired after a history was deleted (and after an import brought history entries).
  boost::signals2::signal<void()> HistoriesChanged;
  // Each fires with the new value when a setter or RestoreDefaults changes it, and once during
  // every Load/ImportSettings right after the value is read (whatever it is).
  boost::signals2::signal<void(int)> FolderSizeListerSizeFormatChanged;
  boost::signals2::signal<void(int)> ShowOutlookBarToolTipsChanged;
  boost::signals2::signal<void(int)> UseTrueRegexpFiltersChanged;
  // The settings object itself writes the value to the user's profile at once when this fires.
  boost::signals2::signal<void(int)> DoNotAddQVToShellContextMenusChanged;
  boost::signals2::signal<void(int)> ShowSmallOutlookBarIconsChanged;

  // ---- Status sink ---------------------------------------------------------------------------
  // The main window's status line; texts go nowhere while it is unset.
  void SetStatusSink(std::function<void(const std::string&)> sink) { statusSink_ = std::move(sink); }
  // Sends "Module "<name>" has started" / "Module "<name>" has finished" to the sink.
  void NotifyModuleStarted(const std::string& moduleName);
  void NotifyModuleFinished(const std::string& moduleName);

  // ---- Getters and setters, one pair per entry -------------------------------------------------
  // int:    int FindRecursively() const;            void SetFindRecursively(int);
  // text:   const std::string& FindFolder() const;  void SetFindFolder(const std::string&);
  // binary: const Bytes& RenameFolderPIDL() const;  bool SetRenameFolderPIDL(const Bytes&);
  // A binary folder value is a folder identifier list (FolderIdList.h); a malformed one is refused
  // (the setter returns false and the folder is not set); an empty one means "not set".
  // SetBackupFolder normalises: "" becomes ".", and anything but "." ending in neither "/" nor "\"
  // gets "/" appended.
#define QV_DECLARE_INT(name, def)                           \
  int name() const { return std::get<int>(Get(SettingId::name)); } \
  void Set##name(int v) { SetValue(SettingId::name, Value(v)); }
#define QV_DECLARE_TEXT(name, def)                                                   \
  const std::string& name() const { return std::get<std::string>(Get(SettingId::name)); } \
  void Set##name(const std::string& v) { SetValue(SettingId::name, Value(v)); }
#define QV_DECLARE_BINARY(name)                                                 \
  const Bytes& name() const { return std::get<Bytes>(Get(SettingId::name)); } \
  bool Set##name(const Bytes& v) { return SetValue(SettingId::name, Value(v)); }
  QV_SETTINGS_ENTRIES(QV_DECLARE_INT, QV_DECLARE_TEXT, QV_DECLARE_BINARY)
#undef QV_DECLARE_INT
#undef QV_DECLARE_TEXT
#undef QV_DECLARE_BINARY

  // The folder of a binary folder value as a path ("" when not set), and the setter from a path
  // (an empty or relative path clears it).
  std::string FolderOf(SettingId folderValue) const;
  void SetFolder(SettingId folderValue, const std::string& absolutePath);

  // Generic access by id, as the setters above (same normalisation, validation and signals).
  const Value& Get(SettingId id) const { return values_[static_cast<std::size_t>(id)]; }
  bool SetValue(SettingId id, Value v);
  // Entry name ("FindRecursively") and default of an id.
  static const char* Name(SettingId id);
  static const Value& Default(SettingId id);

  // ---- Values read and written directly in the profile (not kept in the object) ----------------
  // General/ShownFirstRunForVersion, "0.0" when missing.
  std::string ReadShownFirstRunForVersion() const;
  bool WriteShownFirstRunForVersion(const std::string& version);
  // WndPos/<name> (MainWnd, OptionsDlg, HtmlViewerDlg, HtmlPropertiesDlg, RenamePreviewDlg,
  // AfrNewRuleDlg): the window's saved geometry bytes; empty when missing or malformed.
  Bytes ReadWindowPlacement(const std::string& name) const;
  bool WriteWindowPlacement(const std::string& name, const Bytes& geometry);

 private:
  void FireValueSignal(SettingId id);

  std::string profilePath_;
  std::vector<Value> values_;
  std::vector<std::string> histories_[kHistoryCount];
  std::function<void(const std::string&)> statusSink_;
  std::string loadProblem_;
  // Set when a damaged profile could not be moved aside: Save must not replace it.
  bool keepDamagedProfile_ = false;
};
