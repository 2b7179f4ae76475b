#pragma once
// A stand-in for the main window as the windows below it see it: it records the books opened,
// the options pages asked for and the refreshes, and holds the five book menus.
#include <QMenu>
#include <QWidget>
#include <string>
#include <vector>

#include "services/ui/main_window_access.h"

namespace tav::test {

class FakeMainWindow : public MainWindowAccess {
 public:
  FakeMainWindow() {
    previous_ = MainWindow();
    Registered<MainWindowAccess>::Enter(this);
  }
  ~FakeMainWindow() override {
    Registered<MainWindowAccess>::Leave(this);
    if (previous_) Registered<MainWindowAccess>::Enter(previous_);
  }
  FakeMainWindow(const FakeMainWindow&) = delete;
  FakeMainWindow& operator=(const FakeMainWindow&) = delete;

  QWidget* FrameWidget() override { return &frame; }
  QWidget* PaneOf(MainPane) const override { return nullptr; }
  void DockForm(QWidget*, QWidget*) override {}
  void SetShoppingPaneOpen(bool open) override { shoppingPaneHeight = open ? 150 : 17; }
  int ShoppingPaneHeight() const override { return shoppingPaneHeight; }
  void ToggleWeekPlanPane() override { ++weekPlanToggles; }
  void ShowStandardView(QWidget*, bool) override {}
  void ShowEditView(QWidget*, bool) override {}
  void ShowHTMLView(QWidget*, bool) override {}
  void ShowPrintView(QWidget*, bool) override {}
  void ShowEmptyView(QWidget*, bool) override {}
  void SetViewMode(int) override {}
  void ShowMenuPane(bool) override {}
  QAction* Action(const char*) const override { return nullptr; }
  void UpdateRecipeButtons() override {}
  void UpdateClipboardMenu() override {}
  void OpenBook(const std::string& name) override { opened.push_back(name); }
  void RefreshMainTitle() override { ++titles; }
  void UpdateBookButtons(bool fill) override { buttonFills += fill ? 1 : 0; }
  QMenu* BookMenu(BookMenuKind kind) const override {
    return const_cast<QMenu*>(&menus[static_cast<int>(kind)]);
  }
  void BookMenuClick(BookMenuKind kind, const std::string& book) override {
    clicked.push_back({kind, book});
  }
  void ShowOptionsWindow(int page) override { optionPages.push_back(page); }

  QWidget frame;
  QMenu menus[5];
  std::vector<std::string> opened;
  std::vector<std::pair<BookMenuKind, std::string>> clicked;
  std::vector<int> optionPages;
  int titles = 0;
  int buttonFills = 0;
  int shoppingPaneHeight = 4;
  int weekPlanToggles = 0;

 private:
  MainWindowAccess* previous_ = nullptr;
};

}  // namespace tav::test
