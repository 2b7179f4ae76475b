#pragma once
// Food browser.
#include <QDialog>

#include "nutrients/food_database.h"
#include "recipedb/ui/ingredient_links.h"

namespace tav {

class TBLSMainDlg : public QDialog, public FoodDatabase, public FoodData {
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
};

extern TBLSMainDlg* BLSMainDlg;

}  // namespace tav
