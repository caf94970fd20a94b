#pragma once
// The progress area of a module page, hidden while the page is idle: "Total progress:" with its
// bar (or, when file counting is off, the note that it can be enabled) and "File progress:".
//
//   progress_->Begin(/*counting=*/true, /*fileProgress=*/true);
//   progress_->SetTotalRange(n); progress_->StepTotal();
//   progress_->End();
#include <cstdint>

#include <QWidget>

class QLabel;
class QProgressBar;

class CProgressArea : public QWidget {
  Q_OBJECT
 public:
  explicit CProgressArea(QWidget* parent = nullptr);

  // Resets both bars to 0 and shows the area. Without counting the total bar is replaced by the
  // note; the file bar is disabled when the run opens no files.
  void Begin(bool counting, bool fileProgress);
  void End() { hide(); }

  void SetTotalRange(std::int64_t total);
  void StepTotal();
  void SetFileSize(std::int64_t size);
  void SetFilePosition(std::int64_t position);

  QProgressBar* TotalBar() const { return total_; }
  QProgressBar* FileBar() const { return file_; }
  bool CountingNoteShown() const;

  static inline const QString kCountingDisabled =
      QStringLiteral("Disabled (can be enabled in the Quorvel options)");

 private:
  QProgressBar* total_;
  QProgressBar* file_;
  QLabel* note_;
  std::int64_t fileSize_ = 0;
};
