#include "recipedb/ui/units_dialog.h"

#include "services/context.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TEinheitenDlg* EinheitenDlg = nullptr;

TEinheitenDlg::TEinheitenDlg(QWidget* parent) : QDialog(parent) {
  EinheitenDlg = this;
  setObjectName(QStringLiteral("EinheitenDlg"));
  if (LangDlg) LangDlg->TranslateForm(this);
  units.ReadEinheiten();
  units.SortEinheiten();
  ctx().units = &units;
}

TEinheitenDlg::~TEinheitenDlg() {
  if (ctx().units == &units) ctx().units = nullptr;
}

}  // namespace tav
