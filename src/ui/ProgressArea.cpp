#include "ui/ProgressArea.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

CProgressArea::CProgressArea(QWidget* parent)
    : QWidget(parent), total_(new QProgressBar(this)), file_(new QProgressBar(this)),
      note_(new QLabel(kCountingDisabled, this)) {
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("Total progress:"), this), 0, 0);
  grid->addWidget(total_, 0, 1);
  grid->addWidget(note_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("File progress:"), this), 1, 0);
  grid->addWidget(file_, 1, 1);
  grid->setColumnStretch(1, 1);
  for (auto* bar : {total_, file_}) {
    bar->setTextVisible(false);
    bar->setMaximumHeight(fontMetrics().height());
  }
  note_->setEnabled(false);
  hide();
}

void CProgressArea::Begin(bool counting, bool fileProgress) {
  total_->setRange(0, 100);
  total_->setValue(0);
  file_->setRange(0, 1000);
  file_->setValue(0);
  fileSize_ = 0;
  total_->setVisible(counting);
  note_->setVisible(!counting);
  file_->setEnabled(fileProgress);
  show();
}

void CProgressArea::SetTotalRange(std::int64_t total) {
  total_->setRange(0, static_cast<int>(std::clamp<std::int64_t>(total, 0, INT32_MAX)));
  total_->setValue(0);
}

void CProgressArea::StepTotal() {
  if (total_->value() < total_->maximum()) total_->setValue(total_->value() + 1);
}

void CProgressArea::SetFileSize(std::int64_t size) {
  fileSize_ = size;
  file_->setRange(0, 1000);
  file_->setValue(0);
}

void CProgressArea::SetFilePosition(std::int64_t position) {
  if (fileSize_ <= 0) return;
  file_->setValue(static_cast<int>(static_cast<double>(position) / static_cast<double>(fileSize_) * 1000.0 + 0.5));
}

bool CProgressArea::CountingNoteShown() const { return !note_->isHidden(); }
