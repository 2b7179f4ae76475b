#include "nutrients/ui/filter_group_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "nutrients/filter_group_edit.h"
#include "nutrients/ui/food_browser_dialog.h"
#include "nutrients/ui/new_filter_dialog.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TBLSFilterDlg* BLSFilterDlg = nullptr;

TBLSFilterDlg::TBLSFilterDlg(QWidget* parent) : QDialog(parent) {
  BLSFilterDlg = this;
  setObjectName(QStringLiteral("BLSFilterDlg"));
  setWindowTitle(toQ("Stoff-Filtergruppen"));
  setSizeGripEnabled(true);
  ctx().nutrients = this;

  Label1 = Captioned<QLabel>(this, "Label1", "&Filtergruppe:");
  FiltGrpCoBo = Named<QComboBox>(this, "FiltGrpCoBo");
  FiltGrpCoBo->setMinimumContentsLength(24);
  Label1->setBuddy(FiltGrpCoBo);
  NewFiltGrpBrn = Captioned<QPushButton>(this, "NewFiltGrpBrn", "&Neue Gruppe ...");
  DelFiltGrpBrn = Captioned<QPushButton>(this, "DelFiltGrpBrn", "Gruppe &l\xF6schen");
  DayValuesChk =
      Captioned<QCheckBox>(this, "DayValuesChk", "Diese Gruppe f\xFCr die &Tageswerte verwenden");
  IStoffLiBo = Named<QListWidget>(this, "IStoffLiBo");
  ZutatUpBtn = Named<QPushButton>(this, "ZutatUpBtn");
  ZutatUpBtn->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  ZutatDownBtn = Named<QPushButton>(this, "ZutatDownBtn");
  ZutatDownBtn->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  // The two notices stand in a box of their own that takes the list's place.
  infoBox_ = new QWidget(this);
  InfoTxt =
      Captioned<QLabel>(infoBox_, "InfoTxt", "Bitte w\xE4hlen Sie zuerst eine Filtergruppe aus");
  Info2Txt = Captioned<QLabel>(infoBox_, "Info2Txt", "oder legen Sie eine neue Gruppe an.");
  for (QLabel* l : {InfoTxt, Info2Txt}) l->setAlignment(Qt::AlignCenter);
  auto* info = new QVBoxLayout(infoBox_);
  info->addStretch(1);
  info->addWidget(InfoTxt);
  info->addWidget(Info2Txt);
  info->addStretch(1);
  HelpBtn = Captioned<QPushButton>(this, "HelpBtn", "&Hilfe");
  CloseBtn = Captioned<QPushButton>(this, "CloseBtn",
                                    "&Schlie\xDF"
                                    "en");
  for (QPushButton* b : {NewFiltGrpBrn, DelFiltGrpBrn, ZutatUpBtn, ZutatDownBtn, HelpBtn})
    b->setAutoDefault(false);

  auto* groupRow = new QHBoxLayout;
  groupRow->addWidget(Label1);
  groupRow->addWidget(FiltGrpCoBo, 1);
  groupRow->addWidget(NewFiltGrpBrn);
  groupRow->addWidget(DelFiltGrpBrn);
  auto* moves = new QVBoxLayout;
  moves->addWidget(ZutatUpBtn);
  moves->addWidget(ZutatDownBtn);
  moves->addStretch(1);
  auto* listRow = new QHBoxLayout;
  auto* listColumn = new QVBoxLayout;
  // The list, or in its place the notices.
  stack_ = new QStackedWidget(this);
  stack_->addWidget(IStoffLiBo);
  stack_->addWidget(infoBox_);
  listColumn->addWidget(stack_, 1);
  listRow->addLayout(listColumn, 1);
  listRow->addLayout(moves);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(HelpBtn);
  buttons->addStretch(1);
  buttons->addWidget(CloseBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groupRow);
  layout->addWidget(DayValuesChk);
  layout->addLayout(listRow, 1);
  layout->addLayout(buttons);
  resize(520, 600);

  connect(FiltGrpCoBo, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) FiltGrpCoBoChange();
  });
  connect(NewFiltGrpBrn, &QPushButton::clicked, this, [this] { NewFiltGrpBrnClick(); });
  connect(DelFiltGrpBrn, &QPushButton::clicked, this, [this] { DelFiltGrpBrnClick(); });
  connect(DayValuesChk, &QCheckBox::clicked, this, [this] { DayValuesChkClick(); });
  connect(ZutatUpBtn, &QPushButton::clicked, this, [this] { ZutatUpBtnClick(); });
  connect(ZutatDownBtn, &QPushButton::clicked, this, [this] { ZutatDownBtnClick(); });
  connect(HelpBtn, &QPushButton::clicked, this, [this] { HelpBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, [this] { CloseBtnClick(); });

  // The browser's filter list is filled as the table is read.
  if (BLSMainDlg) BLSMainDlg->WatchFilterLists();
  // Without Fields.bls the window stays untranslated.
  if (LoadNutrientTable() && LangDlg) LangDlg->TranslateForm(this);
}

TBLSFilterDlg::~TBLSFilterDlg() {
  if (ctx().nutrients == this) ctx().nutrients = nullptr;
  if (BLSFilterDlg == this) BLSFilterDlg = nullptr;
}

void TBLSFilterDlg::FillFilterGroupList() {
  std::vector<std::string> names;
  for (const FILTGRP& g : Groups()) names.push_back(g.name);
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareTextNoCase(a, b) < 0;
  });
  filling_ = true;
  FiltGrpCoBo->clear();
  for (const std::string& n : names) FiltGrpCoBo->addItem(toQ(n));
  FiltGrpCoBo->setCurrentIndex(-1);
  filling_ = false;
  if (currentGroup >= 0 && currentGroup < static_cast<int>(Groups().size()))
    SelectGroupEntry(Groups()[static_cast<size_t>(currentGroup)].name);
}

void TBLSFilterDlg::SelectGroupEntry(const std::string& name) {
  filling_ = true;
  FiltGrpCoBo->setCurrentIndex(FiltGrpCoBo->findText(toQ(name), Qt::MatchExactly));
  filling_ = false;
}

void TBLSFilterDlg::FillStoffCheckList() {
  IStoffLiBo->clear();
  for (const ISTOFF* s : CheckListRows(Stoffe())) {
    auto* item = new QListWidgetItem(toQ(s->name), IStoffLiBo);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(s->visible ? Qt::Checked : Qt::Unchecked);
  }
}

void TBLSFilterDlg::StoreStoffChecks() {
  std::vector<bool> checks;
  for (int r = 0; r < IStoffLiBo->count(); ++r)
    checks.push_back(IStoffLiBo->item(r)->checkState() == Qt::Checked);
  tav::StoreStoffChecks(Stoffe(), checks);
}

void TBLSFilterDlg::ShowCheckListBySelection() {
  const bool chosen = FiltGrpCoBo->currentIndex() >= 0;
  ZutatUpBtn->setEnabled(chosen);
  ZutatDownBtn->setEnabled(chosen);
  DayValuesChk->setEnabled(chosen);
  stack_->setCurrentWidget(chosen ? static_cast<QWidget*>(IStoffLiBo) : infoBox_);
}

void TBLSFilterDlg::ZutatUpBtnClick() {
  const int r = IStoffLiBo->currentRow();
  if (r < 1) return;
  // The checks go into the table first, so each mark stays with its nutrient.
  StoreStoffChecks();
  if (!SwapStoffPositions(Stoffe(), r)) return;
  QListWidgetItem* item = IStoffLiBo->takeItem(r);
  IStoffLiBo->insertItem(r - 1, item);
  IStoffLiBo->setCurrentRow(r - 1);
}

void TBLSFilterDlg::ZutatDownBtnClick() {
  const int r = IStoffLiBo->currentRow();
  if (r < 0 || r + 1 >= IStoffLiBo->count()) return;
  StoreStoffChecks();
  if (!SwapStoffPositions(Stoffe(), r + 1)) return;
  QListWidgetItem* item = IStoffLiBo->takeItem(r);
  IStoffLiBo->insertItem(r + 1, item);
  IStoffLiBo->setCurrentRow(r + 1);
}

void TBLSFilterDlg::NewFiltGrpBrnClick() {
  if (!NewFilterDlg) return;
  NewFilterDlg->SetNewFilterName(std::string());
  NewFilterDlg->exec();
  const std::string name = NewFilterDlg->GetNewFilterName();
  if (name.empty()) return;
  if (FilterGroupNameTaken(Groups(), name)) {
    ShowError(383);
    return;
  }
  // The edits of the group shown so far are kept before the table starts the new one.
  StoreStoffChecks();
  SaveFilterFields();
  currentGroup = AppendFilterGroup(Groups(), name);
  SaveFilterGroups();
  ResetFilterFields();
  SaveFilterFields();
  FillStoffCheckList();
  filling_ = true;
  DayValuesChk->setChecked(false);
  filling_ = false;
  ShowCheckListBySelection();
}

void TBLSFilterDlg::DelFiltGrpBrnClick() {
  if (FiltGrpCoBo->currentIndex() < 0) return;
  // Only Yes deletes; a box closed otherwise keeps the group.
  if (MessageBox(GetLangText(388), GetLangText(56), MB_YESNO) != IDYES) return;
  RemoveFilterGroup(Groups(), fromQ(FiltGrpCoBo->currentText()));
  // No group is current afterwards: a later save must not write another group's file.
  currentGroup = -1;
  SaveFilterGroups();
  IStoffLiBo->clear();
  filling_ = true;
  DayValuesChk->setChecked(false);
  filling_ = false;
  ShowCheckListBySelection();
}

void TBLSFilterDlg::FiltGrpCoBoChange() {
  StoreStoffChecks();
  SaveFilterFields();
  ShowCheckListBySelection();
  const std::string name = fromQ(FiltGrpCoBo->currentText());
  currentGroup = -1;
  for (size_t i = 0; i < Groups().size(); ++i)
    if (Groups()[i].name == name) currentGroup = static_cast<int>(i);
  updating = true;
  DayValuesChk->setChecked(currentGroup >= 0 &&
                           Groups()[static_cast<size_t>(currentGroup)].forDayValues);
  updating = false;
  if (currentGroup >= 0) LoadFilterFields(Groups()[static_cast<size_t>(currentGroup)].id);
  FillStoffCheckList();
}

void TBLSFilterDlg::DayValuesChkClick() {
  if (updating) return;
  DayValuesChk->setChecked(true);  // cleared only by choosing another group
  SetDayValuesGroup(Groups(), fromQ(FiltGrpCoBo->currentText()));
  SaveFilterGroups();
}

void TBLSFilterDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TBLSFilterDlg::FormShow() {
  closing_ = false;
  if (Groups().empty()) {
    currentGroup = -1;
    SaveFilterGroups();
  }
  // The browser's entry at option 53 names the group to edit; outside the list none.
  const int option = ctx().options ? ctx().options->Int(53) : ChosenFilter();
  const std::vector<std::string>& entries = FilterEntries();
  const std::string entry = option >= 0 && option < static_cast<int>(entries.size())
                                ? entries[static_cast<size_t>(option)]
                                : "";
  currentGroup = -1;
  for (size_t i = 0; i < Groups().size(); ++i)
    if (!entry.empty() && Groups()[i].name == entry) currentGroup = static_cast<int>(i);
  SelectGroupEntry(currentGroup >= 0 ? entry : std::string());
  if (currentGroup < 0) {
    filling_ = true;
    FiltGrpCoBo->setCurrentIndex(-1);
    filling_ = false;
  }
  updating = true;
  DayValuesChk->setChecked(currentGroup >= 0 &&
                           Groups()[static_cast<size_t>(currentGroup)].forDayValues);
  updating = false;
  ShowCheckListBySelection();
  IStoffLiBo->clear();
  if (currentGroup >= 0) {
    // The group's own file, not whatever view the table was left in by another window.
    LoadFilterFields(Groups()[static_cast<size_t>(currentGroup)].id);
    FillStoffCheckList();
  }
  CenterOnForm(this);
}

void TBLSFilterDlg::CloseBtnClick() {
  if (!closing_) {
    closing_ = true;
    StoreStoffChecks();
    SaveFilterFields();
    const int s = FiltGrpCoBo->currentIndex() + 1;
    FillFilterGroupCombos();
    SetChosenFilter(s);
    if (ctx().options) ctx().options->SetParaInt(53, s);
    currentGroup = -1;
    BuildDayStoffTable();
    if (dayValuesChanged) dayValuesChanged();
  }
  if (isVisible()) QDialog::done(QDialog::Accepted);
}

void TBLSFilterDlg::done(int result) {
  // Esc and the title bar close as the close button does.
  if (!closing_) {
    CloseBtnClick();
    return;
  }
  QDialog::done(result);
}

void TBLSFilterDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_BLSFilter.htm");
}

}  // namespace tav
