#include "ui/ChildDialog.h"

#include "settings/Settings.h"
#include "ui/Desktop.h"
#include "ui/ModuleStatusBar.h"
#include "ui/MyMessageBoxDlg.h"
#include "ui/ProgressArea.h"

namespace {
// Rows are shown at most this often; a fast worker fills the list in a few large batches.
constexpr int kDrainIntervalMs = 25;
// One drain gives the event loop back after this long, so the window never stalls.
constexpr int kDrainBudgetMs = 12;
}  // namespace

const char* const CChildDialog::kFileCountingText =
    "Before the actual operation is started, Quorvel will first count the files that it should process. "
    "This count will be used to display a total progress indicator.\n"
    "When the operation is being performed on a lot of files, this file counting can take a while.\n"
    "If you want to avoid this file counting delay, you can enable the option \"Disable file counting\" in "
    "the Quorvel options. When you disable file counting, no total progress indicator will be shown, but "
    "the operation will start immediately.";

CChildDialog::CChildDialog(CSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings), progress_(new CProgressArea(this)), status_(new CModuleStatusBar(this)) {
  drainTimer_.setSingleShot(true);
  connect(&drainTimer_, &QTimer::timeout, this, &CChildDialog::Drain);
  connect(status_, &CModuleStatusBar::helpRequested, this, &CChildDialog::helpRequested);
  sinceDrain_.start();
}

CChildDialog::~CChildDialog() {
  // The worker must not post into a page that is going away.
  if (task_) task_->StopAndWait();
  task_.reset();
}

bool CChildDialog::CanClose() {
  if (task_ && task_->IsRunning(50)) {
    qv::ui::ShowMessage(this, QString::fromLatin1(kCannotClose));
    return false;
  }
  return true;
}

void CChildDialog::AnnounceStarted() {
  const std::string name = GetModuleName();
  if (!name.empty()) settings_.NotifyModuleStarted(name);
}

void CChildDialog::AnnounceFinished() {
  const std::string name = GetModuleName();
  if (!name.empty()) settings_.NotifyModuleFinished(name);
}

void CChildDialog::ShowFileCountingInfo() {
  if (settings_.DisableFileCounting() || !settings_.ShowWarningFileCounting()) return;
  CMyMessageBoxDlg box(this);
  box.SetCaption(QStringLiteral("Quorvel"));
  box.SetHeading(QStringLiteral("File Counting"));
  box.SetSubHeading(QStringLiteral("Some more information regarding file counting in Quorvel."));
  box.SetIcon(225);
  box.SetButtons(CMyMessageBoxDlg::kOk);
  box.SetShowCheckBox(true);
  box.SetText(kFileCountingText);
  box.DoModal();
  if (!box.CheckValue()) settings_.SetShowWarningFileCounting(0);
}

void CChildDialog::StartTask(std::unique_ptr<CWorkerTask> task) {
  pending_.clear();
  queue_ = std::make_shared<CTaskQueue>();
  // Runs on the worker's thread: only a queued call crosses over to the page.
  queue_->SetWakeCallback([this] { QMetaObject::invokeMethod(this, &CChildDialog::ScheduleDrain, Qt::QueuedConnection); });
  task->SetQueue(queue_);
  task_ = std::move(task);
  task_->Start();
}

void CChildDialog::CancelTask() {
  if (task_) task_->StopAndWait();
}

void CChildDialog::ScheduleDrain() {
  if (drainTimer_.isActive()) return;
  const qint64 since = sinceDrain_.elapsed();
  drainTimer_.start(since >= kDrainIntervalMs ? 0 : static_cast<int>(kDrainIntervalMs - since));
}

void CChildDialog::Drain() {
  sinceDrain_.restart();
  if (!queue_) return;
  for (auto& m : queue_->TakeAll()) pending_.push_back(std::move(m));
  QElapsedTimer budget;
  budget.start();
  int handled = 0;
  while (!pending_.empty()) {
    TaskMessage m = std::move(pending_.front());
    pending_.pop_front();
    if (m.cookie != TASK_MESSAGE_COOKIE) continue;
    if (m.id == WM_TASK_FINISHED) {
      EndBatch();
      pending_.clear();
      task_.reset();  // the thread has ended or is ending: the destructor's wait is short
      queue_.reset();
      OnTaskFinished(m.number());
      emit taskFinished();
      return;
    }
    OnTaskMessage(m);
    if (++handled % 1024 == 0 && budget.elapsed() >= kDrainBudgetMs) break;
  }
  EndBatch();
  if (!pending_.empty()) drainTimer_.start(0);
}
