#pragma once
// The rows of a module's result list, shown by a QTreeView. Rows arrive in batches: Append()
// only queues, Flush() inserts everything queued with one insertion per end of the list, so a
// million rows never cost a million signals. Rows hold their text relative to the start folder
// ("./sub/a.txt"); SetRoot() turns them back into full paths for opening and dragging.
//
//   model.SetColumns({"File", "Number Of Replacements", "Messages"}, /*errorsFirst=*/true);
//   model.Append({"./a.txt", 3, false, ""});
//   model.Flush();
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QIcon>
#include <QStringList>

class CResultListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  struct Row {
    std::string text;
    std::int32_t count = 0;
    bool isError = false;
    std::string message;
  };

  explicit CResultListModel(QObject* parent = nullptr);

  // With errorsFirst, rows flagged as errors go to the top (the last one received first), the
  // others follow in arrival order, and column 0 shows a tick or a cross. Several columns show the
  // text, the count and the message.
  void SetColumns(const QStringList& headers, bool errorsFirst);
  void SetRoot(std::string root) { root_ = std::move(root); }
  const std::string& Root() const { return root_; }

  void Append(Row row);
  void Flush();
  void Clear();
  bool HasPending() const { return !pendingErrors_.empty() || !pendingNormal_.empty(); }

  // Row contents in display order.
  const std::string& Text(int row) const;
  std::int32_t Count(int row) const;
  bool IsError(int row) const;
  std::string Message(int row) const;
  // The start folder followed by the row text without its leading ".".
  std::string FullPath(int row) const;
  // Removes the given display rows.
  void RemoveRows(std::vector<int> rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  Qt::DropActions supportedDragActions() const override { return Qt::CopyAction | Qt::LinkAction; }

 private:
  struct StoredRow {  // 48 bytes beside the text's own heap block
    std::string text;
    std::int32_t count = 0;
    std::uint32_t message = kNoMessage;
    bool isError = false;
  };
  static constexpr std::uint32_t kNoMessage = UINT32_MAX;

  const StoredRow& At(int row) const;
  StoredRow Store(Row&& row);

  QStringList headers_{QStringLiteral("File")};
  bool errorsFirst_ = false;
  std::string root_;
  std::deque<StoredRow> errors_;  // oldest first; shown newest first
  std::deque<StoredRow> normal_;
  std::vector<StoredRow> pendingErrors_, pendingNormal_;
  std::vector<std::string> messages_;
  QIcon tick_, cross_;
};
