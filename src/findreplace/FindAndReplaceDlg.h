#pragma once
// The page of the Find module (find mode) and of the Find And Replace module (replace mode):
// folder, filter, find and replace texts with their switches; the start button runs a
// CFindAndReplaceTask and the result list shows what it finds.
//
//   auto* find = new CFindAndReplaceDlg(CFindAndReplaceDlg::Mode::Find, CSettings::Instance(), parent);
//   find->LoadFromSettings();
#include <boost/signals2/connection.hpp>

#include "ui/ChildDialog.h"

class CACEdit;
class CPathEditControl;
class CResultListModel;
class CResultListView;
class QCheckBox;
class QLabel;
class QPushButton;

class CFindAndReplaceDlg : public CChildDialog {
  Q_OBJECT
 public:
  enum class Mode { Find, Replace };

  CFindAndReplaceDlg(Mode mode, CSettings& settings, QWidget* parent = nullptr);
  ~CFindAndReplaceDlg() override;

  void LoadFromSettings() override;
  void RecalcLayout() override;
  void SetInitialFocus() override;
  void SetFolder(const std::string& folder) override;
  void SetFilter(const std::string& filter) override;
  void SaveToSettings() override;
  std::string GetModuleName() const override;

  bool ReplaceMode() const { return mode_ == Mode::Replace; }

  // The controls, for the main window's tests and for screenshots.
  CACEdit* FolderEdit() const;
  CACEdit* FilterEdit() const { return filter_; }
  CACEdit* FindEdit() const { return find_; }
  CACEdit* ReplaceEdit() const { return replace_; }
  QCheckBox* RecursiveBox() const { return recursive_; }
  QCheckBox* MatchCaseBox() const { return matchCase_; }
  QCheckBox* RegexBox() const { return regex_; }
  QCheckBox* KeepBackupsBox() const { return keepBackups_; }
  QPushButton* StartButton() const { return start_; }
  CResultListModel* Results() const { return model_; }
  CResultListView* ResultList() const { return list_; }

  // The start button: starts a run, or cancels the one in progress.
  void OnStart();

 protected:
  void OnTaskMessage(const TaskMessage& message) override;
  void EndBatch() override;
  void OnTaskFinished(std::int64_t code) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildControls();
  void UpdateStartButton();
  void EnableInputs(bool on);
  void RefreshHistories();
  void OnKeepBackupsClicked(bool checked);
  void OnChooseFolder();
  void OnChooseFile();
  void OnPatternMenu(CACEdit* field, QPushButton* button, bool regexMenu);
  void OnOpenRow(int row);
  void OnContextMenu(const std::vector<int>& rows, const QPoint& globalPos);

  int Recursive() const;
  int MatchCase() const;
  int RegexFind() const;

  Mode mode_;
  CPathEditControl* folder_ = nullptr;
  QPushButton* folderButton_ = nullptr;
  CACEdit* filter_ = nullptr;
  QPushButton* fileButton_ = nullptr;
  CACEdit* find_ = nullptr;
  QPushButton* findMenu_ = nullptr;
  QLabel* replaceLabel_ = nullptr;
  CACEdit* replace_ = nullptr;
  QPushButton* replaceMenu_ = nullptr;
  QCheckBox* recursive_ = nullptr;
  QCheckBox* regex_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QCheckBox* keepBackups_ = nullptr;
  QPushButton* start_ = nullptr;
  CResultListModel* model_ = nullptr;
  CResultListView* list_ = nullptr;
  std::string startFolder_;
  boost::signals2::scoped_connection historiesChanged_;
};
