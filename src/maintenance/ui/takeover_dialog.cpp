#include "maintenance/ui/takeover_dialog.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/paths.h"
#include "services/context.h"
#include "services/ui/named_controls.h"
#include "services/ui/program_pictures.h"

namespace tav {

TUpdaterDlg* UpdaterDlg = nullptr;

namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// A memo that shows text only: no frame, the dialog's colour.
QPlainTextEdit* TextMemo(QWidget* parent, const char* name) {
  auto* memo = Named<QPlainTextEdit>(parent, name);
  memo->setReadOnly(true);
  memo->setFrameShape(QFrame::NoFrame);
  memo->setFocusPolicy(Qt::NoFocus);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->viewport()->setAutoFillBackground(false);
  return memo;
}

struct BoxText {
  const char* name;
  const char* caption;
  const char* hint;
};

// Top to bottom, also the tab order.
const BoxText kBoxes[] = {
    {"RezepteCB", "Beispiel-Rezepte",
     "Vorsicht: Die Demorezepte werden gleichlautende eigene Rezeptbücher überschreiben."},
    {"GattungenCB", "Gattungen",
     "Die Original-Gattungen sind nur beispielhaft. Wenn Sie iegene Gattungen angelegt haben dann "
     "nicht übernehmen."},
    {"ZutatenCB", "Zutaten",
     "Die Liste der vorgegebenen Zutaten wird vom Programmautor ständig erweitert.\r\nEmpfehlung: "
     "Übernehmen sofern Sie keine Zutaten verändert haben."},
    {"EinheitenCB", "Einheiten",
     "Die Einheiten werden wohl in den seltensten Fällen verändert, sie sollten am besten mit "
     "upgedatet werden.\r\nEmpfehlung: Übernehmen sofern Sie keine Einheiten verändert haben."},
    {"LexikaCB", "Lexikon-Daten",
     "Die Lexika-Eintragungen werden vom Autor ständig verbessert.\r\nEmpfehlung: Übernehmen "
     "sofern Sie das Lexikon nicht schon selbst verbessert haben."},
    {"HTMLCB", "HTML-Vorlagen",
     "Haben Sie schon eine eigene HTML-Vorlage für den HTML-Export geschrieben ? Falls nicht "
     "übernehmen Sie einfach die aktuelle Vorlage.\r\nEmpfehlung: Übernehmen."},
    {"BackPicCB", "Hintergrundbild",
     "Sollten Sie kein eigenes Hintergrundbild angelegt haben, so übernehmen Sie einfach das "
     "mitgelieferte Bild.\r\nEmpfehlung: Übernehmen."},
};

}  // namespace

TUpdaterDlg::TUpdaterDlg(const std::string& dataRoot, QWidget* parent)
    : QDialog(parent),
      DataTakeover(dataRoot.empty() ? ProgramFolder() : dataRoot, ProgramFolder(),
                   ctx().userSettings) {
  UpdaterDlg = this;
  setObjectName(QStringLiteral("UpdaterDlg"));
  setWindowTitle(U("Tavolin-Updater V4"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  IDStart = Captioned<QPushButton>(this, "IDStart", "");
  IDStart->setText(U("Tavolin! starten"));
  QFont bold = IDStart->font();
  bold.setPointSize(10);
  bold.setBold(true);
  IDStart->setFont(bold);
  IDStart->setDefault(true);
  IDCancel = Named<QPushButton>(this, "IDCancel");
  IDCancel->setText(U("&Abbrechen"));

  UpdateGrp = Named<QFrame>(this, "UpdateGrp");
  Label1 = Named<QLabel>(UpdateGrp, "Label1");
  Label1->setText(U("Es ist schon eine Version von Tavolin installiert"));
  Label1->setWordWrap(true);
  a = Named<QGroupBox>(UpdateGrp, "a");
  a->setTitle(U("Übernehme folgende Daten des Updates: "));
  QCheckBox** boxes[] = {&RezepteCB, &GattungenCB, &ZutatenCB, &EinheitenCB,
                         &LexikaCB,  &HTMLCB,      &BackPicCB};
  auto* boxLayout = new QVBoxLayout(a);
  for (size_t i = 0; i < std::size(kBoxes); ++i) {
    QCheckBox* box = Named<QCheckBox>(a, kBoxes[i].name);
    box->setText(U(kBoxes[i].caption));
    *boxes[i] = box;
    boxLayout->addWidget(box);
    connect(box, &QCheckBox::clicked, this, [this, box] { BoxClick(box); });
  }
  MemoTxt = TextMemo(a, "MemoTxt");
  MemoTxt->setMinimumHeight(5 * fontMetrics().lineSpacing());
  boxLayout->addWidget(MemoTxt, 1);
  auto* updateLayout = new QVBoxLayout(UpdateGrp);
  updateLayout->setContentsMargins(0, 0, 0, 0);
  updateLayout->addWidget(Label1);
  updateLayout->addWidget(a, 1);

  HelloGrp = Named<QFrame>(this, "HelloGrp");
  Panel1 = Named<QFrame>(HelloGrp, "Panel1");
  Panel1->setFrameShape(QFrame::Panel);
  Panel1->setFrameShadow(QFrame::Raised);
  Panel1->setAutoFillBackground(true);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Base, Qt::white);
  Panel1->setPalette(white);
  Image1 = Named<QLabel>(Panel1, "Image1");
  Image1->setPixmap(WelcomePicture());
  Image1->setFixedSize(40, 32);
  Label2 = Named<QLabel>(Panel1, "Label2");
  Label2->setText(U("Willkommen bei Tavolin!"));
  QFont arial(QStringLiteral("Arial"));
  arial.setPixelSize(16);
  arial.setBold(true);
  Label2->setFont(arial);
  HelloTxt = TextMemo(Panel1, "HelloTxt");
  HelloTxt->setPlainText(
      U("Sie haben sich für ein einfach zu bedienendes\nund zugleich leistungsstarkes Programm "
        "zur\nVerwaltung Ihrer und anderer Rezepte entschieden.\n\nSammeln Sie mit Tavolin "
        "Rezepte aus aller Welt mit\nIhren Freunden oder mit Hilfe des Internets.\n\nViel Spaß "
        "mit Tavolin !"));
  // The lines break where the text says, never narrower.
  HelloTxt->setLineWrapMode(QPlainTextEdit::NoWrap);
  HelloTxt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  int widest = 0;
  for (const QString& l : HelloTxt->toPlainText().split('\n'))
    widest = std::max(widest, HelloTxt->fontMetrics().horizontalAdvance(l));
  HelloTxt->setMinimumSize(widest + 24, 9 * fontMetrics().lineSpacing());
  auto* head = new QHBoxLayout;
  head->addWidget(Image1);
  head->addWidget(Label2, 1);
  auto* panelLayout = new QVBoxLayout(Panel1);
  panelLayout->addLayout(head);
  panelLayout->addWidget(HelloTxt, 1);
  auto* helloLayout = new QVBoxLayout(HelloGrp);
  helloLayout->setContentsMargins(0, 0, 0, 0);
  helloLayout->addWidget(Panel1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(UpdateGrp, 1);
  layout->addWidget(HelloGrp, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(IDStart, 1);
  buttons->addWidget(IDCancel);
  layout->addLayout(buttons);
  setMinimumSize(293, 300);

  connect(IDStart, &QPushButton::clicked, this, [this] { IDStartClick(); });
  connect(IDCancel, &QPushButton::clicked, this, [this] { IDCancelClick(); });

  installedMajor = ReadInstalledVersion(VersionFile());
  if (installedMajor == 1 && !WrittenByThisProgram(VersionFile())) {
    // Data of the former generation always takes the ingredient list of the update; this
    // program's own installations (version 1 as well) leave the choice to the user.
    ZutatenCB->setChecked(true);
    ZutatenCB->setEnabled(false);
  }
  MoveLegacyKeys();
}

void TUpdaterDlg::PrepareUpdateDialog() {
  flags.fill(true);
  const bool older = IsOlderInstallation();
  UpdateGrp->setVisible(older);
  HelloGrp->setVisible(!older);
  IDCancel->setVisible(older);
  const std::pair<QCheckBox*, int> boxes[] = {{RezepteCB, kRecipes},      {LexikaCB, kLexicon},
                                              {GattungenCB, kCategories}, {EinheitenCB, kUnits},
                                              {ZutatenCB, kIngredients},  {HTMLCB, kHtml},
                                              {BackPicCB, kBackPicture}};
  for (const auto& [box, flag] : boxes) box->setChecked(flags[flag]);
  if (older)
    MemoTxt->setPlainText(
        U("Kreuzen Sie die Daten an, die durch die neue Version ersetzt werden sollen. Zu "
          "übernehmende Daten werden automatisch in das aktuelle Format konvertiert."));
  adjustSize();
  if (QScreen* screen = this->screen())
    move(screen->availableGeometry().center() - rect().center());
}

void TUpdaterDlg::BoxClick(QCheckBox* box) {
  for (const BoxText& b : kBoxes)
    if (box->objectName() == QLatin1String(b.name)) {
      QString text = U(b.hint);
      text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      MemoTxt->setPlainText(text);
    }
}

void TUpdaterDlg::IDStartClick() {
  std::array<bool, kChoices> take{};
  take[kRecipes] = RezepteCB->isChecked();
  take[kLexicon] = LexikaCB->isChecked();
  take[kCategories] = GattungenCB->isChecked();
  take[kUnits] = EinheitenCB->isChecked();
  take[kIngredients] = ZutatenCB->isChecked();
  take[kHtml] = HTMLCB->isChecked();
  take[kBackPicture] = BackPicCB->isChecked();
  Run(take);
  started_ = true;
  accept();
}

void TUpdaterDlg::FormClose() {
  if (!started_ && ctx().exitProcess) ctx().exitProcess(0);
}

void TUpdaterDlg::reject() {
  FormClose();
  QDialog::reject();
}

}  // namespace tav
