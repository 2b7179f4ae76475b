// The intake-table editor and its age dialog offscreen over the diary test data root: a value
// typed and saved reaches StoffCalc.dat (the other lines byte for byte as they were) and the
// persons' requirements; age ranges added and deleted; a file that cannot be written keeps the
// window open with what was typed; text that is no value is refused; Cancel and the close box
// drop every change. Shots in both languages (TAVOLIN_SHOTS).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <string>
#include <vector>

#include "diary/diary_env.h"
#include "diary/ui/age_range_dialog.h"
#include "diary/ui/intake_tables_dialog.h"
#include "platform/text_file.h"
#include "window_test_support.h"
#include "windows/diary_window_env.h"
#include "windows/user_actions.h"
#include "windows/user_gestures.h"

namespace tav {
namespace {

using test::ReadAll;

// StoffCalc.dat as the writer writes it.
const std::string kGcalLine = "GCAL#A18:2400.000/1900.000#A999:2300.000/1800.000#\r\n";
const std::string kVcLine =
    "VC#A3:15.000/15.000#A18:75.000/65.000#A999:100.000/80.000#A1000:-1.000/85.000#\r\n";
const std::string kMnaLine = "MNA#A999:1500.000/1500.000#\r\n";
const std::string kStoffCalc = kGcalLine + kVcLine + kMnaLine;

// The diary data root with Anna (a woman born 1970, a vitamin C requirement without own value),
// the intake tables above, and the editor with its age dialog as the program makes them.
struct EditorEnv {
  // With a language given, the windows are translated as in the program.
  explicit EditorEnv(const std::string& lang = std::string()) {
    if (!lang.empty()) language = std::make_unique<test::WindowLanguage>(env, lang);
    test::WriteAll(StoffCalc(), kStoffCalc);
    env.WritePersons({"Anna"});
    diary = &env.Start();
    ENApplogMod = diary;
    ENPERSON* anna = nullptr;
    if (diary->FindPerson("Anna", &anna)) {
      TAGESBEDARF row;
      row.code = "VC";
      anna->requirements.push_back(row);
    }
    editor = std::make_unique<TZufuhrDlg>();
    age = std::make_unique<TAgeInputDlg>(editor.get());
    diary->UpdateRequirements();  // as at start-up, from the tables the editor read
  }
  ~EditorEnv() {
    age.reset();
    editor.reset();
    ENApplogMod = nullptr;
  }
  std::string StoffCalc() const { return env.DataFolder() + "StoffCalc.dat"; }
  // Shows the editor (not modally) and chooses the nutrient by its name.
  void ShowWith(const std::string& nutrient) {
    editor->show();
    const int i = editor->StoffChooseCoBo->findText(toQ(nutrient));
    ASSERT_GT(i, 0) << nutrient;
    editor->StoffChooseCoBo->setCurrentIndex(i);
  }
  std::string Cell(int row, int column) const {
    const QTableWidgetItem* item = editor->StoffGrd->item(row, column);
    return item ? fromQ(item->text()) : std::string("<none>");
  }
  std::vector<std::string> Labels() const {
    std::vector<std::string> out;
    for (int r = 0; r < editor->StoffGrd->rowCount(); ++r) out.push_back(Cell(r, 0));
    return out;
  }
  void Type(int row, int column, const std::string& text) {
    editor->StoffGrd->item(row, column)->setText(toQ(text));
  }
  bool Editable(int row, int column) const {
    return editor->StoffGrd->item(row, column)->flags().testFlag(Qt::ItemIsEditable);
  }
  // The age dialog from the insert button, with `work` done in it.
  void NewRange(const std::function<void(TAgeInputDlg&)>& work) {
    EXPECT_TRUE(test::WhileModal([&] { work(*age); },
                                 [&] { ASSERT_TRUE(test::Click(editor->NewBtn)); }));
  }
  double AnnasVitaminC() {
    ENPERSON* anna = nullptr;
    return diary->FindPerson("Anna", &anna) ? anna->requirements.at(0).standard : -2;
  }

  test::DiaryEnv env;
  std::unique_ptr<test::WindowLanguage> language;
  TENApplogMod* diary = nullptr;
  std::unique_ptr<TZufuhrDlg> editor;
  std::unique_ptr<TAgeInputDlg> age;
};

// Types an age as a user does: the text changes and the age option is chosen.
void TypeAge(TAgeInputDlg& d, const std::string& text) {
  d.NewAgeEdt->setText(toQ(text));
  emit d.NewAgeEdt->textEdited(d.NewAgeEdt->text());
}

TEST(IntakeEditor, AValueTypedAndSavedChangesOnlyItsGroupAndTheRequirements) {
  EditorEnv e;
  e.ShowWith("Vitamin C");
  EXPECT_TRUE(e.editor->StoffGrd->isEnabled());
  EXPECT_EQ(e.Labels(),
            (std::vector<std::string>{"bis 3 Jahre", "bis 18 Jahre", "\xE4lter", "Schwangere"}));
  EXPECT_EQ(e.Cell(1, 1), "75");
  EXPECT_EQ(e.Cell(1, 3), "mg");
  // The row of pregnant women: no value for men, and no cell to type one into.
  EXPECT_EQ(e.Cell(3, 1), "");
  EXPECT_FALSE(e.Editable(3, 1));
  EXPECT_TRUE(e.Editable(3, 2));
  EXPECT_FALSE(e.Editable(1, 3));
  EXPECT_DOUBLE_EQ(e.AnnasVitaminC(), 80);

  e.Type(1, 2, "70,5");  // the German way
  e.Type(2, 2, "82.5");
  e.Type(0, 1, "");      // no value for small boys any more
  e.Type(1, 3, "kg");    // the unit is not typed over
  e.Type(3, 1, "9");     // nor the men's value of pregnant women
  EXPECT_EQ(e.Cell(1, 3), "mg");
  EXPECT_EQ(e.Cell(3, 1), "");
  ASSERT_TRUE(test::Click(e.editor->OKBtn));
  EXPECT_FALSE(e.editor->isVisible());
  EXPECT_EQ(ReadAll(e.StoffCalc()),
            kGcalLine +
                "VC#A3:-1.000/15.000#A18:75.000/70.500#A999:100.000/82.500#A1000:-1.000/85.000#\r\n" +
                kMnaLine);
  EXPECT_DOUBLE_EQ(e.AnnasVitaminC(), 82.5);
  EXPECT_TRUE(e.env.messages.shown.empty());
}

TEST(IntakeEditor, TheHelpButtonShowsItsPage) {
  EditorEnv e;
  test::WithTools tools;
  e.ShowWith("Vitamin C");
  ASSERT_TRUE(test::Click(e.editor->HelpBtn));
  ASSERT_FALSE(e.env.shell.opened.empty());
  EXPECT_NE(e.env.shell.opened.back().find("Help/Dlg_Zufuhr.htm"), std::string::npos);
}

TEST(IntakeEditor, AgeRangesAddedAndDeletedThroughTheAgeDialog) {
  EditorEnv e;
  e.ShowWith("Natrium");
  EXPECT_EQ(e.Labels(), (std::vector<std::string>{"jedes Alter"}));

  e.NewRange([](TAgeInputDlg& d) {
    EXPECT_FALSE(d.OKBtn->isEnabled());  // nothing chosen yet
    TypeAge(d, "50");
    EXPECT_TRUE(d.AlterRdb->isChecked());
    EXPECT_TRUE(d.OKBtn->isEnabled());
    d.OKBtn->click();
  });
  EXPECT_EQ(e.Labels(), (std::vector<std::string>{"bis 50 Jahre", "\xE4lter"}));
  e.NewRange([](TAgeInputDlg& d) {
    d.StillendRdb->click();
    d.OKBtn->click();
  });
  e.NewRange([](TAgeInputDlg& d) {
    TypeAge(d, "12");
    d.SchwangerRdb->click();  // the option chosen last counts
    d.OKBtn->click();
  });
  EXPECT_EQ(e.Labels(), (std::vector<std::string>{"bis 50 Jahre", "\xE4lter", "Schwangere",
                                                  "Stillende"}));
  EXPECT_TRUE(e.env.messages.shown.empty());

  // Cancel, the close box and Escape add nothing, whatever was typed.
  e.NewRange([](TAgeInputDlg& d) {
    TypeAge(d, "30");
    ASSERT_TRUE(test::Click(d.CancelBtn));
    EXPECT_FALSE(d.isVisible());
  });
  e.NewRange([](TAgeInputDlg& d) {
    TypeAge(d, "30");
    d.close();
  });
  EXPECT_EQ(e.age->GetNewAgeBound(), 0);
  e.NewRange([](TAgeInputDlg& d) {
    TypeAge(d, "30");
    d.reject();
  });
  EXPECT_EQ(e.Labels().size(), 4u);

  // An age that is no whole number from 1 to 998 is refused in the dialog, which stays open.
  for (const char* bad : {"vier", "0", "999", "1000", "4,5"}) {
    e.env.messages.shown.clear();
    e.NewRange([&](TAgeInputDlg& d) {
      TypeAge(d, bad);
      d.OKBtn->click();
      EXPECT_TRUE(d.isVisible()) << bad;
      EXPECT_TRUE(test::ShownText(e.env.messages, 934)) << bad;
      d.CancelBtn->click();
    });
  }
  // An age range the table has already: told, nothing added.
  e.env.messages.shown.clear();
  e.NewRange([](TAgeInputDlg& d) {
    TypeAge(d, " 50 ");
    d.OKBtn->click();
  });
  EXPECT_TRUE(test::ShownText(e.env.messages, 935));
  EXPECT_EQ(e.Labels().size(), 4u);

  // Deleting: an age row goes, the open end stays (and says so).
  ASSERT_TRUE(test::ClickCell(e.editor->StoffGrd, 0, 1));
  ASSERT_TRUE(test::Click(e.editor->DelBtn));
  EXPECT_EQ(e.Labels(), (std::vector<std::string>{"jedes Alter", "Schwangere", "Stillende"}));
  e.env.messages.shown.clear();
  ASSERT_TRUE(test::ClickCell(e.editor->StoffGrd, 0, 1));
  ASSERT_TRUE(test::Click(e.editor->DelBtn));
  EXPECT_TRUE(test::ShownText(e.env.messages, 937));
  EXPECT_EQ(e.Labels().size(), 3u);
  ASSERT_TRUE(test::ClickCell(e.editor->StoffGrd, 2, 2));
  ASSERT_TRUE(test::Click(e.editor->DelBtn));
  EXPECT_EQ(e.Labels(), (std::vector<std::string>{"jedes Alter", "Schwangere"}));

  e.Type(1, 2, "1600");
  ASSERT_TRUE(test::Click(e.editor->OKBtn));
  EXPECT_EQ(ReadAll(e.StoffCalc()),
            kGcalLine + kVcLine + "MNA#A999:1500.000/1500.000#A1000:-1.000/1600.000#\r\n");
}

TEST(IntakeEditor, AFileThatCannotBeWrittenKeepsTheWindowAndTheValues) {
  EditorEnv e;
  e.ShowWith("Vitamin C");
  e.Type(2, 1, "110");
  SetAtomicWriteFaultForTest(5);
  ASSERT_TRUE(test::Click(e.editor->OKBtn));
  EXPECT_TRUE(test::ShownText(e.env.messages, 891));
  EXPECT_TRUE(e.editor->isVisible());
  EXPECT_EQ(ReadAll(e.StoffCalc()), kStoffCalc);
  EXPECT_EQ(e.Cell(2, 1), "110");
  EXPECT_DOUBLE_EQ(e.AnnasVitaminC(), 80);  // no refresh from tables that are not saved
  // The next try writes what was typed.
  ASSERT_TRUE(test::Click(e.editor->OKBtn));
  EXPECT_FALSE(e.editor->isVisible());
  EXPECT_NE(ReadAll(e.StoffCalc()).find("A999:110.000/80.000#"), std::string::npos);
}

TEST(IntakeEditor, TextThatIsNoValueIsRefusedAndNothingIsWritten) {
  EditorEnv e;
  e.ShowWith("Vitamin C");
  for (const char* bad : {"viel", "-2", "12 mg"}) {
    e.env.messages.shown.clear();
    e.Type(1, 1, "80");
    e.Type(2, 2, bad);
    ASSERT_TRUE(test::Click(e.editor->OKBtn));
    EXPECT_TRUE(e.editor->isVisible()) << bad;
    ASSERT_EQ(e.env.messages.shown.size(), 1u) << bad;
    EXPECT_NE(e.env.messages.shown[0].text.find(bad), std::string::npos);
    EXPECT_EQ(e.editor->StoffGrd->currentRow(), 2);
    EXPECT_EQ(e.editor->StoffGrd->currentColumn(), 2);
    EXPECT_EQ(ReadAll(e.StoffCalc()), kStoffCalc) << bad;
    // Another nutrient is not chosen either: the text stays to be mended.
    e.editor->StoffChooseCoBo->setCurrentIndex(e.editor->StoffChooseCoBo->findText("Natrium"));
    EXPECT_EQ(e.editor->ChosenCode(), "VC");
    EXPECT_EQ(fromQ(e.editor->StoffChooseCoBo->currentText()), "Vitamin C");
    EXPECT_EQ(e.Cell(2, 2), bad);
  }
  e.Type(2, 2, "");
  ASSERT_TRUE(test::Click(e.editor->OKBtn));
  EXPECT_FALSE(e.editor->isVisible());
  EXPECT_NE(ReadAll(e.StoffCalc()).find("VC#A3:15.000/15.000#A18:80.000/65.000#A999:100.000/-1.000#"),
            std::string::npos);
}

TEST(IntakeEditor, CancelAndTheCloseBoxDropEveryChange) {
  EditorEnv e;
  e.ShowWith("Vitamin C");
  e.Type(0, 1, "99");
  e.NewRange([](TAgeInputDlg& d) {
    TypeAge(d, "7");
    d.OKBtn->click();
  });
  EXPECT_EQ(e.Labels().size(), 5u);
  ASSERT_TRUE(test::Click(e.editor->CancelBtn));
  EXPECT_FALSE(e.editor->isVisible());
  e.editor->show();  // the chosen nutrient stays chosen, with the file's values
  EXPECT_EQ(e.editor->ChosenCode(), "VC");
  EXPECT_EQ(e.Labels().size(), 4u);
  EXPECT_EQ(e.Cell(0, 1), "15");

  // A nutrient without a table gets the open end; closing by the close box drops it again.
  e.editor->StoffChooseCoBo->setCurrentIndex(e.editor->StoffChooseCoBo->findText(toQ("Eiwei\xDF")));
  EXPECT_EQ(e.Labels(), (std::vector<std::string>{"jedes Alter"}));
  EXPECT_EQ(e.Cell(0, 3), "g");
  e.Type(0, 2, "46");
  e.editor->close();
  EXPECT_EQ(e.editor->FindIntakeTable("ZE"), -1);
  EXPECT_EQ(ReadAll(e.StoffCalc()), kStoffCalc);
  e.editor->show();
  EXPECT_EQ(e.Labels(), (std::vector<std::string>{"jedes Alter"}));
  EXPECT_EQ(e.Cell(0, 2), "");
  // The prompt item: no nutrient, nothing to edit.
  e.editor->StoffChooseCoBo->setCurrentIndex(0);
  EXPECT_EQ(e.editor->ChosenCode(), "");
  EXPECT_FALSE(e.editor->StoffGrd->isEnabled());
  EXPECT_FALSE(e.editor->NewBtn->isEnabled());
  EXPECT_FALSE(e.editor->DelBtn->isEnabled());
}

TEST(IntakeEditor, TheNutrientListMarksNutrientsWithValues) {
  EditorEnv e;
  e.editor->show();
  QComboBox* list = e.editor->StoffChooseCoBo;
  EXPECT_EQ(fromQ(list->itemText(0)), "< Bitte einen N\xE4hrstoff w\xE4hlen >");
  EXPECT_TRUE(list->itemIcon(0).isNull());
  // Only nutrients with an amount per 100 g, hidden ones too, no text columns.
  std::vector<std::string> names;
  for (int i = 1; i < list->count(); ++i) names.push_back(fromQ(list->itemText(i)));
  EXPECT_NE(std::find(names.begin(), names.end(), "Vitamin C"), names.end());
  EXPECT_EQ(std::find(names.begin(), names.end(), "Bezeichnung"), names.end());
  const auto colour = [&](const char* name) {
    return list->itemData(list->findText(toQ(name)), Qt::ForegroundRole).value<QColor>();
  };
  EXPECT_EQ(colour("Vitamin C"), QColor(0, 128, 0));
  EXPECT_EQ(colour("Wasser"), QColor(128, 0, 0));
  EXPECT_FALSE(list->itemIcon(list->findText("Wasser")).isNull());
  // A value typed is marked once it is taken, here by choosing another nutrient.
  e.ShowWith("Wasser");
  e.Type(0, 1, "2000");
  list->setCurrentIndex(list->findText("Natrium"));
  EXPECT_EQ(colour("Wasser"), QColor(0, 128, 0));
}

// The editor with a table of several rows, and the age dialog with an age typed.
TEST(IntakeEditor, Shots) {
  for (const char* lang : {"DE", "EN"}) {
    EditorEnv e(lang);
    e.ShowWith("Vitamin C");
    e.editor->StoffGrd->setCurrentCell(1, 2);
    test::Shot(e.editor.get(), std::string("intake_editor_") + lang);
    e.NewRange([&](TAgeInputDlg& d) {
      TypeAge(d, "65");
      test::Shot(&d, std::string("intake_age_dialog_") + lang);
      d.CancelBtn->click();
    });
  }
}

}  // namespace
}  // namespace tav
