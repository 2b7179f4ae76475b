#include "kitchen/ui/best_before_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include "kitchen/ui/freezer_dialog.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/tools_module.h"
#include "services/ui/form_placement_qt.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"
#include "services/ui/pane_parts.h"

namespace tav {

TCoolMHDDlg* CoolMHDDlg = nullptr;

namespace {

// One warned food in three lines: its name in bold, the best-before month in orange (due soon)
// or red (expired), the freezer and compartment.
class WarningRows : public QStyledItemDelegate {
 public:
  WarningRows(const TCoolMHDDlg* dlg, QObject* parent) : QStyledItemDelegate(parent), dlg_(dlg) {}

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
    return QSize(100, 45);
  }

  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int k = index.row();
    if (k < 0 || k >= static_cast<int>(dlg_->Warnings.size())) return;
    const CO_SLIST& e = dlg_->Warnings[k];
    const QRect r = option.rect;
    p->save();
    p->fillRect(r, k % 2 == 1 ? QColor(248, 248, 255) : QColor(240, 240, 255));
    QFont bold = option.font;
    bold.setBold(true);
    const int line = 14;
    p->setFont(bold);
    p->setPen(Qt::black);
    p->drawText(QRect(r.left() + 4, r.top() + 2, r.width() - 8, line), Qt::AlignLeft | Qt::AlignTop,
                toQ(e.copy.name));
    p->setFont(option.font);
    p->setPen(e.status == 1 ? QColor(246, 145, 0) : QColor(212, 22, 2));
    p->drawText(QRect(r.left() + 4, r.top() + 16, r.width() - 8, line),
                Qt::AlignLeft | Qt::AlignTop,
                toQ(GetLangText(734) + FormatFoodDate(0, e.copy.mhdMonth, e.copy.mhdYear)));
    std::string where = e.freezerName + ", " + GetLangText(720) + " " + std::to_string(e.number);
    if (!e.compartmentName.empty()) where += ": " + e.compartmentName;
    p->setPen(Qt::black);
    p->drawText(QRect(r.left() + 4, r.top() + 30, r.width() - 8, line),
                Qt::AlignLeft | Qt::AlignTop, toQ(where));
    if (option.state & QStyle::State_HasFocus) {
      p->setPen(QPen(Qt::black, 1, Qt::DotLine));
      p->drawRect(r.adjusted(0, 0, -1, -1));
    }
    p->restore();
  }

 private:
  const TCoolMHDDlg* dlg_;
};

// A small freezer of six compartments, drawn from the freezer window's pictures.
class FreezerSketch : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!CoolDlg) return;
    QImage temp(170, 396, QImage::Format_ARGB32);
    temp.fill(Qt::transparent);
    {
      QPainter t(&temp);
      t.drawImage(0, 10, CoolDlg->TruheObenImg);
      for (int y : {64, 112, 160, 208, 256, 304}) t.drawImage(0, y, CoolDlg->TruheFachImg);
      t.drawImage(0, 352, CoolDlg->TruheUntenImg);
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(8, 0, 110, 220), temp, QRect(0, 0, 146, 395));
  }
};

}  // namespace

TCoolMHDDlg::TCoolMHDDlg(QWidget* parent) : QDialog(parent) {
  CoolMHDDlg = this;
  setObjectName(QStringLiteral("CoolMHDDlg"));
  setWindowTitle(
      toQ("MHD-Untersuchung der Gefrierschr\xE4"
          "nke"));
  setModal(true);

  auto* left = Named<QWidget>(this, "LeftPnl");
  LMittelPnl = Named<QWidget>(left, "LMittelPnl");
  Label1 = Captioned<QLabel>(LMittelPnl, "Label1",
                             "Folgende Lebensmittel \xFC"
                             "berschreiten bald das MHD (Mindest-");
  Label2 = Captioned<QLabel>(LMittelPnl, "Label2",
                             "Haltbarkeits-Datum) oder haben es bereits \xFC"
                             "berschritten:");
  LMittelLiBo = Named<QListWidget>(LMittelPnl, "LMittelLiBo");
  LMittelLiBo->setItemDelegate(new WarningRows(this, LMittelLiBo));
  LMittelLiBo->setUniformItemSizes(true);
  auto* listColumn = new QVBoxLayout(LMittelPnl);
  listColumn->setContentsMargins(0, 0, 0, 0);
  listColumn->setSpacing(0);
  listColumn->addWidget(Label1);
  listColumn->addWidget(Label2);
  listColumn->addSpacing(4);
  listColumn->addWidget(LMittelLiBo, 1);
  NoLMittelTxt = Captioned<QLabel>(left, "NoLMittelTxt",
                                   "Es gibt kein Lebensmittel in der N\xE4"
                                   "he des Verfalldatums.");
  NoLMittelTxt->setWordWrap(true);
  auto* stack = new QGridLayout(left);
  stack->setContentsMargins(0, 0, 0, 0);
  stack->addWidget(LMittelPnl, 0, 0);
  stack->addWidget(NoLMittelTxt, 0, 0, Qt::AlignTop);

  auto* right = Named<QWidget>(this, "RightPnl");
  PaintGraph = new FreezerSketch(right);
  PaintGraph->setObjectName(QStringLiteral("PaintGraph"));
  PaintGraph->setFixedSize(126, 220);
  HelpBtn = Named<QToolButton>(right, "HelpBtn");
  HelpBtn->setText(QStringLiteral("?"));
  CloseBtn = Captioned<QPushButton>(right, "CloseBtn",
                                    "&Schlie\xDF"
                                    "en");
  CloseBtn->setDefault(true);
  auto* rightColumn = new QVBoxLayout(right);
  rightColumn->setContentsMargins(0, 0, 0, 0);
  rightColumn->addWidget(PaintGraph);
  rightColumn->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(HelpBtn);
  buttons->addWidget(CloseBtn, 1);
  rightColumn->addLayout(buttons);

  auto* body = new QHBoxLayout(this);
  body->addWidget(left, 1);
  body->addWidget(right);
  resize(443, 295);

  connect(LMittelLiBo, &QListWidget::itemDoubleClicked, this, [this] { LMittelLiBoDblClick(); });
  connect(HelpBtn, &QToolButton::clicked, this, [this] { HelpBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, [this] { reject(); });
  if (LangDlg) LangDlg->TranslateForm(this);
}

bool TCoolMHDDlg::BuildBestBeforeList(std::vector<CO_SLIST>& list) const {
  list.clear();
  if (!CoolDlg) return false;
  BestBeforeOptions o;
  if (const OptionsStore* store = ctx().options) {
    o.showOld = store->Flag(79);
    o.showSoon = store->Flag(80);
    o.soonMonths = store->Int(81);
  }
  list = tav::BuildBestBeforeList(CoolDlg->Freezers(), GetBestBeforeMode(), o, FreezerToday());
  return !list.empty();
}

bool TCoolMHDDlg::FillBestBeforeDialog() {
  BuildBestBeforeList(Warnings);
  LMittelLiBo->clear();
  for (size_t k = 0; k < Warnings.size(); ++k) LMittelLiBo->addItem(QString::number(k));
  return !Warnings.empty();
}

void TCoolMHDDlg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  const bool any = FillBestBeforeDialog();
  LMittelPnl->setVisible(any);
  NoLMittelTxt->setVisible(!any);
  CenterOnForm(this);
}

void TCoolMHDDlg::LMittelLiBoDblClick() {
  const int k = LMittelLiBo->currentRow();
  if (k < 0 || k >= static_cast<int>(Warnings.size())) return;
  const CO_SLIST entry = Warnings[k];
  reject();
  if (!CoolDlg) return;
  CoolDlg->show();
  CoolDlg->ShowWarnedFood(entry);
}

void TCoolMHDDlg::HelpBtnClick() {
  if (ctx().tools) ctx().tools->ShowHelpPage("Dlg_CoolerMHD.htm");
}

}  // namespace tav
