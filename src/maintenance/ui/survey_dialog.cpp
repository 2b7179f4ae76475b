#include "maintenance/ui/survey_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "platform/services.h"
#include "services/charsets.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/named_controls.h"

namespace tav {

TUmfrageDlg* UmfrageDlg = nullptr;

namespace {

QFrame* ColouredPanel(QWidget* parent, const char* name, const QColor& colour) {
  auto* panel = Named<QFrame>(parent, name);
  panel->setAutoFillBackground(true);
  QPalette pal = panel->palette();
  pal.setColor(QPalette::Window, colour);
  panel->setPalette(pal);
  return panel;
}

// Line breaks as the controls take them.
QString ControlText(const std::string& text) {
  QString q = toQ(text);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return q;
}

std::string AnswerText(const QString& text) {
  std::string s = fromQ(text);
  LfToCrLf(s);
  return s;
}

std::string Str(int id) {
  return ctx().options ? ctx().options->Str(id) : std::string();
}

}  // namespace

TUmfrageDlg::TUmfrageDlg(QWidget* parent) : QDialog(parent) {
  UmfrageDlg = this;
  setObjectName(QStringLiteral("UmfrageDlg"));
  setWindowTitle(toQ("Tavolin Benutzer Umfrage"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);

  LinksPnl = ColouredPanel(this, "LinksPnl", Qt::black);
  RightPnl = ColouredPanel(this, "RightPnl", Qt::black);
  Panel1 = ColouredPanel(this, "Panel1", QColor(64, 64, 64));
  TitleTxt = Captioned<QLabel>(Panel1, "TitleTxt", "Tavolin Benutzer Umfrage");
  TitleTxt->setAutoFillBackground(true);
  TitleTxt->setFixedHeight(41);
  TitleTxt->setAlignment(Qt::AlignCenter);
  QPalette title = TitleTxt->palette();
  title.setColor(QPalette::Window, Qt::black);
  title.setColor(QPalette::WindowText, QColor(192, 192, 192));
  TitleTxt->setPalette(title);
  QFont titleFont = TitleTxt->font();
  titleFont.setPixelSize(24);
  titleFont.setBold(true);
  TitleTxt->setFont(titleFont);

  UmfrageScroll = Named<QScrollArea>(Panel1, "UmfrageScroll");
  UmfrageScroll->setFrameShape(QFrame::NoFrame);
  UmfrageScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  UmfrageScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  UmfrageScroll->verticalScrollBar()->setTracking(true);
  ScrollContent = ColouredPanel(nullptr, "ScrollContent", Qt::black);
  ScrollContent->setObjectName(QString());  // no component of its own
  UmfrageScroll->setWidget(ScrollContent);
  QPalette black = UmfrageScroll->palette();
  black.setColor(QPalette::Window, Qt::black);
  UmfrageScroll->setPalette(black);
  UmfrageScroll->setAutoFillBackground(true);

  BottomPnl = ColouredPanel(Panel1, "BottomPnl", Qt::black);
  BottomPnl->setFixedHeight(48);
  OKBtn = Captioned<QPushButton>(BottomPnl, "OKBtn", "Umfrage ist fertig Abschicken!");
  CancelBtn = Captioned<QPushButton>(BottomPnl, "CancelBtn", "&Abbrechen");
  auto* bottom = new QHBoxLayout(BottomPnl);
  bottom->addStretch(1);
  bottom->addWidget(OKBtn);
  bottom->addWidget(CancelBtn);
  bottom->addStretch(1);

  auto* middle = new QVBoxLayout(Panel1);
  middle->setContentsMargins(0, 0, 0, 0);
  middle->setSpacing(0);
  middle->addWidget(TitleTxt);
  middle->addWidget(UmfrageScroll, 1);
  middle->addWidget(BottomPnl);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(LinksPnl, 1);
  layout->addWidget(Panel1);
  layout->addWidget(RightPnl, 1);
  setAutoFillBackground(true);
  QPalette dark = palette();
  dark.setColor(QPalette::Window, Qt::black);
  setPalette(dark);

  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { CancelBtnClick(); });
  FormCreate();
}

void TUmfrageDlg::FormCreate() {
  if (LangDlg) LangDlg->TranslateForm(this);
}

void TUmfrageDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TUmfrageDlg::FormShow() {
  setWindowState(windowState() | Qt::WindowMaximized);
  FormResize();
  ClearSurveyControls();
  questions_ = LoadSurveyQuestions(FindFileNoCase(Str(52) + "Umfrage.xml"));
  LoadSurveyAnswers(FindFileNoCase(Str(2) + "Antwort.xml"), questions_, &answersFile_);
  BuildSurveyControls();
}

void TUmfrageDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TUmfrageDlg::FormResize() {
  // The side panels share what is left, each (width - 500) / 2; the middle column keeps the
  // rest, about 500 pixels.
  const int side = std::max((width() - 500) / 2, 0);
  LinksPnl->setFixedWidth(side);
  RightPnl->setFixedWidth(side);
  Panel1->setFixedWidth(width() - 2 * side);
}

int TUmfrageDlg::LineUnit() const {
  const int points = UmfrageScroll->font().pointSize();
  return 2 * (points > 0 ? points : 8);
}

QWidget* TUmfrageDlg::CreateQuestionControl(QWidget* parent, bool parentColour, int kind,
                                            const std::string& name, int left, int top, int width,
                                            int height, const std::string& text) {
  QWidget* w = nullptr;
  switch (kind) {
    case 0: {
      auto* memo = new QPlainTextEdit(parent);
      memo->setReadOnly(true);
      memo->setFrameShape(QFrame::NoFrame);
      memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      // A question text never keeps the focus: it passes on to the next answer control.
      memo->setFocusPolicy(Qt::NoFocus);
      memo->viewport()->setAutoFillBackground(false);
      QPalette pal = memo->palette();
      pal.setColor(QPalette::Base, parentColour ? parent->palette().color(QPalette::Window)
                                                : palette().color(QPalette::Button));
      memo->setPalette(pal);
      memo->setPlainText(ControlText(text));
      w = memo;
      break;
    }
    case 1:
      w = new QCheckBox(ControlText(text), parent);
      break;
    case 2:
      w = new QRadioButton(ControlText(text), parent);
      break;
    case 4:
      w = new QLineEdit(parent);
      break;
    case 5: {
      auto* panel = new QFrame(parent);
      panel->setFrameShape(QFrame::StyledPanel);
      panel->setAutoFillBackground(true);
      QPalette pal = panel->palette();
      pal.setColor(QPalette::Window, parentColour ? parent->palette().color(QPalette::Window)
                                                  : palette().color(QPalette::Button));
      panel->setPalette(pal);
      w = panel;
      break;
    }
    case 6:
      w = new QPlainTextEdit(parent);
      break;
    default:
      return nullptr;
  }
  w->setObjectName(toQ(name));
  w->setGeometry(left, top, width, height);
  w->setVisible(true);
  return w;
}

void TUmfrageDlg::BuildSurveyControls() {
  const int H = LineUnit();
  // The middle column is about 500 pixels wide on any screen that has them; the window may not
  // have its maximised size yet when it is first shown.
  const int screenWidth = screen() ? screen()->availableGeometry().width() : width();
  const int W = std::max(std::min(std::max(width(), screenWidth), 500), 140) - 40;
  int y = 8;
  choiceControls_.assign(questions_.size(), {});
  answerControls_.assign(questions_.size(), nullptr);
  for (size_t i = 0; i < questions_.size(); ++i) {
    const FRAGE& q = questions_[i];
    int h = 0;
    if (q.type == kSurveyCombo) continue;
    if (q.type == kSurveyText) {
      h = q.lines * H;
      QWidget* memo = CreateQuestionControl(ScrollContent, true, 0, q.id, 8, y, W, h, q.text);
      QFont bold = memo->font();
      bold.setBold(true);
      memo->setFont(bold);
      QPalette pal = memo->palette();
      pal.setColor(QPalette::Text, Qt::white);
      memo->setPalette(pal);
    } else {
      const bool choices = q.type == kSurveyCheck || q.type == kSurveyRadio;
      h = choices                 ? (static_cast<int>(q.choices.size()) + q.textLines + 1) * H
          : q.type == kSurveyEdit ? (q.textLines + 2) * H
                                  : (q.lines + q.textLines + 1) * H;
      QWidget* panel = CreateQuestionControl(ScrollContent, false, 5, q.id + "_1", 8, y, W, h, "");
      const int inner = W - 16;
      CreateQuestionControl(panel, false, 0, q.id + "_2", 8, H / 4, inner, q.textLines * H, q.text);
      if (choices) {
        int top = static_cast<int>(q.textLines * H + H / 2.0);
        for (const AUSWAHL& a : q.choices) {
          auto* button = static_cast<QAbstractButton*>(CreateQuestionControl(
              panel, false, q.type == kSurveyCheck ? 1 : 2, a.id, 8, top, inner, H, a.text));
          // A radio button chosen later clears an earlier one of its panel.
          button->setChecked(a.chosen != 0);
          choiceControls_[i].push_back(button);
          top += H;
        }
      } else if (q.type == kSurveyEdit) {
        auto* edit = static_cast<QLineEdit*>(CreateQuestionControl(panel, false, 4, q.id, 8,
                                                                   H / 4 + q.textLines * H, inner,
                                                                   static_cast<int>(1.5 * H), ""));
        edit->setText(ControlText(q.answer));
        answerControls_[i] = edit;
      } else {
        auto* memo = static_cast<QPlainTextEdit*>(CreateQuestionControl(
            panel, false, 6, q.id, 8, H / 4 + q.textLines * H, inner, q.lines * H, ""));
        memo->setPlainText(ControlText(q.answer));
        answerControls_[i] = memo;
      }
    }
    y += h + 10;
  }
  ScrollContent->setFixedSize(W + 16, y);
}

void TUmfrageDlg::ClearSurveyControls() {
  for (QWidget* child :
       ScrollContent->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    delete child;
  choiceControls_.clear();
  answerControls_.clear();
}

std::vector<FRAGE> TUmfrageDlg::AnsweredQuestions() const {
  std::vector<FRAGE> out = questions_;
  for (size_t i = 0; i < out.size() && i < choiceControls_.size(); ++i) {
    const auto& buttons = choiceControls_[i];
    for (size_t c = 0; c < buttons.size() && c < out[i].choices.size(); ++c)
      out[i].choices[c].chosen = buttons[c]->isChecked() ? 1 : 0;
    if (auto* edit = qobject_cast<QLineEdit*>(answerControls_[i]))
      out[i].answer = AnswerText(edit->text());
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(answerControls_[i]))
      out[i].answer = AnswerText(memo->toPlainText());
  }
  return out;
}

void TUmfrageDlg::OKBtnClick() {
  const std::string exportFolder = Str(4);
  MakeDirs(exportFolder);
  const std::string textFile = exportFolder + "Umfrage.txt";
  switch (WriteSurveyAnswers(AnsweredQuestions(), FindFileNoCase(Str(2) + "Antwort.xml"), textFile,
                             &answersFile_)) {
    case SurveyWrite::kAnswersKept:  // said by the guard; the answers stay on screen
      return;
    case SurveyWrite::kTextFailed:
      ShowError(373);
      return;
    case SurveyWrite::kAnswersFailed:
      ShowError(1057);
      return;
    case SurveyWrite::kNoQuestions:
      break;
    case SurveyWrite::kWritten:
      MessageBox(GetLangText(566), GetLangText(2), MB_OK | MB_ICONINFORMATION);
      ShellOpenFile(textFile);
      break;
  }
  close();
}

void TUmfrageDlg::FormClose() {
  ClearSurveyControls();
}

void TUmfrageDlg::reject() {
  FormClose();
  QDialog::reject();
}

}  // namespace tav
