#pragma once
// A grid whose first columns stay in place while the others scroll sideways: a second view laid
// over its left edge shows those columns from the same model and selection and scrolls up and
// down in step. Clicks on it reach the grid's own signals and give the grid the keyboard.
#include <QTableWidget>

class QAbstractItemDelegate;
class QTableView;

namespace tav {

class FrozenColumnTable : public QTableWidget {
 public:
  FrozenColumnTable(QWidget* parent, int frozenColumns);
  ~FrozenColumnTable() override;

  QTableView* FrozenView() const { return frozen_; }
  int FrozenColumns() const { return count_; }
  // The frozen view draws with a delegate of its own: one delegate serves one view.
  void SetFrozenDelegate(QAbstractItemDelegate* delegate);
  // Width of the columns that stay in place.
  int FrozenWidth() const;

  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void updateGeometries() override;

 private:
  void Sync();
  void SyncRow(int row);
  void Place();

  QTableView* frozen_;
  int count_;
};

}  // namespace tav
