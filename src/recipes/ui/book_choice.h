#pragma once
// What the two search windows share: the choice of the books to read (the current book, every
// book, or the books chosen in a list) and the pace at which a long scan lets waiting events run.
#include <QElapsedTimer>
#include <string>
#include <vector>

class QGroupBox;
class QListWidget;
class QRadioButton;
class QWidget;

namespace tav {

class BookChoice {
 public:
  // Builds the group " In welchen Kochbüchern ? " with its buttons and list into `parent`.
  explicit BookChoice(QWidget* parent);

  // Lists the names in the order a reader expects (case and accents aside).
  void FillNames(std::vector<std::string> names);
  // Every book of the cookbook list.
  void FillAllBooks();
  // The names the buttons choose: the current book (option 6), every book in the cookbook
  // list's order, or the selected names in list order.
  std::vector<std::string> ChosenNames() const;

  QGroupBox* group;
  QRadioButton* current;
  QRadioButton* all;
  QRadioButton* chosen;
  QListWidget* list;
};

// Lets waiting window events run at the first call and then every 25 ms: often enough for a
// prompt stop button, seldom enough to cost a scan nothing.
class EventPump {
 public:
  void Run();

 private:
  QElapsedTimer since_;
};

}  // namespace tav
