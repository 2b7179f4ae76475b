// The language file GUI.klf: any lines parse, and every table lookup answers.
#include "fuzz_support.h"
#include "platform/text_file.h"
#include "services/lang_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tav;
  FuzzedDataProvider in(data, size);
  LangTable table;
  table.SetDialogBaseUnits(in.ConsumeIntegralInRange(0, 64), in.ConsumeIntegralInRange(0, 64));
  table.Parse(SplitLines(in.ConsumeRemainingBytesAsString()));
  for (int n = -1; n <= static_cast<int>(table.MessageCount()); ++n) table.GetLangText(n);
  std::string caption, hint;
  uint16_t key = 0;
  uint8_t modifiers = 0;
  for (const LangTable::DLG_INFO& d : table.Dialogs()) table.FindDialog(d.name);
  for (const LangTable::MNU_INFO& m : table.MenuItems())
    if (!table.FindMenuText(m.formName, m.menuName, m.itemName, caption, hint, key, modifiers))
      fuzz::Fail("a menu entry is not found");
  for (const LangTable::TB_INFO& t : table.ToolButtons())
    if (!table.FindToolButtonText(t.formName, t.buttonName, caption, hint))
      fuzz::Fail("a tool button is not found");
  return 0;
}
