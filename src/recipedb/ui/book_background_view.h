#pragma once
// The view that shows the current book's background picture (the empty view, TEmptyDlg). The
// cookbook window tells it when another book became current; the view registers itself and
// BookBackground() is null while there is none.
#include <string>

#include "services/registered.h"

namespace tav {

class BookBackgroundView {
 public:
  virtual ~BookBackgroundView() = default;
  // Loads the data folder's picture `name`, else the default background.
  virtual void LoadViewBackground(const std::string& name) = 0;
};

inline BookBackgroundView* BookBackground() {
  return Registered<BookBackgroundView>::Get();
}

}  // namespace tav
