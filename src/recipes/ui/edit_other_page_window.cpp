#include "recipes/ui/edit_other_page_window.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QTextEdit>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"
#include "recipes/ui/edit_page_dock.h"
#include "services/ui/form_controls.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TAEditDlg* AEditDlg = nullptr;

TAEditDlg::TAEditDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  AEditDlg = this;
  setObjectName(QStringLiteral("AEditDlg"));
  setWindowTitle(QString::fromUtf8("  Sonstige Angaben"));

  QWidget* box = PageScrollBox(this, "ScrollBox", ScrollBox);

  TitleTxt = PageTitleLabel(box, "TitleTxt");
  CardGrp = Named<QGroupBox>(box, "CardGrp");
  CardGrp->setTitle(QString::fromUtf8(" Text für die Speisekarte: "));
  CardEdt = Named<QTextEdit>(CardGrp, "CardEdt");
  CardEdt->setAcceptRichText(false);
  CardEdt->setTabChangesFocus(true);
  auto* card = new QVBoxLayout(CardGrp);
  card->addWidget(CardEdt);

  PicGrp = Named<QGroupBox>(box, "PicGrp");
  PicGrp->setTitle(QString::fromUtf8(" Bilderpfade: "));
  PicURLsLbl = Named<QLabel>(PicGrp, "PicURLsLbl");
  PicURLsLbl->setText(QString::fromUtf8("Bilder im Internet:"));
  PicURLsCoBo = Named<QComboBox>(PicGrp, "PicURLsCoBo");
  PicFilesLbl = Named<QLabel>(PicGrp, "PicFilesLbl");
  PicFilesLbl->setText(QString::fromUtf8("Bilder auf diesem Rechner:"));
  PicFilesCoBo = Named<QComboBox>(PicGrp, "PicFilesCoBo");
  auto* pics = new QGridLayout(PicGrp);
  pics->addWidget(PicURLsLbl, 0, 0);
  pics->addWidget(PicURLsCoBo, 0, 1);
  pics->addWidget(PicFilesLbl, 1, 0);
  pics->addWidget(PicFilesCoBo, 1, 1);
  pics->setColumnStretch(1, 1);

  auto* layout = new QVBoxLayout(box);
  layout->addWidget(TitleTxt);
  layout->addWidget(CardGrp, 1);
  layout->addWidget(PicGrp);

  CardEdt->installEventFilter(this);
  if (LangDlg) LangDlg->TranslateForm(this);
}

TAEditDlg::~TAEditDlg() {
  if (AEditDlg == this) AEditDlg = nullptr;
}

bool TAEditDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) EnableClipBoard();
  return QWidget::eventFilter(watched, event);
}

void TAEditDlg::EnableClipBoard() {
  if (auto* main = MainWindow()) main->UpdateClipboardMenu();
}

void TAEditDlg::AEditLoadRez(REZBLOCK* recipe) {
  editRecipe = recipe;
  if (!recipe) return;
  TitleTxt->setText(toQ(recipe->title));
  CardEdt->setPlainText(toQ(recipe->cardText));
  CardEdt->document()->setModified(false);
  PicURLsCoBo->clear();
  PicFilesCoBo->clear();
  for (const REZPICTURE& p : recipe->pictures)
    (p.kind == 'U' ? PicURLsCoBo : PicFilesCoBo)->addItem(toQ(p.name));
  PicURLsCoBo->setCurrentIndex(PicURLsCoBo->count() > 0 ? 0 : -1);
  PicFilesCoBo->setCurrentIndex(PicFilesCoBo->count() > 0 ? 0 : -1);
}

void TAEditDlg::AEditStoreRez() {
  // Written back only when changed, so that storing an untouched page changes nothing.
  if (!editRecipe || !CardEdt->document()->isModified()) return;
  editRecipe->cardText = fromQ(CardEdt->toPlainText());
}

void TAEditDlg::AEditShowPage() {
  DockEditPage(this);
}

}  // namespace tav
