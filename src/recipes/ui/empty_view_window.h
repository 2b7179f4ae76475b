#pragma once
// The empty view: a black centre with a background picture stretched over it, shown while no
// recipe is to be shown. The picture is "hintergrund.bmp" of the data folder or a book's own.
#include <QWidget>
#include <string>

#include "recipedb/ui/book_background_view.h"

class QLabel;

namespace tav {

class TEmptyDlg : public QWidget, public BookBackgroundView {
  Q_OBJECT
 public:
  explicit TEmptyDlg(QWidget* parent = nullptr);
  ~TEmptyDlg() override;

  // Loads the data folder's picture `name`, else "hintergrund.bmp"; when neither can be shown
  // the picture stays as it was.
  void LoadViewBackground(const std::string& name) override;
  void FormCreate();

  QLabel* EmptyImg = nullptr;

 private:
  // Loads data folder + name into EmptyImg; false when it is missing or cannot be decoded.
  bool LoadPicture(const std::string& name);
};

extern TEmptyDlg* EmptyDlg;

}  // namespace tav
