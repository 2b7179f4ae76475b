#pragma once
// What a shown window must look like: every control inside its parent and its window, its
// caption within it, no two controls on top of each other; and in English, no caption left
// German.
#include <gtest/gtest.h>

#include <QString>
#include <QWidget>
#include <string>
#include <vector>

namespace tav::test {

// The faults of a window's look, one line each: a control outside its window or its parent,
// a caption cut off, two controls on top of each other. The window is laid out first. Widgets
// of no size show nothing and are passed over with what they hold.
std::vector<std::string> LookFaults(QWidget* window);

inline void ExpectLooksWhole(QWidget* window, const std::string& name) {
  for (const std::string& fault : LookFaults(window)) ADD_FAILURE() << name << ": " << fault;
}

// Every caption a user reads in the window: its title, labels, buttons, check boxes, group
// boxes, tabs, column headers and the items of its menus; each with where it stands.
struct Caption {
  std::string where;
  QString text;
};
std::vector<Caption> Captions(QWidget* window);

// The captions of the English `window` that are still German, one line each: texts of the German
// language file that the English one has nowhere, and texts with a German letter (umlaut, sharp
// s). Controls that show the user's data (a book's or category's name …) are passed over.
std::vector<std::string> GermanCaptions(QWidget* window);

inline void ExpectEnglishCaptions(QWidget* window, const std::string& name) {
  for (const std::string& fault : GermanCaptions(window)) ADD_FAILURE() << name << ": " << fault;
}

}  // namespace tav::test
