#include "app/ui/options_dialog.h"

#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/lang_dialog.h"

namespace tav {

TParaDlg* ParaDlg = nullptr;

TParaDlg::TParaDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ParaDlg"));
  const std::string root = ctx().tools ? ctx().tools->GetDataPath() : std::string();
  LoadOptions(root);
  ctx().options = this;
  if (LangDlg) LangDlg->TranslateForm(this);
  if (ctx().tools) {
    ctx().tools->WriteLog("START", -1);
    ctx().tools->WriteLog("Exepath: " + Str(1), 0);
    ctx().tools->WriteLog("DataPath: " + Str(90), 0);
  }
}

void TParaDlg::OnVisualStylesChanged(bool on) {
  if (ctx().tools) ctx().tools->SetVisualStyles(on);
}

}  // namespace tav
