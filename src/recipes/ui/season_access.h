#pragma once
// The seasonal calendar (TSaisonDlg, a kitchen window) as the recipe windows see it: the views
// hand it every recipe they show, and the information pane's season page borrows its grid
// panel. The calendar registers itself; Season() is null while there is none.
#include "services/registered.h"

class QWidget;

namespace tav {

struct REZBLOCK;

class SeasonAccess {
 public:
  virtual ~SeasonAccess() = default;
  // The recipe on screen; the calendar's third tab lists the seasons of its ingredients.
  virtual void SetSeasonRecipe(const REZBLOCK& recipe) = 0;
  // The panel holding the season grid (SaisonPnl); the pane may take it in as its child. The
  // calendar takes it back whenever it is shown, and the pane gets it back when it hides.
  virtual QWidget* SeasonPanel() = 0;
  // 0 in season now, 1 all with seasons, 2 the ingredients of the recipe on screen.
  virtual void SetFilterTab(int tab) = 0;
  // Today's quarter-month, and the grid filled again.
  virtual void UpdateSeasonSlot() = 0;
};

inline SeasonAccess* Season() {
  return Registered<SeasonAccess>::Get();
}

}  // namespace tav
