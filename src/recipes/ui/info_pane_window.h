#pragma once
// The information pane of the standard view, right of the ingredients. Three pages: the key
// figures with the recipe's picture, the lexicon terms found in the recipe, and the season
// table of its ingredients (the last two borrow the kitchen windows' data).
#include <QImage>
#include <QWidget>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableWidget;

namespace tav {

class TContextListBox;
class TDataRezDlg;

class TInfoRezDlg : public QWidget {
  Q_OBJECT
 public:
  explicit TInfoRezDlg(QWidget* parent = nullptr);

  // Key figures: refills the grid from the data pane's ShownRecipe and the screen figures of
  // the key-figure choice; draws one cell.
  void FillKeyFigureGrid(TDataRezDlg* data);
  void InfoGrdDrawCell(QPainter* painter, int column, int row, const QRect& rect) const;

  void InfoPageChange();
  // Makes the information page the active one.
  void ShowInfoSheet();
  // Shows the picture of the recipe on screen, or the no-picture text. A picture that cannot
  // be decoded counts as missing and is logged.
  void ShowInfoPicture();
  // Fits the picture into its panel, keeping its proportions, centred.
  void FitRecipePicture();
  // Opens the recipe's picture (or the picture folder) with the desktop's program.
  void RezImgDblClick();
  void ChooseSplitMoved();

  void LexListLiBoClick();
  void ShowLexiconTerm();
  void LexListLiBoDblClick();
  void ResetLexiconPage();
  void WikipediaBtnClick();

  QTabWidget* InfoPage = nullptr;
  QWidget* InfoSheet = nullptr;
  QWidget* LexSheet = nullptr;
  QWidget* SaisonSheet = nullptr;
  QSplitter* ChooseSplit = nullptr;
  QWidget* InfoPanel = nullptr;
  QTableWidget* InfoGrd = nullptr;
  QWidget* PicPanel = nullptr;
  QLabel* RezImg = nullptr;
  QLabel* NoPicTxt = nullptr;
  QSplitter* Splitter1 = nullptr;
  QLabel* LexCaption = nullptr;
  TContextListBox* LexListLiBo = nullptr;
  QPushButton* WikipediaBtn = nullptr;
  QLabel* LexTextCaption = nullptr;
  QPlainTextEdit* LexTxt = nullptr;
  QWidget* SaisonGround = nullptr;
  QMenu* InfoPopup = nullptr;
  QAction* PicEdit = nullptr;
  QMenu* LexPopup = nullptr;
  QAction* ShowLex = nullptr;

  // The page shown: 1 information, 2 lexicon, 3 season.
  int InfoPageNo = 1;
  // The picture shown (null without one).
  const QImage& Picture() const { return picture_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnCreate();
  void ApplyInfoWidth();
  bool LoadPicture(const std::string& path);
  // The longer side, in device pixels, a picture needs to fill the panel.
  int PictureSizeWanted() const;
  // True when the picture shown was decoded smaller than `wanted` and may come larger.
  bool NeedsLargerPicture(int wanted) const;
  std::string PicturePath(const std::string& name) const;

  QImage picture_;
  std::string picturePath_;   // the file picture_ came from
  long long pictureStamp_ = 0;
  int pictureFit_ = 0;        // the longer side asked for when picture_ was loaded
  qint64 pixmapKey_ = 0;      // RezImg holds picture_ while its pixmap has this key
  bool swallowRelease_ = false;
  int infoW_ = 200;           // the grid's width, "InfoW"
  bool seasonMenuWasEnabled_ = false;
};

extern TInfoRezDlg* InfoRezDlg;

}  // namespace tav
