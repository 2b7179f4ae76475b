#include "kitchen/ui/menu_course_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>
#include <cstdlib>

#include "kitchen/menus/menu_courses.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/tools_module.h"
#include "services/ui/form_controls.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TMenuEditDlg* MenuEditDlg = nullptr;

namespace {

// A "#" would end a field of the course list early: it is replaced as it is typed or pasted.
class NoHashValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input.replace(QLatin1Char('#'), QLatin1Char('-'));
    return Acceptable;
  }
};

// The same for a text field: a typed "#" becomes "-".
class NoHashKeys : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->text() == QStringLiteral("#")) {
      if (auto* edit = qobject_cast<QPlainTextEdit*>(watched))
        edit->insertPlainText(QStringLiteral("-"));
      return true;
    }
    return QObject::eventFilter(watched, event);
  }
};

std::string NumberText(int32_t n) {
  return std::to_string(n);
}

int32_t ReadNumber(const QString& text) {
  return static_cast<int32_t>(std::strtol(fromQ(text).c_str(), nullptr, 10));
}

}  // namespace

TMenuEditDlg::TMenuEditDlg(QWidget* parent) : QDialog(parent) {
  MenuEditDlg = this;
  setObjectName(QStringLiteral("MenuEditDlg"));
  setWindowTitle(toQ("Men\xFC-Gestaltung"));
  setModal(true);

  Label7 = Captioned<QLabel>(this, "Label7", "Bezeichnung des geplanten Men\xFCs:");
  TitleEdt = Named<QLineEdit>(this, "TitleEdt");
  QFont big = TitleEdt->font();
  big.setPixelSize(19);
  TitleEdt->setFont(big);
  Label2 = Captioned<QLabel>(this, "Label2", "Anzahl der geplanten Personen:");
  ServingEdt = Named<QLineEdit>(this, "ServingEdt");
  ServingEdt->setMaximumWidth(70);
  RezTitle = Captioned<QLabel>(this, "RezTitle", "  Men\xFC-Planung");
  QFont bold = RezTitle->font();
  bold.setBold(true);
  RezTitle->setFont(bold);
  RezTitle->setStyleSheet(
      QStringLiteral("QLabel#RezTitle { background: #000088; color: #ffdd33; padding: 3px; }"));

  InfoPnl = Named<QWidget>(this, "InfoPnl");
  Label1 = Captioned<QLabel>(InfoPnl, "Label1",
                             "Ziehen Sie nach Schlie\xDF"
                             "en dieses Dialogs einfach die gew\xFCnschten "
                             "Rezepte auf");
  Label4 = Captioned<QLabel>(InfoPnl, "Label4",
                             "die Men\xFCplan-Liste, die oberhalb der Rezept-Anzeige erscheint.");
  auto* info = new QVBoxLayout(InfoPnl);
  info->addStretch(1);
  for (QLabel* l : {Label1, Label4}) {
    l->setAlignment(Qt::AlignCenter);
    info->addWidget(l);
  }
  info->addStretch(2);

  RecipePnl = Named<QWidget>(this, "RecipePnl");
  Label3 = Captioned<QLabel>(RecipePnl, "Label3", "Druck");
  Label3->hide();
  Label13 = Captioned<QLabel>(RecipePnl, "Label13", "Rezepttitel f\xFCr den Ausdruck:");
  Label14 = Captioned<QLabel>(RecipePnl, "Label14", "Art:");
  Label15 = Captioned<QLabel>(RecipePnl, "Label15", "Umrechnen auf:");
  auto* noHash = new NoHashValidator(this);
  auto* noHashKeys = new NoHashKeys(this);
  auto* panels = new QVBoxLayout;
  panels->setSpacing(0);
  auto* head = new QGridLayout;
  head->addWidget(Label13, 0, 0);
  head->addWidget(Label14, 0, 1);
  head->addWidget(Label15, 0, 2, 1, 2);
  head->setColumnStretch(0, 3);
  head->setColumnStretch(1, 2);
  head->setContentsMargins(6, 0, 6, 2);
  panels->addLayout(head);
  for (int n = 0; n < 6; ++n) {
    const std::string k = std::to_string(n + 1);
    CoursePanel& c = Courses[n];
    c.panel = Named<QWidget>(RecipePnl, ("Menu" + k + "Pnl").c_str());
    c.panel->setFixedHeight(66);
    if (n % 2) {
      c.panel->setAutoFillBackground(true);
      c.panel->setBackgroundRole(QPalette::Midlight);
    }
    c.recipe = Named<QLineEdit>(c.panel, ("Recipe" + k + "Edt").c_str());
    c.type = Named<QComboBox>(c.panel, ("RType" + k + "CoBo").c_str());
    c.type->setEditable(true);
    c.type->setInsertPolicy(QComboBox::NoInsert);
    c.type->setMaxVisibleItems(22);
    c.type->setValidator(noHash);
    c.serving = Named<QLineEdit>(c.panel, ("Serving" + k + "Edt").c_str());
    c.serving->setMaximumWidth(46);
    c.servingType = Named<QLabel>(c.panel, ("Serving" + k + "Txt").c_str());
    c.servingType->setMinimumWidth(70);
    c.desc = Named<QPlainTextEdit>(c.panel, ("Desc" + k + "Edt").c_str());
    c.desc->setTabChangesFocus(true);
    c.desc->installEventFilter(noHashKeys);
    auto* grid = new QGridLayout(c.panel);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);
    grid->addWidget(c.recipe, 0, 0);
    grid->addWidget(c.type, 0, 1);
    grid->addWidget(c.serving, 0, 2);
    grid->addWidget(c.servingType, 0, 3);
    grid->addWidget(c.desc, 1, 0, 1, 4);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(1, 1);
    panels->addWidget(c.panel);
  }
  panels->addStretch(1);
  RecipeScroll = Named<QScrollBar>(RecipePnl, "RecipeScroll");
  RecipeScroll->setOrientation(Qt::Vertical);
  RecipeScroll->setPageStep(6);
  auto* recipes = new QHBoxLayout(RecipePnl);
  recipes->setContentsMargins(0, 4, 0, 0);
  recipes->setSpacing(2);
  recipes->addLayout(panels, 1);
  recipes->addWidget(RecipeScroll);

  OKBtn = Captioned<QPushButton>(this, "OKBtn", "&OK");
  OKBtn->setDefault(true);
  CancelBtn = Captioned<QPushButton>(this, "CancelBtn", "&Abbrechen");
  HelpBtn = Named<QToolButton>(this, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));

  auto* top = new QGridLayout;
  top->addWidget(Label7, 0, 0, 1, 2);
  top->addWidget(TitleEdt, 1, 0, 1, 2);
  top->addWidget(Label2, 2, 0);
  top->addWidget(ServingEdt, 2, 1, Qt::AlignLeft);
  top->setColumnStretch(1, 1);
  auto* stack = new QStackedLayout;
  stack->setStackingMode(QStackedLayout::StackAll);
  stack->addWidget(InfoPnl);
  stack->addWidget(RecipePnl);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addSpacing(6);
  layout->addWidget(RezTitle);
  layout->addLayout(stack, 1);
  layout->addLayout(DialogButtonRow(HelpBtn, {OKBtn, CancelBtn}));
  resize(582, 562);

  connect(TitleEdt, &QLineEdit::textChanged, this, [this] { TitleEdtChange(); });
  connect(RecipeScroll, &QScrollBar::valueChanged, this, [this] {
    StoreCoursePanels();
    FillCoursePanels();
  });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  FormCreate();
}

TMenuEditDlg::~TMenuEditDlg() {
  if (MenuEditDlg == this) MenuEditDlg = nullptr;
}

void TMenuEditDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TMenuEditDlg::LoadMenuForEdit(REZBLOCK* menu, const std::vector<MN_TYPE>& types) {
  for (CoursePanel& c : Courses) {
    c.type->clear();
    for (const MN_TYPE& t : types) c.type->addItem(toQ(t.name));
  }
  target_ = menu;
  confirmed_ = false;
  Work = menu ? *menu : REZBLOCK();
  {
    const QSignalBlocker quiet(RecipeScroll);
    RecipeScroll->setValue(0);
  }
  shownTop_ = 0;
  ShowMenuEdit();
  OKBtn->setEnabled(!TitleEdt->text().isEmpty());
}

void TMenuEditDlg::ShowMenuEdit() {
  TitleEdt->setText(toQ(Work.title));
  ServingEdt->setText(toQ(NumberText(Work.servings)));
  InfoPnl->setVisible(Work.courses.empty());
  RecipePnl->setVisible(!Work.courses.empty());
  FillCoursePanels();
}

void TMenuEditDlg::FillCoursePanels() {
  const int n = static_cast<int>(Work.courses.size());
  {
    const QSignalBlocker quiet(RecipeScroll);
    RecipeScroll->setVisible(n > 6);
    RecipeScroll->setMaximum(std::max(0, n - 6));
  }
  shownTop_ = RecipeScroll->value();
  for (int k = 0; k < 6; ++k) {
    CoursePanel& c = Courses[k];
    const int i = shownTop_ + k;
    if (i < n) {
      const MN_RECIPE& course = Work.courses[static_cast<size_t>(i)];
      c.panel->show();
      c.type->setEditText(toQ(course.courseType));
      c.recipe->setText(toQ(course.printTitle));
      c.serving->setText(toQ(NumberText(course.persons)));
      c.servingType->setText(toQ(course.servingType));
      c.desc->setPlainText(MemoText(course.description));
    } else {
      c.panel->hide();
      c.type->setEditText(QString());
      c.recipe->clear();
      c.serving->clear();
      c.servingType->clear();
      c.desc->clear();
    }
  }
}

void TMenuEditDlg::StoreCoursePanels() {
  const int n = static_cast<int>(Work.courses.size());
  for (int k = 0; k < 6 && shownTop_ + k < n; ++k) {
    const CoursePanel& c = Courses[k];
    MN_RECIPE& course = Work.courses[static_cast<size_t>(shownTop_ + k)];
    course.courseType = SafeCourseText(fromQ(c.type->currentText()));
    course.printTitle = SafePrintTitle(fromQ(c.recipe->text()));
    course.persons = ReadNumber(c.serving->text());
    course.description = SafeCourseText(CrLfText(c.desc->toPlainText()));
  }
}

void TMenuEditDlg::TitleEdtChange() {
  OKBtn->setEnabled(!TitleEdt->text().isEmpty());
}

void TMenuEditDlg::OKBtnClick() {
  StoreCoursePanels();
  Work.title = fromQ(TitleEdt->text());
  Work.servings = ReadNumber(ServingEdt->text());
  Work.hint.clear();
  if (target_) *target_ = Work;
  confirmed_ = true;
  accept();
}

void TMenuEditDlg::CancelBtnClick() {
  reject();
}

void TMenuEditDlg::done(int result) {
  // Only OK confirms; Escape and the close box leave the menu as it was.
  if (result != QDialog::Accepted) confirmed_ = false;
  QDialog::done(result);
}

void TMenuEditDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_Menu.htm");
}

}  // namespace tav
