#include "services/ui/form_controls.h"

#include <QLabel>
#include <QScrollArea>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace tav {

QWidget* PageScrollBox(QWidget* page, const char* name, QScrollArea*& scrollBox) {
  scrollBox = Named<QScrollArea>(page, name);
  scrollBox->setWidgetResizable(true);
  scrollBox->setFrameShape(QFrame::NoFrame);
  auto* box = new QWidget;
  scrollBox->setWidget(box);
  auto* outer = new QVBoxLayout(page);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(scrollBox);
  return box;
}

QString FieldText(const QTextEdit* field) {
  if (!field) return QString();
  QString text = field->document()->toRawText();
  for (QChar& c : text)
    if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = QLatin1Char('\n');
  // The document's frame markers are no text.
  text.remove(QChar(0xFDD0));
  text.remove(QChar(0xFDD1));
  return text;
}

QLabel* PageTitleLabel(QWidget* parent, const char* name) {
  QLabel* title = Named<QLabel>(parent, name);
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  title->setFont(bold);
  return title;
}

QVBoxLayout* DockColumn(QWidget* w) {
  auto* l = new QVBoxLayout(w);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(0);
  return l;
}

QWidget* DockPanel(const char* name) {
  QWidget* w = Named<QWidget>(nullptr, name);
  DockColumn(w);
  return w;
}

void DockInto(QWidget* form, QWidget* panel) {
  if (!panel) return;
  form->setParent(panel);
  panel->layout()->addWidget(form);
  form->show();
}

QLabel* CaptionBar(const char* name, const QString& caption) {
  QLabel* l = Named<QLabel>(nullptr, name);
  l->setText(caption);
  QFont bold = l->font();
  bold.setBold(true);
  l->setFont(bold);
  l->setStyleSheet(QStringLiteral("QLabel#%1 { background: palette(button); padding: 4px 8px;"
                                  " border-bottom: 1px solid palette(mid); }")
                       .arg(QString::fromLatin1(name)));
  return l;
}

QString MemoText(const std::string& text) {
  std::string shown;
  shown.reserve(text.size());
  for (char c : text)
    if (c != '\r') shown += c;
  return toQ(shown);
}

std::string CrLfText(const QString& memo) {
  std::string text;
  for (char c : fromQ(memo)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

}  // namespace tav
