#include "findreplace/FindAndReplaceDlg.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/DirReader.h"
#include "core/FileFilter.h"
#include "findreplace/FindAndReplaceRules.h"
#include "findreplace/FindAndReplaceTask.h"
#include "settings/Settings.h"
#include "ui/Desktop.h"
#include "ui/FileActions.h"
#include "ui/ModuleStatusBar.h"
#include "ui/MyMessageBoxDlg.h"
#include "ui/PathEditControl.h"
#include "ui/PatternMenu.h"
#include "ui/ProgressArea.h"
#include "ui/ResultListModel.h"
#include "ui/ResultListView.h"
#include "ui/WarningDlg.h"

namespace fr = qv::findreplace;

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
QPushButton* SmallButton(const QString& text, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);
  b->setAutoDefault(false);
  return b;
}
}  // namespace

CFindAndReplaceDlg::CFindAndReplaceDlg(Mode mode, CSettings& settings, QWidget* parent)
    : CChildDialog(settings, parent), mode_(mode) {
  BuildControls();
  historiesChanged_ = settings_.HistoriesChanged.connect([this] { RefreshHistories(); });
}

CFindAndReplaceDlg::~CFindAndReplaceDlg() = default;

CACEdit* CFindAndReplaceDlg::FolderEdit() const { return folder_; }

void CFindAndReplaceDlg::BuildControls() {
  const bool replace = ReplaceMode();
  folder_ = new CPathEditControl(this);
  folderButton_ = SmallButton(QStringLiteral("..."), this);
  folderButton_->setToolTip(QStringLiteral("Select the folder in which you want to find files"));
  recursive_ = new QCheckBox(QStringLiteral("Include &subfolders"), this);
  filter_ = new CACEdit(this);
  filter_->SetDropMode(CACEdit::DropMode::FileName);
  fileButton_ = SmallButton(QStringLiteral("..."), this);
  fileButton_->setToolTip(QStringLiteral("Pick a file: its folder and its name become folder and filter"));
  find_ = new CACEdit(this);
  findMenu_ = SmallButton(QStringLiteral(">"), this);
  findMenu_->setToolTip(QStringLiteral("Insert a special character"));
  replace_ = new CACEdit(this);
  replaceMenu_ = SmallButton(QStringLiteral(">"), this);
  replaceMenu_->setToolTip(findMenu_->toolTip());
  regex_ = new QCheckBox(QStringLiteral("Find Text is a regular expression"), this);
  matchCase_ = new QCheckBox(QStringLiteral("&Match case"), this);
  keepBackups_ = new QCheckBox(QStringLiteral("&Keep backup files"), this);
  start_ = new QPushButton(QString::fromLatin1(fr::StartLabel(replace)), this);
  start_->setDefault(true);
  start_->setIcon(QIcon::fromTheme(replace ? QStringLiteral("edit-find-replace") : QStringLiteral("edit-find")));
  start_->setMinimumWidth(start_->fontMetrics().horizontalAdvance(QStringLiteral("&Replace...")) + 48);

  auto label = [this](const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, this);
    l->setBuddy(buddy);
    return l;
  };
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->addWidget(label(QStringLiteral("F&older:"), folder_), 0, 0);
  grid->addWidget(folder_, 0, 1);
  grid->addWidget(folderButton_, 0, 2);
  grid->addWidget(recursive_, 1, 1);
  grid->addWidget(label(QStringLiteral("F&ilter:"), filter_), 2, 0);
  grid->addWidget(filter_, 2, 1);
  grid->addWidget(fileButton_, 2, 2);
  grid->addWidget(label(QStringLiteral("Fi&nd Text:"), find_), 3, 0);
  grid->addWidget(find_, 3, 1);
  grid->addWidget(findMenu_, 3, 2);
  replaceLabel_ = label(QStringLiteral("R&eplace Text:"), replace_);
  grid->addWidget(replaceLabel_, 4, 0);
  grid->addWidget(replace_, 4, 1);
  grid->addWidget(replaceMenu_, 4, 2);
  grid->setColumnStretch(1, 1);

  auto* switches = new QHBoxLayout;
  switches->addWidget(regex_);
  switches->addSpacing(12);
  switches->addWidget(matchCase_);
  switches->addSpacing(12);
  switches->addWidget(keepBackups_);
  switches->addStretch();
  switches->addWidget(start_);
  grid->addLayout(switches, 5, 1, 1, 2);

  model_ = new CResultListModel(this);
  if (replace)
    model_->SetColumns({QStringLiteral("File"), QStringLiteral("Number Of Replacements"), QStringLiteral("Messages")}, true);
  list_ = new CResultListView(this);
  list_->setModel(model_);
  if (replace) {
    list_->header()->resizeSection(0, 200);
    list_->header()->resizeSection(1, list_->header()->sectionSizeHint(1));
  }
  auto* listLabel = label(QStringLiteral("Result &List:"), list_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 6);
  layout->addLayout(grid);
  layout->addSpacing(4);
  layout->addWidget(listLabel);
  layout->addWidget(list_, 1);
  layout->addWidget(progress_);
  layout->addWidget(status_);

  if (!replace) {
    replaceLabel_->setEnabled(false);
    replace_->setEnabled(false);
    replaceMenu_->setEnabled(false);
    keepBackups_->hide();
  }

  for (CACEdit* field : {static_cast<CACEdit*>(folder_), filter_, find_, replace_})
    connect(field, &QLineEdit::textChanged, this, &CFindAndReplaceDlg::UpdateStartButton);
  connect(start_, &QPushButton::clicked, this, &CFindAndReplaceDlg::OnStart);
  connect(folderButton_, &QPushButton::clicked, this, &CFindAndReplaceDlg::OnChooseFolder);
  connect(fileButton_, &QPushButton::clicked, this, &CFindAndReplaceDlg::OnChooseFile);
  connect(findMenu_, &QPushButton::clicked, this, [this] { OnPatternMenu(find_, findMenu_, regex_->isChecked()); });
  connect(replaceMenu_, &QPushButton::clicked, this, [this] { OnPatternMenu(replace_, replaceMenu_, false); });
  // Each switch is stored the moment it is clicked: the task takes its switches from the settings.
  connect(recursive_, &QCheckBox::clicked, this, [this](bool on) {
    ReplaceMode() ? settings_.SetReplaceRecursively(on) : settings_.SetFindRecursively(on);
  });
  connect(matchCase_, &QCheckBox::clicked, this, [this](bool on) {
    ReplaceMode() ? settings_.SetReplaceMatchCase(on) : settings_.SetFindMatchCase(on);
  });
  connect(regex_, &QCheckBox::clicked, this, [this](bool on) {
    ReplaceMode() ? settings_.SetReplaceUseRegExpFind(on) : settings_.SetFindUseRegExpFind(on);
  });
  connect(keepBackups_, &QCheckBox::clicked, this, &CFindAndReplaceDlg::OnKeepBackupsClicked);
  connect(list_, &CResultListView::openRequested, this, &CFindAndReplaceDlg::OnOpenRow);
  connect(list_, &CResultListView::contextMenuRequested, this, &CFindAndReplaceDlg::OnContextMenu);
  UpdateStartButton();
}

int CFindAndReplaceDlg::Recursive() const {
  return ReplaceMode() ? settings_.ReplaceRecursively() : settings_.FindRecursively();
}
int CFindAndReplaceDlg::MatchCase() const {
  return ReplaceMode() ? settings_.ReplaceMatchCase() : settings_.FindMatchCase();
}
int CFindAndReplaceDlg::RegexFind() const {
  return ReplaceMode() ? settings_.ReplaceUseRegExpFind() : settings_.FindUseRegExpFind();
}

std::string CFindAndReplaceDlg::GetModuleName() const { return fr::ModuleName(ReplaceMode()); }

void CFindAndReplaceDlg::LoadFromSettings() {
  const bool replace = ReplaceMode();
  folder_->SetText(replace ? settings_.ReplaceFolder() : settings_.FindFolder());
  std::string filter = replace ? settings_.ReplaceFilter() : settings_.FindFilter();
  if (filter.empty()) filter = settings_.UseTrueRegexpFilters() ? ".*" : "*";
  filter_->SetText(filter);
  recursive_->setChecked(Recursive() != 0);
  matchCase_->setChecked(MatchCase() != 0);
  regex_->setChecked(RegexFind() != 0);
  keepBackups_->setChecked(settings_.ReplaceKeepBackupFiles() != 0);
  RefreshHistories();
  UpdateStartButton();
}

void CFindAndReplaceDlg::RefreshHistories() {
  filter_->SetHistory(settings_.HistoryEntries(History::Filter));
  find_->SetHistory(settings_.HistoryEntries(History::FindText));
  replace_->SetHistory(settings_.HistoryEntries(History::ReplaceText));
}

void CFindAndReplaceDlg::SaveToSettings() {
  settings_.AddToHistory(History::Filter, filter_->Text());
  settings_.AddToHistory(History::FindText, find_->Text());
  settings_.AddToHistory(History::ReplaceText, replace_->Text());
  if (ReplaceMode()) {
    settings_.SetReplaceFolder(folder_->Text());
    settings_.SetReplaceFilter(filter_->Text());
  } else {
    settings_.SetFindFolder(folder_->Text());
    settings_.SetFindFilter(filter_->Text());
  }
  RefreshHistories();
}

void CFindAndReplaceDlg::SetFolder(const std::string& folder) {
  folder_->SetText(folder);
  UpdateStartButton();
}

void CFindAndReplaceDlg::SetFilter(const std::string& filter) {
  filter_->SetText(filter);
  UpdateStartButton();
}

void CFindAndReplaceDlg::SetInitialFocus() {
  find_->setFocus(Qt::OtherFocusReason);
  find_->selectAll();
}

void CFindAndReplaceDlg::RecalcLayout() {
  // The last column always fills the list (the header stretches it); nothing else to place.
  list_->header()->setStretchLastSection(true);
}

void CFindAndReplaceDlg::resizeEvent(QResizeEvent* event) {
  CChildDialog::resizeEvent(event);
  RecalcLayout();
}

void CFindAndReplaceDlg::UpdateStartButton() {
  start_->setEnabled(fr::StartButtonEnabled(ReplaceMode(), IsRunning(), folder_->Text(), find_->Text(), replace_->Text()));
}

void CFindAndReplaceDlg::EnableInputs(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{folder_, filter_, find_, recursive_, matchCase_, regex_,
                                                    folderButton_, fileButton_, findMenu_})
    w->setEnabled(on);
  if (ReplaceMode())
    for (QWidget* w : std::initializer_list<QWidget*>{replace_, replaceMenu_, keepBackups_}) w->setEnabled(on);
}

void CFindAndReplaceDlg::OnKeepBackupsClicked(bool checked) {
  if (!checked && settings_.ShowWarningUncheckKeepBackupFiles()) {
    CWarningDlg warn(this);
    warn.SetText("Are you sure you do not want to keep backup files?");
    warn.SetYesNo(true);
    const int answer = warn.DoModal();
    if (warn.CheckValue()) settings_.SetShowWarningUncheckKeepBackupFiles(0);
    if (answer != IDYES) keepBackups_->setChecked(true);
  }
  settings_.SetReplaceKeepBackupFiles(keepBackups_->isChecked() ? 1 : 0);
}

void CFindAndReplaceDlg::OnChooseFolder() {
  const QString chosen = QFileDialog::getExistingDirectory(
      this, QStringLiteral("Select the folder in which you want to find files:"), folder_->text());
  if (!chosen.isEmpty()) folder_->setText(chosen);
  UpdateStartButton();
}

void CFindAndReplaceDlg::OnChooseFile() {
  const QString chosen = QFileDialog::getOpenFileName(this, QString(), folder_->text(), QString(), nullptr,
                                                      QFileDialog::ReadOnly);
  if (chosen.isEmpty()) return;
  const qsizetype slash = chosen.lastIndexOf(QLatin1Char('/'));
  filter_->setText(chosen.mid(slash + 1));
  folder_->setText(slash <= 0 ? QStringLiteral("/") : chosen.left(slash));
  UpdateStartButton();
}

void CFindAndReplaceDlg::OnPatternMenu(CACEdit* field, QPushButton* button, bool regexMenu) {
  CPatternMenu::InsertToken(field, CPatternMenu::Choose(button, regexMenu));
  UpdateStartButton();
}

void CFindAndReplaceDlg::OnStart() {
  if (IsRunning()) {
    CancelTask();
    return;
  }
  const bool replace = ReplaceMode();
  const std::string typedFolder = folder_->Text();
  const std::string filter = NormalizeFilterText(filter_->Text(), settings_.UseTrueRegexpFilters() != 0);
  const std::string findText = find_->Text();
  const std::string replaceText = replace_->Text();

  if (replace && settings_.ShowWarningReplace()) {
    CMyMessageBoxDlg box(this);
    box.SetCaption(QStringLiteral("Quorvel"));
    box.SetHeading(QStringLiteral("Find And Replace"));
    box.SetSubHeading(QStringLiteral("Summary of this Find And Replace operation."));
    box.SetIcon(161);
    box.SetButtons(CMyMessageBoxDlg::kYesNo);
    box.SetShowCheckBox(true);
    box.SetText(fr::ReplaceSummary({findText, replaceText, filter, typedFolder, regex_->isChecked(),
                                    settings_.ReplaceRecursively() != 0, settings_.ReplaceMatchCase() != 0,
                                    settings_.ReplaceKeepBackupFiles() != 0}));
    const int answer = box.DoModal();
    if (!box.CheckValue()) settings_.SetShowWarningReplace(0);
    if (answer != IDYES) return;
  }

  AnnounceStarted();
  const std::string folder = fr::RunFolder(typedFolder);
  folder_->SetText(folder);
  filter_->SetText(filter);
  SaveToSettings();

  EnableInputs(false);
  model_->Clear();
  const bool counting = settings_.DisableFileCounting() == 0;
  progress_->Begin(counting, !findText.empty());
  start_->setText(QStringLiteral("&Cancel"));

  auto task = std::make_unique<CFindAndReplaceTask>();
  FindAndReplaceOptions& o = task->options;
  o.replaceMode = replace;
  o.rootFolder = folder;
  o.filterText = filter;
  o.findText = findText;
  o.replaceText = replaceText;
  o.useRegexFilters = settings_.UseTrueRegexpFilters() != 0;
  o.dosStarDotStar = settings_.UseDOSStarDotStarBehaviour() != 0;
  o.disableCounting = !counting;
  o.backupFolder = settings_.BackupFolder();
  o.recursive = Recursive() != 0;
  o.matchCase = MatchCase() != 0;
  o.regex = RegexFind() != 0;
  o.keepBackups = settings_.ReplaceKeepBackupFiles() != 0;
  o.processSparse = replace ? settings_.ReplaceInSparseFiles() != 0 : true;

  ShowFileCountingInfo();
  startFolder_ = folder;
  model_->SetRoot(folder);
  StartTask(std::move(task));
  UpdateStartButton();
}

void CFindAndReplaceDlg::OnTaskMessage(const TaskMessage& m) {
  switch (m.id) {
    case WM_TASK_ADDROW:
      if (const CTaskResultRow* row = m.row())
        model_->Append({qv::RelativeRowText(startFolder_, row->path), row->count, row->isError != 0,
                        row->message.value_or(std::string())});
      break;
    case WM_TASK_TOTAL: progress_->SetTotalRange(m.number()); break;
    case WM_TASK_CURRENTFILE:
      if (const std::string* path = m.text()) status_->SetText(Q(fr::CurrentFileStatus(ReplaceMode(), startFolder_, *path)));
      progress_->StepTotal();
      break;
    case WM_TASK_STATUS:
      if (const std::string* text = m.text()) status_->SetText(Q(*text));
      break;
    case WM_TASK_FILESIZE: progress_->SetFileSize(m.number()); break;
    case WM_TASK_FILEPOS64: progress_->SetFilePosition(m.number()); break;
    default: break;
  }
}

void CFindAndReplaceDlg::EndBatch() { model_->Flush(); }

void CFindAndReplaceDlg::OnTaskFinished(std::int64_t code) {
  const std::string message = fr::FinishedMessage(code);
  if (!message.empty()) qv::ui::ShowMessage(this, message);
  progress_->End();
  start_->setText(QString::fromLatin1(fr::StartLabel(ReplaceMode())));
  status_->SetText(Q(fr::FoundFilesStatus(model_->rowCount())));
  EnableInputs(true);
  UpdateStartButton();
  AnnounceFinished();
}

void CFindAndReplaceDlg::OnOpenRow(int row) { qv::ui::OpenWithDefault(model_->FullPath(row)); }

void CFindAndReplaceDlg::OnContextMenu(const std::vector<int>& rows, const QPoint& globalPos) {
  std::vector<std::string> paths;
  for (int row : rows) paths.push_back(model_->FullPath(row));
  qv::ui::ShowFileContextMenu(this, paths, globalPos);
  // Files deleted through the menu (or before it) lose their rows.
  std::vector<int> gone;
  for (size_t i = 0; i < rows.size(); ++i)
    if (!qv::ui::AllReadable({paths[i]})) gone.push_back(rows[i]);
  model_->RemoveRows(gone);
}
