#include "kitchen/ui/season_input_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "kitchen/season/season_calendar.h"
#include "kitchen/ui/season_grid.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TSaisonInpDlg* SaisonInpDlg = nullptr;

namespace {

QLabel* Swatch(QWidget* parent, const char* colour) {
  auto* l = new QLabel(parent);
  l->setFixedSize(22, 12);
  l->setStyleSheet(
      QStringLiteral("background: %1; border: 1px solid #666;").arg(QString::fromLatin1(colour)));
  return l;
}

}  // namespace

TSaisonInpDlg::TSaisonInpDlg(QWidget* parent) : QDialog(parent) {
  SaisonInpDlg = this;
  Registered<SeasonEditor>::Enter(this);
  setObjectName(QStringLiteral("SaisonInpDlg"));
  setWindowTitle(toQ(GetLangText(340)));
  setModal(true);

  Label1 =
      Captioned<QLabel>(this, "Label1",
                        "W\xE4hlen Sie zuerst die Farbe f\xFCr die Haupt- oder Nebensaison und "
                        "f\xFCllen damit die entsprechenden Wochen aus:");
  DataGrd = new SeasonGrid(SeasonGrid::Kind::Editor, this);
  DataGrd->setObjectName(QStringLiteral("DataGrd"));
  DataGrd->SetSlotWidth(13);
  DataGrd->setFixedSize(48 * 13 + 2 * DataGrd->frameWidth(), 16 + 2 * DataGrd->frameWidth());
  MonthGrd = new SeasonMonthRow(DataGrd, this);
  MonthGrd->setObjectName(QStringLiteral("MonthGrd"));
  MonthGrd->setEnabled(false);
  MonthGrd->setFixedWidth(DataGrd->width());

  GroupBox1 = Named<QGroupBox>(this, "GroupBox1");
  GroupBox1->setTitle(
      toQ(" Die n\xE4"
          "chste angeklickte Woche ist: "));
  MainRdb = Captioned<QRadioButton>(GroupBox1, "MainRdb", "Hauptsaison");
  NearRdb = Captioned<QRadioButton>(GroupBox1, "NearRdb", "Nebensaison");
  NoRdb = Captioned<QRadioButton>(GroupBox1, "NoRdb", "Die Woche ist keine Saison");
  MainRdb->setChecked(true);
  auto* choice = new QHBoxLayout(GroupBox1);
  choice->addWidget(Swatch(GroupBox1, "#00AA00"));
  choice->addWidget(MainRdb);
  choice->addSpacing(16);
  choice->addWidget(Swatch(GroupBox1, "#00FF00"));
  choice->addWidget(NearRdb);
  choice->addSpacing(16);
  choice->addWidget(NoRdb);
  choice->addStretch(1);

  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  OKBtn->setDefault(true);
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");

  auto* grids = new QVBoxLayout;
  grids->setSpacing(0);
  grids->addWidget(MonthGrd, 0, Qt::AlignHCenter);
  grids->addWidget(DataGrd, 0, Qt::AlignHCenter);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addLayout(grids);
  layout->addWidget(GroupBox1);
  layout->addStretch(1);
  layout->addLayout(DialogButtonRow(nullptr, {OKBtn, CancelBtn}));
  resize(702, 183);

  DataGrd->OnClick = [this] { DataGrdClick(); };
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

TSaisonInpDlg::~TSaisonInpDlg() {
  Registered<SeasonEditor>::Leave(this);
  if (SaisonInpDlg == this) SaisonInpDlg = nullptr;
}

bool TSaisonInpDlg::EditSeason(REZZUTATEN& ingredient) {
  SetSeasonInputData(ingredient);
  exec();
  ingredient_ = nullptr;
  return confirmed_;
}

void TSaisonInpDlg::SetSeasonInputData(REZZUTATEN& ingredient) {
  ingredient_ = &ingredient;
  if (ingredient.season.size() < REZZUTATEN::kSeasonLength)
    ingredient.season.resize(REZZUTATEN::kSeasonLength, ' ');
  confirmed_ = false;
  DataGrd->SetRows({&ingredient});
  setWindowTitle(toQ(GetLangText(340) + ingredient.plural + "'"));
}

void TSaisonInpDlg::DataGrdClick() {
  const int n = DataGrd->CurrentColumn();
  if (!ingredient_ || n < 0 || n > 47) return;
  char& mark = ingredient_->season[static_cast<size_t>(n) + 1];
  mark = ClickedSeasonMark(mark, MainRdb->isChecked() ? 0 : NearRdb->isChecked() ? 1 : 2);
  DataGrd->viewport()->update();
}

void TSaisonInpDlg::OKBtnClick() {
  if (ingredient_) UpdateSeasonFlag(*ingredient_);
  confirmed_ = true;
  accept();
}

void TSaisonInpDlg::CancelBtnClick() {
  reject();
}

void TSaisonInpDlg::done(int result) {
  // Escape and the close box count as not confirmed, whatever an earlier showing ended with.
  if (result != QDialog::Accepted) confirmed_ = false;
  QDialog::done(result);
}

void TSaisonInpDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnForm(this);
}

}  // namespace tav
