#pragma once
// The season editor (TSaisonInpDlg, a kitchen window) as the ingredient window sees it. The
// editor registers itself; SeasonEditor() is null while there is none.
#include "services/registered.h"

namespace tav {

struct REZZUTATEN;

class SeasonEditorAccess {
 public:
  virtual ~SeasonEditorAccess() = default;
  // Shows the editor modally on the ingredient's 48 quarter-month marks, which it changes in
  // place; true when it was closed with OK (the season flag then tells whether any mark is set).
  virtual bool EditSeason(REZZUTATEN& ingredient) = 0;
};

inline SeasonEditorAccess* SeasonEditor() {
  return Registered<SeasonEditorAccess>::Get();
}

}  // namespace tav
