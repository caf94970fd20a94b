#include "ui/ResultListView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>

CResultListView::CResultListView(QWidget* parent) : QTreeView(parent) {
  setRootIsDecorated(false);
  setUniformRowHeights(true);  // keeps a million rows cheap to lay out
  setItemsExpandable(false);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setDragEnabled(true);
  setDragDropMode(QAbstractItemView::DragOnly);
  setDefaultDropAction(Qt::CopyAction);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  header()->setStretchLastSection(true);
  header()->setSectionsMovable(false);
}

std::vector<int> CResultListView::SelectedRows() const {
  std::vector<int> rows;
  if (!selectionModel()) return rows;
  for (const auto& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void CResultListView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeView::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const auto rows = SelectedRows();
  if (!rows.empty()) emit openRequested(rows.front());
}

void CResultListView::contextMenuEvent(QContextMenuEvent* event) {
  const auto rows = SelectedRows();
  if (!rows.empty()) emit contextMenuRequested(rows, event->globalPos());
}
