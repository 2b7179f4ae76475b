#include "services/ui/lang_dialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/tools_module.h"

namespace tav {

TLangDlg* LangDlg = nullptr;

TLangDlg::TLangDlg(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("LangDlg"));
  language_ = LanguageFromSettings();
  file_ = LanguageFilePath(FindDataRoot(ProgramFolder()));
  ctx().lang = this;
}

void TLangDlg::ReadDialogBaseUnits() {
  const QFontMetrics fm(QApplication::font());
  SetDialogBaseUnits(std::max(1, fm.averageCharWidth()), std::max(1, fm.height()));
}

void TLangDlg::FormCreate(QWidget* mainWindow) {
  ReadDialogBaseUnits();
  Load(file_);
  if (!mainWindow) return;
  if (auto* menu = mainWindow->findChild<QMenuBar*>(QStringLiteral("MainMenu")))
    TranslateMenu("MainFrm", menu);
  if (auto* bar = mainWindow->findChild<QToolBar*>(QStringLiteral("MainToolBar")))
    TranslateToolBar("MainFrm", bar);
}

void TLangDlg::TranslateForm(QWidget* form) {
  if (!form) return;
  const DLG_INFO* entry = FindDialog(fromQ(form->objectName()));
  if (!entry) return;
  form->setWindowTitle(toQ(entry->caption));
  ApplyControlTexts(form, *entry);
}

namespace {

bool LayoutHolds(QLayout* layout, QWidget* w) {
  if (!layout) return false;
  for (int i = 0; i < layout->count(); ++i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->widget() == w) return true;
    if (item->layout() && LayoutHolds(item->layout(), w)) return true;
  }
  return false;
}

// The children that ApplyControlTexts walks: a tab widget's pages, a scroll area's content,
// otherwise the direct child widgets.
QList<QWidget*> ChildControls(QWidget* container) {
  QList<QWidget*> out;
  if (auto* tabs = qobject_cast<QTabWidget*>(container)) {
    for (int i = 0; i < tabs->count(); ++i) out << tabs->widget(i);
    return out;
  }
  if (auto* scroll = qobject_cast<QScrollArea*>(container)) {
    if (scroll->widget()) out << scroll->widget();
    return out;
  }
  for (QObject* o : container->children())
    if (auto* w = qobject_cast<QWidget*>(o); w && !w->isWindow()) out << w;
  return out;
}

void SetCaption(QWidget* w, const QString& text) {
  if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(text);
  else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(text);
  else if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
  else if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(text);
  else if (w->metaObject()->indexOfProperty("text") >= 0) w->setProperty("text", text);
}

QStringList SplitParts(const std::string& text) {
  QStringList parts;
  size_t pos = 0;
  for (;;) {
    const size_t bar = text.find('|', pos);
    parts << toQ(text.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos));
    if (bar == std::string::npos || bar + 1 >= text.size()) break;
    pos = bar + 1;
  }
  return parts;
}

}  // namespace

void TLangDlg::ApplyControlTexts(QWidget* container, const DLG_INFO& entry) {
  for (QWidget* child : ChildControls(container)) {
    const std::string name = fromQ(child->objectName());
    const CTRL_INFO* line = nullptr;
    for (const auto& c : entry.controls)
      if (c.name == name) {
        line = &c;
        break;
      }
    if (!line) {
      // Qt puts layout-only wrappers between a form and its controls; look through unnamed ones.
      if (name.empty()) ApplyControlTexts(child, entry);
      continue;
    }
    QWidget* parent = child->parentWidget();
    // A splitter places its panes itself, as a layout does.
    if (parent && (LayoutHolds(parent->layout(), child) || qobject_cast<QSplitter*>(parent))) {
      if (line->width > 0 && line->height > 0) child->setMinimumSize(line->width, line->height);
    } else {
      child->setGeometry(line->left, line->top, line->width, line->height);
    }
    const std::string& cls = line->className;
    if (cls == "TButton" || cls == "TBitBtn" || cls == "TSpeedButton" || cls == "TCheckBox" ||
        cls == "TRadioButton" || cls == "TPanel" || cls == "TStaticText" || cls == "TGroupBox" ||
        cls == "TLabel" || cls == "TEdit") {
      SetCaption(child, toQ(line->text));
    } else if (cls == "TPageControl") {
      if (auto* tabs = qobject_cast<QTabWidget*>(child)) {
        const QStringList parts = SplitParts(line->text);
        for (int k = 0; k < parts.size() && k < tabs->count(); ++k) tabs->setTabText(k, parts[k]);
      }
    } else if (cls == "TTabControl") {
      if (auto* bar = qobject_cast<QTabBar*>(child)) {
        while (bar->count() > 0) bar->removeTab(0);
        for (const QString& part : SplitParts(line->text)) bar->addTab(part);
      }
    }
    if (cls == "TPanel" || cls == "TGroupBox" || cls == "TPageControl" || cls == "TTabSheet" ||
        cls == "TScrollBox" || cls == "TSplitter" || cls == "TDateInpDlg")
      ApplyControlTexts(child, entry);
  }
}

QKeySequence TLangDlg::ShortCutFor(uint16_t key, uint8_t modifiers) {
  if (key == 0 || key > 255) return QKeySequence();
  int qtKey = 0;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) qtKey = key;
  else if (key >= 112 && key <= 135) qtKey = Qt::Key_F1 + (key - 112);
  else if (key >= 96 && key <= 105) qtKey = Qt::Key_0 + (key - 96);
  else {
    switch (key) {
      case 8: qtKey = Qt::Key_Backspace; break;
      case 9: qtKey = Qt::Key_Tab; break;
      case 13: qtKey = Qt::Key_Return; break;
      case 27: qtKey = Qt::Key_Escape; break;
      case 32: qtKey = Qt::Key_Space; break;
      case 33: qtKey = Qt::Key_PageUp; break;
      case 34: qtKey = Qt::Key_PageDown; break;
      case 35: qtKey = Qt::Key_End; break;
      case 36: qtKey = Qt::Key_Home; break;
      case 37: qtKey = Qt::Key_Left; break;
      case 38: qtKey = Qt::Key_Up; break;
      case 39: qtKey = Qt::Key_Right; break;
      case 40: qtKey = Qt::Key_Down; break;
      case 45: qtKey = Qt::Key_Insert; break;
      case 46: qtKey = Qt::Key_Delete; break;
      case 106: qtKey = Qt::Key_Asterisk; break;
      case 107: qtKey = Qt::Key_Plus; break;
      case 109: qtKey = Qt::Key_Minus; break;
      case 110: qtKey = Qt::Key_Period; break;
      case 111: qtKey = Qt::Key_Slash; break;
      default: return QKeySequence();
    }
  }
  int mods = 0;
  if (modifiers & kShift) mods |= Qt::SHIFT;
  if (modifiers & kCtrl) mods |= Qt::CTRL;
  if (modifiers & kAlt) mods |= Qt::ALT;
  return QKeySequence(qtKey | mods);
}

void TLangDlg::TranslateMenu(const std::string& formName, QWidget* menu) {
  if (!menu) return;
  const std::string menuName = fromQ(menu->objectName());
  auto apply = [&](QAction* a, bool withShortCut) {
    std::string caption, hint;
    uint16_t key = 0;
    uint8_t mods = 0;
    if (!FindMenuText(formName, menuName, fromQ(a->objectName()), caption, hint, key, mods))
      return;
    a->setText(toQ(caption));
    a->setStatusTip(toQ("  " + hint));
    a->setToolTip(toQ(hint));
    if (withShortCut) a->setShortcut(ShortCutFor(key, mods));
  };
  for (QAction* top : menu->actions()) {
    if (!top->isSeparator() && top->text() != QLatin1String("-")) apply(top, false);
    if (QMenu* sub = top->menu())
      for (QAction* item : sub->actions())
        if (!item->isSeparator() && item->text() != QLatin1String("-")) apply(item, true);
  }
}

void TLangDlg::TranslateToolBar(const std::string& formName, QToolBar* toolBar) {
  if (!toolBar) return;
  for (QAction* a : toolBar->actions()) {
    if (a->isSeparator()) continue;
    std::string caption, hint;
    if (!FindToolButtonText(formName, fromQ(a->objectName()), caption, hint)) continue;
    size_t lead = 0;
    while (lead < hint.size() && hint[lead] == ' ') ++lead;
    a->setText(toQ(caption));
    a->setToolTip(toQ(hint.substr(lead)));
  }
}

}  // namespace tav
