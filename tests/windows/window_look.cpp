// The checks of window_look.h.
#include "window_look.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/qt/qt_text.h"
#include "services/lang_table.h"

namespace tav::test {
namespace {

// The text as drawn: a single '&' marks the mnemonic and is not shown, "&&" shows one.
QString Shown(const QString& text) {
  QString out;
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&')) {
      if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
        ++i;
      else
        continue;
    }
    out += text[i];
  }
  return out;
}

int WidestLine(const QFontMetrics& fm, const QString& text) {
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n')))
    widest = std::max(widest, fm.horizontalAdvance(line));
  return widest;
}

bool RichText(const QLabel* l) {
  return l->textFormat() == Qt::RichText ||
         (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
}

// Qt's own parts of a widget (scroll bars, viewports, a tab widget's bar and stack …).
bool QtPart(const QWidget* w) {
  return w->objectName().startsWith(QLatin1String("qt_"));
}

std::string Name(const QWidget* w) {
  std::string name = w->metaObject()->className();
  if (!w->objectName().isEmpty()) name += " " + fromQ(w->objectName());
  QString text;
  if (auto* l = qobject_cast<const QLabel*>(w))
    text = l->text();
  else if (auto* b = qobject_cast<const QAbstractButton*>(w))
    text = b->text();
  else if (auto* g = qobject_cast<const QGroupBox*>(w))
    text = g->title();
  if (!text.isEmpty()) name += " \"" + fromQ(text.left(40)) + "\"";
  return name;
}

std::string Rect(const QRect& r) {
  return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) +
         "x" + std::to_string(r.height());
}

// A control the user reads or works: what may not lie over another one. Containers (frames,
// group boxes, tab pages, stacks, splitters, scroll boxes) hold controls and are not counted.
bool Control(const QWidget* w) {
  if (QtPart(w)) return false;
  // The fixed columns of a diary table: a second view laid over its table's first columns and
  // header on purpose.
  if (w->objectName() == QLatin1String("FrozenColumns")) return false;
  if (auto* l = qobject_cast<const QLabel*>(w)) return !l->text().isEmpty();
  return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
         qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QTextEdit*>(w) ||
         qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
         qobject_cast<const QProgressBar*>(w) || qobject_cast<const QTabBar*>(w);
}

// Widgets whose insides are Qt's own: their children are not judged.
bool Whole(const QWidget* w) {
  return qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w) ||
         qobject_cast<const QTabBar*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
         qobject_cast<const QMenuBar*>(w);
}

bool Elides(const QWidget* w) {
  // The caption that cuts a long text with an ellipsis on purpose.
  return w->inherits("tav::ElidedLabel");
}

// Tab bars with a tab for each entry of the user's data: their tabs may run past the bar, to
// be reached by its scroll buttons.
bool ManyTabs(const QTabBar* bar) {
  static const QStringList names = {
      QStringLiteral("LexBookTab"),  // a lexicon's chapters
  };
  return names.contains(bar->objectName());
}

// Why `w`'s caption does not fit it; empty when it does.
std::string TextFault(const QWidget* w) {
  const QFontMetrics fm = w->fontMetrics();
  if (auto* l = qobject_cast<const QLabel*>(w)) {
    if (l->text().isEmpty() || Elides(l)) return {};
    const QRect room =
        l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    if (l->wordWrap() || RichText(l)) {
      // As Qt lays it out at this width: a wrapped text needs its height.
      const int need = l->heightForWidth(l->width());
      if (need > l->height())
        return "needs " + std::to_string(need) + " pixels of height, has " +
               std::to_string(l->height());
      return {};
    }
    const QString text = l->buddy() ? Shown(l->text()) : l->text();
    const int width = WidestLine(fm, text);
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    const int height = fm.height() + (lines - 1) * fm.lineSpacing();
    if (width > room.width())
      return "text needs " + std::to_string(width) + " pixels, has " + std::to_string(room.width());
    if (height > room.height())
      return "text needs " + std::to_string(height) + " pixels of height, has " +
             std::to_string(room.height());
    return {};
  }
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
    if (b->text().isEmpty()) return {};
    const QString text = Shown(b->text());
    int need = WidestLine(fm, text);
    if (!b->icon().isNull()) need += b->iconSize().width() + 4;
    int room = 0;
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    if (qobject_cast<const QCheckBox*>(b)) {
      room = b->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, b).width();
    } else if (qobject_cast<const QRadioButton*>(b)) {
      room = b->style()->subElementRect(QStyle::SE_RadioButtonContents, &opt, b).width();
    } else if (auto* p = qobject_cast<const QPushButton*>(b)) {
      if (p->isFlat()) opt.features |= QStyleOptionButton::Flat;
      room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width();
    } else if (auto* t = qobject_cast<const QToolButton*>(b)) {
      if (t->toolButtonStyle() == Qt::ToolButtonIconOnly && !t->icon().isNull()) return {};
      if (t->toolButtonStyle() == Qt::ToolButtonTextUnderIcon) need = WidestLine(fm, text);
      room = t->width() - 2;
    } else {
      return {};
    }
    if (need > room)
      return "text needs " + std::to_string(need) + " pixels, has " + std::to_string(room);
    if (fm.height() > b->height())
      return "text needs " + std::to_string(fm.height()) + " pixels of height, has " +
             std::to_string(b->height());
    return {};
  }
  if (auto* g = qobject_cast<const QGroupBox*>(w)) {
    if (g->title().isEmpty()) return {};
    const int need = fm.horizontalAdvance(Shown(g->title())) + (g->isCheckable() ? 20 : 0);
    if (need > g->width() - 8)
      return "title needs " + std::to_string(need) + " pixels, has " +
             std::to_string(g->width() - 8);
    return {};
  }
  if (auto* bar = qobject_cast<const QTabBar*>(w)) {
    for (int i = 0; i < bar->count(); ++i) {
      if (!bar->isTabVisible(i)) continue;
      const QRect tab = bar->tabRect(i);
      if (!bar->rect().contains(tab) && !ManyTabs(bar))
        return "tab \"" + fromQ(bar->tabText(i)) + "\" at " + Rect(tab) + " lies outside the bar " +
               Rect(bar->rect());
      const int need = fm.horizontalAdvance(Shown(bar->tabText(i)));
      if (need > tab.width() - 4 && bar->elideMode() == Qt::ElideNone)
        return "tab \"" + fromQ(bar->tabText(i)) + "\" needs " + std::to_string(need) +
               " pixels, has " + std::to_string(tab.width() - 4);
    }
  }
  return {};
}

void Walk(QWidget* w, QWidget* window, bool scrolled, std::vector<std::string>& faults) {
  std::vector<QWidget*> kids;
  for (QObject* o : w->children()) {
    auto* kid = qobject_cast<QWidget*>(o);
    // A pane of no size (a splitter's collapsed one) shows nothing of what it holds.
    if (kid && !kid->isWindow() && kid->isVisibleTo(window) && !kid->size().isEmpty())
      kids.push_back(kid);
  }
  auto* area = qobject_cast<QAbstractScrollArea*>(w->parentWidget());
  // What lies in a scroll area's viewport is moved by its scroll bars: it may reach past it.
  const bool inViewport = area && area->viewport() == w;
  const QRect windowRect = window->rect();
  for (QWidget* kid : kids) {
    if (QtPart(kid)) {  // placed by Qt, as its own widget needs
    } else if (!inViewport && !scrolled) {
      const QRect inWindow(kid->mapTo(window, QPoint(0, 0)), kid->size());
      if (!windowRect.contains(inWindow))
        faults.push_back(Name(kid) + " at " + Rect(inWindow) + " lies outside its window " +
                         Rect(windowRect));
      else if (!w->rect().contains(kid->geometry()))
        faults.push_back(Name(kid) + " at " + Rect(kid->geometry()) + " lies outside its parent " +
                         Name(w) + " " + Rect(w->rect()));
    } else if (!inViewport && !w->rect().contains(kid->geometry())) {
      faults.push_back(Name(kid) + " at " + Rect(kid->geometry()) + " lies outside its parent " +
                       Name(w) + " " + Rect(w->rect()));
    }
    if (!QtPart(kid)) {
      const std::string text = TextFault(kid);
      if (!text.empty()) faults.push_back(Name(kid) + ": " + text);
    }
    if (!Whole(kid)) Walk(kid, window, scrolled || inViewport, faults);
  }
  for (size_t i = 0; i < kids.size(); ++i) {
    if (!Control(kids[i])) continue;
    for (size_t j = i + 1; j < kids.size(); ++j) {
      if (!Control(kids[j])) continue;
      if (kids[i]->geometry().intersects(kids[j]->geometry()))
        faults.push_back(Name(kids[i]) + " at " + Rect(kids[i]->geometry()) + " overlaps " +
                         Name(kids[j]) + " at " + Rect(kids[j]->geometry()));
    }
  }
}

}  // namespace

std::vector<std::string> LookFaults(QWidget* window) {
  window->ensurePolished();
  if (QLayout* layout = window->layout()) layout->activate();
  std::vector<std::string> faults;
  Walk(window, window, false, faults);
  return faults;
}

std::vector<Caption> Captions(QWidget* window) {
  std::vector<Caption> out;
  auto add = [&](const std::string& where, const QString& text) {
    const QString shown = Shown(text).trimmed();
    if (!shown.isEmpty()) out.push_back({where, shown});
  };
  if (window->isWindow()) add("window title", window->windowTitle());
  std::vector<QMenu*> menus;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (auto* menu = qobject_cast<QMenu*>(w)) {
      // A context menu of a control the window shows; menus of windows not shown are not read.
      QWidget* owner = menu->parentWidget();
      if (owner && (owner == window || (!owner->isWindow() && owner->isVisibleTo(window))))
        menus.push_back(menu);
      continue;
    }
    if (w->isWindow() || !w->isVisibleTo(window)) continue;
    const std::string name = Name(w);
    if (auto* l = qobject_cast<QLabel*>(w)) {
      if (RichText(l)) {
        QTextDocument doc;
        doc.setHtml(l->text());
        add(name, doc.toPlainText());
      } else {
        add(name, l->text());
      }
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      add(name, b->text());
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
      add(name, g->title());
    } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
      for (int i = 0; i < bar->count(); ++i) add(name + " tab", bar->tabText(i));
    } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
      if (!header->model()) continue;
      const int n = header->count();
      for (int i = 0; i < n; ++i)
        if (!header->isSectionHidden(i))
          add(Name(header->parentWidget()) + " column " + std::to_string(i),
              header->model()->headerData(i, header->orientation()).toString());
    } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
      for (QAction* a : bar->actions()) {
        if (a->isVisible()) add(name + " item", a->text());
        if (a->menu()) menus.push_back(a->menu());
      }
    }
  }
  QSet<QMenu*> seen;
  while (!menus.empty()) {
    QMenu* menu = menus.back();
    menus.pop_back();
    if (seen.contains(menu)) continue;
    seen.insert(menu);
    for (QAction* a : menu->actions()) {
      if (a->isSeparator() || !a->isVisible()) continue;
      add("menu " + fromQ(menu->objectName()) + " item " + fromQ(a->objectName()), a->text());
      if (a->menu()) menus.push_back(a->menu());
    }
  }
  return out;
}

namespace {

void AddTexts(QSet<QString>& to, std::string text) {
  LangTable::DecodeEscapes(text);
  const QString t = toQ(text);
  to.insert(Shown(t).trimmed());
  for (const QString& part : t.split(QLatin1Char('|'))) to.insert(Shown(part).trimmed());
}

QSet<QString> FileTexts(const std::string& lang) {
  LangTable table;
  table.Load(std::string(TAVOLIN_SHIPPED_DATA) + "/Data/" + lang + "/GUI.klf");
  QSet<QString> texts;
  for (const auto& dlg : table.Dialogs()) {
    AddTexts(texts, dlg.caption);
    for (const auto& c : dlg.controls) AddTexts(texts, c.text);
  }
  for (const auto& m : table.MenuItems()) AddTexts(texts, m.caption);
  for (const auto& t : table.ToolButtons()) AddTexts(texts, t.caption);
  for (size_t n = 0; n < table.MessageCount(); ++n)
    AddTexts(texts, table.GetLangText(static_cast<int>(n)));
  return texts;
}

// Texts of the German language file that the English one has nowhere: shown in an English
// window, they were left untranslated.
const QSet<QString>& GermanOnly() {
  static const QSet<QString> texts = [] {
    QSet<QString> german = FileTexts("DE");
    german.subtract(FileTexts("EN"));
    german.remove(QString());
    return german;
  }();
  return texts;
}

// Controls that show the user's data (names of books, categories, nutrients, a recipe's word
// for its servings), not a caption: the tests' data is German in both languages.
bool ShowsData(const std::string& where) {
  static const std::vector<std::string> names = {
      "WPPKBookName",    // the week plan entry's book
      "GattNameTxt",     // a category's name
      "SchrankNameTxt",  // a cupboard's name
      "StoffNameTxt",    // a nutrient's name
      "Serving1Txt",        "Serving2Txt",        "Serving3Txt",
      "Serving4Txt",                                                  // a recipe's servings word
      "menu KBMenu ",       "menu MnCopyMarked ", "menu MnCopyRez ",  // the books
      "menu MnMoveMarked ", "menu MnMoveRez ",    " DayGrd column",
      " VerlaufGrd column",  // the diary's columns: the nutrients
  };
  for (const std::string& n : names)
    if (where.find(n) != std::string::npos) return true;
  return false;
}

}  // namespace

std::vector<std::string> GermanCaptions(QWidget* window) {
  static const QString germanLetters = QStringLiteral("\u00e4\u00f6\u00fc\u00c4\u00d6\u00dc\u00df");
  std::vector<std::string> faults;
  for (const Caption& c : Captions(window)) {
    if (ShowsData(c.where)) continue;
    bool german = GermanOnly().contains(c.text);
    for (const QChar ch : c.text) german = german || germanLetters.contains(ch);
    if (german) faults.push_back(c.where + " is German: \"" + fromQ(c.text) + "\"");
  }
  return faults;
}

}  // namespace tav::test
