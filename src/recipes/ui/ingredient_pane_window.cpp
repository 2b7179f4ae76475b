#include "recipes/ui/ingredient_pane_window.h"

#include <QLabel>
#include <QLayout>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "recipes/recipe_view.h"
#include "recipes/ui/data_pane_window.h"
#include "recipes/ui/recipe_list_window.h"
#include "services/ui/context_list_box.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TZutatRezDlg* ZutatRezDlg = nullptr;

TZutatRezDlg::TZutatRezDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  ZutatRezDlg = this;
  setObjectName(QStringLiteral("ZutatRezDlg"));

  Panel1 = CaptionBar("Panel1", toQ("Zutaten:"));
  ZutatLiBo = new TContextListBox;
  ZutatLiBo->setObjectName(QStringLiteral("ZutatLiBo"));
  ZutatLiBo->setFrameShape(QFrame::NoFrame);
  ZutatLiBo->setSpacing(1);
  ZutatLiBo->setUniformItemSizes(false);
  ZutatLiBo->setStyleSheet(QStringLiteral("QListWidget#ZutatLiBo { padding: 4px 6px; background: palette(base); }"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(ZutatLiBo, 1);
  connect(ZutatLiBo, &QListWidget::itemDoubleClicked, this, [this] { ZwutatLiBoDblClick(); });
  OnCreate();
}

void TZutatRezDlg::OnCreate() {
  if (DataRezDlg) DockInto(this, DataRezDlg->ZutatPanel);
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TZutatRezDlg::FillIngredientPane(TDataRezDlg* data) {
  ZutatLiBo->clear();
  if (!data) return;
  const REZBLOCK& recipe = data->ShownRecipe;
  QFont heading = ZutatLiBo->font();
  heading.setBold(true);
  QFont description = ZutatLiBo->font();
  description.setItalic(true);
  const QColor muted = ZutatLiBo->palette().color(QPalette::PlaceholderText);
  for (const IngredientPaneLine& line : IngredientPaneLines(recipe)) {
    auto* item = new QListWidgetItem(toQ(line.text));
    item->setData(Qt::UserRole, line.data);
    if (line.kind == IngredientPaneLine::kHeading) {
      item->setFont(heading);
    } else if (line.kind == IngredientPaneLine::kDescription) {
      item->setFont(description);
      item->setForeground(muted);
    }
    // The hint spells out the ingredient the line belongs to; headings have none.
    if (line.data >= 0) item->setToolTip(toQ(IngredientLineText(recipe, line.data)));
    ZutatLiBo->addItem(item);
  }
}

void TZutatRezDlg::GetIngredientLineText(TDataRezDlg* data, int line, std::string& out) const {
  out = data ? IngredientLineText(data->ShownRecipe, line) : std::string();
}

void TZutatRezDlg::ZwutatLiBoDblClick() {
  if (ChooseRezDlg) ChooseRezDlg->EditSelectedRecipe(false);
  if (auto* main = MainWindow()) main->UpdateRecipeButtons();
}

}  // namespace tav
