// The look the screenshot tests assert: small windows built with one fault each are told apart
// from sound ones, and an English window's German caption is found.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/qt_text.h"
#include "services/ui/elided_label.h"
#include "window_look.h"

namespace tav {
namespace {

struct LookCase {
  const char* name;
  std::function<void(QWidget*)> build;  // fills the window, 300 x 200
  const char* fault;                    // part of the one fault found; null: none
};

void Place(QWidget* w, int x, int y, int width, int height) {
  w->setGeometry(x, y, width, height);
}

const std::vector<LookCase>& Cases() {
  static const std::vector<LookCase> cases = {
      {"laid out controls",
       [](QWidget* win) {
         auto* box = new QVBoxLayout(win);
         box->addWidget(new QLabel(QStringLiteral("Name:"), win));
         box->addWidget(new QCheckBox(QStringLiteral("Nur markierte Rezepte"), win));
         box->addWidget(new QPushButton(QStringLiteral("&Abbrechen"), win));
       },
       nullptr},
      {"label cut short",
       [](QWidget* win) {
         Place(new QLabel(QStringLiteral("Zutaten f\u00fcr mehrere Portionen"), win), 10, 10, 40,
               20);
       },
       "text needs"},
      {"button cut short",
       [](QWidget* win) {
         Place(new QPushButton(QStringLiteral("&Übernehmen"), win), 10, 10, 30, 25);
       },
       "text needs"},
      {"check box cut short",
       [](QWidget* win) {
         Place(new QCheckBox(QStringLiteral("Nur markierte Rezepte"), win), 10, 10, 60, 20);
       },
       "text needs"},
      {"text too low for its font",
       [](QWidget* win) { Place(new QLabel(QStringLiteral("Name"), win), 10, 10, 100, 4); },
       "of height"},
      {"control past the window's edge",
       [](QWidget* win) { Place(new QPushButton(QStringLiteral("OK"), win), 260, 10, 80, 25); },
       "outside its window"},
      {"control past its parent's edge",
       [](QWidget* win) {
         auto* panel = new QWidget(win);
         Place(panel, 0, 0, 100, 100);
         Place(new QPushButton(QStringLiteral("OK"), panel), 60, 10, 80, 25);
       },
       "outside its parent"},
      {"two controls on top of each other",
       [](QWidget* win) {
         Place(new QPushButton(QStringLiteral("OK"), win), 10, 10, 80, 25);
         Place(new QPushButton(QStringLiteral("Nein"), win), 60, 20, 80, 25);
       },
       "overlaps"},
      {"label over a panel that holds it",
       [](QWidget* win) {
         auto* panel = new QFrame(win);
         Place(panel, 0, 0, 200, 100);
         Place(new QLabel(QStringLiteral("Name"), panel), 10, 10, 80, 20);
       },
       nullptr},
      {"a label that elides on purpose",
       [](QWidget* win) {
         Place(new ElidedLabel(QStringLiteral("Ein sehr langer Rezepttitel, der nicht passt"), win),
               10, 10, 60, 20);
       },
       nullptr},
      {"collapsed pane",
       [](QWidget* win) {
         auto* split = new QSplitter(win);
         Place(split, 0, 0, 300, 200);
         split->addWidget(new QLabel(QStringLiteral("Links"), split));
         auto* pane = new QWidget(split);
         split->addWidget(pane);
         new QPushButton(QStringLiteral("Rechts"), pane);
         split->setSizes({300, 0});
       },
       nullptr},
      {"scrolled content",
       [](QWidget* win) {
         auto* area = new QScrollArea(win);
         Place(area, 0, 0, 300, 200);
         auto* content = new QWidget;
         content->resize(300, 900);
         Place(new QPushButton(QStringLiteral("Unten"), content), 10, 850, 80, 25);
         area->setWidget(content);
       },
       nullptr},
  };
  return cases;
}

TEST(WindowLook, EachFaultIsFoundAndSoundWindowsPass) {
  for (const LookCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    QDialog window;
    window.resize(300, 200);
    c.build(&window);
    window.show();
    const std::vector<std::string> faults = test::LookFaults(&window);
    if (!c.fault) {
      EXPECT_TRUE(faults.empty()) << faults.front();
      continue;
    }
    ASSERT_EQ(faults.size(), 1u) << (faults.empty() ? "" : faults.front());
    EXPECT_NE(faults[0].find(c.fault), std::string::npos) << faults[0];
  }
}

TEST(WindowLook, AGermanCaptionLeftInAnEnglishWindowIsFound) {
  QDialog window;
  window.setWindowTitle(QStringLiteral("Categories"));
  auto* box = new QVBoxLayout(&window);
  auto* grid = new QTableWidget(1, 2, &window);
  grid->setObjectName(QStringLiteral("Grid"));
  grid->setHorizontalHeaderLabels({QStringLiteral("Amount"), QStringLiteral("Men\u00fc")});
  box->addWidget(grid);
  auto* name = new QLabel(QStringLiteral("Br\u00fchen"), &window);
  name->setObjectName(QStringLiteral("GattNameTxt"));  // shows a category's name
  box->addWidget(name);
  box->addWidget(new QPushButton(QStringLiteral("&Cancel"), &window));
  box->addWidget(new QPushButton(QStringLiteral("&Abbrechen"), &window));
  auto* hidden = new QPushButton(QStringLiteral("L\u00f6schen"), &window);
  box->addWidget(hidden);
  hidden->hide();
  auto* menu = new QMenu(&window);
  menu->addAction(QStringLiteral("Copy"));
  menu->addAction(QStringLiteral("Einf\u00fcgen"));
  window.show();

  std::vector<std::string> faults = test::GermanCaptions(&window);
  std::sort(faults.begin(), faults.end());
  ASSERT_EQ(faults.size(), 3u);
  EXPECT_NE(faults[0].find("\"Abbrechen\""), std::string::npos) << faults[0];
  EXPECT_NE(faults[1].find("Grid column 1 is German"), std::string::npos) << faults[1];
  EXPECT_NE(faults[2].find(fromQ(QStringLiteral("\"Einf\u00fcgen\""))), std::string::npos)
      << faults[2];
}

}  // namespace
}  // namespace tav
