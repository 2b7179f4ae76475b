#pragma once
// The user survey: a black page that builds one group of controls per question of
// "Umfrage.xml" (language folder), ticks and fills them from the earlier answers
// ("Antwort.xml", data folder), and on OK writes the answers and "Umfrage.txt" (export folder),
// which it opens for the user to send. The files are UserSurvey's (maintenance/user_survey.h).
#include <QDialog>
#include <vector>

#include "maintenance/user_survey.h"

class QAbstractButton;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;

namespace tav {

class TUmfrageDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TUmfrageDlg(QWidget* parent = nullptr);

  void FormCreate();
  void FormShow();
  void FormResize();
  void OKBtnClick();
  void CancelBtnClick() { close(); }
  void FormClose();

  void BuildSurveyControls();
  void ClearSurveyControls();
  // One control of a question (kind 0 question text, 1 check box, 2 radio button, 4 edit field,
  // 5 panel, 6 memo); null for any other kind.
  QWidget* CreateQuestionControl(QWidget* parent, bool parentColour, int kind,
                                 const std::string& name, int left, int top, int width, int height,
                                 const std::string& text);
  // The questions with the state of their controls.
  std::vector<FRAGE> AnsweredQuestions() const;

  const std::vector<FRAGE>& Questions() const { return questions_; }
  // The line unit of the question controls: twice the font's point size.
  int LineUnit() const;

  QFrame* LinksPnl;
  QFrame* RightPnl;
  QFrame* Panel1;
  QLabel* TitleTxt;
  QScrollArea* UmfrageScroll;
  QWidget* ScrollContent;
  QFrame* BottomPnl;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 public slots:
  void reject() override;

 private:
  std::vector<FRAGE> questions_;
  StoreFileGuard answersFile_;  // how Antwort.xml read, before it is written anew
  // Per question: the check boxes or radio buttons of its choices, and its answer control.
  std::vector<std::vector<QAbstractButton*>> choiceControls_;
  std::vector<QWidget*> answerControls_;
};

extern TUmfrageDlg* UmfrageDlg;

}  // namespace tav
