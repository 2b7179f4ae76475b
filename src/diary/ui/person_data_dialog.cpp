#include "diary/ui/person_data_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "diary/diary_module.h"
#include "diary/intake_tables.h"
#include "diary/person_energy.h"
#include "diary/requirement_rows.h"
#include "diary/ui/day_panel_window.h"
#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TPersDataDlg* PersDataDlg = nullptr;

namespace {

QSlider* Track(QWidget* parent, const char* name) {
  auto* t = Named<QSlider>(parent, name);
  t->setOrientation(Qt::Vertical);
  t->setRange(0, 100);
  t->setTickInterval(10);
  t->setTickPosition(QSlider::TicksBelow);
  t->setMinimumHeight(150);
  return t;
}

QLabel* Figure(QWidget* parent, const char* name) {
  auto* l = Named<QLabel>(parent, name);
  l->setMinimumWidth(120);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

// A slider with its top and bottom captions above and below it.
QVBoxLayout* TrackColumn(QWidget* parent, QSlider* track, const char* topName, const char* top,
                         const char* bottomName, const char* bottom) {
  auto* column = new QVBoxLayout;
  auto* high = Captioned<QLabel>(parent, topName, top);
  auto* low = Captioned<QLabel>(parent, bottomName, bottom);
  for (QLabel* l : {high, low}) {
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignHCenter);
    l->setMaximumWidth(130);
  }
  column->addWidget(high);
  column->addWidget(track, 1, Qt::AlignHCenter);
  column->addWidget(low);
  return column;
}

}  // namespace

TPersDataDlg::TPersDataDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("PersDataDlg"));
  setWindowTitle(toQ("Pers\xF6nliche Daten und Verbrauch"));
  PageControl1 = Named<QTabWidget>(this, "PageControl1");
  TabSheet1 = Named<QWidget>(nullptr, "TabSheet1");
  TabSheet2 = Named<QWidget>(nullptr, "TabSheet2");
  FSTab = Named<QWidget>(nullptr, "FSTab");
  PageControl1->addTab(TabSheet1, toQ("Pers\xF6nliche Daten"));
  PageControl1->addTab(TabSheet2, toQ("Verbrauch"));
  PageControl1->addTab(FSTab, toQ("Fre\xDF-Sternchen"));

  // First page: the person on the left, the activity in the middle, the figures on the right.
  NameEdt = Named<QLineEdit>(TabSheet1, "NameEdt");
  GebDatEdt = Named<QLineEdit>(TabSheet1, "GebDatEdt");
  FemaleRdb = Captioned<QRadioButton>(TabSheet1, "FemaleRdb", "weiblich");
  MaleRdb = Captioned<QRadioButton>(TabSheet1, "MaleRdb", "m\xE4nnlich");
  SchwangerCoBo = Named<QComboBox>(TabSheet1, "SchwangerCoBo");
  GroesseEdt = Named<QLineEdit>(TabSheet1, "GroesseEdt");
  GewichtEdt = Named<QLineEdit>(TabSheet1, "GewichtEdt");
  WorkTck = Track(TabSheet1, "WorkTck");
  SportTck = Track(TabSheet1, "SportTck");
  BMITxt = Figure(TabSheet1, "BMITxt");
  BMITextTxt = Figure(TabSheet1, "BMITextTxt");
  GrundumsatzTxt = Figure(TabSheet1, "GrundumsatzTxt");
  WorkTxt = Figure(TabSheet1, "WorkTxt");
  SumTxt = Figure(TabSheet1, "SumTxt");
  IdealTxt = Figure(TabSheet1, "IdealTxt");
  NormalTxt = Figure(TabSheet1, "NormalTxt");
  SurfaceTxt = Figure(TabSheet1, "SurfaceTxt");
  ManuellChk = Captioned<QCheckBox>(TabSheet1, "ManuellChk", "manuelle Eingabe");
  ManuelEdt = Named<QLineEdit>(TabSheet1, "ManuelEdt");
  ManuelEdt->setMaximumWidth(70);
  ManuelKCalTxt = Captioned<QLabel>(TabSheet1, "ManuelKCalTxt", "kcal");

  auto* personGrp = Named<QGroupBox>(TabSheet1, "PersonGrp");
  personGrp->setTitle(toQ(" Person: "));
  auto* personForm = new QFormLayout(personGrp);
  personForm->addRow(Captioned<QLabel>(personGrp, "NameLbl", "Name:"), NameEdt);
  personForm->addRow(Captioned<QLabel>(personGrp, "GebDatLbl", "Geburtsdatum:"), GebDatEdt);
  auto* sexRow = new QHBoxLayout;
  sexRow->addWidget(FemaleRdb);
  sexRow->addWidget(MaleRdb);
  sexRow->addStretch(1);
  personForm->addRow(Captioned<QLabel>(personGrp, "SexLbl", "Geschlecht:"), sexRow);
  personForm->addRow(Captioned<QLabel>(personGrp, "SchwangerLbl", ""), SchwangerCoBo);
  personForm->addRow(Captioned<QLabel>(personGrp, "GroesseLbl",
                                       "Gr\xF6\xDF"
                                       "e (cm):"),
                     GroesseEdt);
  personForm->addRow(Captioned<QLabel>(personGrp, "GewichtLbl", "Gewicht (kg):"), GewichtEdt);

  auto* activityGrp = Named<QGroupBox>(TabSheet1, "ActivityGrp");
  activityGrp->setTitle(toQ(" T\xE4tigkeit: "));
  auto* activityRow = new QHBoxLayout(activityGrp);
  activityRow->addLayout(TrackColumn(activityGrp, WorkTck, "WorkHighLbl", "Schwerste T\xE4tigkeit",
                                     "WorkLowLbl", "Sehr leichte T\xE4tigkeit"));
  activityRow->addLayout(TrackColumn(activityGrp, SportTck, "SportHighLbl",
                                     "Aktiv-Sport (Durchschnittlich 60 Min/Tag)", "SportLowLbl",
                                     "Kein Sport"));

  auto* figuresGrp = Named<QGroupBox>(TabSheet1, "FiguresGrp");
  figuresGrp->setTitle(toQ(" Berechnete Werte: "));
  auto* figures = new QFormLayout(figuresGrp);
  figures->addRow(Captioned<QLabel>(figuresGrp, "BMILbl", "Body-Mass-Index:"), BMITxt);
  figures->addRow(Captioned<QLabel>(figuresGrp, "BMIKlasseLbl", ""), BMITextTxt);
  figures->addRow(Captioned<QLabel>(figuresGrp, "GrundumsatzLbl", "Grundumsatz:"), GrundumsatzTxt);
  figures->addRow(Captioned<QLabel>(figuresGrp, "WorkLbl", "Leistungsumsatz:"), WorkTxt);
  figures->addRow(Captioned<QLabel>(figuresGrp, "SumLbl", "Tagesbedarf:"), SumTxt);
  figures->addRow(Captioned<QLabel>(figuresGrp, "IdealLbl", "Idealgewicht:"), IdealTxt);
  figures->addRow(Captioned<QLabel>(figuresGrp, "NormalLbl", "Mindestgewicht:"), NormalTxt);
  figures->addRow(Captioned<QLabel>(figuresGrp, "SurfaceLbl",
                                    "K\xF6rperoberfl\xE4"
                                    "che:"),
                  SurfaceTxt);
  auto* manualRow = new QHBoxLayout;
  manualRow->addWidget(ManuelEdt);
  manualRow->addWidget(ManuelKCalTxt);
  manualRow->addStretch(1);
  figures->addRow(ManuellChk, manualRow);

  auto* page1 = new QHBoxLayout(TabSheet1);
  page1->addWidget(personGrp, 3);
  page1->addWidget(activityGrp, 2);
  page1->addWidget(figuresGrp, 4);

  // Second page: the rows on the left, the current row below them, the nutrients on the right.
  StoffGrd = Named<QTableWidget>(TabSheet2, "StoffGrd");
  StoffGrd->setColumnCount(2);
  StoffGrd->verticalHeader()->setVisible(false);
  StoffGrd->setSelectionBehavior(QAbstractItemView::SelectRows);
  StoffGrd->setSelectionMode(QAbstractItemView::SingleSelection);
  StoffGrd->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StoffGrd->verticalHeader()->setDefaultSectionSize(18);
  // The name takes the room the value, its header as wide as needed, leaves.
  StoffGrd->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  StoffInputGrp = Named<QGroupBox>(TabSheet2, "StoffInputGrp");
  StoffInputGrp->setTitle(toQ(" Aktueller Inhaltsstoff: "));
  StoffNameTxt = Figure(StoffInputGrp, "StoffNameTxt");
  TagessatzEdt = Named<QLineEdit>(StoffInputGrp, "TagessatzEdt");
  TagessatzEdt->setMaximumWidth(80);
  EinheitTxt = Named<QLabel>(StoffInputGrp, "EinheitTxt");
  CalcValueTxt = Named<QLabel>(StoffInputGrp, "CalcValueTxt");
  AlarmCoBo = Named<QComboBox>(StoffInputGrp, "AlarmCoBo");
  auto* input = new QFormLayout(StoffInputGrp);
  input->addRow(StoffNameTxt);
  auto* ownRow = new QHBoxLayout;
  ownRow->addWidget(TagessatzEdt);
  ownRow->addWidget(EinheitTxt);
  ownRow->addStretch(1);
  input->addRow(Captioned<QLabel>(StoffInputGrp, "TagessatzLbl", "Eigener Wert:"), ownRow);
  input->addRow(Captioned<QLabel>(StoffInputGrp, "CalcValueLbl", "Standardwert:"), CalcValueTxt);
  input->addRow(Captioned<QLabel>(StoffInputGrp, "AlarmLbl", "Warnung:"), AlarmCoBo);
  StoffLiBo = Named<QListWidget>(TabSheet2, "StoffLiBo");
  AddBtn = Captioned<QPushButton>(TabSheet2, "AddBtn", "<< aufnehmen");
  DelBtn = Captioned<QPushButton>(TabSheet2, "DelBtn", ">> entfernen");
  auto* rowsColumn = new QVBoxLayout;
  rowsColumn->addWidget(Captioned<QLabel>(TabSheet2, "StoffGrdLbl", "Liste der Tagess\xE4tze"));
  rowsColumn->addWidget(StoffGrd, 1);
  rowsColumn->addWidget(StoffInputGrp);
  auto* buttonColumn = new QVBoxLayout;
  buttonColumn->addStretch(1);
  buttonColumn->addWidget(AddBtn);
  buttonColumn->addWidget(DelBtn);
  buttonColumn->addStretch(1);
  auto* listColumn = new QVBoxLayout;
  listColumn->addWidget(Captioned<QLabel>(TabSheet2, "StoffLiBoLbl", "Inhaltsstoffe:"));
  listColumn->addWidget(StoffLiBo, 1);
  auto* page2 = new QHBoxLayout(TabSheet2);
  page2->addLayout(rowsColumn, 3);
  page2->addLayout(buttonColumn);
  page2->addLayout(listColumn, 2);

  // Third page: the goal and the point score.
  NormalRdb = Captioned<QRadioButton>(FSTab, "NormalRdb", "Ihr heutiges Gewicht halten ?");
  DiaetRdb = Captioned<QRadioButton>(FSTab, "DiaetRdb", "Aktuell abnehmen ?");
  WWErgTxt = Figure(FSTab, "WWErgTxt");
  QFont big = WWErgTxt->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  WWErgTxt->setFont(big);
  ManFSStarsEdt = Named<QLineEdit>(FSTab, "ManFSStarsEdt");
  ManFSStarsEdt->setMaximumWidth(60);
  auto* page3 = new QVBoxLayout(FSTab);
  auto* goalGrp = Named<QGroupBox>(FSTab, "GoalGrp");
  goalGrp->setTitle(toQ(" Ziel: "));
  auto* goal = new QVBoxLayout(goalGrp);
  goal->addWidget(NormalRdb);
  goal->addWidget(DiaetRdb);
  page3->addWidget(goalGrp);
  page3->addWidget(Captioned<QLabel>(FSTab, "WWErgLbl", "Ihre Punkte pro Tag:"));
  page3->addWidget(WWErgTxt);
  auto* ownScore = new QHBoxLayout;
  ownScore->addWidget(Captioned<QLabel>(FSTab, "ManFSStarsLbl", "Eigene Punktzahl:"));
  ownScore->addWidget(ManFSStarsEdt);
  ownScore->addStretch(1);
  page3->addLayout(ownScore);
  page3->addStretch(1);

  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  HelpBtn = Captioned<QPushButton>(this, "HelpBtn", "&Hilfe");
  OKBtn->setDefault(true);
  auto* column = new QVBoxLayout(this);
  column->addWidget(PageControl1, 1);
  column->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CancelBtn}));

  // The lists (FormCreate).
  if (ctx().nutrients)
    for (const RequirementNutrient& n : RequirementNutrients(*ctx().nutrients)) {
      StoffLiBo->addItem(toQ(n.name));
      stoffCodes_.push_back(n.code);
    }
  if (StoffLiBo->count() > 0) StoffLiBo->setCurrentRow(0);
  for (int t : {453, 454, 455}) AlarmCoBo->addItem(toQ(GetLangText(t)));
  for (int t : {459, 460, 461}) SchwangerCoBo->addItem(toQ(GetLangText(t)));

  for (QLineEdit* e : {GebDatEdt, GroesseEdt, GewichtEdt})
    connect(e, &QLineEdit::textChanged, this, [this] { CalcPersonEnergy(); });
  for (QSlider* t : {WorkTck, SportTck})
    connect(t, &QSlider::valueChanged, this, [this] { CalcPersonEnergy(); });
  for (QRadioButton* r : {FemaleRdb, MaleRdb})
    connect(r, &QRadioButton::clicked, this, [this] { MaleRdbClick(); });
  for (QRadioButton* r : {NormalRdb, DiaetRdb})
    connect(r, &QRadioButton::clicked, this, [this] { CalcPointScore(); });
  connect(ManuellChk, &QCheckBox::clicked, this, [this] { ManuellChkClick(); });
  connect(ManuelEdt, &QLineEdit::textEdited, this, [this] { ManuelEdtChange(); });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
    if (filling_ || page == shownPage_) return;
    if (!PageControl1Changing()) {
      filling_ = true;
      PageControl1->setCurrentIndex(shownPage_);
      filling_ = false;
      return;
    }
    shownPage_ = page;
    if (page == 2) CalcPointScore();
  });
  connect(StoffGrd, &QTableWidget::currentCellChanged, this, [this] { ShowDailyRequirement(); });
  connect(AddBtn, &QPushButton::clicked, this, [this] { AddBtnClick(); });
  connect(StoffLiBo, &QListWidget::itemDoubleClicked, this, [this] { AddBtnClick(); });
  connect(DelBtn, &QPushButton::clicked, this, [this] { DelBtnClick(); });
  connect(TagessatzEdt, &QLineEdit::textEdited, this, [this] { TagessatzEdtChange(); });
  connect(AlarmCoBo, &QComboBox::activated, this, [this] { AlarmCoBoChange(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });
  if (LangDlg) LangDlg->TranslateForm(this);
  if (ENApplogMod)
    ENApplogMod->hooks.showPersonDialog = [this](ENPERSON* person) {
      ShowPerson(person);
      exec();
    };
}

TPersDataDlg::~TPersDataDlg() {
  if (ENApplogMod) ENApplogMod->hooks.showPersonDialog = nullptr;
}

void TPersDataDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous()) FormShow();
}

void TPersDataDlg::FormShow() {
  if (PageControl1->currentIndex() == 0) NameEdt->setFocus();
  FillRequirementGrid();
  CenterOnForm(this);
  CalcPointScore();
}

void TPersDataDlg::ShowPerson(ENPERSON* person) {
  if (!person) return;
  filling_ = true;
  state_.person = person;
  state_.isNew = person->name.empty();
  state_.previousName = person->name;
  if (state_.isNew) PageControl1->setCurrentIndex(0);
  shownPage_ = PageControl1->currentIndex();
  NameEdt->setText(toQ(person->name));
  GebDatEdt->setText(QStringLiteral("%1.%2.%3")
                         .arg(person->birthDay)
                         .arg(person->birthMonth)
                         .arg(person->birthYear));
  GroesseEdt->setText(QString::number(person->height));
  GewichtEdt->setText(QString::number(person->weight));
  FemaleRdb->setChecked(person->sex == 'F');
  MaleRdb->setChecked(person->sex != 'F');
  WorkTck->setValue(person->work);
  SportTck->setValue(person->sport);
  ManuelEdt->setText(QString::number(person->manualEnergy));
  ManuellChk->setChecked(person->manualEnergyApplies);
  ManuelEdt->setVisible(person->manualEnergyApplies);
  ManuelKCalTxt->setVisible(person->manualEnergyApplies);
  ManFSStarsEdt->setText(person->pointScore > 0 ? QString::number(person->pointScore) : QString());
  DiaetRdb->setChecked(person->diet);
  NormalRdb->setChecked(!person->diet);
  ShowPregnancy(person->sex == 'F');
  SchwangerCoBo->setCurrentIndex(person->pregnancy == 'N' ? 0 : person->pregnancy == 'J' ? 1 : 2);
  filling_ = false;
  CalcPersonEnergy();
  StoffGrd->setHorizontalHeaderLabels({toQ(GetLangText(488)), toQ(GetLangText(489))});
  StoffGrd->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  FillRequirementGrid();
}

PersonInput TPersDataDlg::Input() const {
  PersonInput in;
  in.birthDate = fromQ(GebDatEdt->text());
  in.height = fromQ(GroesseEdt->text());
  in.weight = fromQ(GewichtEdt->text());
  in.female = FemaleRdb->isChecked();
  in.work = WorkTck->value();
  in.sport = SportTck->value();
  in.keepWeight = NormalRdb->isChecked();
  return in;
}

PersonForm TPersDataDlg::Form() const {
  PersonForm f;
  f.name = fromQ(NameEdt->text());
  f.birthDate = fromQ(GebDatEdt->text());
  f.height = fromQ(GroesseEdt->text());
  f.weight = fromQ(GewichtEdt->text());
  f.female = FemaleRdb->isChecked();
  f.pregnancyItem = SchwangerCoBo->currentIndex();
  f.work = WorkTck->value();
  f.sport = SportTck->value();
  f.diet = DiaetRdb->isChecked();
  f.ownStars = fromQ(ManFSStarsEdt->text());
  return f;
}

void TPersDataDlg::CalcPersonEnergy() {
  if (filling_ || !state_.person) return;
  const PersonInput in = Input();
  const PersonFigures f = CalcPersonFigures(in, PersonAgeYears(in.birthDate));
  state_.person->calculatedEnergy = f.calculatedKcal;
  BMITxt->setText(toQ(f.bmiText));
  BMITextTxt->setText(f.bmiClass ? toQ(GetLangText(f.bmiClass)) : QString());
  if (!f.energyKnown) {
    for (QLabel* l : {GrundumsatzTxt, WorkTxt, SumTxt}) l->setText(QStringLiteral("???"));
    return;
  }
  GrundumsatzTxt->setText(toQ(FormatFixed(f.basal, 0) + " kcal"));
  SumTxt->setText(toQ(FormatFixed(f.total, 0) + " kcal"));
  WorkTxt->setText(toQ(FormatFixed(f.total - f.basal, 0) + " kcal"));
  IdealTxt->setText(toQ(FormatFixed(f.ideal, 0) + " kg"));
  NormalTxt->setText(toQ(FormatFixed(f.minimum, 0) + " kg"));
  SurfaceTxt->setText(toQ(FormatFixed(f.surface, 2) + " m*m"));
}

void TPersDataDlg::CalcPointScore() {
  const PersonInput in = Input();
  const int n = tav::CalcPointScore(in, PersonAgeYears(in.birthDate));
  WWErgTxt->setText(toQ(std::to_string(n) + " " + GetLangText(618)));
}

void TPersDataDlg::ShowPregnancy(bool shown) {
  // The row goes with its label, so no gap is left between sex and height.
  if (auto* form = qobject_cast<QFormLayout*>(SchwangerCoBo->parentWidget()->layout()))
    form->setRowVisible(SchwangerCoBo, shown);
  SchwangerCoBo->setVisible(shown);
}

void TPersDataDlg::MaleRdbClick() {
  ShowPregnancy(FemaleRdb->isChecked());
  CalcPersonEnergy();
}

void TPersDataDlg::ManuellChkClick() {
  if (!state_.person) return;
  ENPERSON& p = *state_.person;
  p.manualEnergyApplies = ManuellChk->isChecked();
  ManuelEdt->setVisible(p.manualEnergyApplies);
  ManuelKCalTxt->setVisible(p.manualEnergyApplies);
  if (p.manualEnergyApplies && p.manualEnergy == 0) {
    p.manualEnergy = p.calculatedEnergy;
    ManuelEdt->setText(QString::number(p.manualEnergy));
  }
}

void TPersDataDlg::ManuelEdtChange() {
  if (state_.person)
    state_.person->manualEnergy = static_cast<int>(ReadLong(fromQ(ManuelEdt->text())));
}

bool TPersDataDlg::StorePerson() {
  if (!state_.person || !ENApplogMod) return false;
  PersonField focus = PersonField::None;
  if (StorePersonForm(*ENApplogMod, state_, Form(), focus) == 0) return true;
  if (focus == PersonField::BirthDate)
    GebDatEdt->setFocus();
  else
    NameEdt->setFocus();
  return false;
}

bool TPersDataDlg::PageControl1Changing() {
  if (!StorePerson()) return false;
  ENApplogMod->UpdateRequirements();
  FillRequirementGrid();
  ENApplogMod->NotifyDiaryChanged();
  return true;
}

void TPersDataDlg::OKBtnClick() {
  if (StorePerson()) {
    ENApplogMod->UpdateRequirements();
    ENApplogMod->NotifyDiaryChanged();
    stored_ = true;
    accept();
  }
  if (ENAddDayDlg) ENAddDayDlg->RefreshDayValuesList();
}

void TPersDataDlg::CancelBtnClick() {
  stored_ = false;
  reject();
}

void TPersDataDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Person.htm");
}

// --- the requirement page ----------------------------------------------------------------------

double TPersDataDlg::StandardFor(const std::string& code) const {
  if (!ctx().intake || !state_.person) return -1;
  return ctx().intake->StandardRequirementFor(code, *state_.person,
                                              TENApplogMod::GetPersonAge(state_.person));
}

// A row whose nutrient the food table does not have (a table without iodine) shows its code.
ISTOFF TPersDataDlg::NutrientOf(const std::string& code) {
  ISTOFF s;
  if (!ctx().nutrients || !ctx().nutrients->FindStoffByCode(code, &s)) {
    s = ISTOFF{};
    s.name = code;
  }
  return s;
}

int TPersDataDlg::CurrentRequirement() const {
  const int r = StoffGrd->currentRow();
  if (!state_.person || r < 0 || r >= static_cast<int>(state_.person->requirements.size()))
    return -1;
  return r;
}

void TPersDataDlg::FillRequirementGrid() {
  if (!state_.person) return;
  const int rows = static_cast<int>(state_.person->requirements.size());
  const int current = StoffGrd->currentRow();
  filling_ = true;
  StoffGrd->clearContents();
  StoffGrd->setRowCount(rows > 0 ? rows : 1);
  for (int k = 0; k < rows; ++k) FillRequirementRow(k);
  StoffInputGrp->setVisible(rows > 0);
  if (rows > 0) StoffGrd->setCurrentCell(current >= 0 && current < rows ? current : 0, 0);
  filling_ = false;
  ShowDailyRequirement();
}

void TPersDataDlg::FillRequirementRow(int k) {
  if (!state_.person || k < 0 || k >= static_cast<int>(state_.person->requirements.size())) return;
  const TAGESBEDARF& row = state_.person->requirements[static_cast<size_t>(k)];
  const ISTOFF s = NutrientOf(row.code);
  StoffGrd->setItem(k, 0, new QTableWidgetItem(toQ(s.name)));
  const RequirementMark mark = RequirementCellMark(row);
  auto* value = new QTableWidgetItem(mark == RequirementMark::Unknown
                                         ? QStringLiteral("?")
                                         : toQ(RequirementCellText(row, RequirementUnit(s.unit))));
  // Values from the intake tables show in blue.
  if (mark == RequirementMark::Standard) value->setForeground(QColor(0, 0, 255));
  StoffGrd->setItem(k, 1, value);
}

void TPersDataDlg::ShowDailyRequirement() {
  const int r = CurrentRequirement();
  if (r < 0 || filling_) return;
  filling_ = true;
  const TAGESBEDARF& row = state_.person->requirements[static_cast<size_t>(r)];
  const ISTOFF s = NutrientOf(row.code);
  const std::string unit = RequirementUnit(s.unit);
  StoffNameTxt->setText(toQ(s.name));
  EinheitTxt->setText(toQ(unit));
  const double standard = StandardFor(row.code);
  QPalette pal = CalcValueTxt->palette();
  if (standard >= 0) {
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    CalcValueTxt->setText(toQ(FormatFixed(standard, 2) + " " + unit));
    FillRequirementRow(r);
  } else {
    pal = StoffInputGrp->palette();
    CalcValueTxt->setText(toQ(GetLangText(490)));
  }
  CalcValueTxt->setPalette(pal);
  TagessatzEdt->setText(row.own >= 0 ? toQ(FormatFixed(row.own, 2)) : QString());
  AlarmCoBo->setCurrentIndex(row.alarm == '-' ? 0 : row.alarm == '<' ? 1 : 2);
  filling_ = false;
}

void TPersDataDlg::AddBtnClick() {
  const int i = StoffLiBo->currentRow();
  if (i < 0 || !state_.person) return;
  const std::string& code = stoffCodes_[static_cast<size_t>(i)];
  if (!AddRequirementRow(*state_.person, code, StandardFor(code))) return;
  StoffInputGrp->setVisible(true);
  FillRequirementGrid();
  StoffGrd->setCurrentCell(static_cast<int>(state_.person->requirements.size()) - 1, 0);
  ShowDailyRequirement();
}

void TPersDataDlg::DelBtnClick() {
  const int r = CurrentRequirement();
  if (r < 0) return;
  auto& rows = state_.person->requirements;
  rows.erase(rows.begin() + r);
  StoffInputGrp->setVisible(!rows.empty());
  FillRequirementGrid();
}

void TPersDataDlg::TagessatzEdtChange() {
  const int r = CurrentRequirement();
  if (filling_ || r < 0) return;
  SetOwnRequirement(state_.person->requirements[static_cast<size_t>(r)],
                    fromQ(TagessatzEdt->text()));
  FillRequirementRow(r);
}

void TPersDataDlg::AlarmCoBoChange() {
  const int r = CurrentRequirement();
  const int item = AlarmCoBo->currentIndex();
  if (r < 0 || item < 0) return;
  state_.person->requirements[static_cast<size_t>(r)].alarm = "-<>"[item];
  FillRequirementRow(r);
}

}  // namespace tav
