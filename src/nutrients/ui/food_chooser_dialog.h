#pragma once
// The food chooser: the user picks one food, by the search or from the group tree, and hands
// its key and name back to the caller. Shown modally.
#include <QDialog>

#include <string>
#include <vector>

#include "nutrients/food_database.h"
#include "recipedb/ui/ingredient_links.h"

class QPushButton;
class QTabWidget;
class QTableWidget;
class QTreeWidget;
class QWidget;

namespace tav {

class FoodSearchInputs;

class TBLSChooseDlg : public QDialog, public FoodChooser {
  Q_OBJECT
 public:
  explicit TBLSChooseDlg(QWidget* parent = nullptr);
  ~TBLSChooseDlg() override;

  // "OvertakeBtn": a food may be handed back; "StartSearch": open on the search page (true) or
  // the group page (false); other names are ignored.
  void SetChooseOption(const char* name, bool value);
  void SetChooseSearchText(const char* text);
  // The chosen key and name; true when the key is not empty.
  bool GetChosenBLSFood(std::string* key, std::string* name) const;
  // The calling order in one: take-over allowed, the search text preset, shown modally.
  bool ChooseFood(std::string& key, std::string& name) override;
  bool ChooseFoodFor(const std::string& searchText, std::string& key, std::string& name);

  void FormShow();
  void StartBtnClick();
  void GattTreChange();
  void StoffGrdClick();
  void BLSReiterChange();
  void ShowLMBtnClick();
  void SeeLMBtnClick();
  void CancelBtnClick();
  void HelpBtnClick();
  // The tree of the food groups (LoadBLSGroupTree of the browser for the chooser).
  void FillGroupTree(const std::vector<BLSGROUPNODE>& tree);
  bool SearchPageShown() const;

  QTabWidget* BLSReiter;
  QWidget* SearchSht;
  QWidget* ChooseSht;
  FoodSearchInputs* inputs;
  QTreeWidget* GattTre;
  QTableWidget* StoffGrd;
  QPushButton* ShowLMBtn;
  QPushButton* SeeLMBtn;
  QPushButton* CancelBtn;
  QPushButton* HelpBtn;

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  bool GetSelectedFood(std::string& key, std::string& name) const;
  void TakeOver();
  std::string chosenKey_, chosenName_;
  bool overtake_ = false;
  bool takenOver_ = false;
  bool filling_ = false;
  std::vector<LB_DATA> foodList_;
};

extern TBLSChooseDlg* BLSChooseDlg;

}  // namespace tav
