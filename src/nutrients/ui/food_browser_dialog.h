#pragma once
// The food browser: the group tree, the foods of the chosen group and the nutrients of the
// chosen food through the chosen filter group, with the comparison panel at the bottom and,
// in place of the nutrients, a day panel of the diary. Shown without waiting.
#include <QDialog>

#include <functional>
#include <string>

#include "nutrients/food_database.h"
#include "recipedb/ui/ingredient_links.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QSplitter;
class QStatusBar;
class QTableWidget;
class QToolBar;
class QTreeWidget;

namespace tav {

// The diary's day panel as the browser hosts it: the diary windows stand on a higher floor
// and hand one in (SetDayPanel).
class BrowserDayPanel {
 public:
  virtual ~BrowserDayPanel() = default;
  virtual QWidget* PanelWidget() = 0;
  virtual void RefreshDayPanel() = 0;
  // Whether a diary person exists; may ask the user to create one.
  virtual bool CheckPersonExists() = 0;
  // The other consumption views (overview menu, main window pane) follow the browser's check.
  virtual void SyncConsumptionViews(bool shown) = 0;
};

class TBLSMainDlg : public QDialog, public FoodDatabase, public FoodData, public FoodBrowser {
  Q_OBJECT
 public:
  explicit TBLSMainDlg(QWidget* parent = nullptr);
  ~TBLSMainDlg() override;

  // The food data as the ingredient window asks for it.
  bool FoodNameByKey(const std::string& key, std::string& name) override {
    return FindBLSNameByKey(key, &name);
  }
  bool FoodEnergy(const std::string& key, bool kJ, std::string& value) override {
    return ReadBLSEnergy(key, kJ, &value);
  }
  // Shows the browser without waiting, on the food of that key.
  void ShowFood(const std::string& key) override;
  // The same, shown modally: for a look from a modal window (the food chooser).
  void ShowFoodModal(const std::string& key);

  void FormShow();
  void GattTreChange();
  void ShowSelectedFood();
  void ShowBLSFood(const std::string& key);
  void FiltGrpCoBoChange();
  void DefIStoffMnuClick();
  void TBSearchClick();
  bool ShowBLSFoodInTree(const char* key);
  void ShowComparePanel(bool forceOpen);
  void ToggleBLSConsumptionPanel(bool syncOthers);
  void AddSelectedFoodToDay(int day, int month0, int year);
  void RefreshBLSDayPanel();
  void TBParamClick();
  void OptionenMnuClick();
  void TBCalculateClick();
  void TBInfoClick();
  void HelpBtnClick();
  void AddLMMnuClick();
  void DelLMMnuClick();
  void CloseBLSMnuClick();
  void FormClose();
  // Rebuilds the comparison's rows from the current filter and rewrites its columns.
  void RefreshCompareFromFilter();
  // The refreshes after a change of the filter: the food, the comparison, the calculation.
  void FilterRefreshes();
  // Another window chose a filter entry (option 53): the list follows, then the refreshes.
  void FilterChosenElsewhere();

  // Follows the filter lists of the nutrient table from now on (the table is made after the
  // browser).
  void WatchFilterLists();
  // The day panel to host; null takes it out (the consumption item is then off).
  void SetDayPanel(BrowserDayPanel* panel);
  // Height of the comparison panel as last set: 3 closed, 220 open.
  int ComparePanelHeight() const { return compareHeight_; }
  bool ConsumptionShown() const { return consumption_; }
  const std::string& RememberedKey() const { return rememberedKey_; }
  // The filter entry chosen is the all-nutrients entry (or none).
  bool AllNutrientsChosen() const;

  // Commands of windows on higher floors, set by the program: the calculation of the current
  // recipe and the about window.
  std::function<void()> calculateRecipe;
  std::function<void()> showAbout;

  QMenuBar* MainMnu;
  QMenu* Datei1;
  QMenu* N3331;
  QMenu* Sonstiges1;
  QMenu* Ernhrung1;
  QMenu* Einstellungen1;
  QMenu* Info1;
  QAction* CloseBLSMnu;
  QAction* SearchMnu;
  QAction* CalculateMnu;
  QAction* ShowCompareDlgMnu;
  QAction* AddLMMnu;
  QAction* DelLMMnu;
  QAction* VerbrauchslisteMnu;
  QAction* DefIStoffMnu;
  QAction* OptionenMnu;
  QAction* InfoMnu;
  QToolBar* BLSToolBar;
  QAction* TBSearch;
  QAction* TBShowCompare;
  QAction* TBCalculate;
  QAction* TBFilterTxt;
  QComboBox* FiltGrpCoBo;
  QAction* TBChangeFilter;
  QAction* TBParam;
  QAction* HelpBtn;
  QAction* TBInfo;
  QSplitter* CompareSpl;
  QSplitter* MainSpl;
  QTreeWidget* GattTre;
  QTableWidget* StoffGrd;
  QWidget* RightPnl;
  QWidget* StoffDataPnl;
  QLabel* DetailPnl;
  QTableWidget* InhaltGrd;
  QWidget* ErnaehrPnl;
  QWidget* BottomGrp;
  QStatusBar* StatusBar;

 protected:
  void FillGroupTree(bool forChooser, const std::vector<BLSGROUPNODE>& tree) override;
  void CutFoodGrid(bool noFoodNotice) override;
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  bool event(QEvent* event) override;

 private:
  void FillFilterCombo();
  void SetKeyColumn();
  void SetCompareHeight(int height);
  void FitToolBar();
  std::string rememberedKey_;
  std::string pendingKey_;  // the food to show once the window is up
  bool showKeyColumn_ = false;
  bool consumption_ = false;
  bool filling_ = false;
  int compareHeight_ = 3;
  int filterListener_ = 0;
  BrowserDayPanel* dayPanel_ = nullptr;
};

extern TBLSMainDlg* BLSMainDlg;

}  // namespace tav
