#include <gtest/gtest.h>

#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

#include "ui/ResultListModel.h"

namespace {
std::vector<std::string> Texts(const CResultListModel& m) {
  std::vector<std::string> t;
  for (int i = 0; i < m.rowCount(); ++i) t.push_back(m.Text(i));
  return t;
}
}  // namespace

TEST(ResultListModel, ErrorsGatherAtTheTopNewestFirst) {
  CResultListModel m;
  m.SetColumns({"File", "Number Of Replacements", "Messages"}, true);
  m.Append({"./ok1", 2, false, ""});
  m.Append({"./bad1", 0, true, "Cannot open file."});
  m.Flush();
  m.Append({"./ok2", 1, false, ""});
  m.Append({"./bad2", 0, true, "Cancelled - File has not been changed."});
  m.Flush();
  EXPECT_EQ(Texts(m), (std::vector<std::string>{"./bad2", "./bad1", "./ok1", "./ok2"}));
  EXPECT_EQ(m.Message(0), "Cancelled - File has not been changed.");
  EXPECT_EQ(m.data(m.index(2, 1), Qt::DisplayRole).toString(), "2");
  EXPECT_EQ(m.data(m.index(2, 2), Qt::DisplayRole).toString(), "");
  EXPECT_FALSE(m.data(m.index(0, 0), Qt::DecorationRole).isNull());

  m.RemoveRows({0, 3});
  EXPECT_EQ(Texts(m), (std::vector<std::string>{"./bad1", "./ok1"}));
}

TEST(ResultListModel, FindModeKeepsArrivalOrderWithoutImages) {
  CResultListModel m;
  m.Append({"./b", 0, true, ""});
  m.Append({"./a", 0, false, ""});
  m.Flush();
  EXPECT_EQ(Texts(m), (std::vector<std::string>{"./b", "./a"}));
  EXPECT_TRUE(m.data(m.index(0, 0), Qt::DecorationRole).isNull());
  EXPECT_EQ(m.columnCount(), 1);
}

TEST(ResultListModel, OneInsertionPerBatch) {
  CResultListModel m;
  QSignalSpy inserted(&m, &QAbstractItemModel::rowsInserted);
  for (int i = 0; i < 10000; ++i) m.Append({"./f" + std::to_string(i), 0, false, ""});
  EXPECT_EQ(m.rowCount(), 0);  // nothing shows before the batch ends
  m.Flush();
  EXPECT_EQ(inserted.count(), 1);
  EXPECT_EQ(m.rowCount(), 10000);
}

TEST(ResultListModel, FullPathsAndDragData) {
  CResultListModel m;
  m.SetRoot("/data");
  m.Append({"./sub/a b.txt", 0, false, ""});
  m.Append({"./c.txt", 0, false, ""});
  m.Flush();
  EXPECT_EQ(m.FullPath(0), "/data/sub/a b.txt");
  m.SetRoot("/");
  EXPECT_EQ(m.FullPath(1), "/c.txt");
  m.SetRoot("/data/");
  std::unique_ptr<QMimeData> data(m.mimeData({m.index(0, 0), m.index(1, 0)}));
  ASSERT_EQ(data->urls().size(), 2);
  EXPECT_EQ(data->urls()[0], QUrl::fromLocalFile("/data/sub/a b.txt"));
  EXPECT_EQ(data->text(), "/data/sub/a b.txt\n/data/c.txt");
  EXPECT_TRUE(m.supportedDragActions() & Qt::CopyAction);
  EXPECT_TRUE(m.supportedDragActions() & Qt::LinkAction);
}
