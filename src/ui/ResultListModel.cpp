#include "ui/ResultListModel.h"

#include "core/DirReader.h"

#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QUrl>
#include <algorithm>

namespace {
QIcon DrawMark(bool tick) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPen pen(tick ? QColor(0x26, 0xa2, 0x69) : QColor(0xe0, 0x1b, 0x24), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  if (tick) {
    p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
  } else {
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
  }
  return QIcon(pm);
}
}  // namespace

CResultListModel::CResultListModel(QObject* parent)
    : QAbstractTableModel(parent), tick_(DrawMark(true)), cross_(DrawMark(false)) {}

void CResultListModel::SetColumns(const QStringList& headers, bool errorsFirst) {
  beginResetModel();
  headers_ = headers;
  errorsFirst_ = errorsFirst;
  endResetModel();
}

CResultListModel::StoredRow CResultListModel::Store(Row&& row) {
  StoredRow s;
  s.text = std::move(row.text);
  s.count = row.count;
  s.isError = row.isError;
  if (!row.message.empty()) {
    s.message = static_cast<std::uint32_t>(messages_.size());
    messages_.push_back(std::move(row.message));
  }
  return s;
}

void CResultListModel::Append(Row row) {
  const bool error = row.isError && errorsFirst_;
  (error ? pendingErrors_ : pendingNormal_).push_back(Store(std::move(row)));
}

void CResultListModel::Flush() {
  if (!pendingErrors_.empty()) {
    const int n = static_cast<int>(pendingErrors_.size());
    beginInsertRows({}, 0, n - 1);
    for (auto& r : pendingErrors_) errors_.push_back(std::move(r));
    pendingErrors_.clear();
    endInsertRows();
  }
  if (!pendingNormal_.empty()) {
    const int first = rowCount();
    const int n = static_cast<int>(pendingNormal_.size());
    beginInsertRows({}, first, first + n - 1);
    for (auto& r : pendingNormal_) normal_.push_back(std::move(r));
    pendingNormal_.clear();
    pendingNormal_.shrink_to_fit();
    endInsertRows();
  }
}

void CResultListModel::Clear() {
  beginResetModel();
  errors_.clear();
  normal_.clear();
  pendingErrors_.clear();
  pendingNormal_.clear();
  messages_.clear();
  endResetModel();
}

const CResultListModel::StoredRow& CResultListModel::At(int row) const {
  const int e = static_cast<int>(errors_.size());
  if (row < e) return errors_[static_cast<size_t>(e - 1 - row)];
  return normal_[static_cast<size_t>(row - e)];
}

const std::string& CResultListModel::Text(int row) const { return At(row).text; }
std::int32_t CResultListModel::Count(int row) const { return At(row).count; }
bool CResultListModel::IsError(int row) const { return At(row).isError; }
std::string CResultListModel::Message(int row) const {
  const auto m = At(row).message;
  return m == kNoMessage ? std::string() : messages_[m];
}

std::string CResultListModel::FullPath(int row) const {
  const std::string& text = At(row).text;
  if (text.empty() || text[0] != '.') return text;  // a path outside the start folder stays whole
  return qv::StripTrailingSeparator(root_) + text.substr(1);
}

void CResultListModel::RemoveRows(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  // From the bottom up, so earlier indexes stay valid.
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    const int row = *it;
    if (row < 0 || row >= rowCount()) continue;
    beginRemoveRows({}, row, row);
    const int e = static_cast<int>(errors_.size());
    if (row < e) errors_.erase(errors_.begin() + (e - 1 - row));
    else normal_.erase(normal_.begin() + (row - e));
    endRemoveRows();
  }
}

int CResultListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(errors_.size() + normal_.size());
}

int CResultListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

QVariant CResultListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const StoredRow& r = At(index.row());
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
    switch (index.column()) {
      case 0: return QString::fromStdString(r.text);
      case 1: return QString::number(r.count);
      case 2: return r.message == kNoMessage ? QString() : QString::fromStdString(messages_[r.message]);
      default: return {};
    }
  }
  if (role == Qt::DecorationRole && index.column() == 0 && errorsFirst_) return r.isError ? cross_ : tick_;
  if (role == Qt::TextAlignmentRole && index.column() == 1)
    return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant CResultListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < headers_.size()) return headers_[section];
  return {};
}

Qt::ItemFlags CResultListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren;
}

QStringList CResultListModel::mimeTypes() const {
  return {QStringLiteral("text/uri-list"), QStringLiteral("text/plain")};
}

QMimeData* CResultListModel::mimeData(const QModelIndexList& indexes) const {
  std::vector<int> rows;
  for (const auto& i : indexes) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  QList<QUrl> urls;
  QStringList paths;
  for (int row : rows) {
    const QString path = QString::fromStdString(FullPath(row));
    urls.append(QUrl::fromLocalFile(path));
    paths.append(path);
  }
  auto* data = new QMimeData;
  data->setUrls(urls);
  data->setText(paths.join(QLatin1Char('\n')));
  return data;
}
