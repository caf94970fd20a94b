#pragma once
// The list that shows a CResultListModel: whole rows selected, several at a time, rows dragged
// out as file URLs; a double click asks to open a row, a right click asks for the file menu.
//
//   auto* list = new CResultListView(this);
//   list->setModel(model);
//   connect(list, &CResultListView::openRequested, this, [=](int row) { ... });
#include <vector>

#include <QTreeView>

class CResultListView : public QTreeView {
  Q_OBJECT
 public:
  explicit CResultListView(QWidget* parent = nullptr);
  // Selected rows, top to bottom.
  std::vector<int> SelectedRows() const;

 signals:
  void openRequested(int row);
  void contextMenuRequested(std::vector<int> rows, QPoint globalPos);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
};
