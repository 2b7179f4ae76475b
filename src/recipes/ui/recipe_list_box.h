#pragma once
// The list box of the recipe list pane: a list view over the rows of RecipeListRows (no widget
// item per recipe, so a book of thousands of recipes fills at once), drawn with the pane's row
// colours and mark symbols. A right click first selects the row under the mouse unless two or
// more rows are selected, as in the program's other list boxes.
#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>
#include <functional>

#include "recipedb/recipe_model.h"
#include "recipes/recipe_list_rows.h"

class QMenu;

namespace tav {

// Rows of the list: the title of each row's index entry, which the recipe store hands out by
// the row's item data (GetListEntry, by the list's search mode).
class RecipeListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  enum Roles { ItemRole = Qt::UserRole, FlagsRole };
  // The mime type of dragged rows: one line "book id;recipe number" per row.
  static const char* const kMimeType;

  explicit RecipeListModel(QObject* parent = nullptr);

  RecipeListRows& Rows() { return rows_; }
  const RecipeListRows& Rows() const { return rows_; }
  // The store's entry of a row; false when the row or its entry does not exist.
  bool Entry(int row, REZINDEX& out) const;

  // A whole refill: rows are changed between the two calls only.
  void BeginRefill();
  void EndRefill();
  int InsertRow(const std::string& title, int item);
  void RemoveRow(int row);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

 private:
  RecipeListRows rows_;
};

// Draws a row: alternating light blue backgrounds, dark blue when selected, the mark and menu
// symbols in front of the title, menus in bold brown (light orange when selected).
class RecipeListDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit RecipeListDelegate(QObject* parent = nullptr);
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // The height of every row for the given font.
  static int RowHeight(const QFont& font);
};

class TRecipeListBox : public QListView {
  Q_OBJECT
 public:
  explicit TRecipeListBox(QWidget* parent = nullptr);

  RecipeListModel* Model() const { return model_; }
  int Count() const { return model_->rowCount(); }
  int CurrentRow() const;
  // Makes the row current (scrolled into view) without changing the selection; -1 for none.
  void SetCurrentRow(int row);
  bool IsSelected(int row) const;
  void SetSelected(int row, bool selected);
  void SelectAll(bool selected);
  // The selected rows in list order.
  std::vector<int> SelectedRows() const;
  int ItemData(int row) const { return model_->Rows().Item(row); }

  void SetPopupMenu(QMenu* menu) { popupMenu_ = menu; }

  // A left click on a row (also on the row already current).
  std::function<void()> OnRowClick;
  // A key press before the list handles it; true when it was handled.
  std::function<bool(QKeyEvent*)> OnKey;
  // After the list moved the current row for a navigation key (arrows, pages, home, end).
  std::function<void()> OnKeyMove;
  // An item of the shopping list (the control "EinkaufLiBo") dropped on the list; drags from
  // anywhere else are refused.
  std::function<void()> OnShoppingListDrop;

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void startDrag(Qt::DropActions actions) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void changeEvent(QEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  RecipeListModel* model_;
  QMenu* popupMenu_ = nullptr;
};

}  // namespace tav
